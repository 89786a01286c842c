#include "client/byte_array.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <stdexcept>

#include "client/call_failure.h"

namespace vrk::client {

SafeArrayPtr MakeByteArray(std::string_view bytes) {
  if (bytes.size() > 0xFFFFFFFFu) throw std::length_error("the image is too large");
  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
  if (!array) throw std::bad_alloc();
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(array.get()->pvData));
  return array;
}

std::string BytesOf(SAFEARRAY* array) {
  if (array == nullptr) return {};
  LONG lower = 0, upper = -1;
  Check(SafeArrayGetLBound(array, 1, &lower));
  Check(SafeArrayGetUBound(array, 1, &upper));
  const std::size_t size = static_cast<std::size_t>(int64_t{upper} - lower + 1) * SafeArrayGetElemsize(array);
  void* data = nullptr;
  Check(SafeArrayAccessData(array, &data));
  std::string bytes(static_cast<const char*>(data), size);
  SafeArrayUnaccessData(array);
  return bytes;
}

}  // namespace vrk::client
