// Damaged input never crashes the converter: randomly mutated documents and images either load or fail with an
// error description, and whatever loads can be written out and read back.
#include <random>

#include "converter_fixture.h"
#include "interface/input_limits.h"

namespace vrk::test {
namespace {

class HostileInput : public ConverterTest {
 protected:
  std::mt19937 random_{5420};

  std::string Mutate(std::string text) {
    const char alphabet[] = "<>/=\"' &;#x0123456789abcdefVRK_\\-\n\t";
    for (int k = 1 + static_cast<int>(random_() % 4); k > 0 && !text.empty(); --k) {
      const std::size_t at = random_() % text.size();
      switch (random_() % 3) {
        case 0: text.erase(at, 1 + random_() % 8); break;
        case 1: text.insert(at, 1, alphabet[random_() % (sizeof alphabet - 1)]); break;
        default: text[at] = alphabet[random_() % (sizeof alphabet - 1)]; break;
      }
    }
    return text;
  }
};

TEST_F(HostileInput, MutatedDocumentsLoadOrFailCleanly) {
  LoadDefault();
  const std::string original = Xml();
  int loaded = 0;
  for (int round = 0; round < 300; ++round) {
    if (FAILED(PutXml(Mutate(original)))) {
      EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>");  // a failed load leaves no configuration
      continue;
    }
    ++loaded;
    const std::string text = Xml();
    ASSERT_EQ(PutXml(text), S_OK) << "a document the converter wrote does not load again: " << error_;
    // A valid document may still lack what the image needs (spectrum settings are optional): a clear error then.
    if (Image().empty()) { EXPECT_FALSE(error_.empty()); }
  }
  EXPECT_GT(loaded, 0);
}

TEST_F(HostileInput, MutatedImagesLoadOrFailCleanly) {
  LoadDefault();
  ASSERT_EQ(Set("Modbus\\used", "1"), S_OK) << error_;
  const std::vector<uint8_t> original = Image();
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
