// The tag trees of each version: the version probe, the per-version reading rules, and round trips.
#include <gtest/gtest.h>

#include "bin/bin_image.h"
#include "bin/version_probe.h"
#include "image_builder.h"
#include "sample_trees.h"

namespace vrk::bin::testing {
namespace {

template <class TAG>
std::string ReadTagResult(TAG& tag, const Bytes& bytes) {
  try {
    TagCursor cursor = ImageCursor(bytes.data(), bytes.size());
    ReadTag(tag, cursor);
    return "";
  } catch (const CConvException& e) {
    return e.message();
  }
}

// A PARAMSTRUCTv2 fixed part with the given code and stored extension length.
Bytes Param(uint16_t code, uint16_t stored_length) { return Cat({U16(code), U16(1), Zeros(8), U16(stored_length)}); }

// An "ACHN" of version 7 with `count` parameters in "PRMS".
Bytes Channel(uint16_t count, const Bytes& params) {
  return Tag("ACHN", Cat({Zeros(12), U16(count), U16(0)}), {Tag("PRMS", params)});
}

template <class ROOT>
void ExpectRoundTrip(const Bytes& image) {
  ROOT back;
  ASSERT_EQ(ReadInto(back, image), "");
  EXPECT_EQ(WriteImage(back), image);
}

TEST(TagTrees, WriteReadWriteGivesIdenticalBytesAndReadingRebuildsListsAndRecords) {
  ExpectRoundTrip<CTagBIN_CONFv1>(FullImage<CTagBIN_CONFv1>());
  ExpectRoundTrip<CTagBIN_CONFv2>(FullImage<CTagBIN_CONFv2>());
  ExpectRoundTrip<CTagBIN_CONFv6>(FullImage<CTagBIN_CONFv6>());
  ExpectRoundTrip<CTagBIN_CONFv7>(FullImage<CTagBIN_CONFv7>());
  ExpectRoundTrip<CTagBIN_CONFv1>(MinimalImage<CTagBIN_CONFv1>());
  ExpectRoundTrip<CTagBIN_CONFv7>(MinimalImage<CTagBIN_CONFv7>());
  CTagBIN_CONFv7 root;
  ASSERT_EQ(ReadInto(root, FullImage<CTagBIN_CONFv7>()), "");
  const auto& cfgh = root.ConfigHeader();
  ASSERT_EQ(cfgh.mbus.Children().size(), 2u);
  EXPECT_EQ(cfgh.mbus.Children()[1]->List().Records().size(), 2u);
  EXPECT_EQ(cfgh.mbus.Record().tables[2].address, 300);
  ASSERT_EQ(cfgh.alnr.Children().size(), 2u);
  EXPECT_EQ(cfgh.alnr.Children()[1]->List().Records()[1].value, 2.5f);
  const auto& channels = root.ConfigBody().acfg.Channels();
  ASSERT_EQ(channels.size(), 2u);
  EXPECT_EQ(channels[0]->Record().hpf, 1);
  EXPECT_EQ(channels[0]->Record().sensorKind, -1);
  const auto& params = channels[0]->List().Records();
  ASSERT_EQ(params.size(), 4u);
  EXPECT_EQ(params[2].ExtensionF32(2), 2.0f);
  EXPECT_EQ(root.ConfigBody().rele.dlwa.Records()[1].offCycles, 4);
  EXPECT_EQ(root.ConfigBody().mbin.List().Record().maxInputValue, 65535);
}

TEST(VersionProbe, MapsVersionWordsToTreesAndShortRootRecordsFillTheLowBytes) {
  for (uint32_t word = 0; word < 9; ++word)
    EXPECT_EQ(ProbeImageVersion(RawTag("CONF", 4, 4, U32(word)).data(), 16), word);
  EXPECT_EQ(SelectTreeVersion(0), BinTreeVersion::kV1);
  EXPECT_EQ(SelectTreeVersion(1), BinTreeVersion::kV2);
  EXPECT_EQ(SelectTreeVersion(2), BinTreeVersion::kV6);
  EXPECT_EQ(SelectTreeVersion(3), BinTreeVersion::kV6);
  EXPECT_EQ(SelectTreeVersion(6), BinTreeVersion::kV6);
  EXPECT_EQ(SelectTreeVersion(7), BinTreeVersion::kV7);
  for (uint32_t word : {4u, 5u, 8u, 0xFFFFFFFFu})
    EXPECT_EQ(ReadResult(RawTag("CONF", 4, 4, U32(word))), "File version is not supported") << word;
  const Bytes v1 = MinimalImage<CTagBIN_CONFv1>();
  EXPECT_EQ(ByteReader(v1.data(), v1.size()).U32(kHeaderDataSizeOffset), 0u);
  EXPECT_EQ(ProbeImageVersion(v1.data(), v1.size()), 0u);
  EXPECT_EQ(ReadResult(v1), "");
  const Bytes one_byte = Image({2}, Body2());
  EXPECT_EQ(ProbeImageVersion(one_byte.data(), one_byte.size()), 2u);
  EXPECT_EQ(ReadResult(one_byte), "Data of tag \"CONF\" cannot be read");
  EXPECT_EQ(ProbeImageVersion(nullptr, 0), 0u);
}

TEST(RepeatedTags, EndAtTheFirstOtherTagAndCountedOnesMissingStayAbsent) {
  const Bytes cycle = Tag("MCYC", Zeros(14), {Tag("DATA", {})});
  CTagBIN_MBUS mbus;
  ASSERT_EQ(ReadTagResult(mbus, Tag("MBUS", Zeros(36), {cycle, cycle, Tag("XXXX", {}), cycle})), "");
  EXPECT_EQ(mbus.Children().size(), 2u);
  const Bytes acfg = Tag("ACFG", U16(3), {Channel(0, {}), Channel(0, {})});
  CTagBIN_ACFGv7 tag;
  ASSERT_EQ(ReadTagResult(tag, acfg), "");
  ASSERT_EQ(tag.Channels().size(), 3u);
  EXPECT_TRUE(tag.Channels()[1]->IsPresent());
  EXPECT_FALSE(tag.Channels()[2]->IsPresent());
}

TEST(ShortRecords, ShortTachoAndVersion1ChannelRecordsKeepTheirDefaults) {
  CTagBIN_DISC disc;
  ASSERT_EQ(ReadTagResult(disc, Tag("DISC", U16(2), {Tag("DATA", Bytes(40, 0x11))})), "");
  for (const DISCRETGONFIG& r : disc.List().Records()) {
    EXPECT_EQ(r.number, 0x1111);
    EXPECT_EQ(r.reductorCoeff, 1.0f);
  }
  EXPECT_EQ(ReadTagResult(disc, Tag("DISC", U16(2), {Tag("DATA", Zeros(38))})), "Data of tag \"DATA\" cannot be read");
  // Version-1 channel records of 56 bytes keep the default words.
  CTagBIN_ANLGv1 anlg;
  ASSERT_EQ(ReadTagResult(anlg, Tag("ANLG", U16(2), {Tag("DATA", Bytes(112, 0x22))})), "");
  for (const ANALOGCONFIGv1& r : anlg.List().Records()) {
    EXPECT_EQ(r.settings[55], 0x22);
    for (uint16_t word : r.words) EXPECT_EQ(word, 3);
  }
  EXPECT_EQ(ReadTagResult(anlg, Tag("ANLG", U16(1), {Tag("DATA", Zeros(55))})), "Data of tag \"DATA\" cannot be read");
}

TEST(Parameters, ExtensionLengthFollowsTheCodeWhenReadAndIsTheExtensionHeldWhenWritten) {
  const std::size_t expected[] = {0, 0, 0, 0, 0, 6, 8, 6, 6, 8, 6, 8, 0};
  for (uint16_t code = 0; code < 13; ++code) {
    CTagBIN_ACFG_ACHNv7 channel;
    const Bytes params = Cat({Param(code, 99), Bytes(expected[code], 0xAB), Param(3, 8)});
    ASSERT_EQ(ReadTagResult(channel, Channel(2, params)), "") << code;
    const auto& records = channel.List().Records();
    EXPECT_EQ(records[0].extension, Bytes(expected[code], 0xAB)) << code;
    EXPECT_EQ(records[1].code, 3) << code;
    EXPECT_TRUE(records[1].extension.empty()) << code;
  }
  // Records running past the data are refused.
  CTagBIN_ACFG_ACHNv7 channel;
  EXPECT_EQ(ReadTagResult(channel, Channel(1, Cat({Param(6, 8), Zeros(7)}))), "Data of tag \"PRMS\" cannot be read");
  EXPECT_EQ(ReadTagResult(channel, Channel(2, Param(0, 0))), "Data of tag \"PRMS\" cannot be read");
  EXPECT_EQ(ReadTagResult(channel, Channel(1, Cat({Param(0, 0), Zeros(5)}))), "");  // the rest is skipped
  // The written length is the extension held.
  CTagBIN_CONFv7 root;
  FillFull(root);
  const auto& prms = root.ConfigBody().acfg.Channels()[0]->List();
  EXPECT_EQ(prms.GetDataSize(), 4u * 14 + 6 + 8 + 6);
  EXPECT_EQ(prms.RecordImage(2), Cat({U16(6), Zeros(10), U16(8), Zeros(2), U32(0x40000000), Zeros(2)}));
}

// Modbus inputs right after outputs leave the tags between them absent; the CRC is checked before the body in
// versions 6 and 7, after it in versions 1 and 2.
TEST(TagTrees, TagsBetweenAbsentAndTheCrcCheckedBeforeTheBodyInVersions6And7AfterItInVersions1And2) {
  const Bytes image = Image(U32(7), Body2({Tag("MOUT", U16(0)), Tag("MBIN", U16(1), {Tag("DATA", Zeros(14))}),
                                           Tag("RELE", {})}));
  CTagBIN_CONFv7 root;
  ASSERT_EQ(ReadInto(root, image), "");
  const auto& body = root.ConfigBody();
  EXPECT_TRUE(body.mout.IsPresent());
  EXPECT_TRUE(body.mbin.IsPresent());
  EXPECT_FALSE(body.mbmc.IsPresent());
  EXPECT_FALSE(body.test.IsPresent());
  EXPECT_FALSE(body.rele.IsPresent());
  const Bytes bad_body = Body2({Tag("ACFG", U16(0)), Tag("DISC", U16(1), {Tag("DATA", Zeros(3))})});
  Bytes v7 = Image(U32(7), bad_body);
  Bytes v2 = Image(U32(1), bad_body);
  EXPECT_EQ(ReadResult(v7), "Data of tag \"DATA\" cannot be read");
  v7[v7.size() - 1] ^= 1;
  v2[v2.size() - 1] ^= 1;
  EXPECT_EQ(ReadResult(v7), "CRC error in the BIN-file");
  EXPECT_EQ(ReadResult(v2), "Data of tag \"DATA\" cannot be read");
}

}  // namespace
}  // namespace vrk::bin::testing
