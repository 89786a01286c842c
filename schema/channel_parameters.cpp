#include "schema/channel_parameters.h"

#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

uint16_t NumberOf(CNodeAttrInfoXML& number, const dom::Node& element) {
  std::string text;
  return number.ReadValue(element, &text) ? static_cast<uint16_t>(ParseKeyText(text).value_or(0) & 0xFFFFu) : 0;
}

void Add(std::vector<ParamEntry>& entries, ParamKind kind, const CIndexList& indexes, CNodeTagInfoXML& element,
         CNodeAttrInfoXML& number, const dom::Node& node) {
  entries.push_back({kind, indexes, NumberOf(number, node), &element, &number, node});
}

}  // namespace

std::vector<ParamEntry> ChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel, bool sort) {
  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  std::vector<ParamEntry> entries;
  CIndexList lookup = channel;
  const dom::Node channel_node = ch.GetNode(lookup, false);
  if (!channel_node) return entries;
  const struct {
    ParamKind kind;
    CNodeTagBandsContainerV2& element;
  } overall[] = {{kParamAverage, ch.Average},
                 {kParamPeak, ch.Peak},
                 {kParamPeakPeak, ch.PeakPeak},
                 {kParamWaveRMS, ch.WaveRMS},
                 {kParamCrest, ch.Crest}};
  for (const auto& value : overall)
    if (const dom::Node node = value.element.FirstIn(channel_node))
      Add(entries, value.kind, channel, value.element, value.element.number, node);

  // The bands of a list, each with the index list that selects it by position.
  auto bands = [&](CNodeTagInfoXML& list, CNodeTagBandsContainerV2& band, auto&& visit) {
    const dom::Node list_node = list.FirstIn(channel_node);
    if (!list_node) return;
    CIndexList at = channel;
    at.PushBack({});
    uint32_t position = 0;
    band.ForEachIn(list_node, [&](const dom::Node& node) {
      at.SetBack({false, position++});
      visit(at, node);
    });
  };
  auto& absolute = ch.Absolute_bands.band;
  bands(ch.Absolute_bands, absolute, [&](const CIndexList& at, const dom::Node& node) {
    Add(entries, kParamAbsoluteBand, at, absolute, absolute.number, node);
  });
  auto& relative = ch.Relative_bands.band;
  bands(ch.Relative_bands, relative, [&](const CIndexList& at, const dom::Node& node) {
    Add(entries, kParamRelativeBand, at, relative, relative.number, node);
    if (const dom::Node phase = relative.phase.FirstIn(node))
      Add(entries, kParamPhase, at, relative.phase, relative.phase.number, phase);
  });

  if (sort) {
    // Exchange sort: neighbours swap only when the earlier number is strictly greater, so ties keep their order.
    for (std::size_t pass = 0; pass + 1 < entries.size(); ++pass)
      for (std::size_t i = 0; i + 1 < entries.size() - pass; ++i)
        if (entries[i].number > entries[i + 1].number) std::swap(entries[i], entries[i + 1]);
  }
  return entries;
}

std::vector<uint32_t> GetFreeParamNumbers(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel) {
  bool used[32] = {};
  for (const ParamEntry& entry : ChannelParameters(root, channel, false))
    if (entry.number >= 1 && entry.number <= 31) used[entry.number] = true;
  std::vector<uint32_t> free;
  for (uint32_t n = 1; n <= 31; ++n)
    if (!used[n]) free.push_back(n - 1);
  return free;
}

}  // namespace vrk
