// Images of versions 1, 2, 3 and 6: each is read with its own tag tree and importer, carried up to version 7,
// and a damaged one fails with the messages of any damaged image.
#include <gtest/gtest.h>

#include <set>

#include "bin/tag_bin_conf.h"
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

// Every version loads as version 7 and its image round-trips; what the full images hold survives the upgrade.
TEST_F(OlderImages, EveryVersionLoadsAsVersionSevenKeepingItsValuesAndItsImageRoundTrips) {
  const std::string ch = "VibroChannels\\VibroChannel\\";
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    ASSERT_EQ(PutImage(sample.image), S_OK) << error_;
    EXPECT_EQ(Get("VersionInfo\\version"), "7");
    EXPECT_EQ(Get("Header\\serial_number"), "1234");
    EXPECT_EQ(Get("Header\\SW_version"), "3.12");
    if (std::string(sample.name).find("full") != std::string::npos) {
      const bool v1 = sample.name[1] == '1';
      const bool v2 = std::string(sample.name) == "v2 full";
      EXPECT_EQ(Get("TachoChannels\\TachoChannel\\maxvalue", Key(1)), "100");
      EXPECT_EQ(Get("TachoChannels\\TachoChannel\\start_stop_region\\start_level", Key(1)), "50");
      EXPECT_EQ(Get("current-outputs\\Output\\Tag\\ParamNum", Key(1)), "1");
      EXPECT_EQ(Get("Modbus\\Tables\\Table\\count", Key(4)), "37");
      EXPECT_EQ(Get("Modbus\\Slave_outputs\\Output\\Tag\\ParamMin", Key(1)), v1 || v2 ? "819" : "100");
      EXPECT_EQ(Get(ch + "unit", Key(1)), "102");
      EXPECT_EQ(Get(ch + "hpf", Key(1)), "0");
      // Version 1 measures one overall RMS value over a frequency range: it becomes the channel's absolute band.
      EXPECT_EQ(Get(ch + "Absolute_bands\\band\\high_freq", At({0, 0})), v1 ? "1000" : "500");
      EXPECT_EQ(Get(ch + "Absolute_bands\\band\\maxvalue", At({0, 0})), "100");
      EXPECT_EQ(Get(ch + "param\\unit", Key(1)), "102");
    }
    const std::vector<uint8_t> image = Image();
    ASSERT_EQ(PutImage(image), S_OK) << error_;
    EXPECT_EQ(Image(), image);
  }
}

// The messages a damaged image may give: the tag layer's, with the tag concerned.
bool IsImageMessage(const std::string& text) {
  for (const char* start : {"Tag header cannot be read", "No mandatory tag", "The size of the tag",
                            "Header of the tag", "Data of tag", "CRC error in the BIN-file"})
    if (text.starts_with(start)) return true;
  return false;
}

TEST_F(OlderImages, TruncationAtEveryLengthFailsCleanlyAndAChangedBodyByteIsACrcError) {
  for (const Sample& sample : Samples()) {
    SCOPED_TRACE(sample.name);
    for (std::size_t length = 0; length < sample.image.size(); ++length) {
      const std::vector<uint8_t> cut(sample.image.begin(), sample.image.begin() + std::ptrdiff_t(length));
      ASSERT_EQ(PutImage(cut), E_FAIL) << length << " of " << sample.image.size();
      EXPECT_TRUE(IsImageMessage(error_)) << length << ": " << error_;
    }
    std::vector<uint8_t> damaged = sample.image;
    damaged.back() ^= 0x40;  // the last byte belongs to the body's last record
    ASSERT_EQ(PutImage(damaged), E_FAIL);
    EXPECT_EQ(error_, "CRC error in the BIN-file");
  }
}

// Version-1 devices computed the CRC over the raw body with the sensor calibration left out; such images load.
TEST_F(OlderImages, VersionOneImagesWithTheLegacyBodyCrcLoad) {
  std::vector<uint8_t> image = Version1Image(ImageSize::kFull);
  const std::size_t crc_at = bin::kTagHeaderSize + bin::kTagHeaderSize + bin::kConfigCrcOffset;
  const std::size_t cfgh_content = bin::ByteReader(image.data(), image.size()).U32(bin::kTagHeaderSize + 4);
  const std::size_t body_at = bin::kTagHeaderSize + bin::kTagHeaderSize + cfgh_content;
  const uint32_t legacy = bin::LegacyBodyCrc(bin::ByteReader(image.data() + body_at, image.size() - body_at));
  for (int i = 0; i < 4; ++i) image[crc_at + i] = uint8_t(legacy >> (8 * i));
  ASSERT_EQ(PutImage(image), S_OK) << error_;
  image[crc_at] ^= 1;
  EXPECT_EQ(PutImage(image), E_FAIL);
  EXPECT_EQ(error_, "CRC error in the BIN-file");
}

}  // namespace
}  // namespace vrk::test
