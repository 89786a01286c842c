// BSTR allocation layout and the BStr owner.
#include "platform/bstr.h"

#include <gtest/gtest.h>

#include <cstring>

namespace vrk {
namespace {

uint32_t StoredByteLength(BSTR text) {
  uint32_t bytes = 0;
  std::memcpy(&bytes, reinterpret_cast<const char*>(text) - sizeof(uint32_t), sizeof bytes);
  return bytes;
}

TEST(SysAllocString, LayoutHasByteLengthBeforeAndZeroAfterAndNullGivesNull) {
  BStr text = BStr::Adopt(SysAllocString(u"abc"));
  ASSERT_NE(text.get(), nullptr);
  EXPECT_EQ(StoredByteLength(text.get()), 6u);
  EXPECT_EQ(text.get()[3], u'\0');
  EXPECT_EQ(SysStringLen(text.get()), 3u);
  EXPECT_EQ(SysStringByteLen(text.get()), 6u);
  EXPECT_EQ(text.ToUtf16(), u"abc");
  EXPECT_EQ(SysAllocString(nullptr), nullptr);
  EXPECT_EQ(SysStringLen(nullptr), 0u);
  EXPECT_EQ(SysStringByteLen(nullptr), 0u);
  SysFreeString(nullptr);
}

TEST(SysAllocStringLen, ZeroesOrCopiesTheLengthGivenAndRefusesOversizes) {
  BStr text = BStr::Adopt(SysAllocStringLen(nullptr, 4));
  ASSERT_NE(text.get(), nullptr);
  EXPECT_EQ(text.ToUtf16(), std::u16string(4, u'\0'));
  EXPECT_EQ(text.get()[4], u'\0');

  BStr empty = BStr::Adopt(SysAllocStringLen(nullptr, 0));
  ASSERT_NE(empty.get(), nullptr);
  EXPECT_EQ(SysStringLen(empty.get()), 0u);
  EXPECT_EQ(empty.get()[0], u'\0');
  // Embedded zeros are kept and only the length is copied.
  const char16_t source[] = u"a\0bcdef";
  BStr copied = BStr::Adopt(SysAllocStringLen(source, 3));
  EXPECT_EQ(copied.ToUtf16(), std::u16string(u"a\0b", 3));
  EXPECT_EQ(copied.get()[3], u'\0');
  // A length whose byte count does not fit is refused.
  EXPECT_EQ(SysAllocStringLen(nullptr, 0x80000000u), nullptr);
  EXPECT_EQ(SysAllocStringLen(nullptr, 0xFFFFFFFFu), nullptr);
}

TEST(BStr, ConvertsBothWays) {
  const BStr from_utf8(std::string_view("Конфигурация \xF0\x9F\x98\x80"));
  EXPECT_EQ(from_utf8.ToUtf16(), u"Конфигурация \U0001F600");
  EXPECT_EQ(SysStringLen(from_utf8.get()), 15u);
  const BStr from_utf16(std::u16string_view(u"мм/c"));
  EXPECT_EQ(from_utf16.ToUtf8(), "мм/c");
}

TEST(BStr, EmptyTextIsAllocatedNullReadsAsEmptyAndOutReplaces) {
  const BStr empty(std::string_view(""));
  EXPECT_NE(empty.get(), nullptr);
  const BStr none;
  EXPECT_EQ(none.get(), nullptr);
  EXPECT_EQ(none.ToUtf8(), "");
  EXPECT_EQ(none.ToUtf16(), u"");
  EXPECT_TRUE(none.empty());
  // Out frees the held string and receives a new one.
  BStr text(std::string_view("old"));
  BSTR* slot = text.Out();
  EXPECT_EQ(*slot, nullptr);
  *slot = SysAllocString(u"new");
  EXPECT_EQ(text.ToUtf8(), "new");
}

}  // namespace
}  // namespace vrk
