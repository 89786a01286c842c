// `vrkcfg inspect`: the printed tree, its JSON form, and the diagnostic line of a broken image.
#include <gtest/gtest.h>

#include <sstream>

#include "bin/image_dump.h"
#include "image_builder.h"
#include "sample_trees.h"

namespace vrk::bin::testing {
namespace {

struct Outcome {
  int code;
  std::string out, err;
};

Outcome Inspect(const Bytes& image, bool json = false) {
  std::ostringstream out, err;
  const int code = InspectImageCommand("cfg.bin", image, json, out, err);
  return {code, out.str(), err.str()};
}

TEST(InspectImage, PrintsTheTreeWithSizesAndRecordsAlsoAsJson) {
  const Outcome run = Inspect(MinimalImage<CTagBIN_CONFv7>());
  EXPECT_EQ(run.code, 0);
  EXPECT_EQ(run.err, "");
  EXPECT_EQ(run.out,
            "size 96, version 7, tree v7\n"
            "crc 0x9675541F (checked)\n"
            "CONF content 84 data 4 records 1\n"
            "  [0] 07 00 00 00\n"
            "  CFGH content 26 data 26 records 1\n"
            "    [0] 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
            "        00 00 00 00 00 00 1f 54 75 96\n"
            "  CFGB content 30 data 30 records 1\n"
            "    [0] 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00 00\n"
            "        00 00 00 00 00 00 00 00 00 00 00 00 00 00\n");
  const Outcome json = Inspect(MinimalImage<CTagBIN_CONFv7>(), true);
  EXPECT_EQ(json.code, 0);
  EXPECT_EQ(json.out,
            "{\"size\":96,\"version\":7,\"tree\":\"v7\",\"crc\":{\"stored\":\"0x9675541F\",\"state\":\"checked\"},"
            "\"root\":{\"tag\":\"CONF\",\"content\":84,\"data\":4,\"skipped\":0,\"records\":[\"07000000\"],"
            "\"children\":[{\"tag\":\"CFGH\",\"content\":26,\"data\":26,\"skipped\":0,"
            "\"records\":[\"000000000000000000000000000000000000000000001f547596\"],\"children\":[]},"
            "{\"tag\":\"CFGB\",\"content\":30,\"data\":30,\"skipped\":0,"
            "\"records\":[\"000000000000000000000000000000000000000000000000000000000000\"],\"children\":[]}]},"
            "\"error\":null}\n");
}

TEST(InspectImage, ShowsBytesThatNoKnownTagClaims) {
  const Outcome run = Inspect(Image(U32(7), Body2({Tag("DISC", U16(0)), Tag("XXXX", Zeros(3))})));
  EXPECT_EQ(run.code, 0);
  EXPECT_NE(run.out.find("  CFGB content 59 data 30 records 1 skipped 15\n"), std::string::npos) << run.out;
  EXPECT_NE(run.out.find("    DISC content 2 data 2 records 1\n"), std::string::npos) << run.out;
}

TEST(InspectImage, ReportsTheFirstErrorWithTheComponentsMessage) {
  Bytes image = FullImage<CTagBIN_CONFv7>();
  image.back() ^= 1;
  Outcome run = Inspect(image);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "cfg.bin: CRC error in the BIN-file\n");
  EXPECT_NE(run.out.find(" (mismatch)\n"), std::string::npos) << run.out;

  run = Inspect(Bytes(image.begin(), image.begin() + 50), true);
  EXPECT_EQ(run.code, 1);
  EXPECT_EQ(run.err, "cfg.bin: Header of the tag \"CONF\" must have greater data size\n");
  EXPECT_EQ(run.out,
            "{\"size\":50,\"version\":null,\"tree\":null,\"crc\":null,\"root\":null,\"error\":{\"message\":"
            "\"Header of the tag \\\"CONF\\\" must have greater data size\",\"detail\":\"\"}}\n");

  EXPECT_EQ(Inspect(RawTag("CONF", 4, 4, U32(5))).err, "cfg.bin: File version is not supported\n");
  EXPECT_EQ(Inspect({}).err, "cfg.bin: No mandatory tag: \"CONF\"\n");
}

}  // namespace
}  // namespace vrk::bin::testing
