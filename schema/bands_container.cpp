// The rules of the level regions and of the measuring range: each comparison is made only when both values
// are present on the occurrence, and the first failing one is reported.
#include "schema/bands_container.h"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <vector>

#include "schema/device_root.h"

namespace vrk {

CNodeTagBandsContainer::Cabs_level_region::Cabs_level_region() : CNodeTagInfoXML("abs_level_region", false, false) {
  AddAttributes({&high_warning_level, &high_alarm_level, &low_warning_level, &low_alarm_level, &low_inoperative_level,
                 &high_inoperative_level, &relay});
  // Low alarm < low warning < high warning < high alarm: each is compared with the other three in the order
  // listed for it, which decides the failure reported first.
  const std::array<const CLevel*, 4> order{&low_alarm_level, &low_warning_level, &high_warning_level,
                                           &high_alarm_level};
  const auto rank = [&order](const CLevel* level) { return std::find(order.begin(), order.end(), level); };
  const auto compare = [&rank](CLevel& level, std::initializer_list<CLevel*> others) {
    std::vector<CComparedAttrInfoXML::Comparison> comparisons;
    for (CLevel* other : others)
      comparisons.push_back({rank(&level) < rank(other) ? LinkedRule::kLess : LinkedRule::kGreater, other});
    level.CompareWith(std::move(comparisons));
  };
  compare(high_warning_level, {&high_alarm_level, &low_warning_level, &low_alarm_level});
  compare(high_alarm_level, {&high_warning_level, &low_warning_level, &low_alarm_level});
  compare(low_warning_level, {&high_warning_level, &high_alarm_level, &low_alarm_level});
  compare(low_alarm_level, {&low_warning_level, &high_warning_level, &high_alarm_level});
  CompareAsBounds(low_inoperative_level, high_inoperative_level);
}

// The root checks the level against the measuring range of its parameter first.
void CNodeTagBandsContainer::Cabs_level_region::CLevel::CheckLinked(const CIndexList& indexes) {
  owner()->CheckLevelLimits(*this, indexes);
  CComparedAttrInfoXML::CheckLinked(indexes);
}

CNodeTagBandsContainer::CRelativeLevelRegion::CRelativeLevelRegion(std::string name, const ValueRange& range)
    : CNodeTagInfoXML(std::move(name), false, false),
      high_warning_level("high_warning_level", false, range),
      high_alarm_level("high_alarm_level", false, range),
      high_inoperative_level("high_inoperative_level", false, range) {
  AddAttributes({&high_warning_level, &high_alarm_level, &high_inoperative_level});
  high_warning_level.CompareWith({{LinkedRule::kLess, &high_alarm_level}});
  high_alarm_level.CompareWith({{LinkedRule::kGreater, &high_warning_level}});
  high_inoperative_level.CompareWith({{LinkedRule::kGreater, &high_alarm_level}});
}

void CNodeTagBandsContainer::SetLevelUnitFactor(double factor) {
  for (CNodeTagInfoXML* region : std::initializer_list<CNodeTagInfoXML*>{&abs_level_region, &rel_level_region})
    for (CNodeAttrInfoXML* attribute : region->attributes()) attribute->range().unit_factor = factor;
}

void CNodeTagBandsContainerV2::SetUnitFactor(double factor) {
  minvalue.range().unit_factor = factor;
  maxvalue.range().unit_factor = factor;
  SetLevelUnitFactor(factor);
}

}  // namespace vrk
