// Cross-attribute rules: one attribute compared with a related attribute of the same occurrence.
#pragma once

#include <string>

#include "interface/message_ids.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeAttrInfoXML;

// The comparison an attribute must satisfy; the values are the message numbers of the rule words.
enum class LinkedRule : uint32_t {
  kLess = kMsgLess,
  kGreater = kMsgGreater,
  kLessOrEqual = kMsgLessOrEqual,
  kGreaterOrEqual = kMsgGreaterOrEqual,
};

// Checks `a` <rule> `b`, both read at `indexes` (each from its own element). Skipped when either attribute is absent.
// Throws CConvException kMsgIncorrectRange named with `a`'s full path: "... (a) \nValue must be <rule> b-name (b)".
// Values compare as reals when either attribute is real, else as integers.
void CheckLinkedRule(CNodeAttrInfoXML& a, LinkedRule rule, CNodeAttrInfoXML& b, const CIndexList& indexes);
// The same with `b` read at its own index list (a related attribute in another element).
void CheckLinkedRule(CNodeAttrInfoXML& a, const CIndexList& a_indexes, LinkedRule rule, CNodeAttrInfoXML& b,
                     const CIndexList& b_indexes);

// Throws the value-range error of `attribute` holding `value` (stored texts): "Incorrect value range (value) \n
// Value must be <rule> limit", with both numbers in display form, named with the attribute's full path.
[[noreturn]] void ThrowLimitError(CNodeAttrInfoXML& attribute, const std::string& value, LinkedRule rule,
                                  const std::string& limit);

}  // namespace vrk
