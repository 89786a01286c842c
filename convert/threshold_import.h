// Reading the threshold records of a version-7 image ("THRS") back into the document: the level regions, the
// monitoring elements they mark, the readiness diagnoses, and the region settings they were coded with.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "bin/records_v7.h"
#include "convert/level_coding.h"
#include "platform/dom/dom.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeTag_VRK_Device;
class CNodeTag_VRK_DeviceV7;
class CNodeTagBandsContainer;
class CParamDevCycleConverter;

// The records of one image, sorted out on construction: readiness records (Modbus-input channel code, both
// delays 0) apart, and every other record assigned the level it stands for. A level code has two meanings
// (high alarm or low warning, high inoperative or low alarm); the side is told by the record's delays (a high
// level trips after DelayUp and releases after DelayDn, a low level the other way round) and, where the delays
// cannot tell, by the order the records of one parameter keep: low levels from the innermost out, then high
// ones, a level read as high where both readings fit.
class CThresholdReader {
 public:
  // `records` must outlive the reader, which points into them. Throws CConvException kMsgTagDataUnreadable naming
  // "THRS" when a record's level code is not in `codes` or the records of a parameter fit no order of levels.
  CThresholdReader(const std::vector<bin::TRESHOLDCONFIG>& records, const bin::CODETABLE& codes);
  CThresholdReader(const CThresholdReader&) = delete;
  CThresholdReader& operator=(const CThresholdReader&) = delete;

  // Writes the levels and the relay of the absolute level region of the occurrence `at` of `owner` from the
  // records of (channel code, parameter), making the region; nothing when there are none. Levels are decoded on
  // `own` (the owner's range) and `scale`, with 3 decimals.
  void ReadRegion(CNodeTagBandsContainer& owner, const dom::Node& at, uint16_t channel_code, uint16_t param,
                  PhysicalRange own, LevelScale scale);
  // The same at the occurrence `at` selects, made when there are records for it.
  void ReadRegion(CNodeTagBandsContainer& owner, const CIndexList& at, uint16_t channel_code, uint16_t param,
                  PhysicalRange own, LevelScale scale);

  // Gives the monitoring element of every marked slot a tag naming the record's parameter; monitoring elements
  // below the highest one that is marked are created too, so that their numbers stay without gaps.
  void ReadMonitoring(CNodeTag_VRK_Device& root) const;

  // `Readiness`: `used` is 1 when there are readiness records, and each group of them becomes a diagnosis.
  // Throws kMsgTagDataUnreadable naming "THRS" for a group of records that no diagnosis writes.
  void ReadReadiness(CNodeTag_VRK_DeviceV7& root) const;

  // Whether there are records of level regions (not only readiness records).
  bool HasLevels() const { return !levels_.empty(); }

  // `Region_settings` as far as the records keep them: the two delays (whole device cycles) and the hysteresis
  // percentage, taken from the region read with the widest hysteresis. Nothing when there are no level records.
  void ReadRegionSettings(CNodeTag_VRK_DeviceV7& root, const CParamDevCycleConverter& cycles) const;

 private:
  struct Level {
    const bin::TRESHOLDCONFIG* record;
    int level_class;  // 0 high warning, 1 high alarm / low warning, 2 high inoperative / low alarm, 3 low inoperative
    bool high = true;
  };
  struct Hysteresis {
    uint32_t codes;  // upper - lower
    double percent;
  };

  int LevelClassOf(const bin::TRESHOLDCONFIG& record, const bin::CODETABLE& codes) const;
  void FindDelays();
  void AssignSides(std::vector<Level*>& group) const;

  std::vector<const bin::TRESHOLDCONFIG*> all_;  // every record, in image order
  std::vector<const bin::TRESHOLDCONFIG*> readiness_;
  std::vector<Level> levels_;
  std::map<std::pair<uint16_t, uint16_t>, std::vector<Level*>> groups_;  // by (channel code, parameter)
  std::vector<std::pair<uint16_t, uint16_t>> group_order_;
  std::optional<std::pair<uint16_t, uint16_t>> delays_;  // (DelayUp, DelayDn) in cycles
  std::optional<Hysteresis> hysteresis_;
};

}  // namespace vrk
