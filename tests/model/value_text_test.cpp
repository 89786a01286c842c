// Value texts: integer, key and real parsing, and the number format of messages and limits.
#include <gtest/gtest.h>

#include "schema/value_text.h"

namespace vrk {
namespace {

TEST(ValueText, IntegersAreTrimmedAndLimitedToTenCharacters) {
  EXPECT_EQ(ParseIntegerText("0090"), 90);
  EXPECT_EQ(ParseIntegerText("  90  "), 90);
  EXPECT_EQ(ParseIntegerText("000"), 0);
  EXPECT_EQ(ParseIntegerText("-5"), -5);
  EXPECT_EQ(ParseIntegerText("9999999999"), 9999999999LL);
  EXPECT_EQ(ParseIntegerText("00000000009999999999"), 9999999999LL);  // zeros go before the length check
  EXPECT_EQ(ParseIntegerText("12345678901"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("90.0"), std::nullopt);
  EXPECT_EQ(ParseIntegerText(""), std::nullopt);
  EXPECT_EQ(ParseIntegerText("   "), std::nullopt);
  EXPECT_EQ(ParseIntegerText("1a"), std::nullopt);
  EXPECT_EQ(ParseIntegerText("-"), std::nullopt);
}

TEST(ValueText, KeysAreUnsigned32Bit) {
  EXPECT_EQ(ParseKeyText(" 007 "), 7u);
  EXPECT_EQ(ParseKeyText("4294967295"), 4294967295u);
  EXPECT_EQ(ParseKeyText("4294967296"), std::nullopt);
  EXPECT_EQ(ParseKeyText("-1"), std::nullopt);
  EXPECT_EQ(ParseKeyText("x"), std::nullopt);
}

TEST(ValueText, RealsUseTheCLocaleNotation) {
  EXPECT_EQ(ParseRealText("0.0001"), 0.0001);
  EXPECT_EQ(ParseRealText("-2.5e3"), -2500.0);
  EXPECT_EQ(ParseRealText("+1.5"), 1.5);
  EXPECT_EQ(ParseRealText("1,5"), std::nullopt);
  EXPECT_EQ(ParseRealText(""), std::nullopt);
  EXPECT_EQ(ParseRealText(" 1"), std::nullopt);
  EXPECT_EQ(ParseRealText("inf"), std::nullopt);
  EXPECT_EQ(ParseRealText("nan"), std::nullopt);
}

TEST(ValueText, NumbersAreWrittenWithoutTrailingZeros) {
  EXPECT_EQ(FormatRealText(0.1, 3), "0.1");
  EXPECT_EQ(FormatRealText(99.9, 3), "99.9");
  EXPECT_EQ(FormatRealText(2.0, 3), "2");
  EXPECT_EQ(FormatRealText(0.0005, 3), "0.001");   // halves away from zero
  EXPECT_EQ(FormatRealText(-0.0005, 3), "-0.001");
  EXPECT_EQ(FormatRealText(-0.0001, 3), "0");
  EXPECT_EQ(FormatRealText(0.394, 7), "0.394");
  EXPECT_EQ(FormatRealText(1.23456789, -1), "1.234568");
}

TEST(ValueText, NamesCompareWithoutAsciiCase) {
  EXPECT_TRUE(EqualsNoCase("Region_settings", "region_SETTINGS"));
  EXPECT_FALSE(EqualsNoCase("Region", "Regions"));
}

}  // namespace
}  // namespace vrk
