#include "editing/element_removal.h"

#include <optional>
#include <string>
#include <vector>

#include "convert/common_xml.h"
#include "editing/band_set_modes.h"
#include "editing/parameter_move.h"
#include "schema/attribute_values.h"
#include "schema/device_v7.h"
#include "schema/element_edits.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// The index-list entries that select the parent occurrence of `element`: one per repeated element above it.
std::size_t ParentEntries(const CNodeTagInfoXML& element) {
  std::size_t entries = 0;
  for (const CNodeTagInfoXML* e = element.parent(); e; e = e->parent())
    if (e->repeated()) ++entries;
  return entries;
}

// A parameter container or a relative band's phase: its references go (from every channel when all channels
// carry the same set), then the element; the channel's numbering closes the gap (the compatibility layout keeps
// its fixed numbers) and the references follow; with identical sets the channel is copied into the others.
void RemoveParameter(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element, const CIndexList& indexes) {
  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  auto& relative = ch.Relative_bands.band;
  CCommonXMLv7 converter(root);
  const CIndexList channel = indexes.Truncated(1);
  const std::optional<uint32_t> source = converter.VibroChannelNumber(channel);

  std::vector<uint32_t> numbers;  // the parameters that go: the element, and a relative band's phase with it
  if (&element == &relative.phase) {
    if (const std::optional<uint32_t> phase = NumberAt(relative.phase.number, indexes)) numbers.push_back(*phase);
  } else {
    if (const std::optional<uint32_t> number = NumberAt(*element.key_attribute(), indexes)) numbers.push_back(*number);
    if (&element == &relative)
      if (const std::optional<uint32_t> phase = NumberAt(relative.phase.number, indexes)) numbers.push_back(*phase);
  }
  std::vector<uint32_t> channels;
  if (identical)
    channels = converter.VibroChannelNumbers();
  else if (source)
    channels.push_back(*source);
  std::vector<ParamReference> references;
  for (uint32_t c : channels)
    for (uint32_t number : numbers)
      if (number >= 1) references.push_back({c, number - 1});
  converter.RemoveReferences(references);

  RemoveElement(element, indexes);
  ParamRenumbering renumbering;
  if (!root.compatibility_scada21()) renumbering = RenumberChannelParameters(root, channel);
  if (!source) return;
  if (identical)
    for (uint32_t other : channels) CopyChannelBands(root, *source, other, false);
  for (uint32_t c : channels) FollowRenumbering(converter, c, renumbering);
}

// A monitoring element: it goes with its diagnoses, the remaining elements are numbered 1, 2, 3 ... again, and
// the diagnoses follow their elements.
void RemoveMonitoringElement(CNodeTag_VRK_DeviceV7& root, const CIndexList& indexes) {
  auto& element = root.Monitoring.Element;
  const std::optional<uint32_t> number = NumberAt(element.Number, indexes);
  RemoveElement(element, indexes);
  CCommonXMLv7 converter(root);
  if (number) converter.RemoveDiagnosesOf(*number);
  converter.RenumberMonitoring();
}

// Lists whose keys are plain sequence numbers 1, 2, 3 ...: they close the gap a removal leaves.
bool IsSequenceNumbered(CNodeTag_VRK_DeviceV7& root, const CNodeTagInfoXML& element) {
  return &element == &root.Modbus.Slave_outputs.Output ||
         &element == &root.Modbus.ExchangeCycle.Cycle.Commands.Command || &element == &root.Readiness.Diagnose ||
         &element == &root.Test.Parameters.Parameter ||
         &element == &root.Diagnoses.Element.Diagnose.Criterions.Criterion;
}

}  // namespace

void RemoveWithDependents(CNodeTag_VRK_DeviceV7& root, bool identical, CNodeTagInfoXML& element,
                          const CIndexList& indexes) {
  if (!Exists(element, indexes)) return;
  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  if (IsParameterContainer(root, element) || &element == &ch.Relative_bands.band.phase)
    return RemoveParameter(root, identical, element, indexes);
  if (&element == &ch) {
    CCommonXMLv7(root).OnVibroChannelRemoved(indexes);
    RemoveElement(element, indexes);
    return;
  }
  if (&element == &root.TachoChannels.TachoChannel) {
    if (const std::optional<uint32_t> number = NumberAt(root.TachoChannels.TachoChannel.number, indexes))
      CCommonXMLv7(root).OnTachoChannelRemoved(*number);
    RemoveElement(element, indexes);
    return;
  }
  if (&element == &root.Monitoring.Element) return RemoveMonitoringElement(root, indexes);

  RemoveElement(element, indexes);
  if (IsSequenceNumbered(root, element)) RenumberKeys(element, indexes.Truncated(ParentEntries(element)));
}

}  // namespace vrk
