// The tag tree of version-6 images (also read for version words 2 and 3), and the tags that version 7 shares.
//   "CONF" -> "CFGH" as in version 2
//          -> "CFGB" ("ACFG" + counted "ACHN" + "PRMS", "DISC" + "DATA", "COUT" + "DATA", "THRS" + "DATA",
//                     "RGPA" + "DATA", "CTAB", "MOUT" + "DATA", "MBMC" + repeated "MCYC" + "MCMD",
//                     "TEST" + "TSTM" + "DATA", "RELE" + "DLWA", "MBIN" + "DATA")
#pragma once

#include <cstdint>
#include <functional>

#include "bin/records_v6.h"
#include "bin/tag_tree_v2.h"

namespace vrk::bin {

using CTagBIN_MOUT_DATAv3 = CDataListTagBIN_DATA<MODBUSOUTCONFIGv3>;

class CTagBIN_MOUTv3 : public CListParentTagBIN<MODBUSOUTHEADER, &MODBUSOUTHEADER::count, CTagBIN_MOUT_DATAv3> {
 public:
  CTagBIN_MOUTv3() : CListParentTagBIN(kTagMOUT) {}
};

class CTagBIN_MCYC_MCMD : public CDataListTagBIN<MODBUSCOMMANDv3> {
 public:
  CTagBIN_MCYC_MCMD() : CDataListTagBIN(kTagMCMD) {}
};

class CTagBIN_MCYCv3 : public CListParentTagBIN<MODBUSCYCLE, &MODBUSCYCLE::commandCount, CTagBIN_MCYC_MCMD> {
 public:
  CTagBIN_MCYCv3() : CListParentTagBIN(kTagMCYC) {}
};

class CTagBIN_MBMC : public CRepeatedTagBIN<MODBUSCYCLEHEADER, CTagBIN_MCYCv3> {
 public:
  CTagBIN_MBMC() : CRepeatedTagBIN(kTagMBMC) {}
};

using CTagBIN_TSTM_DATA = CDataListTagBIN_DATA<TSTMOUTCONFIG>;

class CTagBIN_TSTM : public CListParentTagBIN<TSTMHEADER, &TSTMHEADER::count, CTagBIN_TSTM_DATA> {
 public:
  CTagBIN_TSTM() : CListParentTagBIN(kTagTSTM) {}
};

class CTagBIN_TEST : public CDataTagBIN<TESTHEADER> {
 public:
  CTagBIN_TEST() : CDataTagBIN(kTagTEST) {}
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override { visit(tstm); }

  CTagBIN_TSTM tstm;
};

// The two relay delays (warning, alarm): a fixed count that no parent sets.
class CTagBIN_DLWA : public CDataTagBIN<DELAY> {
 public:
  static constexpr std::size_t kDelayCount = 2;
  CTagBIN_DLWA() : CDataTagBIN(kTagDLWA, kDelayCount) {}
};

// "RELE" holds no records of its own.
class CTagBIN_RELE : public CNodeTagBIN {
 public:
  CTagBIN_RELE() : CNodeTagBIN(kTagRELE) {}
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override { visit(dlwa); }

  CTagBIN_DLWA dlwa;
};

using CTagBIN_MBIN_DATAv6 = CDataListTagBIN_DATA<MODBUSINPUTCONFIGv6>;

class CTagBIN_MBINv6 : public CListParentTagBIN<MODBUSINPUTHEADER, &MODBUSINPUTHEADER::count, CTagBIN_MBIN_DATAv6> {
 public:
  CTagBIN_MBINv6() : CListParentTagBIN(kTagMBIN) {}
};

// The body of versions 6 and 7, which differ only in their vibration channels.
template <class ACFG>
class CTagBIN_CFGB_v6Layout : public CDataTagBIN<CONFIGBODYv2> {
 public:
  CTagBIN_CFGB_v6Layout() : CDataTagBIN(kTagCFGB) { SetMandatory(true); }
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    visit(acfg);
    visit(disc);
    visit(cout);
    visit(thrs);
    visit(rgpa);
    visit(ctab);
    visit(mout);
    visit(mbmc);
    visit(test);
    visit(rele);
    visit(mbin);
  }

  ACFG acfg;
  CTagBIN_DISC disc;
  CTagBIN_COUT cout;
  CTagBIN_THRS thrs;
  CTagBIN_RGPA rgpa;
  CTagBIN_CTAB ctab;
  CTagBIN_MOUTv3 mout;
  CTagBIN_MBMC mbmc;
  CTagBIN_TEST test;
  CTagBIN_RELE rele;
  CTagBIN_MBINv6 mbin;
};

class CTagBIN_CFGBv6 : public CTagBIN_CFGB_v6Layout<CTagBIN_ACFGv2> {};

class CTagBIN_CONFv6
    : public CTagBIN_CONF<ROOTHEADERv6, CTagBIN_CFGHv2, CTagBIN_CFGBv6, ConfigCrcCheck::kRawBody> {};

}  // namespace vrk::bin
