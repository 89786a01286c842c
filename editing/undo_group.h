// CUndoXMLGroup: the undo entries of one edit, or of a whole update bracket, in the order they were made.
#pragma once

#include <memory>
#include <vector>

#include "editing/undo_operations.h"

namespace vrk {

class CUndoXMLGroup {
 public:
  // Makes room for one more entry, so that the next Append cannot fail. Throws std::bad_alloc.
  void Reserve() {
    if (entries_.size() == entries_.capacity()) entries_.reserve(entries_.empty() ? 8 : 2 * entries_.size());
  }
  void Append(std::unique_ptr<CUndoXMLOperation> entry) { entries_.push_back(std::move(entry)); }
  // Undoes every entry, last first, then discards them all.
  void UndoAll();
  // Discards the entries without undoing them (the changes are committed).
  void Clear() { entries_.clear(); }
  bool empty() const { return entries_.empty(); }
  std::size_t size() const { return entries_.size(); }

 private:
  std::vector<std::unique_ptr<CUndoXMLOperation>> entries_;
};

}  // namespace vrk
