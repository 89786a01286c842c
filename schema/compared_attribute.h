// CComparedAttrInfoXML: an attribute whose cross-attribute rules are comparisons with related attributes, each
// read at the same indexes from its own element, made in the order given. The element that owns the attribute
// states the comparisons once the partners exist, since a partner may be declared after the attribute.
#pragma once

#include <utility>
#include <vector>

#include "schema/linked_rules.h"
#include "schema/node_info.h"

namespace vrk {

class CComparedAttrInfoXML : public CNodeAttrInfoXML {
 public:
  // This attribute <rule> other.
  struct Comparison {
    LinkedRule rule;
    CNodeAttrInfoXML* other;
  };

  using CNodeAttrInfoXML::CNodeAttrInfoXML;

  // Replaces the comparisons.
  void CompareWith(std::vector<Comparison> comparisons) { comparisons_ = std::move(comparisons); }

  // Stops at the first comparison that fails (see CheckLinkedRule).
  void CheckLinked(const CIndexList& indexes) override {
    for (const Comparison& c : comparisons_) CheckLinkedRule(*this, c.rule, *c.other, indexes);
  }

 private:
  std::vector<Comparison> comparisons_;
};

// A pair of bounds, each checked against the other: `low` <rule> `high`, kLess or kLessOrEqual.
inline void CompareAsBounds(CComparedAttrInfoXML& low, CComparedAttrInfoXML& high,
                            LinkedRule rule = LinkedRule::kLess) {
  low.CompareWith({{rule, &high}});
  high.CompareWith({{rule == LinkedRule::kLess ? LinkedRule::kGreater : LinkedRule::kGreaterOrEqual, &low}});
}

}  // namespace vrk
