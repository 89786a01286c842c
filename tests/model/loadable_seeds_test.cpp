// Seeds of every older version that load through the converter (the seeds of the tag-tree tests only read as
// trees): the fuzzers start from configurations that reach the importers and the upgrade, and the command-line
// tests use them as older images. With VRK_WRITE_CORPUS set to a directory they are written there; otherwise the
// committed ones are checked to be exactly what the builders make, and to load.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>

#include "converter_fixture.h"
#include "older_images.h"

namespace vrk::test {
namespace {

std::map<std::string, std::vector<uint8_t>> LoadableSeeds() {
  return {{"loadable_v1_full.bin", Version1Image(ImageSize::kFull)},
          {"loadable_v2_full.bin", Version2Image(ImageSize::kFull)},
          {"loadable_v3_full.bin", Version6Image(ImageSize::kFull, 3)},
          {"loadable_v6_full.bin", Version6Image(ImageSize::kFull)}};
}

const std::filesystem::path kCorpus = std::filesystem::path(VRK_SOURCE_DIR) / "fuzz" / "corpus";

class LoadableSeedCorpus : public ConverterTest {};

TEST_F(LoadableSeedCorpus, CommittedSeedsAreWhatTheBuildersMakeAndLoad) {
  if (const char* target = std::getenv("VRK_WRITE_CORPUS")) {
    std::filesystem::create_directories(target);
    for (const auto& [name, image] : LoadableSeeds()) {
      std::ofstream out(std::filesystem::path(target) / name, std::ios::binary);
      out.write(reinterpret_cast<const char*>(image.data()), std::streamsize(image.size()));
      ASSERT_TRUE(out.good()) << name;
    }
  }
  for (const auto& [name, image] : LoadableSeeds()) {
    std::ifstream in(kCorpus / name, std::ios::binary);
    ASSERT_TRUE(in.good()) << "missing seed " << name;
    EXPECT_EQ(std::vector<uint8_t>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>()), image)
        << name;
    EXPECT_EQ(PutImage(image), S_OK) << name << ": " << error_;
  }
}

}  // namespace
}  // namespace vrk::test
