#include "editing/band_set_modes.h"

#include <algorithm>
#include <cmath>

#include "convert/common_xml.h"
#include "editing/change_hook.h"
#include "editing/parameter_move.h"
#include "editing/undo_operations.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/device_constants.h"
#include "schema/device_v7.h"
#include "schema/element_edits.h"
#include "schema/indentation.h"
#include "schema/node_check.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

// Restores the compatibility flag when the edit that changed it is undone.
class CUndoCompatibilityFlag : public CUndoXMLOperation {
 public:
  CUndoCompatibilityFlag(CNodeTag_VRK_Device& root, bool previous)
      : CUndoXMLOperation(&root), root_(root), previous_(previous) {}

 protected:
  void UndoChange() override { root_.SetCompatibilityScada21(previous_); }

 private:
  CNodeTag_VRK_Device& root_;
  bool previous_;
};

// The seven parameter containers of a channel in the order they are copied and checked.
std::vector<CNodeTagInfoXML*> ChannelContainers(CVibroChannel& ch) {
  return {&ch.Average, &ch.Peak, &ch.PeakPeak, &ch.WaveRMS, &ch.Crest, &ch.Absolute_bands, &ch.Relative_bands};
}

// A detached deep copy of `node`, made in the scope of `context`.
dom::Node CopyOf(CNodeTagInfoXML& descriptor, dom::Document document, const dom::Node& context, const dom::Node& node) {
  std::vector<dom::Node> parsed;
  try {
    parsed = document.parseFragment(context, node.xml());
  } catch (const dom::ParseError&) {
    ThrowMessage(kMsgTagCreationError, descriptor.GetFullPath());
  }
  for (const dom::Node& candidate : parsed)
    if (candidate.kind() == dom::NodeKind::kElement) return candidate;
  ThrowMessage(kMsgTagCreationError, descriptor.GetFullPath());
}

// Puts `copy` of container `descriptor` into the channel node `channel`, before the first element that comes
// later in the schema, indented like it; at the end when there is none.
void InsertContainer(CNodeTag_VRK_DeviceV7& root, CNodeTagInfoXML& descriptor, dom::Node channel,
                     const CIndexList& target, const dom::Node& copy) {
  const std::vector<CNodeTagInfoXML*>& schema = descriptor.parent()->children();
  const auto own = std::find(schema.begin(), schema.end(), &descriptor);
  dom::Node before;
  for (dom::Node child = channel.firstChild(); child && !before; child = child.nextSibling())
    for (auto later = own + 1; later != schema.end(); ++later)
      if ((*later)->Matches(child)) before = child;

  if (!before) {
    CIndexList lookup = target;
    const dom::Node placeholder = descriptor.GetNode(lookup, true);
    channel.replaceChild(copy, placeholder);
    root.Record<CUndoXMLNodeReplace>(&descriptor, placeholder, copy);
    return;
  }
  const dom::Node previous = before.previousSibling();
  const std::string indentation = IsWhitespace(previous) ? previous.value() : Indentation(NestingLevel(channel) + 1);
  // [indentation] copy [indentation] before
  channel.insertBefore(copy, before);
  root.Record<CUndoXMLTagAppend>(&descriptor, copy);
  dom::Document document = root.document();
  const dom::Node text = document.createText(indentation);
  channel.insertBefore(text, before);
  root.Record<CUndoXMLTagAppend>(&descriptor, text);
}

}  // namespace

void CopyChannelBands(CNodeTag_VRK_DeviceV7& root, uint32_t source, uint32_t target, bool check) {
  if (source == target) return;
  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  const CIndexList from{{true, source}}, to{{true, target}};
  CIndexList lookup = to;
  dom::Node channel = ch.GetNode(lookup, false);
  if (!channel || !Exists(ch, from)) return;

  for (CNodeTagInfoXML* container : ChannelContainers(ch)) {
    CIndexList source_lookup = from, target_lookup = to;
    const dom::Node original = container->GetNode(source_lookup, false);
    const dom::Node replaced = container->GetNode(target_lookup, false);
    if (!original && !replaced) continue;
    if (!original) {
      RemoveElement(*container, to);
      continue;
    }
    const dom::Node copy = CopyOf(*container, root.document(), channel, original);
    if (replaced) {
      channel.replaceChild(copy, replaced);
      root.Record<CUndoXMLNodeReplace>(container, replaced, copy);
    } else {
      InsertContainer(root, *container, channel, to, copy);
    }
    root.ResetNodeCache();
  }
  if (check)
    for (CNodeTagInfoXML* container : ChannelContainers(ch)) CheckNode(*container, to, true, false);
}

void EqualiseBandSets(CNodeTag_VRK_Device& base) {
  auto* root = dynamic_cast<CNodeTag_VRK_DeviceV7*>(&base);
  if (!root) return;
  CCommonXMLv7 converter(*root);
  const uint32_t reference = converter.GetFirstVibroChannelNumber();
  if (reference == 0) return;
  for (uint32_t number = reference + 1; number <= kVibrationChannelCount; ++number)
    CopyChannelBands(*root, reference, number, true);

  const CIndexList channel{{true, reference}};
  auto parameter_only = [](const std::vector<uint32_t>& parameters) {
    std::vector<ParamReference> references;
    for (uint32_t parameter : parameters) references.push_back({kNoReferencePart, parameter});
    return references;
  };
  converter.RemoveReferences(parameter_only(converter.CheckParamNumbers(channel)), kMonitoring);
  const std::vector<ParamReference> free = parameter_only(converter.GetFreeParamNumbers(channel));
  converter.RemoveReferences(free, kCurrentOutputs);
  converter.RemoveSlaveOutputs(free);
}

void SwitchCompatibilityMode(CNodeTag_VRK_DeviceV7& root, bool identical, bool on) {
  if (root.compatibility_scada21() == on) return;
  root.Record<CUndoCompatibilityFlag>(root, !on);
  root.SetCompatibilityScada21(on);

  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  CCommonXMLv7 converter(root);
  for (uint32_t i = 0, n = ch.CountNodes({}); i < n; ++i) {
    const CIndexList channel{{false, i}};
    const std::optional<uint32_t> number = converter.VibroChannelNumber(channel);
    if (on) {
      for (CNodeTagInfoXML* container : ChannelContainers(ch)) RemoveElement(*container, channel);
      WriteCompatibilityLayout(root, identical, channel);
      if (number) converter.RemoveReferences({{*number, kNoReferencePart}});
      continue;
    }
    // Without the fixed layout a phase needs a whole harmonic to mean something.
    auto& band = ch.Relative_bands.band;
    std::vector<ParamReference> gone;
    for (uint32_t k = 0, m = band.CountNodes(channel); k < m; ++k) {
      const CIndexList at = Append(channel, {false, k});
      const std::optional<double> value = RealAt(band.factor, at);
      if (!value || *value == std::floor(*value) || !Exists(band.phase, at)) continue;
      const std::optional<uint32_t> phase = NumberAt(band.phase.number, at);
      if (number && phase && *phase >= 1) gone.push_back({*number, *phase - 1});
      RemoveElement(band.phase, at);
    }
    converter.RemoveReferences(gone);
    const ParamRenumbering renumbering = RenumberChannelParameters(root, channel);
    if (number) FollowRenumbering(converter, *number, renumbering);
  }
}

}  // namespace vrk
