// VARIANT layout, lifetime and the coercions late-bound calls depend on.
#include <gtest/gtest.h>

#include <cstddef>
#include <string>

#include "platform/bstr.h"
#include "platform/variant.h"

namespace vrk {
namespace {

VARIANT Make(VARTYPE vt) {
  VARIANT v;
  VariantInit(&v);
  v.vt = vt;
  v.llVal = 0;
  return v;
}

// The coerced value as text, or the failing result code in brackets.
std::string Coerce(VARIANT source, VARTYPE vt) {
  VARIANT target = Make(VT_EMPTY);
  const HRESULT hr = VariantChangeType(&target, &source, 0, vt);
  VariantClear(&source);
  if (FAILED(hr)) return hr == DISP_E_OVERFLOW ? "[overflow]" : hr == DISP_E_TYPEMISMATCH ? "[mismatch]" : "[?]";
  VARIANT text = Make(VT_EMPTY);
  EXPECT_EQ(VariantChangeType(&text, &target, 0, VT_BSTR), S_OK);
  VariantClear(&target);
  const std::string result = BStr::Adopt(text.bstrVal).ToUtf8();
  return result;
}

VARIANT I8(int64_t v) {
  VARIANT x = Make(VT_I8);
  x.llVal = v;
  return x;
}
VARIANT Text(const char* t) {
  VARIANT x = Make(VT_BSTR);
  x.bstrVal = BStr(std::string(t)).release();
  return x;
}
VARIANT R8(double d) {
  VARIANT x = Make(VT_R8);
  x.dblVal = d;
  return x;
}

TEST(VariantLayout, MatchesThePlatformOn64Bit) {
  if (sizeof(void*) != 8) GTEST_SKIP();
  EXPECT_EQ(sizeof(VARIANT), 24u);
  EXPECT_EQ(offsetof(VARIANT, lVal), 8u);
  EXPECT_EQ(offsetof(VARIANT, pRecInfo), 16u);
  EXPECT_EQ(sizeof(DISPPARAMS), 24u);
  EXPECT_EQ(offsetof(EXCEPINFO, scode), 56u);
  EXPECT_EQ(sizeof(EXCEPINFO), 64u);
}

// Integers of every width keep their limits, reals round half to even, text reads as a decimal number.
TEST(VariantCoercion, FollowsTheLimitsAndRoundingOfEachTypeAlsoThroughReferences) {
  const struct {
    VARIANT source;
    VARTYPE vt;
    const char* result;
  } cases[] = {
      {I8(127), VT_I1, "127"}, {I8(128), VT_I1, "[overflow]"}, {I8(-32768), VT_I2, "-32768"},
      {I8(-32769), VT_I2, "[overflow]"}, {I8(255), VT_UI1, "255"}, {I8(-1), VT_UI1, "[overflow]"},
      {I8(65535), VT_UI2, "65535"}, {I8(4294967295), VT_UI4, "4294967295"}, {I8(4294967296), VT_UI4, "[overflow]"},
      {I8(-1), VT_UI4, "[overflow]"}, {I8(2147483648), VT_I4, "[overflow]"},
      {I8(-2147483647 - 1), VT_INT, "-2147483648"}, {Text("18446744073709551615"), VT_UI8, "18446744073709551615"},
      {Text("18446744073709551615"), VT_I8, "[overflow]"}, {I8(-5), VT_BOOL, "-1"}, {R8(2.5), VT_I4, "2"},
      {R8(3.5), VT_I4, "4"}, {R8(-2.5), VT_I2, "-2"}, {R8(1e10), VT_I4, "[overflow]"}, {I8(7), VT_R8, "7"},
      {Text("  42 "), VT_UI4, "42"}, {Text("+42"), VT_I4, "42"}, {Text("-7"), VT_I4, "-7"},
      {Text("1.5"), VT_I4, "2"}, {Text("ten"), VT_I4, "[mismatch]"}, {Text(""), VT_I4, "[mismatch]"},
      {Make(VT_EMPTY), VT_I4, "0"}, {Make(VT_EMPTY), VT_BSTR, ""}, {Make(VT_NULL), VT_I4, "[mismatch]"}};
  for (const auto& c : cases) EXPECT_EQ(Coerce(c.source, c.vt), c.result) << "case " << &c - cases;
  // Values are read through references.
  LONG value = 300;
  VARIANT ref = Make(VT_BYREF | VT_I4);
  ref.plVal = &value;
  EXPECT_EQ(Coerce(ref, VT_UI1), "[overflow]");
  EXPECT_EQ(Coerce(ref, VT_UI2), "300");
  VARIANT inner = Text("12");
  VARIANT outer = Make(VT_BYREF | VT_VARIANT);
  outer.pvarVal = &inner;
  EXPECT_EQ(Coerce(outer, VT_I1), "12");
  VariantClear(&inner);
}

TEST(VariantLifetime, CopiesAreIndependent) {
  VARIANT text = Text("abc");
  VARIANT copy = Make(VT_EMPTY);
  ASSERT_EQ(VariantCopy(&copy, &text), S_OK);
  EXPECT_NE(copy.bstrVal, text.bstrVal);
  EXPECT_EQ(std::u16string(copy.bstrVal), u"abc");
  VariantClear(&text);
  EXPECT_EQ(text.vt, VT_EMPTY);

  VARIANT bytes = Make(VT_ARRAY | VT_UI1);
  bytes.parray = SafeArrayCreateVector(VT_UI1, 0, 3);
  static_cast<uint8_t*>(bytes.parray->pvData)[2] = 9;
  ASSERT_EQ(VariantCopy(&copy, &bytes), S_OK);  // frees the string copy first
  ASSERT_EQ(copy.vt, VT_ARRAY | VT_UI1);
  EXPECT_NE(copy.parray, bytes.parray);
  EXPECT_EQ(copy.parray->rgsabound[0].cElements, 3u);
  EXPECT_EQ(static_cast<uint8_t*>(copy.parray->pvData)[2], 9);
  VariantClear(&bytes);
  VariantClear(&copy);

  VARIANT odd = Make(VT_TYPEMASK);
  EXPECT_EQ(VariantClear(&odd), DISP_E_BADVARTYPE);
}

}  // namespace
}  // namespace vrk
