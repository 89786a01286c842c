// The version-2 tree: the variable-length parameter records.
#include "bin/tag_tree_v2.h"

#include <limits>

#include "bin/crc32.h"
#include "interface/message_ids.h"

namespace vrk::bin {
namespace {

// The fixed part, the extension length at byte 12, then the extension; `out` holds exactly that.
void EncodeParam(const PARAMSTRUCTv2& record, ByteWriter out) {
  EncodeRecord(record, out.Sub(0, kSizePARAMSTRUCTv2));
  out.PutU16(kParamExtensionLengthOffset, uint16_t(record.extension.size()));
  out.PutBytes(kSizePARAMSTRUCTv2, record.extension.data(), record.extension.size());
}

}  // namespace

void CTagBIN_ACFG_ACHN_PRMSv2::ReadData(TagCursor data) {
  if (!IsPresent() || records_.empty()) return;
  const ByteReader in = BytesOf(data);
  uint64_t offset = 0;
  for (PARAMSTRUCTv2& record : records_) {
    if (!in.Has(offset, kSizePARAMSTRUCTv2)) ThrowTagError(kMsgTagDataUnreadable, *this);
    const ByteReader fixed = in.Sub(offset, kSizePARAMSTRUCTv2);
    DecodeRecord(record, fixed);
    const uint16_t length = ParamExtensionLength(record.code);
    if (!in.Has(offset + kSizePARAMSTRUCTv2, length)) ThrowTagError(kMsgTagDataUnreadable, *this);
    const ByteReader extension = in.Sub(offset + kSizePARAMSTRUCTv2, length);
    record.extension.assign(extension.data(), extension.data() + length);
    if (data.accumulator)
      *data.accumulator = UpdateCrc32(*data.accumulator, fixed.data(), kSizePARAMSTRUCTv2 + uint64_t(length));
    offset += kSizePARAMSTRUCTv2 + uint64_t(length);
  }
}

uint32_t CTagBIN_ACFG_ACHN_PRMSv2::GetRecordSize(std::size_t index) const {
  const std::size_t length = records_.at(index).extension.size();
  if (length > std::numeric_limits<uint16_t>::max()) ThrowTagError(kMsgTagDataUnwritable, *this);
  return kSizePARAMSTRUCTv2 + uint32_t(length);
}

void CTagBIN_ACFG_ACHN_PRMSv2::WriteRecord(ByteWriter destination, uint32_t* accumulator,
                                           const PARAMSTRUCTv2& record) const {
  EncodeParam(record, destination);
  if (accumulator) *accumulator = UpdateCrc32(*accumulator, destination.data(), destination.size());
}

std::vector<uint8_t> CTagBIN_ACFG_ACHN_PRMSv2::RecordImage(std::size_t index) const {
  const PARAMSTRUCTv2& record = records_.at(index);
  std::vector<uint8_t> bytes(kSizePARAMSTRUCTv2 + record.extension.size());
  EncodeParam(record, ByteWriter(bytes.data(), bytes.size()));
  return bytes;
}

}  // namespace vrk::bin
