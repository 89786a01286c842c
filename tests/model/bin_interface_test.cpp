// The binary image through the converter object: GetBIN, BIN get and put, and their failures.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

using BinInterface = ConverterTest;

TEST_F(BinInterface, ImageRoundTripsThroughPutAndABadOneLeavesNoConfiguration) {
  LoadDefault();
  ULONG crc = 0;
  const std::vector<uint8_t> image = Image(&crc);
  ASSERT_GT(image.size(), 96u);
  ASSERT_EQ(PutImage(image), S_OK) << error_;
  EXPECT_EQ(Changed(), std::make_pair(2u, 0));
  ULONG again = 0;
  EXPECT_EQ(Image(&again), image);
  EXPECT_EQ(again, crc);
  EXPECT_EQ(Get("VersionInfo\\version"), "7");
  EXPECT_EQ(PutImage(std::vector<uint8_t>(image.begin(), image.begin() + image.size() / 2)), E_FAIL);
  EXPECT_FALSE(error_.empty());
  EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");
  EXPECT_EQ(error_, "The configuration has not been loaded");
}

TEST_F(BinInterface, UnreadableArraysAndNullPointersAreRefusedEarly) {
  LoadDefault();
  EXPECT_EQ(Track(cvt_->put_BIN(nullptr)), E_FAIL);
  EXPECT_EQ(error_, "");
  EXPECT_EQ(Get("Cfg\\DeviceType"), "1");  // the configuration is untouched
  EXPECT_EQ(Track(cvt_->GetBIN(nullptr, nullptr)), E_FAIL);
  EXPECT_EQ(error_, "");
  SAFEARRAY* array = nullptr;
  EXPECT_EQ(Track(cvt_->get_BIN(&array)), S_OK) << error_;
  SafeArrayDestroy(array);
}

}  // namespace
}  // namespace vrk::test
