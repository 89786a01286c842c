#include "convert/attribute_values.h"

#include <algorithm>
#include <limits>

#include "interface/message_table.h"
#include "schema/node_info.h"
#include "schema/value_text.h"

namespace vrk {
namespace {

int64_t ReadInteger(CNodeAttrInfoXML& attribute, const std::string& text, int64_t max) {
  const std::optional<int64_t> value = ParseIntegerText(text);
  if (!value || *value < 0 || *value > max) ThrowMessage(103, attribute.GetFullPath());
  return *value;
}

double ParseReal(CNodeAttrInfoXML& attribute, const std::string& text) {
  const std::optional<double> value = ParseRealText(text);
  if (!value) ThrowMessage(103, attribute.GetFullPath());
  return *value;
}

}  // namespace

std::string ValueOrDefault(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  if (std::optional<std::string> text = attribute.FindValue(at)) return std::move(*text);
  const std::string& fallback = attribute.range().default_value;
  if (attribute.mandatory() || fallback.empty()) ThrowMessage(121, attribute.GetFullPath());
  return fallback;
}

uint16_t ReadU16(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return static_cast<uint16_t>(
      ReadInteger(attribute, ValueOrDefault(attribute, at), std::numeric_limits<uint16_t>::max()));
}

uint32_t ReadU32(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return static_cast<uint32_t>(
      ReadInteger(attribute, ValueOrDefault(attribute, at), std::numeric_limits<uint32_t>::max()));
}

double ReadReal(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  return ParseReal(attribute, ValueOrDefault(attribute, at));
}

std::optional<uint16_t> FindU16(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  const std::optional<std::string> text = attribute.FindValue(at);
  if (!text) return std::nullopt;
  return static_cast<uint16_t>(ReadInteger(attribute, *text, std::numeric_limits<uint16_t>::max()));
}

std::optional<double> FindReal(CNodeAttrInfoXML& attribute, const CIndexList& at) {
  const std::optional<std::string> text = attribute.FindValue(at);
  if (!text) return std::nullopt;
  return ParseReal(attribute, *text);
}

uint16_t CheckedU16(int64_t value, const CNodeAttrInfoXML& source) {
  if (value < 0 || value > std::numeric_limits<uint16_t>::max()) ThrowMessage(103, source.GetFullPath());
  return static_cast<uint16_t>(value);
}

void WriteInteger(CNodeAttrInfoXML& attribute, int64_t value, const CIndexList& at) {
  attribute.SetValue(std::to_string(value), at, false);
}

void WriteReal(CNodeAttrInfoXML& attribute, double value, int decimals, const CIndexList& at) {
  attribute.SetValue(FormatRealText(value, decimals), at, false);
}

bool Exists(CNodeTagInfoXML& element, const CIndexList& at) {
  CIndexList lookup = at;
  return static_cast<bool>(element.GetNode(lookup, false));
}

std::vector<uint32_t> AscendingKeys(CNodeTagInfoXML& element, const CIndexList& parent) {
  std::vector<uint32_t> keys;
  const uint32_t count = element.CountNodes(parent);
  for (uint32_t k = 0; k < count; ++k)
    if (const std::optional<std::string> text = element.key_attribute()->FindValue(Append(parent, {false, k})))
      if (const std::optional<uint32_t> key = ParseKeyText(*text)) keys.push_back(*key);
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());
  return keys;
}

CIndexList Append(const CIndexList& parent, IndexEntry entry) {
  CIndexList list = parent;
  list.PushBack(entry);
  return list;
}

}  // namespace vrk
