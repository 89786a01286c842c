#include "convert/upgrade_chain.h"

#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/device_constants.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// `to` on a copy of `from`'s document, marked as version `version`.
void CopyInto(CNodeTag_VRK_Device& from, CNodeTag_VRK_Device& to, const char* version) {
  to.AttachDocument(CopyDocument(from.document()));
  to.VersionInfo.version.SetValue(version, {}, false);
}

template <class ROOT>
std::unique_ptr<ROOT> NextRoot(const CNodeTag_VRK_Device& target) {
  auto root = std::make_unique<ROOT>();
  root->SetImperial(target.imperial());
  return root;
}

// Outputs numbered from 0, as version 2 allowed, are numbered from 1.
void NumberSlaveOutputsFromOne(CNodeTag_VRK_DeviceV3& root) {
  auto& output = root.Modbus.Slave_outputs.Output;
  const uint32_t count = output.CountNodes({});
  bool from_zero = false;
  for (uint32_t k = 0; k < count && !from_zero; ++k) {
    from_zero = NumberAt(output.Number, CIndexList{{false, k}}) == 0u;
  }
  if (!from_zero) return;
  for (uint32_t k = 0; k < count; ++k) {
    const CIndexList at{{false, k}};
    if (const std::optional<uint32_t> value = NumberAt(output.Number, at))
      output.Number.SetValue(std::to_string(*value + 1), at, false);
  }
}

// A table of type 0, which version 2 allowed, takes the lowest of the types 1 to 4 that no other table has.
void GiveTablesVersion3Types(CNodeTag_VRK_DeviceV3& root) {
  auto& table = root.Modbus.Tables.Table;
  const uint32_t count = table.CountNodes({});
  bool used[5] = {};
  for (uint32_t k = 0; k < count; ++k)
    if (const std::optional<uint32_t> value = NumberAt(table.type, CIndexList{{false, k}}); value && *value <= 4)
      used[*value] = true;
  for (uint32_t k = 0; k < count; ++k) {
    const CIndexList at{{false, k}};
    if (NumberAt(table.type, at) != 0u) continue;
    for (uint32_t t = 1; t <= 4; ++t)
      if (!used[t]) {
        used[t] = true;
        table.type.SetValue(std::to_string(t), at, false);
        break;
      }
  }
}

}  // namespace

dom::Document CopyDocument(const dom::Document& document) { return dom::Document::parseText(document.text()); }

void UpgradeVersion2To3(CNodeTag_VRK_DeviceV2& from, CNodeTag_VRK_DeviceV3& to) {
  CopyInto(from, to, "3");
  auto& output = to.Modbus.Slave_outputs.Output;
  const uint32_t outputs = output.CountNodes({});
  for (uint32_t k = 0; k < outputs; ++k) {
    const CIndexList at{{false, k}};
    for (CNodeAttrInfoXML* limit : {static_cast<CNodeAttrInfoXML*>(&output.Tag.ParamMin),
                                    static_cast<CNodeAttrInfoXML*>(&output.Tag.ParamMax),
                                    static_cast<CNodeAttrInfoXML*>(&output.Tag.ParamDef)})
      limit->SetValue(limit->range().default_value, at, false);
  }
  NumberSlaveOutputsFromOne(to);
  GiveTablesVersion3Types(to);
  auto& relay = to.Relay;
  for (CNodeAttrInfoXML* delay : {static_cast<CNodeAttrInfoXML*>(&relay.WarningDelay.On_ms),
                                  static_cast<CNodeAttrInfoXML*>(&relay.WarningDelay.Off_ms),
                                  static_cast<CNodeAttrInfoXML*>(&relay.AlarmDelay.On_ms),
                                  static_cast<CNodeAttrInfoXML*>(&relay.AlarmDelay.Off_ms)})
    if (!delay->FindValue({})) delay->SetValue("0", {}, false);
}

void UpgradeVersion3To6(CNodeTag_VRK_DeviceV3& from, CNodeTag_VRK_DeviceV6& to) { CopyInto(from, to, "6"); }

void UpgradeVersion6To7(CNodeTag_VRK_DeviceV6& from, CNodeTag_VRK_DeviceV7& to) {
  CopyInto(from, to, "7");
  // The high-pass filter is on for displacement in micrometres, off otherwise.
  auto& channel = to.VibroChannels.VibroChannel;
  const uint32_t channels = channel.CountNodes({});
  for (uint32_t k = 0; k < channels; ++k) {
    const CIndexList at{{false, k}};
    channel.hpf.SetValue(IntegerAt(channel.unit, at) == kUnitDisplacement ? "1" : "0", at, false);
  }
}

void UpgradeToVersion7(CNodeTag_VRK_DeviceV6& from, CNodeTag_VRK_DeviceV7& target) { UpgradeVersion6To7(from, target); }

void UpgradeToVersion7(CNodeTag_VRK_DeviceV3& from, CNodeTag_VRK_DeviceV7& target) {
  auto next = NextRoot<CNodeTag_VRK_DeviceV6>(target);
  UpgradeVersion3To6(from, *next);
  UpgradeToVersion7(*next, target);
}

void UpgradeToVersion7(CNodeTag_VRK_DeviceV2& from, CNodeTag_VRK_DeviceV7& target) {
  auto next = NextRoot<CNodeTag_VRK_DeviceV3>(target);
  UpgradeVersion2To3(from, *next);
  UpgradeToVersion7(*next, target);
}

void UpgradeToVersion7(CNodeTag_VRK_DeviceV1& from, CNodeTag_VRK_DeviceV7& target) {
  auto next = NextRoot<CNodeTag_VRK_DeviceV2>(target);
  UpgradeVersion1To2(from, *next);
  UpgradeToVersion7(*next, target);
}

void UpgradeAnyToVersion7(CNodeTag_VRK_Device& from, CNodeTag_VRK_DeviceV7& target) {
  // Most derived first: each older root is built from the tree of the version after it.
  if (auto* v1 = dynamic_cast<CNodeTag_VRK_DeviceV1*>(&from)) return UpgradeToVersion7(*v1, target);
  if (auto* v2 = dynamic_cast<CNodeTag_VRK_DeviceV2*>(&from)) return UpgradeToVersion7(*v2, target);
  if (auto* v3 = dynamic_cast<CNodeTag_VRK_DeviceV3*>(&from)) return UpgradeToVersion7(*v3, target);
  if (auto* v6 = dynamic_cast<CNodeTag_VRK_DeviceV6*>(&from)) return UpgradeToVersion7(*v6, target);
  ThrowMessage(kMsgVersionNotSupported);
}

}  // namespace vrk
