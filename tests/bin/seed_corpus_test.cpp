// The fuzzing seeds in fuzz/corpus are images that this component writes. With VRK_WRITE_CORPUS set to a
// directory, the generator test writes them there; otherwise the committed seeds are checked to be exactly what
// the code writes today, so that a change of the image layout also refreshes the seeds.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "bin/bin_image.h"
#include "image_builder.h"
#include "sample_trees.h"

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

const std::filesystem::path kCorpus = std::filesystem::path(VRK_SOURCE_DIR) / "fuzz" / "corpus";

TEST(SeedCorpus, CommittedSeedsAreWhatTheCodeWrites) {
  if (const char* target = std::getenv("VRK_WRITE_CORPUS")) {
    std::filesystem::create_directories(target);
    for (const auto& [name, image] : Seeds()) {
      std::ofstream out(std::filesystem::path(target) / name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
      ASSERT_TRUE(out.good()) << name;
    }
  }
  for (const auto& [name, image] : Seeds()) {
    std::ifstream in(kCorpus / name, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing seed " << name;
    EXPECT_EQ(Bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), image) << name;
    EXPECT_EQ(ReadResult(image), "") << name;
  }
}

}  // namespace
}  // namespace vrk::bin::testing
