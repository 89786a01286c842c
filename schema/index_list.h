// The internal index list: the entries that select one occurrence of each repeated element on a path.
// Lookups consume entries from the front; copies are cheap enough to take one per call.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vrk {

struct IndexEntry {
  bool use_attr = false;  // select by key attribute value instead of by position
  uint32_t value = 0;
  bool operator==(const IndexEntry&) const = default;
};

class CIndexList {
 public:
  CIndexList() = default;
  CIndexList(std::initializer_list<IndexEntry> entries) : entries_(entries) {}
  explicit CIndexList(std::vector<IndexEntry> entries) : entries_(std::move(entries)) {}

  bool empty() const { return front_ == entries_.size(); }
  std::size_t size() const { return entries_.size() - front_; }
  const IndexEntry& operator[](std::size_t i) const { return entries_[front_ + i]; }

  // Removes and returns the first entry. Requires a non-empty list.
  IndexEntry PopFront() { return entries_[front_++]; }
  void PushBack(IndexEntry entry) { entries_.push_back(entry); }

  // The first `depth` remaining entries (all of them when there are fewer).
  CIndexList Truncated(std::size_t depth) const {
    const std::size_t n = depth < size() ? depth : size();
    return CIndexList(std::vector<IndexEntry>(entries_.begin() + front_, entries_.begin() + front_ + n));
  }

 private:
  std::vector<IndexEntry> entries_;
  std::size_t front_ = 0;
};

}  // namespace vrk
