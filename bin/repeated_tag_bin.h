// CRepeatedTagBIN: a record tag followed by any number of child tags of one kind ("MCYC" under "MBUS" and
// "MBMC", "LNRC" under "ALNR"). No count steers the reading: children are read while the next tag has their
// identifier, and the first other tag or the end of the parent's content ends the list.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bin/data_tag_bin.h"

namespace vrk::bin {

template <class RECORD, class CHILD>
class CRepeatedTagBIN : public CDataTagBIN<RECORD> {
 public:
  explicit CRepeatedTagBIN(uint32_t id) : CDataTagBIN<RECORD>(id) {}

  std::vector<std::unique_ptr<CHILD>>& Children() { return children_; }
  const std::vector<std::unique_ptr<CHILD>>& Children() const { return children_; }
  // Appends a new, absent child and returns it, never null.
  CHILD& AddChild() { return *children_.emplace_back(std::make_unique<CHILD>()); }

  void ReadChildren(TagCursor& cursor) override {
    children_.clear();
    for (;;) {
      auto child = std::make_unique<CHILD>();
      ReadTag(*child, cursor);  // a present child consumes at least its header, so this ends
      if (!child->IsPresent()) break;
      children_.push_back(std::move(child));
    }
  }

  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    for (auto& child : children_) visit(*child);
  }

 private:
  std::vector<std::unique_ptr<CHILD>> children_;
};

}  // namespace vrk::bin
