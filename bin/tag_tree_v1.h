// The tag tree of version-1 images, and the tags that later versions share with it.
//   "CONF" -> "CFGH" ("PBUS", "MBUS" + repeated "MCYC" + "DATA", "ALNR" + repeated "LNRC" + "DATA")
//          -> "CFGB" ("ANLG" + "DATA", "DISC" + "DATA", "COUT" + "DATA", "THRS" + "DATA", "RGPA" + "DATA",
//                     "CTAB", "MOUT" + "DATA")
// Fixed children are public members, named after their tags, listed by VisitChildren in image order.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "bin/data_tag_bin.h"
#include "bin/list_parent_tag_bin.h"
#include "bin/records_v1.h"
#include "bin/repeated_tag_bin.h"
#include "bin/tag_bin_conf.h"
#include "bin/tag_format.h"

namespace vrk::bin {

// A record list named "DATA", the usual child of a counting parent.
template <class RECORD>
class CDataListTagBIN_DATA : public CDataListTagBIN<RECORD> {
 public:
  CDataListTagBIN_DATA() : CDataListTagBIN<RECORD>(kTagDATA) {}
};

class CTagBIN_PBUS : public CDataTagBIN<PROFIBUS> {
 public:
  CTagBIN_PBUS() : CDataTagBIN(kTagPBUS) {}
};

using CTagBIN_MCYC_DATA = CDataListTagBIN_DATA<MODBUSCOMMAND>;

class CTagBIN_MCYC : public CListParentTagBIN<MODBUSCYCLE, &MODBUSCYCLE::commandCount, CTagBIN_MCYC_DATA> {
 public:
  CTagBIN_MCYC() : CListParentTagBIN(kTagMCYC) {}
};

class CTagBIN_MBUS : public CRepeatedTagBIN<MODBUS, CTagBIN_MCYC> {
 public:
  CTagBIN_MBUS() : CRepeatedTagBIN(kTagMBUS) {}
};

using CTagBIN_LNRC_DATA = CDataListTagBIN_DATA<LINEARPOINT>;

class CTagBIN_LNRC : public CListParentTagBIN<LINEARCONFIG, &LINEARCONFIG::pointCount, CTagBIN_LNRC_DATA> {
 public:
  CTagBIN_LNRC() : CListParentTagBIN(kTagLNRC) {}
};

class CTagBIN_ALNR : public CRepeatedTagBIN<LINEARHEADER, CTagBIN_LNRC> {
 public:
  CTagBIN_ALNR() : CRepeatedTagBIN(kTagALNR) {}
};

// Version-1 channel records: bytes 4..11 stay out of the CRC, and records of 56 bytes (without the twelve words
// at the end) are accepted.
class CTagBIN_ANLG_DATAv1 : public CDataListTagBIN_DATA<ANALOGCONFIGv1> {
 public:
  void FillCrcMask(Mask& mask) const override;
  bool CheckRecordSize(std::size_t index, uint32_t size) const override;
};

class CTagBIN_ANLGv1 : public CListParentTagBIN<ANALOGHEADERv1, &ANALOGHEADERv1::count, CTagBIN_ANLG_DATAv1> {
 public:
  CTagBIN_ANLGv1() : CListParentTagBIN(kTagANLG) {}
};

// Tacho channel records: records of 20 bytes (without reductor_coeff) are accepted.
class CTagBIN_DISC_DATA : public CDataListTagBIN_DATA<DISCRETGONFIG> {
 public:
  bool CheckRecordSize(std::size_t index, uint32_t size) const override;
};

class CTagBIN_DISC : public CListParentTagBIN<DISCRETHEADER, &DISCRETHEADER::count, CTagBIN_DISC_DATA> {
 public:
  CTagBIN_DISC() : CListParentTagBIN(kTagDISC) {}
};

using CTagBIN_COUT_DATA = CDataListTagBIN_DATA<CURRENTOUTCONFIG>;

class CTagBIN_COUT : public CListParentTagBIN<CURRENTOUTHEADER, &CURRENTOUTHEADER::count, CTagBIN_COUT_DATA> {
 public:
  CTagBIN_COUT() : CListParentTagBIN(kTagCOUT) {}
};

using CTagBIN_THRS_DATA = CDataListTagBIN_DATA<TRESHOLDCONFIG>;

class CTagBIN_THRS : public CListParentTagBIN<TRESHOLDHEADER, &TRESHOLDHEADER::count, CTagBIN_THRS_DATA> {
 public:
  CTagBIN_THRS() : CListParentTagBIN(kTagTHRS) {}
};

using CTagBIN_RGPA_DATA = CDataListTagBIN_DATA<RECOMENDATIONCONFIG>;

class CTagBIN_RGPA
    : public CListParentTagBIN<RECOMENDATIONHEADER, &RECOMENDATIONHEADER::count, CTagBIN_RGPA_DATA> {
 public:
  CTagBIN_RGPA() : CListParentTagBIN(kTagRGPA) {}
};

class CTagBIN_CTAB : public CDataTagBIN<CODETABLE> {
 public:
  CTagBIN_CTAB() : CDataTagBIN(kTagCTAB) {}
};

using CTagBIN_MOUT_DATA = CDataListTagBIN_DATA<MODBUSOUTCONFIG>;

class CTagBIN_MOUT : public CListParentTagBIN<MODBUSOUTHEADER, &MODBUSOUTHEADER::count, CTagBIN_MOUT_DATA> {
 public:
  CTagBIN_MOUT() : CListParentTagBIN(kTagMOUT) {}
};

class CTagBIN_CFGHv1 : public CConfigHeaderTagBIN {
 public:
  CTagBIN_CFGHv1();
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override;

  CTagBIN_PBUS pbus;
  CTagBIN_MBUS mbus;
  CTagBIN_ALNR alnr;
};

class CTagBIN_CFGBv1 : public CDataTagBIN<CONFIGBODYv1> {
 public:
  CTagBIN_CFGBv1();
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override;

  CTagBIN_ANLGv1 anlg;
  CTagBIN_DISC disc;
  CTagBIN_COUT cout;
  CTagBIN_THRS thrs;
  CTagBIN_RGPA rgpa;
  CTagBIN_CTAB ctab;
  CTagBIN_MOUT mout;
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
