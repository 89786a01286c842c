// Byte arrays: binary images cross the interface as one-dimensional SAFEARRAYs of VT_UI1.
#pragma once

#include <string>
#include <string_view>

#include "platform/safe_array.h"

namespace vrk::client {

// A new array holding `bytes`. Throws std::length_error for more bytes than an array can count and
// std::bad_alloc when it cannot be allocated.
SafeArrayPtr MakeByteArray(std::string_view bytes);

// The bytes of a one-dimensional byte array (empty for null); the array stays the caller's. Throws CallFailure
// when its bounds or data cannot be had.
std::string BytesOf(SAFEARRAY* array);

}  // namespace vrk::client
