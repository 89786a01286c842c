#include "schema/linked_rules.h"

#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// -1, 0, 1 as a is below, equal to or above b; nullopt when either does not parse.
std::optional<int> Compare(const CNodeAttrInfoXML& a, const CNodeAttrInfoXML& b, const std::string& a_text,
                           const std::string& b_text) {
  if (a.range().type == kTypeReal || b.range().type == kTypeReal) {
    const auto x = ParseRealText(a_text), y = ParseRealText(b_text);
    if (!x || !y) return std::nullopt;
    return *x < *y ? -1 : (*x > *y ? 1 : 0);
  }
  const auto x = ParseIntegerText(a_text), y = ParseIntegerText(b_text);
  if (!x || !y) return std::nullopt;
  return *x < *y ? -1 : (*x > *y ? 1 : 0);
}

bool Holds(LinkedRule rule, int order) {
  switch (rule) {
    case LinkedRule::kLess: return order < 0;
    case LinkedRule::kGreater: return order > 0;
    case LinkedRule::kLessOrEqual: return order <= 0;
    case LinkedRule::kGreaterOrEqual: return order >= 0;
  }
  return false;
}

}  // namespace

void ThrowLimitError(CNodeAttrInfoXML& attribute, const std::string& value, LinkedRule rule,
                     const std::string& limit) {
  const CNodeTag_VRK_Device& root = *attribute.owner();
  throw CConvException(LoadMessage(kMsgIncorrectRange) + " (" + root.ToDisplay(attribute, value) + ") \n" +
                           LoadMessage(kMsgValueMustBe) + " " + LoadMessage(static_cast<uint32_t>(rule)) + " " +
                           root.ToDisplay(attribute, limit),
                       attribute.GetFullPath());
}

void CheckLinkedRule(CNodeAttrInfoXML& a, LinkedRule rule, CNodeAttrInfoXML& b, const CIndexList& indexes) {
  CheckLinkedRule(a, indexes, rule, b, indexes);
}

void CheckLinkedRule(CNodeAttrInfoXML& a, const CIndexList& a_indexes, LinkedRule rule, CNodeAttrInfoXML& b,
                     const CIndexList& b_indexes) {
  const std::optional<std::string> a_text = a.FindValue(a_indexes);
  if (!a_text) return;
  const std::optional<std::string> b_text = b.FindValue(b_indexes);
  if (!b_text) return;
  // A value that does not parse is reported by its own range check, not here.
  const std::optional<int> order = Compare(a, b, *a_text, *b_text);
  if (!order || Holds(rule, *order)) return;
  const CNodeTag_VRK_Device& root = *a.owner();
  throw CConvException(LoadMessage(kMsgIncorrectRange) + " (" + root.ToDisplay(a, *a_text) + ") \n" +
                           LoadMessage(kMsgValueMustBe) + " " + LoadMessage(static_cast<uint32_t>(rule)) + " " +
                           b.name() + " (" + root.ToDisplay(b, *b_text) + ")",
                       a.GetFullPath());
}

}  // namespace vrk
