// Filled tag trees of every version, for round trips, mangling and the fuzzing seeds.
#pragma once

#include <cstdint>
#include <vector>

#include "bin/tag_tree_v1.h"
#include "bin/tag_tree_v2.h"
#include "bin/tag_tree_v6.h"
#include "bin/tag_tree_v7.h"

namespace vrk::bin::testing {

// Only "CONF", "CFGH" and "CFGB" present.
template <class ROOT>
void FillMinimal(ROOT& root) {
  root.SetPresent(true);
  root.ConfigHeader().SetPresent(true);
  root.ConfigBody().SetPresent(true);
}

// Every tag of the version present, with lists of a few records and distinguishable values.
void FillFull(CTagBIN_CONFv1& root);
void FillFull(CTagBIN_CONFv2& root);
void FillFull(CTagBIN_CONFv6& root);
void FillFull(CTagBIN_CONFv7& root);

// WriteImage of a fresh root of type ROOT filled by FillFull (or FillMinimal).
template <class ROOT>
std::vector<uint8_t> FullImage();
template <class ROOT>
std::vector<uint8_t> MinimalImage();

}  // namespace vrk::bin::testing
