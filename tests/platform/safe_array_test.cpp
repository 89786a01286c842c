// SAFEARRAY creation, bounds, locking and destruction.
#include "platform/safe_array.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace vrk {
namespace {

TEST(SafeArray, VectorOfBytesIsZeroedWithBoundsEvenWhenEmpty) {
  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 5, 3));
  ASSERT_TRUE(array);
  EXPECT_EQ(SafeArrayGetDim(array.get()), 1u);
  EXPECT_EQ(SafeArrayGetElemsize(array.get()), 1u);
  LONG low = 0, high = 0;
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 1, &low), S_OK);
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 1, &high), S_OK);
  EXPECT_EQ(low, 5);
  EXPECT_EQ(high, 7);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array.get(), &data), S_OK);
  const BYTE* bytes = static_cast<const BYTE*>(data);
  EXPECT_TRUE(std::all_of(bytes, bytes + 3, [](BYTE b) { return b == 0; }));
  EXPECT_EQ(SafeArrayUnaccessData(array.get()), S_OK);
  // An empty vector has its upper bound below the lower one, and data all the same.
  SafeArrayPtr empty(SafeArrayCreateVector(VT_UI1, 0, 0));
  ASSERT_TRUE(empty);
  EXPECT_EQ(SafeArrayGetUBound(empty.get(), 1, &high), S_OK);
  EXPECT_EQ(high, -1);
  ASSERT_EQ(SafeArrayAccessData(empty.get(), &data), S_OK);
  EXPECT_NE(data, nullptr);
  SafeArrayUnaccessData(empty.get());
}

TEST(SafeArray, DimensionOneIsTheFirstBoundGivenAndStoredLast) {
  SAFEARRAYBOUND bounds[3] = {{2, 10}, {3, -1}, {4, 0}};
  SafeArrayPtr array(SafeArrayCreate(VT_UI1, 3, bounds));
  ASSERT_TRUE(array);
  EXPECT_EQ(SafeArrayGetDim(array.get()), 3u);
  const SAFEARRAYBOUND* stored = array.get()->rgsabound;
  EXPECT_EQ(stored[2].lLbound, 10);
  EXPECT_EQ(stored[0].lLbound, 0);
  LONG value = 0;
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 1, &value), S_OK);
  EXPECT_EQ(value, 10);
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 2, &value), S_OK);
  EXPECT_EQ(value, 1);
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 3, &value), S_OK);
  EXPECT_EQ(value, 3);

  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(array.get(), &data), S_OK);
  BYTE* bytes = static_cast<BYTE*>(data);
  std::fill(bytes, bytes + 2 * 3 * 4, BYTE{0xAB});  // all 24 bytes are there (ASan checks)
  SafeArrayUnaccessData(array.get());
}

TEST(SafeArray, BadIndexAndArguments) {
  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, 1));
  LONG value = 0;
  EXPECT_EQ(SafeArrayGetUBound(array.get(), 0, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 2, &value), DISP_E_BADINDEX);
  EXPECT_EQ(SafeArrayGetUBound(nullptr, 1, &value), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetLBound(array.get(), 1, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayGetDim(nullptr), 0u);
  EXPECT_EQ(SafeArrayGetElemsize(nullptr), 0u);
  EXPECT_EQ(SafeArrayAccessData(nullptr, nullptr), E_INVALIDARG);
  EXPECT_EQ(SafeArrayUnaccessData(nullptr), E_INVALIDARG);
}

TEST(SafeArray, RefusesOtherTypesNoDimensionsAndOversizes) {
  EXPECT_EQ(SafeArrayCreateVector(8 /* VT_BSTR */, 0, 1), nullptr);
  SAFEARRAYBOUND bound{1, 0};
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 0, &bound), nullptr);
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 1, nullptr), nullptr);
  // 2^32 * 2^32 * 2^32 elements wrap to a small product in 64 bits without the overflow check.
  SAFEARRAYBOUND huge[3] = {{0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}, {0xFFFFFFFFu, 0}};
  EXPECT_EQ(SafeArrayCreate(VT_UI1, 3, huge), nullptr);
  // An upper bound that a LONG cannot hold.
  EXPECT_EQ(SafeArrayCreateVector(VT_UI1, 0x7FFFFFFF, 2), nullptr);
  EXPECT_EQ(SafeArrayCreateVector(VT_UI1, static_cast<LONG>(0x80000000u), 0), nullptr);
}

TEST(SafeArray, LockedArrayIsNotDestroyed) {
  SAFEARRAY* raw = SafeArrayCreateVector(VT_UI1, 0, 4);
  void* data = nullptr;
  ASSERT_EQ(SafeArrayAccessData(raw, &data), S_OK);
  ASSERT_EQ(SafeArrayAccessData(raw, &data), S_OK);
  EXPECT_EQ(raw->cLocks, 2u);
  EXPECT_EQ(SafeArrayDestroy(raw), DISP_E_ARRAYISLOCKED);
  EXPECT_EQ(SafeArrayUnaccessData(raw), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(raw), S_OK);
  EXPECT_EQ(SafeArrayUnaccessData(raw), E_UNEXPECTED);
  EXPECT_EQ(SafeArrayDestroy(raw), S_OK);
  EXPECT_EQ(SafeArrayDestroy(nullptr), S_OK);
}

}  // namespace
}  // namespace vrk
