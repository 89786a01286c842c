// The six threshold levels of an absolute level region in the order the image lists them (low levels from the
// innermost out, then high levels from the innermost out), with the side each lies on and the code-table word
// that codes it.
#pragma once

#include <array>
#include <cstdint>

#include "bin/records_v7.h"
#include "schema/bands_container.h"

namespace vrk {

struct ThresholdLevel {
  CNodeAttrInfoXML* attribute;
  bool high;           // a high level trips when the value rises above it
  uint32_t code_word;  // index of its code in CODETABLE::words
};

inline std::array<ThresholdLevel, 6> ThresholdLevels(CNodeTagBandsContainer::Cabs_level_region& region) {
  return {{{&region.low_inoperative_level, false, bin::kCodeWordLowInoperative},
           {&region.low_alarm_level, false, bin::kCodeWordHighInoperative},
           {&region.low_warning_level, false, bin::kCodeWordHighAlarm},
           {&region.high_warning_level, true, bin::kCodeWordHighWarning},
           {&region.high_alarm_level, true, bin::kCodeWordHighAlarm},
           {&region.high_inoperative_level, true, bin::kCodeWordHighInoperative}}};
}

}  // namespace vrk
