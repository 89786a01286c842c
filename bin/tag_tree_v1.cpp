// The version-1 tree: child order and the record rules that differ from the generic ones.
#include "bin/tag_tree_v1.h"

namespace vrk::bin {

void CTagBIN_ANLG_DATAv1::FillCrcMask(Mask& mask) const {
  mask.fill(0xFF);
  for (uint32_t i = kAnalogV1CrcSkipBegin; i < kAnalogV1CrcSkipEnd; ++i) mask[i] = 0;
}

bool CTagBIN_ANLG_DATAv1::CheckRecordSize(std::size_t, uint32_t size) const {
  return size >= kMinSizeANALOGCONFIGv1;
}

bool CTagBIN_DISC_DATA::CheckRecordSize(std::size_t, uint32_t size) const { return size >= kMinSizeDISCRETGONFIG; }

CTagBIN_CFGHv1::CTagBIN_CFGHv1() : CConfigHeaderTagBIN(kTagCFGH) { SetMandatory(true); }

void CTagBIN_CFGHv1::VisitChildren(const std::function<void(CNodeTagBIN&)>& visit) {
  visit(pbus);
  visit(mbus);
  visit(alnr);
}

uint32_t CTagBIN_CONFv1::GetRecordSize(std::size_t) const { return 0; }

bool CTagBIN_CONFv1::CheckRecordSize(std::size_t, uint32_t) const { return true; }

}  // namespace vrk::bin
