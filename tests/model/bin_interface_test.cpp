// The binary image through the converter object: GetBIN, BIN get and put, and their failures.
#include "converter_fixture.h"

#include "platform/safe_array.h"

namespace vrk::test {
namespace {

class BinInterface : public ConverterTest {
 protected:
  std::vector<uint8_t> Image(ULONG* crc = nullptr) {
    SAFEARRAY* array = nullptr;
    EXPECT_EQ(Track(cvt_->GetBIN(&array, crc)), S_OK) << error_;
    SafeArrayPtr owner(array);
    if (!array) return {};
    const auto* data = static_cast<const uint8_t*>(array->pvData);
    return std::vector<uint8_t>(data, data + array->rgsabound[0].cElements);
  }
  HRESULT PutImage(const std::vector<uint8_t>& bytes) {
    SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(array.get()->pvData));
    return Track(cvt_->put_BIN(array.get()));
  }
};

TEST_F(BinInterface, ImageRoundTripsThroughPut) {
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
}

TEST_F(BinInterface, BadImagesLeaveNoConfiguration) {
  LoadDefault();
  std::vector<uint8_t> image = Image();
  image.resize(image.size() / 2);
  EXPECT_EQ(PutImage(image), E_FAIL);
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
