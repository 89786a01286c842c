#include "schema/param_range.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/device_v7.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

constexpr double kSensorHalfSpan = 2750.0;
constexpr double kSensorSpan = 5500.0;

// Parameter kinds that decide how a linearised range is read.
constexpr int kKindAverage = 0;
constexpr int kKindWaveRMS = 1;
constexpr int kKindPeak = 2;
constexpr int kKindPeakPeak = 3;
constexpr int kKindCrest = 100;
constexpr int kKindUntypedBand = 255;

// The kind a band's `value_type` names. A value beyond the integers (an unchecked document may hold any
// number there) names no kind, like any other unknown type.
int KindOfValueType(double value_type) {
  constexpr int kUnknownKind = -1;
  if (!(value_type >= std::numeric_limits<int>::min() && value_type <= std::numeric_limits<int>::max()))
    return kUnknownKind;
  return static_cast<int>(value_type);
}

// The channel `channel_indexes` selects as the walks of a check select it, by position: a reference that names
// the channel by key then shares what the walk read of its sensor instead of reading the sensor again. A list
// that selects no channel stays as it is.
CIndexList SensorKey(CNodeTagInfoXML& channel, const CIndexList& channel_indexes) {
  if (channel_indexes.empty() || !channel_indexes[0].use_attr) return channel_indexes;
  CIndexList lookup = channel_indexes;
  const dom::Node node = channel.GetNode(lookup, false);
  if (!node) return channel_indexes;
  uint32_t position = 0;
  for (dom::Node sibling = channel.FirstIn(node.parent()); sibling && !(sibling == node);
       sibling = sibling.nextSiblingNamedNoCase(channel.name()))
    ++position;
  return CIndexList{{false, position}};
}

}  // namespace

void CSensorRanges::Renew(uint64_t pass) {
  if (pass == pass_) return;
  channels_.clear();
  last_range_.parameter = nullptr;
  pass_ = pass;
}

CSensorRanges::Channel* CSensorRanges::Find(uint64_t pass, const CIndexList& channel) {
  if (pass == 0) return nullptr;
  Renew(pass);
  const std::optional<IndexEntry> key = channel.empty() ? std::nullopt : std::optional<IndexEntry>(channel[0]);
  for (auto& [entry, data] : channels_)
    if (entry == key) return &data;
  return &channels_.emplace_back(key, Channel()).second;
}

const std::pair<double, double>* CSensorRanges::LastRange(uint64_t pass, const CNodeTagInfoXML& parameter,
                                                          const CIndexList& indexes) const {
  if (pass == 0 || pass != pass_ || last_range_.parameter != &parameter ||
      last_range_.indexes.size() != indexes.size())
    return nullptr;
  for (std::size_t i = 0; i < indexes.size(); ++i)
    if (!(last_range_.indexes[i] == indexes[i])) return nullptr;
  return &last_range_.value;
}

void CSensorRanges::RememberRange(uint64_t pass, const CNodeTagInfoXML& parameter, const CIndexList& indexes,
                                  std::pair<double, double> range) {
  if (pass == 0) return;
  Renew(pass);
  last_range_.parameter = &parameter;
  last_range_.indexes.clear();
  for (std::size_t i = 0; i < indexes.size(); ++i) last_range_.indexes.push_back(indexes[i]);
  last_range_.value = range;
}

namespace {

std::pair<double, double> ComputeParamRange(CNodeTag_VRK_DeviceV7& root, CNodeTagInfoXML& parameter,
                                            const CIndexList& indexes) {
  auto& channel = root.VibroChannels.VibroChannel;
  const CIndexList channel_indexes = indexes.Truncated(1);
  double minimum = 0, maximum = 0;
  int kind = kKindAverage;

  const uint64_t pass = root.check_pass();
  CSensorRanges::Channel* const sensor =
      pass == 0 ? nullptr : root.sensor_ranges().Find(pass, SensorKey(channel, channel_indexes));
  std::optional<double> sensitivity;
  if (sensor && sensor->sensitivity_read) {
    sensitivity = sensor->sensitivity;
  } else {
    sensitivity = FindReal(channel.trn_sens, channel_indexes);
    if (sensor) {
      sensor->sensitivity = sensitivity;
      sensor->sensitivity_read = true;
    }
  }
  if (sensitivity) {
    const double s = *sensitivity;
    auto* absolute = &channel.Absolute_bands.band;
    auto* relative = &channel.Relative_bands.band;
    if (&parameter == &channel.Average) {
      const std::optional<double> offset = FindReal(channel.trn_offset, channel_indexes);
      if (!offset) ThrowMessage(kMsgAttributeNotSpecified, channel.trn_offset.GetFullPath());
      minimum = (-kSensorHalfSpan - *offset) / s;
      maximum = (kSensorHalfSpan - *offset) / s;
    } else if (&parameter == &channel.WaveRMS || &parameter == &channel.Peak) {
      kind = &parameter == &channel.WaveRMS ? kKindWaveRMS : kKindPeak;
      maximum = kSensorHalfSpan / s;
    } else if (&parameter == &channel.PeakPeak) {
      kind = kKindPeakPeak;
      maximum = kSensorSpan / s;
    } else if (&parameter == &channel.Crest) {
      kind = kKindCrest;
      maximum = kOpenRange;
    } else if (&parameter == absolute || &parameter == relative) {
      CNodeAttrInfoXML& value_type =
          &parameter == absolute ? static_cast<CNodeAttrInfoXML&>(absolute->value_type) : relative->value_type;
      maximum = kSensorHalfSpan / s;
      const std::optional<double> type = FindReal(value_type, indexes);
      kind = type ? KindOfValueType(*type) : kKindUntypedBand;
      if (kind == 3) maximum = kSensorSpan / s;
    }
  }

  // A linearisation table replaces the sensor's span by the span of its values.
  uint32_t points = 0;
  double a = 0, b = 0;
  if (sensor && sensor->span_read) {
    points = sensor->points;
    a = sensor->low;
    b = sensor->high;
  } else {
    auto& point = channel.Linear.Point;
    points = point.CountNodes(channel_indexes);
    for (uint32_t k = 0; k < points; ++k) {
      CIndexList at = channel_indexes;
      at.PushBack({false, k});
      const std::optional<double> value = FindReal(point.value, at);
      if (!value) ThrowMessage(kMsgAttributeNotSpecified, point.value.GetFullPath());
      if (k == 0 || *value < a) a = *value;
      if (k == 0 || *value > b) b = *value;
    }
    if (sensor) *sensor = {sensor->sensitivity_read, sensor->sensitivity, true, points, a, b};
  }
  if (points == 0) return {minimum, maximum};
  const double larger = std::fabs(a) > std::fabs(b) ? std::fabs(a) : std::fabs(b);
  switch (kind) {
    case kKindWaveRMS:
    case kKindPeak: return {0, larger};
    case kKindPeakPeak: return {0, 2 * larger};
    case kKindCrest:
    case kKindUntypedBand: return {0, kOpenRange};
    default: return {a, b};
  }
}

}  // namespace

std::pair<double, double> GetParamRange(CNodeTag_VRK_DeviceV7& root, CNodeTagInfoXML& parameter,
                                        const CIndexList& indexes) {
  const uint64_t pass = root.check_pass();
  if (const auto* known = root.sensor_ranges().LastRange(pass, parameter, indexes)) return *known;
  const std::pair<double, double> range = ComputeParamRange(root, parameter, indexes);
  root.sensor_ranges().RememberRange(pass, parameter, indexes, range);
  return range;
}

}  // namespace vrk
