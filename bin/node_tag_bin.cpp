// The generic tag walk: headers, data areas and children, with the size checks that keep every access inside
// the image.
#include "bin/node_tag_bin.h"

#include <limits>

#include "bin/crc32.h"
#include "bin/tag_format.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"

namespace vrk::bin {

void CNodeTagBIN::ReadData(TagCursor) {}

void CNodeTagBIN::WriteData(TagWriteCursor) {}

uint64_t CNodeTagBIN::GetSize() const {
  if (!present_) return 0;
  uint64_t size = kTagHeaderSize + GetDataSize();
  ForEachChild([&size](const CNodeTagBIN& child) { size += child.GetSize(); });
  return size;
}

uint64_t CNodeTagBIN::GetDataSize() const { return 0; }

void CNodeTagBIN::ReadChildren(TagCursor& cursor) {
  VisitChildren([&cursor](CNodeTagBIN& child) { ReadTag(child, cursor); });
}

void CNodeTagBIN::WriteChildren(TagWriteCursor& cursor) {
  VisitChildren([&cursor](CNodeTagBIN& child) { WriteTag(child, cursor); });
}

void CNodeTagBIN::VisitChildren(const std::function<void(CNodeTagBIN&)>&) {}

void CNodeTagBIN::ForEachChild(const std::function<void(const CNodeTagBIN&)>& visit) const {
  // VisitChildren only enumerates; the visitor sees each child as const, so nothing is modified here.
  const_cast<CNodeTagBIN*>(this)->VisitChildren([&visit](CNodeTagBIN& child) { visit(child); });
}

std::vector<uint8_t> CNodeTagBIN::RecordImage(std::size_t) const { return {}; }

std::string CNodeTagBIN::GetTagName() const {
  std::string name(4, ' ');
  for (int i = 0; i < 4; ++i) name[i] = char((id_ >> (8 * i)) & 0xFFu);
  return name;
}

void ThrowTagError(uint32_t number, const CNodeTagBIN& tag) { ThrowMessageArgs(number, {tag.GetTagName()}); }

void ReadHeader(CNodeTagBIN& tag, TagCursor cursor) {
  tag.present_ = false;
  if (cursor.remaining == 0) return;
  if (cursor.remaining < kTagHeaderSize) ThrowMessage(kMsgHeaderUnreadable);
  const ByteReader in = BytesOf(cursor);
  const uint32_t id = in.U32(kHeaderIdOffset);
  const uint32_t content_size = in.U32(kHeaderContentSizeOffset);
  const uint32_t data_size = in.U32(kHeaderDataSizeOffset);
  if (id != tag.id()) {
    if (!tag.IsMandatory()) return;
    ThrowTagError(kMsgNoMandatoryTag, tag);
  }
  if (content_size < data_size) ThrowTagError(kMsgTagSizeIncorrect, tag);
  if (uint64_t(content_size) + kTagHeaderSize > cursor.remaining) ThrowTagError(kMsgTagTooLarge, tag);
  tag.content_size_ = content_size;
  tag.data_size_ = data_size;
  tag.present_ = true;
  if (cursor.accumulator) *cursor.accumulator = UpdateCrc32(*cursor.accumulator, cursor.position, kTagHeaderSize);
}

void ReadTag(CNodeTagBIN& tag, TagCursor& cursor) {
  ReadHeader(tag, cursor);
  if (!tag.IsPresent()) return;
  cursor.Advance(kTagHeaderSize);
  tag.ReadData(cursor.Window(tag.DataSize()));
  cursor.Advance(tag.DataSize());
  // The children see only their parent's content; whatever they leave unclaimed is skipped.
  const uint32_t children_size = tag.ContentSize() - tag.DataSize();
  TagCursor children = cursor.Window(children_size);
  tag.ReadChildren(children);
  cursor.Advance(children_size);
}

void WriteHeader(CNodeTagBIN& tag, TagWriteCursor cursor) {
  if (cursor.remaining < kTagHeaderSize) ThrowTagError(kMsgHeaderUnwritable, tag);
  const uint64_t size = tag.GetSize();
  const uint64_t data_size = tag.GetDataSize();
  if (size < kTagHeaderSize || size - kTagHeaderSize > std::numeric_limits<uint32_t>::max())
    ThrowTagError(kMsgHeaderUnwritable, tag);
  tag.content_size_ = uint32_t(size - kTagHeaderSize);
  tag.data_size_ = uint32_t(data_size);
  ByteWriter out = BytesOf(cursor);
  out.PutU32(kHeaderIdOffset, tag.id());
  out.PutU32(kHeaderContentSizeOffset, tag.content_size_);
  out.PutU32(kHeaderDataSizeOffset, tag.data_size_);
  if (cursor.accumulator) *cursor.accumulator = UpdateCrc32(*cursor.accumulator, cursor.position, kTagHeaderSize);
}

void WriteTag(CNodeTagBIN& tag, TagWriteCursor& cursor) {
  if (!tag.IsPresent()) {
    if (tag.IsMandatory()) ThrowTagError(kMsgMandatoryTagNotSpecified, tag);
    return;
  }
  WriteHeader(tag, cursor);
  cursor.Advance(kTagHeaderSize);
  // The data area is cut to the bytes left, so that WriteData reports a buffer too small instead of overrunning.
  tag.WriteData(cursor.Window(tag.DataSize()));
  cursor.Advance(tag.DataSize());
  tag.WriteChildren(cursor);
}

}  // namespace vrk::bin
