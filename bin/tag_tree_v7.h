// The tag tree of version-7 images, the only one the component writes for its caller: as version 6, except that
// the vibration channels carry the 16-byte ACHANCONFIGv7 record.
#pragma once

#include "bin/records_v7.h"
#include "bin/tag_tree_v6.h"

namespace vrk::bin {

using CTagBIN_ACFG_ACHNv7 = CTagBIN_ACFG_ACHN<ACHANCONFIGv7>;

class CTagBIN_ACFGv7 : public CTagBIN_ACFG<CTagBIN_ACFG_ACHNv7> {};

class CTagBIN_CFGBv7 : public CTagBIN_CFGB_v6Layout<CTagBIN_ACFGv7> {};

class CTagBIN_CONFv7
    : public CTagBIN_CONF<ROOTHEADERv7, CTagBIN_CFGHv2, CTagBIN_CFGBv7, ConfigCrcCheck::kRawBody> {};

}  // namespace vrk::bin
