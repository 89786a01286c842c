// CListParentTagBIN: a record tag whose one child is a record list ("DATA", "PRMS" or "MCMD") counted by a u16
// field of the parent's own record.
#pragma once

#include <cstdint>
#include <functional>

#include "bin/data_tag_bin.h"

namespace vrk::bin {

// RECORD is the parent's record, COUNT the pointer to its count member, LIST the child list's tag class.
template <class RECORD, auto COUNT, class LIST>
class CListParentTagBIN : public CDataTagBIN<RECORD> {
 public:
  explicit CListParentTagBIN(uint32_t id) : CDataTagBIN<RECORD>(id) {}

  LIST& List() { return list_; }
  const LIST& List() const { return list_; }

  // Sizes the list from the count just read, then reads it. An absent list keeps that many default records.
  void ReadChildren(TagCursor& cursor) override {
    list_.Records().resize(this->Record().*COUNT);
    ReadTag(list_, cursor);
  }

  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override { visit(list_); }

 private:
  LIST list_;
};

}  // namespace vrk::bin
