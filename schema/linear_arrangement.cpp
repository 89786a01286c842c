// Arrangement of a linearisation table: its points sorted by signal, values moving along.
#include <optional>
#include <utility>
#include <vector>

#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// The points of the table as (volt, value) pairs in single precision; unparsable texts read as 0.
std::vector<std::pair<float, float>> ReadPoints(CVibroChannels::CVibroChannel::CLinear::CPoint& point,
                                                const CIndexList& channel, uint32_t count) {
  std::vector<std::pair<float, float>> points;
  for (uint32_t k = 0; k < count; ++k) {
    CIndexList at = channel;
    at.PushBack({false, k});
    const float volt = static_cast<float>(ParseRealText(point.volt.GetValue(at)).value_or(0));
    const float value = static_cast<float>(ParseRealText(point.value.GetValue(at)).value_or(0));
    points.emplace_back(volt, value);
  }
  return points;
}

}  // namespace

void CNodeTag_VRK_DeviceV7::ArrangeNodeData(CNodeTagInfoXML& element, const CIndexList& indexes) {
  auto& linear = VibroChannels.VibroChannel.Linear;
  if (&element != &linear) return;
  const CIndexList channel = indexes.Truncated(1);
  const uint32_t count = linear.Point.CountNodes(channel);
  if (count < 2) return;
  std::vector<std::pair<float, float>> points = ReadPoints(linear.Point, channel, count);

  // Bubble sort from the end: a later point moves up only when its signal is strictly smaller, so equal signals
  // keep their order; it stops after the first pass without a swap.
  bool any_swap = false;
  for (std::size_t pass = 0; pass + 1 < points.size(); ++pass) {
    bool swapped = false;
    for (std::size_t j = points.size() - 1; j > pass; --j) {
      if (points[j].first < points[j - 1].first) {
        std::swap(points[j], points[j - 1]);
        swapped = true;
      }
    }
    any_swap = any_swap || swapped;
    if (!swapped) break;
  }
  if (!any_swap) return;
  for (uint32_t k = 0; k < count; ++k) {
    CIndexList at = channel;
    at.PushBack({false, k});
    linear.Point.volt.SetValue(FormatRealText(points[k].first, 3), at, false);
    linear.Point.value.SetValue(FormatRealText(points[k].second, 3), at, false);
  }
}

}  // namespace vrk
