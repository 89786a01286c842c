// CListParentTagBIN: a record tag whose one child is a record list ("DATA", "PRMS" or "MCMD") counted by a u16
// field of the parent's own record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <type_traits>

#include "bin/data_tag_bin.h"
#include "interface/message_ids.h"

namespace vrk::bin {

// RECORD is the parent's record, COUNT the pointer to its count member, LIST the child list's tag class.
template <class RECORD, auto COUNT, class LIST>
class CListParentTagBIN : public CDataTagBIN<RECORD> {
 public:
  explicit CListParentTagBIN(uint32_t id) : CDataTagBIN<RECORD>(id) {}

  LIST& List() { return list_; }
  const LIST& List() const { return list_; }

  // Closes a list filled for writing: the count field takes the number of records, the tag becomes present, and
  // so does the list unless it is empty and `list_when_empty` is false. Throws kMsgTagDataUnwritable on
  // this tag when the records outgrow the count field.
  void Seal(bool list_when_empty = true) {
    using Count = std::remove_reference_t<decltype(this->Record().*COUNT)>;
    const std::size_t count = list_.Records().size();
    if (count > std::numeric_limits<Count>::max()) ThrowTagError(kMsgTagDataUnwritable, *this);
    this->Record().*COUNT = static_cast<Count>(count);
    this->SetPresent(true);
    list_.SetPresent(list_when_empty || count != 0);
  }

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
