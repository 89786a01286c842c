#include "editing/undo_group.h"

namespace vrk {

void CUndoXMLGroup::UndoAll() {
  // Entries are discarded as they are undone, so an undo that throws leaves only the entries not yet undone.
  while (!entries_.empty()) {
    std::unique_ptr<CUndoXMLOperation> entry = std::move(entries_.back());
    entries_.pop_back();
    entry->Undo();
  }
}

}  // namespace vrk
