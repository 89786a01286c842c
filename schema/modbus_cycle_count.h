// The Modbus cycle count: an attribute of the exchange-cycle element that is not stored in the document but
// counted. Reading it counts the cycle elements; writing it adds or removes cycles until the count matches.
#pragma once

#include <initializer_list>
#include <vector>

#include "schema/node_info.h"

namespace vrk {

class CNodeAttrModbusCycleCount : public CNodeAttrInfoXML {
 public:
  // `cycle` is the repeated cycle element under this attribute's element, `number` its numbering attribute, and
  // `defaulted` the attributes a new cycle receives with their default values. None may be null.
  CNodeAttrModbusCycleCount(std::string name, bool mandatory, ValueRange range, CNodeTagInfoXML* cycle,
                            CNodeAttrInfoXML* number, std::initializer_list<CNodeAttrInfoXML*> defaulted)
      : CNodeAttrInfoXML(std::move(name), mandatory, std::move(range)),
        cycle_(cycle),
        number_(number),
        defaulted_(defaulted) {}

  // Writes nothing: the count lives in the cycle elements and only SetValue changes it.
  void WriteValue(const dom::Node& element, const std::string& text) override;
  // The number of cycles under `element`; always present, so that checks of the element check the count too.
  bool ReadValue(const dom::Node& element, std::string* text) const override;
  // Brings the number of cycles to N (`text`): cycles C + 1 .. N are appended, numbered and given their default
  // times; cycles C .. N + 1 are removed, last first. Every change is recorded in the undo journal. With `check`
  // N is checked against the range afterwards (the caller undoes on failure). A text that is no count at all (not
  // a non-negative integer, or beyond 16 bits) changes nothing and is refused with the range message whatever
  // `check` says, since no later check of the stored count could notice it.
  void SetValue(const std::string& text, CIndexList indexes, bool check) override;
  // The number of cycles as decimal text; "0" when the element does not exist.
  std::string GetValue(CIndexList indexes) override;

 private:
  CNodeTagInfoXML* cycle_;
  CNodeAttrInfoXML* number_;
  std::vector<CNodeAttrInfoXML*> defaulted_;
};

// The version-7 `CycleCount`: 1 to 4 exchange cycles.
class CNodeAttrModbusCycleCountV7 : public CNodeAttrModbusCycleCount {
 public:
  CNodeAttrModbusCycleCountV7(CNodeTagInfoXML* cycle, CNodeAttrInfoXML* number,
                              std::initializer_list<CNodeAttrInfoXML*> defaulted)
      : CNodeAttrModbusCycleCount("CycleCount", false, ValueRange::Integer(kTypeUnsigned16, 1, 4), cycle, number,
                                  defaulted) {}
};

}  // namespace vrk
