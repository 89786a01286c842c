// The tag container: headers, data areas, sizes, errors and writing, on hand-made images.
#include <gtest/gtest.h>

#include "bin/bin_image.h"
#include "bin/crc32.h"
#include "bin/tag_tree_v7.h"
#include "image_builder.h"
#include "sample_trees.h"

namespace vrk::bin::testing {
namespace {

const char kHeaderUnreadable[] = "Tag header cannot be read ";

TEST(Crc32, CheckValueIsTheRawRegisterAndAMaskSkipsBytes) {
  const std::string text = "123456789";
  EXPECT_EQ(UpdateCrc32(kCrc32Initial, reinterpret_cast<const uint8_t*>(text.data()), text.size()), 0x340BC6D9u);
  EXPECT_EQ(UpdateCrc32(kCrc32Initial, nullptr, 0), 0xFFFFFFFFu);
  // A mask skips the bytes at its zero entries and counts every byte beyond its length.
  const Bytes a = {1, 2, 3, 4}, b = {1, 9, 3, 4}, c = {1, 2, 3, 9};
  const uint8_t mask[] = {0xFF, 0, 0xFF};
  const auto crc = [&](const Bytes& x) { return UpdateCrc32(kCrc32Initial, x.data(), x.size(), mask, 3); };
  EXPECT_EQ(crc(a), crc(b));
  EXPECT_NE(crc(a), crc(c));
  const Bytes skipped = {1, 3, 4};
  EXPECT_EQ(crc(a), UpdateCrc32(kCrc32Initial, skipped.data(), skipped.size()));
}

TEST(TagWriting, AbsentOptionalTagsLeaveOutTheirBytesAndTheCrcRoundTrips) {
  CTagBIN_CONFv7 root;
  FillFull(root);
  const std::size_t full = WriteImage(root).size();
  root.ConfigBody().disc.SetPresent(false);  // 12 + 2, and its "DATA": 12 + 2 * 24
  const Bytes image = WriteImage(root);
  EXPECT_EQ(image.size(), full - 14 - 60);
  EXPECT_EQ(root.ContentSize(), image.size() - 12);
  CTagBIN_CONFv7 back;
  ASSERT_EQ(ReadInto(back, image), "");
  EXPECT_FALSE(back.ConfigBody().disc.IsPresent());
  EXPECT_TRUE(back.ConfigBody().cout.IsPresent());
  EXPECT_EQ(back.ConfigCrc(), root.ConfigCrc());  // the CRC handed out is the one read back
}

TEST(TagWriting, MandatoryTagMissingOrBufferTooSmallFailsAndStaysInside) {
  CTagBIN_CONFv7 root;
  FillMinimal(root);
  root.ConfigBody().SetPresent(false);
  try {
    WriteImage(root);
    FAIL();
  } catch (const CConvException& e) {
    EXPECT_EQ(e.message(), "The mandatory tag \"CFGB\" is not specified");
  }
  CTagBIN_CONFv7 empty;
  EXPECT_THROW(WriteImage(empty), CConvException);
  CTagBIN_DISC disc;
  disc.SetPresent(true);
  disc.Record().count = 1;
  disc.List().SetPresent(true);
  disc.List().Records().resize(1);
  const struct {
    std::size_t room;
    const char* message;
  } cases[] = {{11, "Header of the tag \"DISC\" cannot be written completely"},
               {13, "Data of tag \"DISC\" cannot be written completely"},
               {14 + 11, "Header of the tag \"DATA\" cannot be written completely"},
               {14 + 12 + 23, "Data of tag \"DATA\" cannot be written completely"}};
  for (const auto& c : cases) {
    Bytes buffer(c.room);
    TagWriteCursor cursor{buffer.data(), uint32_t(buffer.size()), nullptr};
    try {
      WriteTag(disc, cursor);
      ADD_FAILURE() << c.room;
    } catch (const CConvException& e) {
      EXPECT_EQ(e.message(), c.message) << c.room;
    }
  }
}

// An empty image is an absent root; a root must be "CONF"; bytes after it are ignored.
TEST(TagReading, TheRootIsOptionalNamedConfAndEndsTheImage) {
  CTagBIN_CONFv7 root;
  EXPECT_EQ(ReadInto(root, {}), "");
  EXPECT_FALSE(root.IsPresent());
  Bytes image = MinimalImage<CTagBIN_CONFv7>();
  image.insert(image.end(), {1, 2, 3});
  EXPECT_EQ(ReadResult(image), "");
  image[0] = 'X';
  EXPECT_EQ(ReadResult(image), "No mandatory tag: \"CONF\"");
  EXPECT_EQ(ReadInto(root, image), "No mandatory tag: \"CONF\"");
}

TEST(TagReading, SizesAreCheckedWithoutWrapAroundAndEveryTruncationFailsCleanly) {
  EXPECT_EQ(ReadResult(RawTag("CONF", 3, 4, U32(7))), "The size of the tag \"CONF\" is specified incorrectly");
  EXPECT_EQ(ReadResult(RawTag("CONF", 5, 4, U32(7))), "Header of the tag \"CONF\" must have greater data size");
  // 0xFFFFFFF4 + 12 wraps to 0 in 32 bits.
  EXPECT_EQ(ReadResult(RawTag("CONF", 0xFFFFFFF4u, 4, U32(7))),
            "Header of the tag \"CONF\" must have greater data size");
  const Bytes inner = Image(U32(7), RawTag("CFGB", 0xFFFFFFFFu, 0, Zeros(30)));
  EXPECT_EQ(ReadResult(inner), "Header of the tag \"CFGB\" must have greater data size");
  for (const Bytes& image : {FullImage<CTagBIN_CONFv1>(), FullImage<CTagBIN_CONFv2>(), FullImage<CTagBIN_CONFv6>(),
                             FullImage<CTagBIN_CONFv7>()}) {
    ASSERT_EQ(ReadResult(image), "");
    for (std::size_t n = 1; n < image.size(); ++n) {
      const std::string error = ReadResult(Bytes(image.begin(), image.begin() + n));
      EXPECT_EQ(error, n < 12 ? kHeaderUnreadable : "Header of the tag \"CONF\" must have greater data size") << n;
    }
  }
}

TEST(TagReading, RecordListsMustDivideEvenlyIntoRecordsOfKnownSize) {
  const auto with_data = [](uint16_t count, const Bytes& data) {
    return Image(U32(7), Body2({Tag("COUT", U16(count), {Tag("DATA", data)})}));
  };
  EXPECT_EQ(ReadResult(with_data(2, Zeros(12))), "");
  EXPECT_EQ(ReadResult(with_data(2, Zeros(13))), "Data of tag \"DATA\" cannot be read");
  EXPECT_EQ(ReadResult(with_data(3, Zeros(12))), "Data of tag \"DATA\" cannot be read");  // 4-byte records
  EXPECT_EQ(ReadResult(with_data(60000, Zeros(12))), "Data of tag \"DATA\" cannot be read");
  EXPECT_EQ(ReadResult(with_data(0, Zeros(12))), "");  // no records: the data is skipped
  CTagBIN_CONFv7 root;  // a single record without data
  EXPECT_EQ(ReadInto(root, Image(U32(7), Tag("CFGB", {}))), "Data of tag \"CFGB\" cannot be read");
}

TEST(TagReading, LongerRecordsAreReadAndCountInTheCrc) {
  const Bytes data = Cat({U16(5), U16(6), U16(7), U16(0xEEEE)});  // one 8-byte CURRENTOUTCONFIG
  Bytes image = Image(U32(7), Body2({Tag("COUT", U16(1), {Tag("DATA", data)})}));
  CTagBIN_CONFv7 root;
  ASSERT_EQ(ReadInto(root, image), "");
  const CURRENTOUTCONFIG& r = root.ConfigBody().cout.List().Record();
  EXPECT_EQ(r.number, 5);
  EXPECT_EQ(r.paramNum, 7);
  image[image.size() - 1] ^= 1;
  EXPECT_EQ(ReadResult(image), "CRC error in the BIN-file");
}

TEST(TagReading, UnknownTagEndsTheSiblingsThatFollowIt) {
  const Bytes image = Image(U32(7), Body2({Tag("DISC", U16(0)), Tag("XXXX", Zeros(3)), Tag("THRS", U16(0))}));
  CTagBIN_CONFv7 root;
  ASSERT_EQ(ReadInto(root, image), "");
  EXPECT_TRUE(root.ConfigBody().disc.IsPresent());
  EXPECT_FALSE(root.ConfigBody().thrs.IsPresent());
  EXPECT_FALSE(root.ConfigBody().mbin.IsPresent());
}

}  // namespace
}  // namespace vrk::bin::testing
