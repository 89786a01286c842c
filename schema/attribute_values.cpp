#include "schema/attribute_values.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

int64_t ReadInteger(CNodeAttrInfoXML& attribute, const std::string& text, int64_t max) {
  const std::optional<int64_t> value = ParseIntegerText(text);
  if (!value || *value < 0 || *value > max) ThrowMessage(kMsgIncorrectValueType, attribute.GetFullPath());
  return *value;
}

double ParseReal(CNodeAttrInfoXML& attribute, const std::string& text) {
  const std::optional<double> value = ParseRealText(text);
  if (!value) ThrowMessage(kMsgIncorrectValueType, attribute.GetFullPath());
  return *value;
}

// The element occurrence `at` selects for `attribute`; null when it is missing.
dom::Node ElementOf(CNodeAttrInfoXML& attribute, CIndexList at) { return attribute.element()->GetNode(at, false); }

std::optional<std::string> StoredText(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  std::string text;
  if (!element || !attribute.ReadValue(element, &text)) return std::nullopt;
  return text;
}

}  // namespace

std::string ValueOrDefault(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return ValueOrDefaultOn(attribute, ElementOf(attribute, at));
}

std::string ValueOrDefaultOn(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  if (std::optional<std::string> text = StoredText(attribute, element)) return std::move(*text);
  const std::string& fallback = attribute.range().default_value;
  if (attribute.mandatory() || fallback.empty()) ThrowMessage(kMsgAttributeNotSpecified, attribute.GetFullPath());
  return fallback;
}

uint16_t ReadU16(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return ReadU16On(attribute, ElementOf(attribute, at));
}

uint32_t ReadU32(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return ReadU32On(attribute, ElementOf(attribute, at));
}

double ReadReal(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return ReadRealOn(attribute, ElementOf(attribute, at));
}

uint16_t ReadU16On(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  return static_cast<uint16_t>(
      ReadInteger(attribute, ValueOrDefaultOn(attribute, element), std::numeric_limits<uint16_t>::max()));
}

uint32_t ReadU32On(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  return static_cast<uint32_t>(
      ReadInteger(attribute, ValueOrDefaultOn(attribute, element), std::numeric_limits<uint32_t>::max()));
}

double ReadRealOn(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  return ParseReal(attribute, ValueOrDefaultOn(attribute, element));
}

std::optional<uint16_t> FindU16(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return FindU16On(attribute, ElementOf(attribute, at));
}

std::optional<double> FindReal(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return FindRealOn(attribute, ElementOf(attribute, at));
}

std::optional<uint16_t> FindU16On(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  const std::optional<std::string> text = StoredText(attribute, element);
  if (!text) return std::nullopt;
  return static_cast<uint16_t>(ReadInteger(attribute, *text, std::numeric_limits<uint16_t>::max()));
}

std::optional<double> FindRealOn(CNodeAttrInfoXML& attribute, const dom::Node& element) {
  const std::optional<std::string> text = StoredText(attribute, element);
  if (!text) return std::nullopt;
  return ParseReal(attribute, *text);
}

std::optional<uint32_t> NumberAt(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return KeyOfText(attribute.FindValue(at));
}

std::optional<int64_t> IntegerAt(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return IntegerOfText(attribute.FindValue(at));
}

std::optional<double> RealAt(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return RealOfText(attribute.FindValue(at));
}

std::optional<uint32_t> KeyOfText(const std::optional<std::string>& text) {
  return text ? ParseKeyText(*text) : std::nullopt;
}

std::optional<int64_t> IntegerOfText(const std::optional<std::string>& text) {
  return text ? ParseIntegerText(*text) : std::nullopt;
}

std::optional<double> RealOfText(const std::optional<std::string>& text) {
  return text ? ParseRealText(*text) : std::nullopt;
}

uint16_t CheckedU16(int64_t value, const CNodeAttrInfoXML& source) {
  if (value < 0 || value > std::numeric_limits<uint16_t>::max())
    ThrowMessage(kMsgIncorrectValueType, source.GetFullPath());
  return static_cast<uint16_t>(value);
}

float CheckedSingle(double value, const CNodeAttrInfoXML& source) {
  if (std::fabs(value) > std::numeric_limits<float>::max()) ThrowMessage(kMsgIncorrectValueType, source.GetFullPath());
  return static_cast<float>(value);
}

void WriteInteger(CNodeAttrInfoXML& attribute, int64_t value, const CIndexList& at) {
  attribute.SetValue(std::to_string(value), at, false);
}

void WriteReal(CNodeAttrInfoXML& attribute, double value, int decimals, const CIndexList& at) {
  attribute.SetValue(FormatRealText(value, decimals), at, false);
}

void WriteIntegerOn(CNodeAttrInfoXML& attribute, int64_t value, const dom::Node& element) {
  attribute.Store(element, std::to_string(value));
}

void WriteRealOn(CNodeAttrInfoXML& attribute, double value, int decimals, const dom::Node& element) {
  attribute.Store(element, FormatRealText(value, decimals));
}

dom::Node Occurrence(CNodeTagInfoXML& element, const CIndexList& at) {
  CIndexList lookup = at;
  return element.GetNode(lookup, true);
}

dom::Node ChildOccurrence(CNodeTagInfoXML& element, const dom::Node& parent_node) {
  return element.GetNodeIn(parent_node, {}, true);
}

bool Exists(CNodeTagInfoXML& element, const CIndexList& at) {
  CIndexList lookup = at;
  return static_cast<bool>(element.GetNode(lookup, false));
}

std::vector<uint32_t> AscendingKeys(CNodeTagInfoXML& element, const CIndexList& parent) {
  std::vector<uint32_t> keys;
  for (const KeyedOccurrence& occurrence : OccurrencesByKey(element, parent)) keys.push_back(occurrence.key);
  return keys;
}

std::vector<KeyedOccurrence> OccurrencesByKey(CNodeTagInfoXML& element, const CIndexList& parent) {
  std::vector<KeyedOccurrence> found;
  const dom::Node parent_node = element.ParentNode(parent);
  if (!parent_node) return found;
  std::string text;
  element.ForEachIn(parent_node, [&](const dom::Node& node) {
    if (element.key_attribute()->ReadValue(node, &text))
      if (const std::optional<uint32_t> key = ParseKeyText(text)) found.push_back({*key, node});
  });
  // Stable: of equal keys the first in document order stays first, and is the one kept.
  std::stable_sort(found.begin(), found.end(),
                   [](const KeyedOccurrence& a, const KeyedOccurrence& b) { return a.key < b.key; });
  found.erase(std::unique(found.begin(), found.end(),
                          [](const KeyedOccurrence& a, const KeyedOccurrence& b) { return a.key == b.key; }),
              found.end());
  return found;
}

std::vector<dom::Node> Occurrences(CNodeTagInfoXML& element, const CIndexList& parent) {
  return Occurrences(element, element.ParentNode(parent));
}

std::vector<dom::Node> Occurrences(CNodeTagInfoXML& element, const dom::Node& parent_node) {
  std::vector<dom::Node> found;
  if (parent_node) element.ForEachIn(parent_node, [&](const dom::Node& node) { found.push_back(node); });
  return found;
}

CIndexList Append(const CIndexList& parent, IndexEntry entry) {
  CIndexList list = parent;
  list.PushBack(entry);
  return list;
}

}  // namespace vrk
