// Which bytes the configuration CRC covers in each version, and the legacy CRC of version-1 devices.
#include <gtest/gtest.h>

#include "bin/tag_bin_conf.h"
#include "image_builder.h"
#include "sample_trees.h"

namespace vrk::bin::testing {
namespace {

const char kCrcError[] = "CRC error in the BIN-file";

struct Offsets {
  std::size_t cfgh, cfgb;
};

// Where "CFGH" and "CFGB" start in an image written by the component.
Offsets Locate(const Bytes& image) {
  const ByteReader in(image.data(), image.size());
  const std::size_t cfgh = kTagHeaderSize + in.U32(kHeaderDataSizeOffset);
  return {cfgh, cfgh + kTagHeaderSize + in.U32(cfgh + kHeaderContentSizeOffset)};
}

Bytes Flipped(Bytes image, std::size_t at) {
  image.at(at) ^= 0x5A;
  return image;
}

// Appends `extra` at the end of "CFGB", the last tag of the root, and enlarges both tags.
Bytes AppendToBody(Bytes image, const Bytes& extra) {
  const Offsets at = Locate(image);
  const ByteReader in(image.data(), image.size());
  Put32(image, kHeaderContentSizeOffset, in.U32(kHeaderContentSizeOffset) + uint32_t(extra.size()));
  Put32(image, at.cfgb + kHeaderContentSizeOffset,
        in.U32(at.cfgb + kHeaderContentSizeOffset) + uint32_t(extra.size()));
  image.insert(image.end(), extra.begin(), extra.end());
  return image;
}

// Stores in "CFGH" the CRC that a parse of "CFGB" with the tree of CFGB computes.
template <class CFGB>
Bytes WithParsedBodyCrc(Bytes image) {
  const Offsets at = Locate(image);
  uint32_t crc = kCrc32Initial;
  TagCursor cursor{image.data() + at.cfgb, uint32_t(image.size() - at.cfgb), &crc};
  CFGB body;
  ReadTag(body, cursor);
  Put32(image, at.cfgh + kTagHeaderSize + kConfigCrcOffset, crc);
  return image;
}

template <class ROOT>
void ExpectRawBodyCoverage() {
  const Bytes image = FullImage<ROOT>();
  const Offsets at = Locate(image);
  for (std::size_t i = at.cfgb; i < image.size(); ++i) EXPECT_EQ(ReadResult(Flipped(image, i)), kCrcError) << i;
  const std::size_t record = at.cfgh + kTagHeaderSize;
  for (std::size_t i = record; i < record + kSizeCONFIGHEADER; ++i) {
    const bool crc_field = i >= record + kConfigCrcOffset;
    EXPECT_EQ(ReadResult(Flipped(image, i)), crc_field ? kCrcError : "") << i;
  }
  // The "PBUS" record, inside a child of "CFGH".
  const std::size_t pbus_record = record + kSizeCONFIGHEADER + kTagHeaderSize;
  for (std::size_t i = pbus_record; i < pbus_record + kSizePROFIBUS; ++i)
    EXPECT_EQ(ReadResult(Flipped(image, i)), "") << i;
}

TEST(ConfigCrc, Version7CoversEveryByteOfTheBodyOnly) { ExpectRawBodyCoverage<CTagBIN_CONFv7>(); }
TEST(ConfigCrc, Version6CoversEveryByteOfTheBodyOnly) { ExpectRawBodyCoverage<CTagBIN_CONFv6>(); }

TEST(ConfigCrc, Version2CoversWhatTheParseReads) {
  const Bytes image =
      WithParsedBodyCrc<CTagBIN_CFGBv2>(AppendToBody(FullImage<CTagBIN_CONFv2>(), Tag("XXXX", {1, 2, 3, 4})));
  ASSERT_EQ(ReadResult(image), "");
  for (std::size_t i = image.size() - 16; i < image.size(); ++i) EXPECT_EQ(ReadResult(Flipped(image, i)), "") << i;
  const std::size_t body_record = Locate(image).cfgb + kTagHeaderSize;
  EXPECT_EQ(ReadResult(Flipped(image, body_record + 3)), kCrcError);
  // The same unknown tag breaks the raw check of version 7.
  EXPECT_EQ(ReadResult(AppendToBody(FullImage<CTagBIN_CONFv7>(), Tag("XXXX", {1, 2, 3, 4}))), kCrcError);
}

TEST(ConfigCrc, Version1SkipsBytes4To11OfEachChannelRecord) {
  const Bytes image = FullImage<CTagBIN_CONFv1>();
  // "CFGB" header and record, "ANLG" header and record, "DATA" header, then the 80-byte records.
  const std::size_t records = Locate(image).cfgb + 3 * kTagHeaderSize + kSizeCONFIGBODYv1 + kSizeANALOGHEADERv1;
  for (std::size_t item = 0; item < 2; ++item) {
    for (std::size_t i = 0; i < 16; ++i) {
      const bool skipped = i >= kAnalogV1CrcSkipBegin && i < kAnalogV1CrcSkipEnd;
      EXPECT_EQ(ReadResult(Flipped(image, records + item * kSizeANALOGCONFIGv1 + i)), skipped ? "" : kCrcError)
          << item << ":" << i;
    }
  }
}

TEST(ConfigCrc, Version1AcceptsTheLegacyBodyCrc) {
  Bytes image = FullImage<CTagBIN_CONFv1>();
  const Offsets at = Locate(image);
  const uint32_t legacy = LegacyBodyCrc(ByteReader(image.data() + at.cfgb, image.size() - at.cfgb));
  const std::size_t stored = at.cfgh + kTagHeaderSize + kConfigCrcOffset;
  ASSERT_NE(legacy, ByteReader(image.data(), image.size()).U32(stored));
  Put32(image, stored, legacy);
  EXPECT_EQ(ReadResult(image), "");
  Put32(image, stored, legacy ^ 1);
  EXPECT_EQ(ReadResult(image), kCrcError);
}

uint32_t Legacy(const Bytes& body) { return LegacyBodyCrc(ByteReader(body.data(), body.size())); }

TEST(LegacyBodyCrc, IsTheCrcOfTheWholeTagWithoutBytes4To11OfChannelItems) {
  const Bytes body = Tag("CFGB", Zeros(30), {Tag("DISC", U16(0)), Tag("CTAB", Zeros(28))});
  EXPECT_EQ(Legacy(body), UpdateCrc32(kCrc32Initial, body.data(), body.size()));
  // With channels, bytes 4 to 11 of each item do not count.
  const Bytes items = Cat({Bytes(80, 1), Bytes(80, 2)});
  const Bytes channels = Tag("CFGB", Zeros(30), {Tag("ANLG", U16(2), {Tag("DATA", items)}), Tag("DISC", U16(0))});
  const std::size_t first_item = 12 + 30 + 12 + 2 + 12;
  for (std::size_t i : {0u, 3u, 12u, 79u, 80u + 3, 80u + 50})
    EXPECT_NE(Legacy(Flipped(channels, first_item + i)), Legacy(channels)) << i;
  for (std::size_t i : {4u, 11u, 80u + 4, 80u + 11})
    EXPECT_EQ(Legacy(Flipped(channels, first_item + i)), Legacy(channels)) << i;
}

TEST(LegacyBodyCrc, StaysInsideTheTagWhateverItsSizesSay) {
  const Bytes bodies[] = {
      RawTag("CFGB", 40, 0, Cat({RawTag("ANLG", 0xFFFFFFF0u, 0xFFFFFFFFu), U16(9), Zeros(14)})),
      RawTag("CFGB", 40, 0, Cat({RawTag("ANLG", 28, 2, Cat({U16(0xFFFF), RawTag("DATA", 0xFFFFFFFFu, 0)})), Zeros(2)})),
      RawTag("CFGB", 40, 0, Cat({RawTag("ANLG", 28, 2, Cat({U16(7), RawTag("DATA", 20, 20)})), Zeros(2)})),
      RawTag("CFGB", 20, 0, Cat({RawTag("DISC", 0xFFFFFFFFu, 0), Zeros(8)})),
      RawTag("CFGB", 20, 18, Zeros(20)),
      RawTag("CFGB", 0xFFFFFFFFu, 0, RawTag("ANLG", 0, 0)),
      Bytes{'C', 'F'},
  };
  for (const Bytes& body : bodies) Legacy(body);  // under the sanitizers, any stray access fails the test
}

}  // namespace
}  // namespace vrk::bin::testing
