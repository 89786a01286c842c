// The configuration CRC of the root tag, on reading and writing, and the legacy CRC of version-1 devices.
#include "bin/tag_bin_conf.h"

#include <algorithm>

#include "bin/crc32.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"

namespace vrk::bin {
namespace {

// Updates the register over body[from, to), both cut to the body's end.
uint32_t UpdateRange(uint32_t crc, const ByteReader& body, uint64_t from, uint64_t to) {
  to = std::min<uint64_t>(to, body.size());
  if (from >= to) return crc;
  return UpdateCrc32(crc, body.data() + from, to - from);
}

// Reads or writes the body with `transfer` through a copy of `cursor` that accumulates the CRC of its bytes;
// `cursor` then stands after the body. Returns that CRC.
template <class CURSOR, class TRANSFER>
uint32_t TransferWithCrc(CURSOR& cursor, TRANSFER transfer) {
  uint32_t crc = kCrc32Initial;
  CURSOR body = cursor;
  body.accumulator = &crc;
  transfer(body);
  cursor.position = body.position;
  cursor.remaining = body.remaining;
  return crc;
}

}  // namespace

void ReadConfiguration(CConfigHeaderTagBIN& cfgh, CNodeTagBIN& cfgb, TagCursor& cursor, ConfigCrcCheck check) {
  ReadTag(cfgh, cursor);
  if (check == ConfigCrcCheck::kRawBody) {
    if (UpdateCrc32(kCrc32Initial, cursor.position, cursor.remaining) != cfgh.Record().crc)
      ThrowMessage(kMsgCrcError);
    ReadTag(cfgb, cursor);
    return;
  }
  const TagCursor body_start = cursor;
  const uint32_t crc = TransferWithCrc(cursor, [&](TagCursor& body) { ReadTag(cfgb, body); });
  const uint32_t stored = cfgh.Record().crc;
  if (crc == stored) return;
  if (check == ConfigCrcCheck::kParsedOrLegacyBody && cfgb.IsPresent() &&
      LegacyBodyCrc(BytesOf(body_start).Sub(0, uint64_t(kTagHeaderSize) + cfgb.ContentSize())) == stored)
    return;
  ThrowMessage(kMsgCrcError);
}

void WriteConfiguration(CConfigHeaderTagBIN& cfgh, CNodeTagBIN& cfgb, TagWriteCursor& cursor) {
  const TagWriteCursor header_place = cursor;
  cursor.Advance(cfgh.GetSize());
  const uint32_t crc = TransferWithCrc(cursor, [&](TagWriteCursor& body) { WriteTag(cfgb, body); });
  if (cfgh.Records().empty()) ThrowTagError(kMsgTagDataUnwritable, cfgh);
  cfgh.Record().crc = crc;
  TagWriteCursor header = header_place;
  WriteTag(cfgh, header);
}

uint32_t LegacyBodyCrc(ByteReader body) {
  if (!body.Has(0, kTagHeaderSize)) return UpdateCrc32(kCrc32Initial, body.data(), body.size());
  // Offsets below count from the first byte of the content (body + 12), except E and S in the last step.
  const uint64_t content_size = std::min<uint64_t>(body.U32(kHeaderContentSizeOffset), body.size() - kTagHeaderSize);
  uint64_t o = body.U32(kHeaderDataSizeOffset);
  bool found = false;
  while (o < content_size) {
    const uint64_t at = kTagHeaderSize + o;
    if (!body.Has(at, kTagHeaderSize)) {  // a header cut off by the end: no "ANLG", the whole tag counts
      o = content_size;
      break;
    }
    if (body.U32(at + kHeaderIdOffset) == kTagANLG) {
      found = true;
      break;
    }
    o += kTagHeaderSize + uint64_t(body.U32(at + kHeaderContentSizeOffset));
  }
  o = std::min(o, content_size);
  uint32_t crc = UpdateRange(kCrc32Initial, body, 0, kTagHeaderSize + o);
  if (!found) return crc;

  const uint64_t anlg = kTagHeaderSize + o;
  const uint64_t anlg_data = body.U32(anlg + kHeaderDataSizeOffset);
  const uint64_t anlg_end = o + kTagHeaderSize + body.U32(anlg + kHeaderContentSizeOffset);  // E
  // The "ANLG" header, its data and the header of its first child.
  crc = UpdateRange(crc, body, anlg, anlg + 2 * kTagHeaderSize + anlg_data);
  const uint64_t count = body.Has(anlg + kTagHeaderSize, 2) ? body.U16(anlg + kTagHeaderSize) : 0;
  const uint64_t first_child = anlg + kTagHeaderSize + anlg_data;
  const uint64_t child_content =
      body.Has(first_child + kHeaderContentSizeOffset, 4) ? body.U32(first_child + kHeaderContentSizeOffset) : 0;
  const uint64_t item_size = count == 0 ? 0 : child_content / count;
  uint64_t item = first_child + kTagHeaderSize;
  for (uint64_t i = 0; i < count && item_size != 0 && item < body.size(); ++i, item += item_size) {
    crc = UpdateRange(crc, body, item, item + std::min<uint64_t>(item_size, kAnalogV1CrcSkipBegin));
    crc = UpdateRange(crc, body, item + kAnalogV1CrcSkipEnd, item + item_size);
  }
  // The rest of the tag, counted from the tag's first byte rather than from its content.
  return UpdateRange(crc, body, anlg_end, content_size);
}

}  // namespace vrk::bin
