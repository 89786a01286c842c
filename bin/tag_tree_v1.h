// The tag tree of version-1 images, and the tags that later versions share with it.
//   "CONF" -> "CFGH" ("PBUS", "MBUS" + repeated "MCYC" + "DATA", "ALNR" + repeated "LNRC" + "DATA")
//          -> "CFGB" ("ANLG" + "DATA", "DISC" + "DATA", "COUT" + "DATA", "THRS" + "DATA", "RGPA" + "DATA",
//                     "CTAB", "MOUT" + "DATA")
// Fixed children are public members, named after their tags, listed by VisitChildren in image order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <initializer_list>

#include "bin/data_tag_bin.h"
#include "bin/list_parent_tag_bin.h"
#include "bin/records_v1.h"
#include "bin/repeated_tag_bin.h"
#include "bin/tag_bin_conf.h"
#include "bin/tag_format.h"

namespace vrk::bin {

// TAG with the identifier ID: every tag of the tree has one fixed identifier.
template <uint32_t ID, class TAG>
class CFixedTagBIN : public TAG {
 public:
  CFixedTagBIN() : TAG(ID) {}
};

// A record list named "DATA", the usual child of a counting parent.
template <class RECORD>
using CDataListTagBIN_DATA = CFixedTagBIN<kTagDATA, CDataListTagBIN<RECORD>>;

// The tag ID whose record HEADER counts the records of its one child LIST in the field COUNT.
template <uint32_t ID, class HEADER, class LIST, auto COUNT = &HEADER::count>
using CCountingTagBIN = CFixedTagBIN<ID, CListParentTagBIN<HEADER, COUNT, LIST>>;

using CTagBIN_PBUS = CFixedTagBIN<kTagPBUS, CDataTagBIN<PROFIBUS>>;
using CTagBIN_MCYC =
    CCountingTagBIN<kTagMCYC, MODBUSCYCLE, CDataListTagBIN_DATA<MODBUSCOMMAND>, &MODBUSCYCLE::commandCount>;
using CTagBIN_MBUS = CFixedTagBIN<kTagMBUS, CRepeatedTagBIN<MODBUS, CTagBIN_MCYC>>;
using CTagBIN_LNRC =
    CCountingTagBIN<kTagLNRC, LINEARCONFIG, CDataListTagBIN_DATA<LINEARPOINT>, &LINEARCONFIG::pointCount>;
using CTagBIN_ALNR = CFixedTagBIN<kTagALNR, CRepeatedTagBIN<LINEARHEADER, CTagBIN_LNRC>>;

// Version-1 channel records: bytes 4..11 stay out of the CRC, and records of 56 bytes (without the twelve words
// at the end) are accepted.
class CTagBIN_ANLG_DATAv1 : public CDataListTagBIN_DATA<ANALOGCONFIGv1> {
 public:
  void FillCrcMask(Mask& mask) const override;
  bool CheckRecordSize(std::size_t index, uint32_t size) const override;
};

// Tacho channel records: records of 20 bytes (without reductor_coeff) are accepted.
class CTagBIN_DISC_DATA : public CDataListTagBIN_DATA<DISCRETGONFIG> {
 public:
  bool CheckRecordSize(std::size_t index, uint32_t size) const override;
};

using CTagBIN_ANLGv1 = CCountingTagBIN<kTagANLG, ANALOGHEADERv1, CTagBIN_ANLG_DATAv1>;
using CTagBIN_DISC = CCountingTagBIN<kTagDISC, DISCRETHEADER, CTagBIN_DISC_DATA>;
using CTagBIN_COUT = CCountingTagBIN<kTagCOUT, CURRENTOUTHEADER, CDataListTagBIN_DATA<CURRENTOUTCONFIG>>;
using CTagBIN_THRS = CCountingTagBIN<kTagTHRS, TRESHOLDHEADER, CDataListTagBIN_DATA<TRESHOLDCONFIG>>;
using CTagBIN_RGPA = CCountingTagBIN<kTagRGPA, RECOMENDATIONHEADER, CDataListTagBIN_DATA<RECOMENDATIONCONFIG>>;
using CTagBIN_CTAB = CFixedTagBIN<kTagCTAB, CDataTagBIN<CODETABLE>>;
using CTagBIN_MOUT = CCountingTagBIN<kTagMOUT, MODBUSOUTHEADER, CDataListTagBIN_DATA<MODBUSOUTCONFIG>>;

class CTagBIN_CFGHv1 : public CConfigHeaderTagBIN {
 public:
  CTagBIN_CFGHv1();
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override;

  CTagBIN_PBUS pbus;
  CTagBIN_MBUS mbus;
  CTagBIN_ALNR alnr;
};

// The children a body of every version has after its vibration channels, in image order; a deriving body
// visits its channels, then these, then its own later ones.
template <class BODY, class MOUT>
class CTagBIN_CFGB : public CDataTagBIN<BODY> {
 public:
  CTagBIN_CFGB() : CDataTagBIN<BODY>(kTagCFGB) { this->SetMandatory(true); }

  CTagBIN_DISC disc;
  CTagBIN_COUT cout;
  CTagBIN_THRS thrs;
  CTagBIN_RGPA rgpa;
  CTagBIN_CTAB ctab;
  MOUT mout;

 protected:
  void VisitSharedChildren(const std::function<void(CNodeTagBIN&)>& visit) {
    for (CNodeTagBIN* child : std::initializer_list<CNodeTagBIN*>{&disc, &cout, &thrs, &rgpa, &ctab, &mout})
      visit(*child);
  }
};

class CTagBIN_CFGBv1 : public CTagBIN_CFGB<CONFIGBODYv1, CTagBIN_MOUT> {
 public:
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    visit(anlg);
    VisitSharedChildren(visit);
  }

  CTagBIN_ANLGv1 anlg;
};

// The version-1 root writes its one-byte header as an empty data area and reads any data size, taking the first
// byte if there is one.
class CTagBIN_CONFv1
    : public CTagBIN_CONF<ROOTHEADERv1, CTagBIN_CFGHv1, CTagBIN_CFGBv1, ConfigCrcCheck::kParsedOrLegacyBody> {
 public:
  uint32_t GetRecordSize(std::size_t index) const override;
  bool CheckRecordSize(std::size_t index, uint32_t size) const override;
};

}  // namespace vrk::bin
