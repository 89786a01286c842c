// Images of versions 1, 2, 3 and 6: each is read with its own tag tree and importer and carried up to version 7.
#include <gtest/gtest.h>

#include "converter_fixture.h"
#include "older_images.h"

namespace vrk::test {
namespace {

using OlderImages = ConverterTest;

struct Sample {
  const char* name;
  std::vector<uint8_t> image;
};

std::vector<Sample> Samples() {
  return {{"v1 minimal", Version1Image(ImageSize::kMinimal)}, {"v1 full", Version1Image(ImageSize::kFull)},
          {"v2 minimal", Version2Image(ImageSize::kMinimal)}, {"v2 full", Version2Image(ImageSize::kFull)},
          {"v3 full", Version6Image(ImageSize::kFull, 3)},    {"v2 word, v6 tree", Version6Image(ImageSize::kFull, 2)},
          {"v6 minimal", Version6Image(ImageSize::kMinimal)}, {"v6 full", Version6Image(ImageSize::kFull)}};
}

// Every version loads as version 7 and its image round-trips. What the full images hold after the upgrade is
// pinned by the fingerprints of their loadable seeds.
TEST_F(OlderImages, EveryVersionLoadsAsVersionSevenWithItsHeaderAndItsImageRoundTrips) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    ASSERT_EQ(PutImage(sample.image), S_OK) << error_;
    EXPECT_EQ(Get("VersionInfo\\version"), "7");
    EXPECT_EQ(Get("Header\\serial_number"), "1234");
    EXPECT_EQ(Get("Header\\SW_version"), "3.12");
    const std::vector<uint8_t> image = Image();
    ASSERT_EQ(PutImage(image), S_OK) << error_;
    EXPECT_EQ(Image(), image);
  }
}

}  // namespace
}  // namespace vrk::test
