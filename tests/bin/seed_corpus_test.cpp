// The fuzzing seeds in fuzz/corpus are images that this component writes, minimal and full ones of each tag tree.
#include <gtest/gtest.h>

#include "bin/bin_image.h"
#include "image_builder.h"
#include "sample_trees.h"
#include "seed_files.h"

namespace vrk::bin::testing {
namespace {

std::map<std::string, Bytes> Seeds() {
  CTagBIN_CONFv6 version3;
  FillFull(version3);
  version3.Record().version = 3;
  return {
      {"v1_minimal.bin", MinimalImage<CTagBIN_CONFv1>()}, {"v1_full.bin", FullImage<CTagBIN_CONFv1>()},
      {"v2_minimal.bin", MinimalImage<CTagBIN_CONFv2>()}, {"v2_full.bin", FullImage<CTagBIN_CONFv2>()},
      {"v6_minimal.bin", MinimalImage<CTagBIN_CONFv6>()}, {"v6_full.bin", FullImage<CTagBIN_CONFv6>()},
      {"v3_full.bin", WriteImage(version3)},               {"v7_minimal.bin", MinimalImage<CTagBIN_CONFv7>()},
      {"v7_full.bin", FullImage<CTagBIN_CONFv7>()},
  };
}

TEST(SeedCorpus, CommittedSeedsAreWhatTheCodeWritesAndRead) {
  test::CheckCommittedSeeds(Seeds(), [](const std::string& name, const Bytes& image) {
    EXPECT_EQ(ReadResult(image), "") << name;
  });
}

}  // namespace
}  // namespace vrk::bin::testing
