#include "convert/channel_parameters.h"

#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

using CVibroChannel = CVibroChannels::CVibroChannel;

uint16_t NumberAt(CNodeAttrInfoXML& number, const CIndexList& indexes) {
  const std::optional<std::string> text = number.FindValue(indexes);
  return text ? static_cast<uint16_t>(ParseKeyText(*text).value_or(0) & 0xFFFFu) : 0;
}

bool Exists(CNodeTagInfoXML& element, const CIndexList& indexes) {
  CIndexList lookup = indexes;
  return static_cast<bool>(element.GetNode(lookup, false));
}

void Add(std::vector<ParamEntry>& entries, ParamKind kind, const CIndexList& indexes, CNodeTagInfoXML& element,
         CNodeAttrInfoXML& number) {
  entries.push_back({kind, indexes, NumberAt(number, indexes), &element, &number});
}

}  // namespace

std::vector<ParamEntry> ChannelParameters(CNodeTag_VRK_DeviceV7& root, const CIndexList& channel, bool sort) {
  CVibroChannel& ch = root.VibroChannels.VibroChannel;
  std::vector<ParamEntry> entries;
  const struct {
    ParamKind kind;
    CNodeTagBandsContainerV2& element;
  } overall[] = {{kParamAverage, ch.Average},
                 {kParamPeak, ch.Peak},
                 {kParamPeakPeak, ch.PeakPeak},
                 {kParamWaveRMS, ch.WaveRMS},
                 {kParamCrest, ch.Crest}};
  for (const auto& value : overall)
    if (Exists(value.element, channel)) Add(entries, value.kind, channel, value.element, value.element.number);

  const uint32_t absolute = ch.Absolute_bands.band.CountNodes(channel);
  for (uint32_t k = 0; k < absolute; ++k) {
    CIndexList band = channel;
    band.PushBack({false, k});
    Add(entries, kParamAbsoluteBand, band, ch.Absolute_bands.band, ch.Absolute_bands.band.number);
  }
  const uint32_t relative = ch.Relative_bands.band.CountNodes(channel);
  for (uint32_t k = 0; k < relative; ++k) {
    CIndexList band = channel;
    band.PushBack({false, k});
    Add(entries, kParamRelativeBand, band, ch.Relative_bands.band, ch.Relative_bands.band.number);
    if (Exists(ch.Relative_bands.band.phase, band))
      Add(entries, kParamPhase, band, ch.Relative_bands.band.phase, ch.Relative_bands.band.phase.number);
  }

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
