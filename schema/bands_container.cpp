// The rules of the level regions and of the measuring range: each comparison is made only when both values
// are present on the occurrence, and the first failing one is reported.
#include "schema/bands_container.h"

#include "schema/device_root.h"
#include "schema/linked_rules.h"

namespace vrk {
namespace {

using Abs = CNodeTagBandsContainer::Cabs_level_region;
using Rel = CNodeTagBandsContainer::Crel_level_region;
using Percent = CNodeTagBandsContainer::Crel_percent_region;

template <typename Region>
Region& RegionOf(CNodeAttrInfoXML& attribute) {
  return static_cast<Region&>(*attribute.element());
}

// The absolute levels of `attribute`'s region, after the root has checked the level against its parameter.
Abs& CheckedAbsRegion(CNodeAttrInfoXML& attribute, const CIndexList& indexes) {
  attribute.owner()->CheckLevelLimits(attribute, indexes);
  return RegionOf<Abs>(attribute);
}

// Warning below alarm below inoperative, the same for relative levels and percentages.
template <typename Region>
void CheckRelativeWarning(CNodeAttrInfoXML& warning, const CIndexList& indexes) {
  CheckLinkedRule(warning, LinkedRule::kLess, RegionOf<Region>(warning).high_alarm_level, indexes);
}

template <typename Region>
void CheckRelativeAlarm(CNodeAttrInfoXML& alarm, const CIndexList& indexes) {
  CheckLinkedRule(alarm, LinkedRule::kGreater, RegionOf<Region>(alarm).high_warning_level, indexes);
}

template <typename Region>
void CheckRelativeInoperative(CNodeAttrInfoXML& inoperative, const CIndexList& indexes) {
  CheckLinkedRule(inoperative, LinkedRule::kGreater, RegionOf<Region>(inoperative).high_alarm_level, indexes);
}

}  // namespace

void Abs::Chigh_warning_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_alarm_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_alarm_level, indexes);
}

void Abs::Chigh_alarm_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.high_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_alarm_level, indexes);
}

void Abs::Clow_warning_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_alarm_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_alarm_level, indexes);
}

void Abs::Clow_alarm_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.low_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_warning_level, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_alarm_level, indexes);
}

void Abs::Clow_inoperative_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kLess, region.high_inoperative_level, indexes);
}

void Abs::Chigh_inoperative_level::CheckLinked(const CIndexList& indexes) {
  Abs& region = CheckedAbsRegion(*this, indexes);
  CheckLinkedRule(*this, LinkedRule::kGreater, region.low_inoperative_level, indexes);
}

void Rel::Chigh_warning_level::CheckLinked(const CIndexList& indexes) { CheckRelativeWarning<Rel>(*this, indexes); }
void Rel::Chigh_alarm_level::CheckLinked(const CIndexList& indexes) { CheckRelativeAlarm<Rel>(*this, indexes); }
void Rel::Chigh_inoperative_level::CheckLinked(const CIndexList& indexes) {
  CheckRelativeInoperative<Rel>(*this, indexes);
}

void Percent::Chigh_warning_level::CheckLinked(const CIndexList& indexes) {
  CheckRelativeWarning<Percent>(*this, indexes);
}
void Percent::Chigh_alarm_level::CheckLinked(const CIndexList& indexes) {
  CheckRelativeAlarm<Percent>(*this, indexes);
}
void Percent::Chigh_inoperative_level::CheckLinked(const CIndexList& indexes) {
  CheckRelativeInoperative<Percent>(*this, indexes);
}

void CNodeTagBandsContainer::SetLevelUnitFactor(double factor) {
  for (CNodeTagInfoXML* region : std::initializer_list<CNodeTagInfoXML*>{&abs_level_region, &rel_level_region})
    for (CNodeAttrInfoXML* attribute : region->attributes()) attribute->range().unit_factor = factor;
}

void CNodeTagBandsContainerV2::Cminvalue::CheckLinked(const CIndexList& indexes) {
  auto& container = static_cast<CNodeTagBandsContainerV2&>(*element());
  CheckLinkedRule(*this, LinkedRule::kLess, container.maxvalue, indexes);
}

void CNodeTagBandsContainerV2::Cmaxvalue::CheckLinked(const CIndexList& indexes) {
  auto& container = static_cast<CNodeTagBandsContainerV2&>(*element());
  CheckLinkedRule(*this, LinkedRule::kGreater, container.minvalue, indexes);
}

void CNodeTagBandsContainerV2::SetUnitFactor(double factor) {
  minvalue.range().unit_factor = factor;
  maxvalue.range().unit_factor = factor;
  SetLevelUnitFactor(factor);
}

}  // namespace vrk
