#include "schema/device_root.h"

#include "schema/measurement_system.h"
#include "editing/undo_group.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/node_rules.h"

namespace vrk {

CNodeTag_VRK_Device::CNodeTag_VRK_Device() : CNodeTagInfoXML("VRK_Device", true, false) {
  AddChildren({&VersionInfo, &Cfg, &Header, &Data_transfer_settings, &Region_settings, &BlackBox,
               &current_outputs, &Monitoring, &Diagnoses, &TachoChannels});
}

CNodeTag_VRK_Device::~CNodeTag_VRK_Device() = default;

dom::Node CNodeTag_VRK_Device::GetNode(CIndexList& indexes, bool) {
  if (!document_) throw CConvException(std::string());
  if (indexes.empty() && !stored_indexes_.empty()) indexes = stored_indexes_;
  dom::Node root = document_.documentElement();
  if (!root) ThrowMessage(kMsgNoRootTag);
  return root;
}

void CNodeTag_VRK_Device::CheckNodeRules(CNodeTagInfoXML& element, const CIndexList& indexes, bool) {
  if (&element == &TachoChannels) {
    CheckUniqueKeys(TachoChannels.TachoChannel, indexes);
  } else if (&element == &Monitoring) {
    CheckUniqueKeys(Monitoring.Element, indexes);
    CheckKeysWithoutGaps(Monitoring.Element, indexes);
  } else if (&element == &Monitoring.Element) {
    CheckUniqueKeys(Monitoring.Element.Tag, indexes);
  } else if (&element == &current_outputs) {
    CheckUniqueKeys(current_outputs.Output, indexes);
  } else if (&element == &current_outputs.Output) {
    CheckExactlyOneChild(current_outputs.Output.Tag, indexes);
  }
}

void CNodeTag_VRK_Device::RefreshDerivedValues() {}

std::string CNodeTag_VRK_Device::SnapWrittenValue(CNodeAttrInfoXML&, const std::string& stored, const CIndexList&) {
  return stored;
}

void CNodeTag_VRK_Device::ArrangeNodeData(CNodeTagInfoXML&, const CIndexList&) {}

void CNodeTag_VRK_Device::AfterAttributeCheck(CNodeAttrInfoXML&, const CIndexList&) {}

bool CNodeTag_VRK_Device::HandleRemovalCheck(CNodeTagInfoXML& element, const CIndexList&) {
  // Channels and monitored-parameter references may go without leaving anything to check.
  return &element == &TachoChannels.TachoChannel || &element == &Monitoring.Element.Tag;
}

void CNodeTag_VRK_Device::AttachDocument(dom::Document document) {
  ResetNodeCache();
  document_ = std::move(document);
}

std::string CNodeTag_VRK_Device::ToDisplay(const CNodeAttrInfoXML& attribute, const std::string& stored) const {
  return ConvertValue(attribute, stored, ValueDirection::kToDisplay);
}

std::string CNodeTag_VRK_Device::FromDisplay(const CNodeAttrInfoXML& attribute, const std::string& display) const {
  return ConvertValue(attribute, display, ValueDirection::kToStored);
}

}  // namespace vrk
