// Documents of older versions are normalised like version-7 ones: what a load completes is in the held
// configuration, and its text loads again to the same text.
#include "converter_fixture.h"

namespace vrk::test {
namespace {

using UpgradedLoad = ConverterTest;

TEST_F(UpgradedLoad, VersionSixDocumentIsNormalisedAsItIsUpgraded) {
  LoadDefault();
  std::string document = Xml();
  document.replace(document.find("<VersionInfo version=\"7\"/>"), 26, "<VersionInfo version=\"6\"/>");
  const std::string delay = "<WarningDelay On_ms=\"0\" Off_ms=\"0\"/>";
  ASSERT_NE(document.find(delay), std::string::npos);
  document.replace(document.find(delay), delay.size(), "<WarningDelay Off_ms=\"0\"/>");
  ASSERT_EQ(PutXml(document), S_OK) << error_;
  EXPECT_EQ(Get("VersionInfo\\version"), "7");
  EXPECT_EQ(Get("Relay\\WarningDelay\\On_ms"), "0");
  const std::string loaded = Xml();
  ASSERT_EQ(PutXml(loaded), S_OK) << error_;
  EXPECT_EQ(Xml(), loaded);
}

}  // namespace
}  // namespace vrk::test
