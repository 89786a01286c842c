// Value texts: integer, key and real parsing, and the number format of messages and limits.
#include <gtest/gtest.h>

#include <optional>
#include <utility>

#include "schema/value_text.h"

namespace vrk {
namespace {

template <class Value>
using Readings = std::initializer_list<std::pair<const char*, std::optional<Value>>>;

TEST(ValueText, IntegersKeysAndRealsAreReadStrictly) {
  // Integers are trimmed and limited to ten characters; leading zeros go before the length check.
  for (const auto& [text, value] :
       Readings<int64_t>{{"0090", 90}, {"  90  ", 90}, {"000", 0}, {"-5", -5}, {"9999999999", 9999999999LL},
                         {"00000000009999999999", 9999999999LL}, {"12345678901", std::nullopt}, {"90.0", std::nullopt},
                         {"", std::nullopt}, {"   ", std::nullopt}, {"1a", std::nullopt}, {"-", std::nullopt}})
    EXPECT_EQ(ParseIntegerText(text), value) << text;
  // Keys are unsigned 32-bit numbers.
  for (const auto& [text, value] : Readings<uint32_t>{{" 007 ", 7u}, {"4294967295", 4294967295u},
                                                      {"4294967296", std::nullopt}, {"-1", std::nullopt},
                                                      {"x", std::nullopt}})
    EXPECT_EQ(ParseKeyText(text), value) << text;
  // Reals use the C locale's notation, untrimmed and finite.
  for (const auto& [text, value] :
       Readings<double>{{"0.0001", 0.0001}, {"-2.5e3", -2500.0}, {"+1.5", 1.5}, {"1,5", std::nullopt},
                        {"", std::nullopt}, {" 1", std::nullopt}, {"inf", std::nullopt}, {"nan", std::nullopt}})
    EXPECT_EQ(ParseRealText(text), value) << text;
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
  EXPECT_TRUE(EqualsNoCase("Region_settings", "region_SETTINGS"));  // names compare without ASCII case
  EXPECT_FALSE(EqualsNoCase("Region", "Regions"));
}

}  // namespace
}  // namespace vrk
