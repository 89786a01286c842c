// Attribute values read and written through their descriptors: strict readers for the conversions (16-bit,
// 32-bit or real numbers, with the schema's error for a missing or unreadable value), lenient readers for the
// edits and checks that act only on a readable value, writers in the document's number formats, and the
// occurrence lookups they share.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "platform/dom/dom.h"
#include "schema/index_list.h"

namespace vrk {

class CNodeAttrInfoXML;
class CNodeTagInfoXML;

// Each reader comes in two forms: at the occurrence an index list selects, and on the element node in hand (null
// when the element is missing), for walks that read all the attributes of an occurrence at once.

// The stored text at `at`; for an absent optional attribute its schema default. Throws CConvException
// kMsgAttributeNotSpecified when a mandatory attribute (or its element) is missing, or an optional one without a
// default.
std::string ValueOrDefault(CNodeAttrInfoXML& attribute, const CIndexList& at);
std::string ValueOrDefaultOn(CNodeAttrInfoXML& attribute, const dom::Node& element);

// ValueOrDefault read as an integer 0..65535, 0..2^32-1, or a real. Throw kMsgAttributeNotSpecified as there,
// kMsgIncorrectValueType (with the attribute's full path) when the text is no such number.
uint16_t ReadU16(CNodeAttrInfoXML& attribute, const CIndexList& at);
uint32_t ReadU32(CNodeAttrInfoXML& attribute, const CIndexList& at);
double ReadReal(CNodeAttrInfoXML& attribute, const CIndexList& at);
uint16_t ReadU16On(CNodeAttrInfoXML& attribute, const dom::Node& element);
uint32_t ReadU32On(CNodeAttrInfoXML& attribute, const dom::Node& element);
double ReadRealOn(CNodeAttrInfoXML& attribute, const dom::Node& element);

// The stored value only, no default; null when the element or the attribute is missing. Throw kMsgIncorrectValueType as
// above.
std::optional<uint16_t> FindU16(CNodeAttrInfoXML& attribute, const CIndexList& at);
std::optional<double> FindReal(CNodeAttrInfoXML& attribute, const CIndexList& at);
std::optional<uint16_t> FindU16On(CNodeAttrInfoXML& attribute, const dom::Node& element);
std::optional<double> FindRealOn(CNodeAttrInfoXML& attribute, const dom::Node& element);

// Lenient readers: the stored value at `at` as a key (0..2^32-1), an integer or a real; null when the element or
// the attribute is missing or the text is no such number. They never throw.
std::optional<uint32_t> NumberAt(CNodeAttrInfoXML& attribute, const CIndexList& at);
std::optional<int64_t> IntegerAt(CNodeAttrInfoXML& attribute, const CIndexList& at);
std::optional<double> RealAt(CNodeAttrInfoXML& attribute, const CIndexList& at);
// The same for a text in hand that may be absent, such as the value an attribute held before a write.
std::optional<uint32_t> KeyOfText(const std::optional<std::string>& text);
std::optional<int64_t> IntegerOfText(const std::optional<std::string>& text);
std::optional<double> RealOfText(const std::optional<std::string>& text);

// `value` as a 16-bit field computed from `source`; throws kMsgIncorrectValueType with the source's path when it does
// not fit.
uint16_t CheckedU16(int64_t value, const CNodeAttrInfoXML& source);
// `value` as a 32-bit real field computed from `source`; throws kMsgIncorrectValueType with the source's path when
// it lies beyond that type's range (it would become an infinity that no document holds).
float CheckedSingle(double value, const CNodeAttrInfoXML& source);

// Writes a decimal integer, or a real rounded to `decimals` places without trailing zeros, creating the elements
// on the way. The value is not checked here; the whole document is checked once it is complete.
void WriteInteger(CNodeAttrInfoXML& attribute, int64_t value, const CIndexList& at);
void WriteReal(CNodeAttrInfoXML& attribute, double value, int decimals, const CIndexList& at);
// The same on the element node in hand, which must exist.
void WriteIntegerOn(CNodeAttrInfoXML& attribute, int64_t value, const dom::Node& element);
void WriteRealOn(CNodeAttrInfoXML& attribute, double value, int decimals, const dom::Node& element);

// The occurrence `at` selects of `element`, made (with the elements on the way) when it is missing.
dom::Node Occurrence(CNodeTagInfoXML& element, const CIndexList& at);
// The occurrence of the non-repeated `element` under `parent_node`, made when it is missing.
dom::Node ChildOccurrence(CNodeTagInfoXML& element, const dom::Node& parent_node);

// Whether the occurrence `at` of `element` exists.
bool Exists(CNodeTagInfoXML& element, const CIndexList& at);

// The key values of the occurrences of the repeated `element` under `parent`, ascending and each once;
// occurrences without a readable key are left out.
std::vector<uint32_t> AscendingKeys(CNodeTagInfoXML& element, const CIndexList& parent);

// An occurrence found by its key.
struct KeyedOccurrence {
  uint32_t key;
  dom::Node node;
};
// The keys of AscendingKeys, each with the occurrence a lookup by that key finds: the first one that carries it.
std::vector<KeyedOccurrence> OccurrencesByKey(CNodeTagInfoXML& element, const CIndexList& parent);

// The occurrences of the repeated `element` under `parent`, or under the node `parent_node` (none when it is
// null), in document order (by position).
std::vector<dom::Node> Occurrences(CNodeTagInfoXML& element, const CIndexList& parent);
std::vector<dom::Node> Occurrences(CNodeTagInfoXML& element, const dom::Node& parent_node);

// `parent` with one more entry.
CIndexList Append(const CIndexList& parent, IndexEntry entry);

}  // namespace vrk
