// UTF-8 <-> UTF-16 conversion, including malformed input.
#include "platform/utf.h"

#include <gtest/gtest.h>

namespace vrk {
namespace {

TEST(Utf, RoundTripsEveryEncodedLength) {
  const std::string utf8 = "A\xC2\xA9\xD0\xAF\xE2\x82\xAC\xEF\xBF\xBF\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF";
  const std::u16string utf16 = u"A\u00A9\u042F\u20AC\uFFFF\U0001F600\U0010FFFF";
  EXPECT_EQ(Utf8ToUtf16(utf8), utf16);
  EXPECT_EQ(Utf16ToUtf8(utf16), utf8);
  EXPECT_EQ(Utf8ToUtf16(std::string("a\0b", 3)), std::u16string(u"a\0b", 3));
  // Runs of ASCII between other characters, at both ends.
  EXPECT_EQ(Utf16ToUtf8(u"ab\u00A9cd\U0001F600ef"), "ab\xC2\xA9" "cd\xF0\x9F\x98\x80" "ef");
}

TEST(Utf, MalformedUtf8AndUnpairedSurrogatesBecomeOneReplacementPerBadSequence) {
  // Cut-off sequences: one U+FFFD each, and the byte that broke them is read again.
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82" "A"), u"\uFFFDA");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x9F\x98"), u"\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("x\xD0"), u"x\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE2\x82\xD0\xAF"), u"\uFFFD\u042F");
  // Stray continuation bytes and impossible lead bytes: one each.
  EXPECT_EQ(Utf8ToUtf16("\x80\xBF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xFF\xF8\xC0\xC1"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  // Overlong forms, surrogates and values above U+10FFFF fail at the second byte.
  EXPECT_EQ(Utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xE0\x80\xAF"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xF4\x90\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  EXPECT_EQ(Utf8ToUtf16("\xF0\x80\x80\x80"), u"\uFFFD\uFFFD\uFFFD\uFFFD");
  // Unpaired surrogates in UTF-16 become the replacement character too.
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xD800, u'a'}), "\xEF\xBF\xBD" "a");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDBFF}), "\xEF\xBF\xBD");
  EXPECT_EQ(Utf16ToUtf8(std::u16string{0xDC00, 0xD800}), "\xEF\xBF\xBD\xEF\xBF\xBD");
}

}  // namespace
}  // namespace vrk
