// The tag tree of version-2 images, and the tags that versions 6 and 7 share with it.
//   "CONF" -> "CFGH" ("PBUS", "MBUS" + repeated "MCYC" + "DATA", "ALNR" + repeated "LNRC" + "DATA",
//                     "ASNS" + "DATA")
//          -> "CFGB" ("ACFG" + counted "ACHN" + "PRMS", "DISC" + "DATA", "COUT" + "DATA", "THRS" + "DATA",
//                     "RGPA" + "DATA", "CTAB", "MOUT" + "DATA")
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "bin/records_v2.h"
#include "bin/tag_tree_v1.h"

namespace vrk::bin {

using CTagBIN_ASNSv2 = CCountingTagBIN<kTagASNS, ASENSHEAD, CDataListTagBIN_DATA<SENSECONFIG>>;

// The version-1 header with the sensor list after its other children.
class CTagBIN_CFGHv2 : public CTagBIN_CFGHv1 {
 public:
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    CTagBIN_CFGHv1::VisitChildren(visit);
    visit(asns);
  }

  CTagBIN_ASNSv2 asns;
};

// The parameters of one vibration channel. Each record is 14 bytes followed by an extension whose length the
// parameter code decides on reading (the stored length is not trusted); on writing the extension is written as
// held and its length stored at byte 12. The CRC counts every byte, without a mask.
class CTagBIN_ACFG_ACHN_PRMSv2 : public CDataListTagBIN<PARAMSTRUCTv2> {
 public:
  CTagBIN_ACFG_ACHN_PRMSv2() : CDataListTagBIN(kTagPRMS) {}

  // Reads the records one after the other; throws kMsgTagDataUnreadable when one of them, with its extension, runs past
  // the data area. Bytes after the last record are skipped.
  void ReadData(TagCursor data) override;
  // 14 + the extension's length; throws kMsgTagDataUnwritable when the extension is longer than its u16 length can
  // state.
  uint32_t GetRecordSize(std::size_t index) const override;
  void WriteRecord(ByteWriter destination, uint32_t* accumulator, const PARAMSTRUCTv2& record) const override;
  std::vector<uint8_t> RecordImage(std::size_t index) const override;
};

// "ACHN": one vibration channel, with its parameters in "PRMS" counted at byte 12 of its record.
template <class ACHANCONFIG>
class CTagBIN_ACFG_ACHN
    : public CListParentTagBIN<ACHANCONFIG, &ACHANCONFIG::paramCount, CTagBIN_ACFG_ACHN_PRMSv2> {
 public:
  CTagBIN_ACFG_ACHN()
      : CListParentTagBIN<ACHANCONFIG, &ACHANCONFIG::paramCount, CTagBIN_ACFG_ACHN_PRMSv2>(kTagACHN) {}
};

using CTagBIN_ACFG_ACHNv2 = CTagBIN_ACFG_ACHN<ACHANCONFIGv2>;

// "ACFG": the vibration channels. Its record counts the "ACHN" tags; on reading the list is rebuilt with that
// many, and those that the image does not hold stay in the list as absent tags.
template <class ACHN>
class CTagBIN_ACFG : public CDataTagBIN<ANALOGHEADERv2> {
 public:
  CTagBIN_ACFG() : CDataTagBIN(kTagACFG) {}

  std::vector<std::unique_ptr<ACHN>>& Channels() { return channels_; }
  const std::vector<std::unique_ptr<ACHN>>& Channels() const { return channels_; }
  // Appends a new, absent channel and returns it, never null.
  ACHN& AddChannel() { return *channels_.emplace_back(std::make_unique<ACHN>()); }

  void ReadChildren(TagCursor& cursor) override {
    const std::size_t count = Record().count;
    channels_.clear();
    channels_.reserve(count);
    for (std::size_t i = 0; i < count; ++i) channels_.push_back(std::make_unique<ACHN>());
    for (auto& channel : channels_) ReadTag(*channel, cursor);
  }

  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    for (auto& channel : channels_) visit(*channel);
  }

 private:
  std::vector<std::unique_ptr<ACHN>> channels_;
};

class CTagBIN_ACFGv2 : public CTagBIN_ACFG<CTagBIN_ACFG_ACHNv2> {};

class CTagBIN_CFGBv2 : public CTagBIN_CFGB<CONFIGBODYv2, CTagBIN_MOUT> {
 public:
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    visit(acfg);
    VisitSharedChildren(visit);
  }

  CTagBIN_ACFGv2 acfg;
};

class CTagBIN_CONFv2
    : public CTagBIN_CONF<ROOTHEADERv2, CTagBIN_CFGHv2, CTagBIN_CFGBv2, ConfigCrcCheck::kParsedBody> {};

}  // namespace vrk::bin
