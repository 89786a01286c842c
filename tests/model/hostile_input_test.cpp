// Damaged input never crashes the converter: randomly mutated images either load or fail with an error
// description, and whatever loads can be written out; input over the size limit is refused unread. (Damaged
// documents are the XML fuzzer's, whose seeds replay as a test.)
#include <random>

#include "converter_fixture.h"
#include "interface/input_limits.h"

namespace vrk::test {
namespace {

using HostileInput = ConverterTest;

TEST_F(HostileInput, MutatedImagesLoadOrFailCleanly) {
  LoadDefault();
  ASSERT_EQ(Set("Modbus\\used", "1"), S_OK) << error_;
  const std::vector<uint8_t> original = Image();
  std::mt19937 random_(5420);
  for (int round = 0; round < 300; ++round) {
    std::vector<uint8_t> image = original;
    for (int k = 1 + static_cast<int>(random_() % 3); k > 0; --k) image[random_() % image.size()] = random_() & 0xFF;
    if (random_() % 4 == 0) image.resize(random_() % image.size());
    if (SUCCEEDED(PutImage(image))) {
      EXPECT_FALSE(Xml().empty());
      if (Image().empty()) { EXPECT_FALSE(error_.empty()); }
    }
  }
}

TEST_F(HostileInput, InputOverTheSizeLimitIsRefusedBeforeParsing) {
  LoadDefault();
  const std::string document = Xml();
  // Padding after the root element: the text at the limit is a configuration, one character more is not.
  const std::string at_limit = document + std::string(kMaxInputSize - Utf8ToUtf16(document).size(), ' ');
  ASSERT_EQ(Utf8ToUtf16(at_limit).size(), kMaxInputSize);
  EXPECT_EQ(PutXml(at_limit), S_OK) << error_;
  EXPECT_EQ(PutXml(at_limit + " "), E_FAIL);
  EXPECT_EQ(error_, "The XML text is too large to be a configuration: it must not exceed 4194304 characters");
  EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");

  LoadDefault();
  std::vector<uint8_t> image = Image();
  image.resize(kMaxInputSize + 1);
  SetThreadUILanguage(1049);
  EXPECT_EQ(PutImage(image), E_FAIL);
  EXPECT_EQ(error_, "Бинарный образ слишком велик для конфигурации: допустимо не более 4194304 байт");
  EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");
}

}  // namespace
}  // namespace vrk::test
