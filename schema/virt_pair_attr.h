// CVirtPairNodeAttrInfoXML: an attribute without an XML attribute of its own, whose value is
// first x 65536 + second over two real attributes of the same element (ChannelNum_ParamNum).
#pragma once

#include "schema/node_info.h"

namespace vrk {

class CVirtPairNodeAttrInfoXML : public CNodeAttrInfoXML {
 public:
  CVirtPairNodeAttrInfoXML(std::string name, bool mandatory, ValueRange range, CNodeAttrInfoXML* first,
                           CNodeAttrInfoXML* second)
      : CNodeAttrInfoXML(std::move(name), mandatory, std::move(range)), first_(first), second_(second) {}

  // Splits the unsigned 32-bit text into its high and low 16 bits and writes them to the two attributes.
  // Throws kMsgAttributeCreationError when the text is not an unsigned 32-bit number.
  void WriteValue(const dom::Node& element, const std::string& text) override;
  // Writing either attribute changes the pair.
  bool Includes(const CNodeAttrInfoXML& attribute) const override;
  // Records the two attributes one by one: either may be present without the other, and the pair's value alone
  // could not put such a state back.
  void RecordOldValue(const dom::Node& element) override;
  // Present only when both attributes are present and numeric; yields (first & 0xFFFF) x 65536 + (second & 0xFFFF).
  bool ReadValue(const dom::Node& element, std::string* text) const override;
  // Removes both attributes.
  void RemoveValue(CIndexList indexes) override;

 private:
  CNodeAttrInfoXML* first_;
  CNodeAttrInfoXML* second_;
};

}  // namespace vrk
