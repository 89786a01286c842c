#include "convert/threshold_import.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "convert/param_dev_cycle_converter.h"
#include "convert/record_codes.h"
#include "convert/threshold_levels.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/attribute_values.h"
#include "schema/device_v7.h"

namespace vrk {
namespace {

using bin::TRESHOLDCONFIG;

constexpr int kClassHighWarning = 0;
constexpr int kClassLowInoperative = 3;
constexpr int kClassCount = 4;
constexpr uint32_t kMonitoringSlots = TRESHOLDCONFIG::kSlotCount;

[[noreturn]] void ThrowUnreadable() { ThrowMessageArgs(kMsgTagDataUnreadable, {"THRS"}); }

bool IsReadiness(const TRESHOLDCONFIG& record) {
  return record.channelCode == bin::kChannelCodeModbusInputs && record.tripDelay == 0 && record.releaseDelay == 0;
}

// A slot that names its monitoring element: 0x3C, or 0x1C and below.
bool IsMonitoredSlot(uint8_t action) {
  return action <= bin::kSlotActionMonitoredAbsolute || action == bin::kSlotActionMonitored;
}

// The index of a level in ThresholdLevels: low levels from inoperative inwards, then high levels outwards.
std::size_t LevelIndex(bool high, int level_class) {
  return high ? static_cast<std::size_t>(3 + level_class) : static_cast<std::size_t>(3 - level_class);
}

// The action of the last slot of a readiness record.
uint8_t LastAction(const TRESHOLDCONFIG& record) { return record.slots.back().action; }

}  // namespace

CThresholdReader::CThresholdReader(const std::vector<TRESHOLDCONFIG>& records, const bin::CODETABLE& codes) {
  for (const TRESHOLDCONFIG& record : records) {
    all_.push_back(&record);
    if (IsReadiness(record))
      readiness_.push_back(&record);
    else
      levels_.push_back({&record, LevelClassOf(record, codes)});
  }
  for (Level& level : levels_) {
    const std::pair<uint16_t, uint16_t> key{level.record->channelCode, level.record->paramNum};
    auto [group, added] = groups_.try_emplace(key);
    if (added) group_order_.push_back(key);
    group->second.push_back(&level);
  }
  FindDelays();
  for (const auto& key : group_order_) AssignSides(groups_[key]);
}

int CThresholdReader::LevelClassOf(const TRESHOLDCONFIG& record, const bin::CODETABLE& codes) const {
  for (int level_class = 0; level_class < kClassCount; ++level_class)
    if (codes.words[bin::kCodeWordHighWarning + level_class] == record.levelCode) return level_class;
  ThrowUnreadable();
}

// (DelayUp, DelayDn): from a level only a high or only a low level has; else from a parameter whose first level
// and a later one trip after opposite delays (the first is then a low level); else the first level taken as high.
void CThresholdReader::FindDelays() {
  for (const Level& level : levels_)
    if (level.level_class == kClassHighWarning) {
      delays_ = {level.record->tripDelay, level.record->releaseDelay};
      return;
    }
  for (const Level& level : levels_)
    if (level.level_class == kClassLowInoperative) {
      delays_ = {level.record->releaseDelay, level.record->tripDelay};
      return;
    }
  for (const auto& key : group_order_) {
    const std::vector<Level*>& group = groups_[key];
    const TRESHOLDCONFIG& first = *group.front()->record;
    if (first.tripDelay == first.releaseDelay) continue;
    for (const Level* later : group)
      if (later->record->tripDelay == first.releaseDelay && later->record->releaseDelay == first.tripDelay) {
        delays_ = {first.releaseDelay, first.tripDelay};
        return;
      }
  }
  if (!levels_.empty()) delays_ = {levels_.front().record->tripDelay, levels_.front().record->releaseDelay};
}

void CThresholdReader::AssignSides(std::vector<Level*>& group) const {
  const auto [up, dn] = *delays_;
  bool by_delays = up != dn;
  for (const Level* level : group) {
    const TRESHOLDCONFIG& r = *level->record;
    if (!(r.tripDelay == up && r.releaseDelay == dn) && !(r.tripDelay == dn && r.releaseDelay == up))
      by_delays = false;
  }
  if (by_delays) {
    for (Level* level : group) level->high = level->record->tripDelay == up;
  } else {
    // The shortest run of low levels (classes falling from 3 to 1) after which the rest rise from 0 to 2.
    const std::size_t n = group.size();
    std::size_t split = n + 1;
    for (std::size_t s = 0; s <= n && split > n; ++s) {
      bool fits = true;
      for (std::size_t i = 0; i < n && fits; ++i) {
        const int c = group[i]->level_class;
        if (i < s)
          fits = c >= 1 && (i == 0 || c < group[i - 1]->level_class);
        else
          fits = c <= 2 && (i == s || c > group[i - 1]->level_class);
      }
      if (fits) split = s;
    }
    if (split > n) ThrowUnreadable();
    for (std::size_t i = 0; i < n; ++i) group[i]->high = i >= split;
  }
  for (const Level* level : group)
    if ((level->high && level->level_class == kClassLowInoperative) ||
        (!level->high && level->level_class == kClassHighWarning))
      ThrowUnreadable();
}

void CThresholdReader::ReadRegion(CNodeTagBandsContainer& owner, const dom::Node& owner_node, uint16_t channel_code,
                                  uint16_t param, PhysicalRange own, LevelScale scale) {
  const auto group = groups_.find({channel_code, param});
  if (group == groups_.end()) return;
  auto& region = owner.abs_level_region;
  const PhysicalRange range = LevelRegionRange(region, own);
  const auto attributes = ThresholdLevels(region);
  const dom::Node at = ChildOccurrence(region, owner_node);
  for (const Level* level : group->second) {
    const TRESHOLDCONFIG& record = *level->record;
    const double value = DecodeLevel(level->high ? record.upperLevel : record.lowerLevel, range, scale);
    WriteRealOn(*attributes[LevelIndex(level->high, level->level_class)].attribute, value, 3, at);
    // The hysteresis h = |V| x percent / 100 is best measured where the most codes span it.
    const uint32_t span = static_cast<uint32_t>(std::abs(record.upperLevel - record.lowerLevel));
    if (value != 0 && (!hysteresis_ || span > hysteresis_->codes)) {
      const double h = DecodeLevel(record.upperLevel, range, scale) - DecodeLevel(record.lowerLevel, range, scale);
      hysteresis_ = Hysteresis{span, std::fabs(h / value) * 100};
    }
  }
  WriteIntegerOn(region.relay, group->second.front()->record->slots.front().relay, at);
}

void CThresholdReader::ReadRegion(CNodeTagBandsContainer& owner, const CIndexList& at, uint16_t channel_code,
                                  uint16_t param, PhysicalRange own, LevelScale scale) {
  if (groups_.find({channel_code, param}) == groups_.end()) return;
  ReadRegion(owner, Occurrence(owner, at), channel_code, param, own, scale);
}

void CThresholdReader::ReadMonitoring(CNodeTag_VRK_Device& root) const {
  auto& element = root.Monitoring.Element;
  uint32_t highest = 0;
  for (const TRESHOLDCONFIG* record : all_) {
    if (record->channelCode == bin::kChannelCodeModbusInputs) continue;
    const uint32_t channel = ChannelOfCode(record->channelCode);
    for (uint32_t k = 1; k <= kMonitoringSlots; ++k) {
      if (!IsMonitoredSlot(record->slots[k - 1].action)) continue;
      const CIndexList tag{{true, k}, {true, channel << 16 | record->paramNum}};
      WriteInteger(element.Tag.ChannelNum, channel, tag);
      WriteInteger(element.Tag.ParamNum, record->paramNum, tag);
      highest = std::max(highest, k);
    }
  }
  for (uint32_t k = 1; k < highest; ++k)
    if (!Exists(element, {{true, k}})) WriteInteger(element.Number, k, {{true, k}});
}

// A diagnosis N (n = N - 1) on parameter P (p = P - 1) was written as one of
//   (0, p, lo - 1, n) (1, p, hi, FF) (2, p, FFFF, n)    both levels
//   (0, p, lo - 1, n) (1, p, FFFF, FF)                  low level only
//   (0, p, hi, FF)    (1, p, FFFF, n)                   high level only
//   (0, p, FFFF, n + 3D)                                no level
// with (ordinal, parameter, level, action of the last slot).
void CThresholdReader::ReadReadiness(CNodeTag_VRK_DeviceV7& root) const {
  auto& diagnose = root.Readiness.Diagnose;
  WriteInteger(root.Readiness.used, readiness_.empty() ? 0 : 1, {});
  const std::size_t count = readiness_.size();
  for (std::size_t i = 0; i < count;) {
    const TRESHOLDCONFIG& first = *readiness_[i];
    auto follower = [&](std::size_t offset, uint16_t ordinal) -> const TRESHOLDCONFIG* {
      if (i + offset >= count) return nullptr;
      const TRESHOLDCONFIG* record = readiness_[i + offset];
      return record->levelCode == ordinal && record->paramNum == first.paramNum ? record : nullptr;
    };
    if (first.levelCode != 0) ThrowUnreadable();
    const uint8_t action = LastAction(first);
    std::optional<uint16_t> lo, hi;
    uint32_t n = 0;
    std::size_t used = 1;
    if (action == bin::kSlotActionUnused) {  // high level only
      const TRESHOLDCONFIG* closing = follower(1, 1);
      if (!closing) ThrowUnreadable();
      hi = first.upperLevel;
      n = LastAction(*closing);
      used = 2;
    } else if (action < bin::kSlotActionMonitored) {  // low level, perhaps with a high one
      lo = static_cast<uint16_t>(first.upperLevel + 1);
      n = action;
      const TRESHOLDCONFIG* second = follower(1, 1);
      if (!second) ThrowUnreadable();
      used = 2;
      if (follower(2, 2)) {
        hi = second->upperLevel;
        used = 3;
      }
    } else if (action >= bin::kReadinessBareOffset) {  // no level
      n = action - bin::kReadinessBareOffset;
    } else {
      ThrowUnreadable();
    }
    const CIndexList at{{true, n + 1}};
    WriteInteger(diagnose.Number, n + 1, at);
    WriteInteger(diagnose.ParamNumber, first.paramNum + 1, at);
    if (lo) WriteInteger(diagnose.low_inoperative_level, *lo, at);
    if (hi) WriteInteger(diagnose.high_inoperative_level, *hi, at);
    i += used;
  }
}

void CThresholdReader::ReadRegionSettings(CNodeTag_VRK_DeviceV7& root, const CParamDevCycleConverter& cycles) const {
  if (!delays_) return;
  auto& region = root.Region_settings;
  WriteInteger(region.DelayUp_ms, cycles.TimeFromCycles(delays_->first), {});
  WriteInteger(region.DelayDn_ms, cycles.TimeFromCycles(delays_->second), {});
  if (hysteresis_) WriteInteger(region.Hysteresis_percent, std::llround(hysteresis_->percent), {});
}

}  // namespace vrk
