// CNodeTagBIN, the base of every tag of the binary image, and the generic walk that reads and writes a tag with
// its whole subtree. A tag in the image:
//   0 u32 identifier | 4 u32 content size (data + children, header excluded) | 8 u32 data size |
//   12 the tag's records | 12 + data size the child tags, in the order the parent defines.
// Tags own their children (fixed children as members, repeated ones in lists) and copy what they read: no tag
// keeps a pointer into the image buffer.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "bin/tag_cursor.h"

namespace vrk::bin {

class CNodeTagBIN {
 public:
  explicit CNodeTagBIN(uint32_t id) : id_(id) {}
  virtual ~CNodeTagBIN() = default;
  CNodeTagBIN(const CNodeTagBIN&) = delete;
  CNodeTagBIN& operator=(const CNodeTagBIN&) = delete;

  // Reads the tag's records from its data area (`data.remaining` is the data size). Base: nothing.
  virtual void ReadData(TagCursor data);
  // Writes the tag's records into its data area. Base: nothing.
  virtual void WriteData(TagWriteCursor data);
  // Bytes the tag takes in the image, header included; 0 when not present. Base: 12 + GetDataSize() + the
  // sizes of the children. Summed in 64 bits; WriteHeader rejects what a u32 cannot hold.
  virtual uint64_t GetSize() const;
  // Bytes of the tag's own records. Base: 0.
  virtual uint64_t GetDataSize() const;
  // Reads the children from the content after the data. Base: ReadTag on each child of VisitChildren, in order.
  virtual void ReadChildren(TagCursor& cursor);
  // Writes the children, advancing the cursor. Base: WriteTag on each child of VisitChildren, in order.
  virtual void WriteChildren(TagWriteCursor& cursor);

  // Calls `visit` on every child tag object in image order, present or not. Base: no children. Parents override
  // this once, and sizing, writing, default reading and inspection all follow it.
  virtual void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit);
  void ForEachChild(const std::function<void(const CNodeTagBIN&)>& visit) const;

  // Inspection: the number of records the tag holds, and record `index` encoded at its full known size.
  virtual std::size_t RecordCount() const { return 0; }
  virtual std::vector<uint8_t> RecordImage(std::size_t index) const;

  uint32_t id() const { return id_; }
  // The four identifier letters, as used in messages.
  std::string GetTagName() const;

  bool IsMandatory() const { return mandatory_; }
  void SetMandatory(bool mandatory) { mandatory_ = mandatory; }
  bool IsPresent() const { return present_; }
  void SetPresent(bool present) { present_ = present; }

  // The sizes of the last header read or written (0 before either).
  uint32_t ContentSize() const { return content_size_; }
  uint32_t DataSize() const { return data_size_; }

 private:
  friend void ReadHeader(CNodeTagBIN& tag, TagCursor cursor);
  friend void WriteHeader(CNodeTagBIN& tag, TagWriteCursor cursor);

  uint32_t id_;
  uint32_t content_size_ = 0;
  uint32_t data_size_ = 0;
  bool mandatory_ = false;
  bool present_ = false;
};

// Reads `tag` and its subtree at the cursor. Present: the cursor ends after the tag. Absent (no bytes left, or another
// identifier for an optional tag): the cursor is unchanged. Throws CConvException kMsgHeaderUnreadable,
// kMsgNoMandatoryTag, kMsgTagSizeIncorrect, kMsgTagTooLarge for a broken header and whatever the tag's data and
// children raise; it never reads past the cursor's bytes.
void ReadTag(CNodeTagBIN& tag, TagCursor& cursor);
// Writes a present tag and its subtree and advances past it; an absent optional tag writes nothing. Throws
// kMsgMandatoryTagNotSpecified for an absent mandatory tag, kMsgHeaderUnwritable and kMsgTagDataUnwritable when the
// cursor's bytes do not hold it.
void WriteTag(CNodeTagBIN& tag, TagWriteCursor& cursor);

// The header steps of ReadTag and WriteTag (see there); only they call these.
void ReadHeader(CNodeTagBIN& tag, TagCursor cursor);
void WriteHeader(CNodeTagBIN& tag, TagWriteCursor cursor);

// Throws CConvException with message `number` and the tag's name in place of "%s".
[[noreturn]] void ThrowTagError(uint32_t number, const CNodeTagBIN& tag);

}  // namespace vrk::bin
