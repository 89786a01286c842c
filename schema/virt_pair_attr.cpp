#include "schema/virt_pair_attr.h"

#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "schema/value_text.h"

namespace vrk {

void CVirtPairNodeAttrInfoXML::WriteValue(const dom::Node& element, const std::string& text) {
  const std::optional<uint32_t> value = ParseKeyText(text);
  if (!value) ThrowMessage(kMsgAttributeCreationError, GetFullPath());
  // Each half drops the element's cached occurrences itself when the pair is the key.
  first_->WriteValue(element, std::to_string(*value >> 16));
  second_->WriteValue(element, std::to_string(*value & 0xFFFFu));
}

bool CVirtPairNodeAttrInfoXML::Includes(const CNodeAttrInfoXML& attribute) const {
  return &attribute == this || &attribute == first_ || &attribute == second_;
}

void CVirtPairNodeAttrInfoXML::RecordOldValue(const dom::Node& element) {
  first_->RecordOldValue(element);
  second_->RecordOldValue(element);
}

bool CVirtPairNodeAttrInfoXML::ReadValue(const dom::Node& element, std::string* text) const {
  std::string first_text, second_text;
  if (!first_->ReadValue(element, &first_text) || !second_->ReadValue(element, &second_text)) return false;
  const std::optional<uint32_t> first = ParseKeyText(first_text);
  const std::optional<uint32_t> second = ParseKeyText(second_text);
  if (!first || !second) return false;
  if (text) *text = std::to_string(((*first & 0xFFFFu) << 16) | (*second & 0xFFFFu));
  return true;
}

void CVirtPairNodeAttrInfoXML::RemoveValue(CIndexList indexes) {
  first_->RemoveValue(indexes);
  second_->RemoveValue(indexes);
}

}  // namespace vrk
