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

using CTagBIN_MOUTv3 = CCountingTagBIN<kTagMOUT, MODBUSOUTHEADER, CDataListTagBIN_DATA<MODBUSOUTCONFIGv3>>;
using CTagBIN_MCYCv3 = CCountingTagBIN<kTagMCYC, MODBUSCYCLE, CFixedTagBIN<kTagMCMD, CDataListTagBIN<MODBUSCOMMANDv3>>,
                                       &MODBUSCYCLE::commandCount>;
using CTagBIN_MBMC = CFixedTagBIN<kTagMBMC, CRepeatedTagBIN<MODBUSCYCLEHEADER, CTagBIN_MCYCv3>>;
using CTagBIN_TSTM = CCountingTagBIN<kTagTSTM, TSTMHEADER, CDataListTagBIN_DATA<TSTMOUTCONFIG>>;

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

using CTagBIN_MBINv6 = CCountingTagBIN<kTagMBIN, MODBUSINPUTHEADER, CDataListTagBIN_DATA<MODBUSINPUTCONFIGv6>>;

// The body of versions 6 and 7, which differ only in their vibration channels.
template <class ACFG>
class CTagBIN_CFGB_v6Layout : public CTagBIN_CFGB<CONFIGBODYv2, CTagBIN_MOUTv3> {
 public:
  void VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) override {
    visit(acfg);
    this->VisitSharedChildren(visit);
    visit(mbmc);
    visit(test);
    visit(rele);
    visit(mbin);
  }

  ACFG acfg;
  CTagBIN_MBMC mbmc;
  CTagBIN_TEST test;
  CTagBIN_RELE rele;
  CTagBIN_MBINv6 mbin;
};

class CTagBIN_CFGBv6 : public CTagBIN_CFGB_v6Layout<CTagBIN_ACFGv2> {};

class CTagBIN_CONFv6
    : public CTagBIN_CONF<ROOTHEADERv6, CTagBIN_CFGHv2, CTagBIN_CFGBv6, ConfigCrcCheck::kRawBody> {};

}  // namespace vrk::bin
