// Type, limit and dictionary checks of single values, and the message that explains a failure.
#include "schema/value_check.h"

#include <optional>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/device_root.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

// Numbers of one kind compared as the range says; integers as signed 64-bit values, reals as doubles.
// A limit applies when its constraint is set and its text holds a number; ranges whose limits depend on other
// values carry empty texts until they are prepared.
bool HasMin(const ValueRange& range) { return range.min_constraint != kNoMin && !range.min.empty(); }
bool HasMax(const ValueRange& range) { return range.max_constraint != kNoMax && !range.max.empty(); }

template <typename T>
bool WithinLimits(T value, const ValueRange& range, CLimitPair<T>& limits,
                  std::optional<T> (*parse)(std::string_view)) {
  if (HasMin(range)) {
    const std::optional<T> min = limits.min.Of(range.min, parse);
    if (min && (range.min_constraint == kMinInclusive ? value < *min : value <= *min)) return false;
  }
  if (HasMax(range)) {
    const std::optional<T> max = limits.max.Of(range.max, parse);
    if (max && (range.max_constraint == kMaxInclusive ? value > *max : value >= *max)) return false;
  }
  if (range.dictionary.empty()) return true;
  for (const DictionaryEntry& entry : range.dictionary) {
    const std::optional<T> allowed = parse(entry.value);
    if (allowed && *allowed == value) return true;
  }
  return false;
}

std::optional<int64_t> ParseInteger(std::string_view text) { return ParseIntegerText(text); }
std::optional<double> ParseReal(std::string_view text) { return ParseRealText(text); }

// 0 when the value is acceptable, else the message: unparsable, or out of range.
uint32_t Classify(CNodeAttrInfoXML& attribute, const std::string& text) {
  const ValueRange& range = attribute.range();
  if (!range.skip_value.empty() && text == range.skip_value) return 0;
  CLimitNumbers& limits = attribute.limit_numbers();
  if (range.type == kTypeReal) {
    const std::optional<double> value = ParseRealText(text);
    if (!value) return kMsgValueUnparsable;
    return WithinLimits<double>(*value, range, limits.reals, &ParseReal) ? 0 : kMsgIncorrectRange;
  }
  const std::optional<int64_t> value = ParseIntegerText(text);
  if (!value) return kMsgValueUnparsable;
  return WithinLimits<int64_t>(*value, range, limits.integers, &ParseInteger) ? 0 : kMsgIncorrectRange;
}

std::string TypeWord(uint32_t type) {
  switch (type) {
    case kTypeFlag: return "BOOL";
    case kTypeSigned16:
    case kTypeSigned32: return LoadMessage(kMsgSignedInteger);
    case kTypeUnsigned16:
    case kTypeUnsigned32: return LoadMessage(kMsgUnsignedInteger);
    case kTypeReal: return LoadMessage(kMsgRealNumber);
    default: return "TEXT";
  }
}

}  // namespace

std::string DescribeRange(const CNodeAttrInfoXML& attribute) {
  const ValueRange& range = attribute.range();
  const CNodeTag_VRK_Device& root = *attribute.owner();
  std::string limits;
  if (HasMin(range))
    limits = LoadMessage(range.min_constraint == kMinInclusive ? kMsgGreaterOrEqual : kMsgGreater) + " " +
             root.ToDisplay(attribute, range.min);
  if (HasMax(range)) {
    if (!limits.empty()) limits += " " + LoadMessage(kMsgAnd) + " ";
    limits += LoadMessage(range.max_constraint == kMaxInclusive ? kMsgLessOrEqual : kMsgLess) + " " +
              root.ToDisplay(attribute, range.max);
  }
  std::string text = TypeWord(range.type);
  if (!limits.empty()) text += "\n" + limits;
  if (!range.dictionary.empty()) {
    text += " " + LoadMessage(kMsgAnd) + "\n" + LoadMessage(kMsgOneOfValues);
    for (const DictionaryEntry& entry : range.dictionary) {
      text += "\n" + entry.value;
      if (entry.name_id != 0) text += "(" + LoadMessage(entry.name_id) + ")";
    }
  }
  return text;
}

void CheckValue(CNodeAttrInfoXML& attribute, const std::string& text, const CIndexList& indexes) {
  CNodeTag_VRK_Device& root = *attribute.owner();
  root.PrepareRanges(attribute, 0, indexes);
  const uint32_t type = attribute.range().type;
  if (type == 0) throw CConvException("ERROR", attribute.GetFullPath());
  if (type >= kTypeText) return;
  const uint32_t failure = Classify(attribute, text);
  if (failure == 0) return;
  throw CConvException(LoadMessage(failure) + " (" + root.ToDisplay(attribute, text) + ") \n" +
                           LoadMessage(kMsgValueMustBe) + "\n" + DescribeRange(attribute),
                       attribute.GetFullPath());
}

}  // namespace vrk
