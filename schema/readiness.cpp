#include "schema/readiness.h"

#include "schema/linked_rules.h"

namespace vrk {

void CReadiness::CDiagnose::Clow_inoperative_level::CheckLinked(const CIndexList& indexes) {
  auto& diagnose = static_cast<CDiagnose&>(*element());
  CheckLinkedRule(*this, LinkedRule::kLessOrEqual, diagnose.high_inoperative_level, indexes);
}

void CReadiness::CDiagnose::Chigh_inoperative_level::CheckLinked(const CIndexList& indexes) {
  auto& diagnose = static_cast<CDiagnose&>(*element());
  CheckLinkedRule(*this, LinkedRule::kGreaterOrEqual, diagnose.low_inoperative_level, indexes);
}

}  // namespace vrk
