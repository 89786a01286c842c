#include "schema/modbus_cycle_count.h"

#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/element_edits.h"
#include "schema/value_check.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// A count the attribute's type can hold; larger texts are refused before anything is created.
constexpr int64_t kLargestCount = 65535;

// The index list of the cycle at `position` under the element that `element_indexes` selects.
CIndexList CycleAt(const CIndexList& element_indexes, uint32_t position) {
  CIndexList at = element_indexes;
  at.PushBack({false, position});
  return at;
}

}  // namespace

void CNodeAttrModbusCycleCount::WriteValue(const dom::Node&, const std::string&) {}

bool CNodeAttrModbusCycleCount::ReadValue(const dom::Node& element, std::string* text) const {
  uint32_t count = 0;
  for (dom::Node child = element.firstChild(); child; child = child.nextSibling())
    if (cycle_->Matches(child)) ++count;
  if (text) *text = std::to_string(count);
  return true;
}

std::string CNodeAttrModbusCycleCount::GetValue(CIndexList indexes) {
  return std::to_string(cycle_->CountNodes(indexes.Truncated(GetIndexDepth())));
}

void CNodeAttrModbusCycleCount::SetValue(const std::string& text, CIndexList indexes, bool check) {
  const std::optional<int64_t> wanted = ParseIntegerText(text);
  if (!wanted || *wanted < 0 || *wanted > kLargestCount) {
    CheckValue(*this, text, indexes);
    ThrowMessage(kMsgIncorrectRange,
                 GetFullPath());  // only a range wider than the type would have let the text through
  }
  const auto target = static_cast<uint32_t>(*wanted);
  // Cycles are addressed by position: appending keeps every existing cycle untouched even when their numbers
  // have gaps, and removal takes the last ones.
  const CIndexList element_indexes = indexes.Truncated(GetIndexDepth());
  const uint32_t current = cycle_->CountNodes(element_indexes);
  for (uint32_t k = current + 1; k <= target; ++k) {
    const CIndexList at = CycleAt(element_indexes, k - 1);
    number_->SetValue(std::to_string(k), at, false);
    for (CNodeAttrInfoXML* attribute : defaulted_) {
      const std::string& value = attribute->range().default_value;
      if (!value.empty()) attribute->SetValue(value, at, false);
    }
  }
  for (uint32_t k = current; k > target; --k) RemoveLastElement(*cycle_, element_indexes);
  if (check) CheckValue(*this, text, indexes);
}

}  // namespace vrk
