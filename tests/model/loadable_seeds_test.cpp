// Seeds of every older version that load through the converter (the seeds of the tag-tree tests only read as
// trees): the fuzzers start from configurations that reach the importers and the upgrade, and the command-line
// tests use them as older images.
#include "bin/seed_files.h"
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

using LoadableSeedCorpus = ConverterTest;

TEST_F(LoadableSeedCorpus, CommittedSeedsAreWhatTheBuildersMakeAndLoad) {
  CheckCommittedSeeds(LoadableSeeds(), [&](const std::string& name, const std::vector<uint8_t>& image) {
    EXPECT_EQ(PutImage(image), S_OK) << name << ": " << error_;
  });
}

}  // namespace
}  // namespace vrk::test
