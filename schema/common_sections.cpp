#include "schema/common_sections.h"

#include "schema/linked_rules.h"

namespace vrk {

void CData_transfer_settings::Cparam_min_int::CheckLinked(const CIndexList& indexes) {
  auto& section = static_cast<CData_transfer_settings&>(*element());
  CheckLinkedRule(*this, LinkedRule::kLess, section.param_max_int, indexes);
}

void CData_transfer_settings::Cparam_max_int::CheckLinked(const CIndexList& indexes) {
  auto& section = static_cast<CData_transfer_settings&>(*element());
  CheckLinkedRule(*this, LinkedRule::kGreater, section.param_min_int, indexes);
}

}  // namespace vrk
