// The internal index list: the entries that select one occurrence of each repeated element on a path.
// Lookups consume entries from the front; copies are cheap enough to take one per call: lists as deep as the
// schema's paths live inside the object, and only longer ones (which callers may pass) take the heap.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
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
  CIndexList(std::initializer_list<IndexEntry> entries) { Assign(entries.begin(), entries.size()); }
  explicit CIndexList(const std::vector<IndexEntry>& entries) { Assign(entries.data(), entries.size()); }

  bool empty() const { return front_ == size_; }
  std::size_t size() const { return size_ - front_; }
  const IndexEntry& operator[](std::size_t i) const { return data()[front_ + i]; }

  // Removes and returns the first entry. Requires a non-empty list.
  IndexEntry PopFront() { return data()[front_++]; }
  void PushBack(IndexEntry entry) {
    if (size_ == kInline) spill_.assign(inline_.begin(), inline_.end());
    if (size_ >= kInline)
      spill_.push_back(entry);
    else
      inline_[size_] = entry;
    ++size_;
  }
  // Removes the last entry. Requires a non-empty list.
  void PopBack() {
    if (--size_ >= kInline) spill_.pop_back();
  }
  // Replaces the last entry. Requires a non-empty list.
  void SetBack(IndexEntry entry) { data()[size_ - 1] = entry; }

  // The first `depth` remaining entries (all of them when there are fewer).
  CIndexList Truncated(std::size_t depth) const {
    CIndexList list;
    list.Assign(data() + front_, std::min(depth, size()));
    return list;
  }

 private:
  static constexpr std::size_t kInline = 4;

  // Entries live in `inline_` while there are at most kInline of them, else all in `spill_`.
  IndexEntry* data() { return size_ > kInline ? spill_.data() : inline_.data(); }
  const IndexEntry* data() const { return size_ > kInline ? spill_.data() : inline_.data(); }

  void Assign(const IndexEntry* entries, std::size_t n) {
    size_ = n;
    front_ = 0;
    if (n > kInline)
      spill_.assign(entries, entries + n);
    else
      std::copy(entries, entries + n, inline_.begin());
  }

  std::array<IndexEntry, kInline> inline_{};
  std::vector<IndexEntry> spill_;
  std::size_t size_ = 0;
  std::size_t front_ = 0;
};

}  // namespace vrk
