// CDataTagBIN<RECORD>: a tag that holds records of one type. Its data area is its records back to back; every
// record in one image has the same size, data size / record count, which may exceed the known size (a later
// device's longer record: the extra bytes are ignored but still count in the CRC) and may fall short of it only
// where CheckRecordSize allows (the missing tail keeps the record's previous value).
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "bin/crc32.h"
#include "bin/node_tag_bin.h"
#include "bin/record_codec.h"
#include "interface/message_ids.h"

namespace vrk::bin {

template <class RECORD>
class CDataTagBIN : public CNodeTagBIN {
 public:
  using RecordType = RECORD;
  using Mask = std::array<uint8_t, RECORD::kSize>;

  // A tag holding one default record.
  explicit CDataTagBIN(uint32_t id) : CNodeTagBIN(id), records_(1) {}
  // A tag holding `count` default records.
  CDataTagBIN(uint32_t id, std::size_t count) : CNodeTagBIN(id), records_(count) {}

  std::vector<RECORD>& Records() { return records_; }
  const std::vector<RECORD>& Records() const { return records_; }
  // The first record; throws std::out_of_range when the list is empty.
  RECORD& Record() { return records_.at(0); }
  const RECORD& Record() const { return records_.at(0); }

  // Marks the record bytes that count in the CRC with 0xFF and the skipped ones with 0. Default: all count.
  virtual void FillCrcMask(Mask& mask) const { mask.fill(0xFF); }
  // Bytes that record `index` takes in the image.
  virtual uint32_t GetRecordSize(std::size_t) const { return RECORD::kSize; }
  // Whether a per-record size found on reading is acceptable. Default: at least GetRecordSize.
  virtual bool CheckRecordSize(std::size_t index, uint32_t size) const { return size >= GetRecordSize(index); }
  // Writes the first destination.size() bytes of `record`, zeros past its known size, and updates the register
  // over them through the mask.
  virtual void WriteRecord(ByteWriter destination, uint32_t* accumulator, const RECORD& record) const {
    const auto bytes = RecordBytes(record);
    const uint64_t known = std::min<uint64_t>(destination.size(), bytes.size());
    destination.PutBytes(0, bytes.data(), known);
    destination.Fill(known, 0, destination.size() - known);
    UpdateWithMask(accumulator, destination.data(), destination.size());
  }

  // Reads c records of data.remaining / c bytes each, c being the current record count. A tag with no records skips its
  // data unread. Throws kMsgTagDataUnreadable when the data does not divide into c records of an acceptable size.
  void ReadData(TagCursor data) override {
    const std::size_t count = records_.size();
    if (!IsPresent() || count == 0) return;
    if (data.remaining % count != 0) ThrowTagError(kMsgTagDataUnreadable, *this);
    const uint32_t size = uint32_t(data.remaining / count);
    if (!CheckRecordSize(0, size)) ThrowTagError(kMsgTagDataUnreadable, *this);
    const ByteReader in = BytesOf(data);
    for (std::size_t i = 0; i < count; ++i) ReadRecord(in.Sub(uint64_t(i) * size, size), data.accumulator, records_[i]);
  }

  // Throws kMsgTagDataUnwritable when the records do not fit the data area.
  void WriteData(TagWriteCursor data) override {
    if (GetDataSize() > data.remaining) ThrowTagError(kMsgTagDataUnwritable, *this);
    if (!IsPresent()) return;
    ByteWriter out = BytesOf(data);
    uint64_t offset = 0;
    for (std::size_t i = 0; i < records_.size(); ++i) {
      const uint32_t size = GetRecordSize(i);
      WriteRecord(out.Sub(offset, size), data.accumulator, records_[i]);
      offset += size;
    }
  }

  uint64_t GetDataSize() const override {
    if (!IsPresent()) return 0;
    uint64_t size = 0;
    for (std::size_t i = 0; i < records_.size(); ++i) size += GetRecordSize(i);
    return size;
  }

  std::size_t RecordCount() const override { return records_.size(); }
  std::vector<uint8_t> RecordImage(std::size_t index) const override {
    const auto bytes = RecordBytes(records_.at(index));
    return {bytes.begin(), bytes.end()};
  }

 protected:
  // Copies min(source.size(), kSize) bytes over the record, the rest keeping its value, and updates the register
  // over all source bytes through the mask.
  void ReadRecord(ByteReader source, uint32_t* accumulator, RECORD& record) const {
    auto bytes = RecordBytes(record);
    source.Bytes(0, bytes.data(), std::min<uint64_t>(source.size(), bytes.size()));
    DecodeRecord(record, ByteReader(bytes.data(), bytes.size()));
    UpdateWithMask(accumulator, source.data(), source.size());
  }

  void UpdateWithMask(uint32_t* accumulator, const uint8_t* bytes, std::size_t length) const {
    if (!accumulator) return;
    Mask mask;
    FillCrcMask(mask);
    *accumulator = UpdateCrc32(*accumulator, bytes, length, mask.data(), mask.size());
  }

  std::vector<RECORD> records_;
};

// A record list whose count its parent sets from its own record before the list is read; created empty.
template <class RECORD>
class CDataListTagBIN : public CDataTagBIN<RECORD> {
 public:
  explicit CDataListTagBIN(uint32_t id) : CDataTagBIN<RECORD>(id, 0) {}
};

}  // namespace vrk::bin
