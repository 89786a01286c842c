// Shared by the fuzz targets that drive the converter object: creation, loading, and the document text as
// `XML` get returns it, with the error description of the last failure for the report of a finding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "client/byte_array.h"
#include "client/call_failure.h"
#include "client/object_factory.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"
#include "platform/safe_array.h"
#include "platform/utf.h"

namespace vrk::fuzz {

// A new converter object; a failure to make one ends the run.
inline ComPtr<IVRK5420CfgConverter> NewConverter() { return client::NewConverterObject(); }

// The calling thread's error description, consumed; every failure leaves one behind.
inline std::string TakeError() { return Utf16ToUtf8(client::TakeErrorDescription().value_or(u"")); }

// `XML` get, which must succeed on a loaded configuration.
inline std::u16string XmlOf(IVRK5420CfgConverter& converter) {
  BStr text;
  if (converter.get_XML(text.Out()) != S_OK) {
    std::fprintf(stderr, "XML get failed on a loaded configuration: %s\n", TakeError().c_str());
    std::abort();
  }
  return text.ToUtf16();
}

// `GetBIN`; the bytes of the image, empty when it fails.
inline std::vector<uint8_t> ImageOf(IVRK5420CfgConverter& converter) {
  SAFEARRAY* array = nullptr;
  ULONG crc = 0;
  if (converter.GetBIN(&array, &crc) != S_OK) {
    TakeError();
    return {};
  }
  const SafeArrayPtr owner(array);
  const std::string bytes = client::BytesOf(array);
  return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

inline HRESULT PutImage(IVRK5420CfgConverter& converter, const std::vector<uint8_t>& bytes) {
  return converter.put_BIN(client::MakeByteArray({reinterpret_cast<const char*>(bytes.data()), bytes.size()}).get());
}

// Where two document texts part, with some text of each around that place, for the report of a finding.
inline std::string FirstDifference(const std::u16string& before, const std::u16string& after) {
  std::size_t at = 0;
  while (at < before.size() && at < after.size() && before[at] == after[at]) ++at;
  const std::size_t from = at > 60 ? at - 60 : 0;
  auto excerpt = [&](const std::u16string& text) {
    return Utf16ToUtf8(std::u16string_view(text).substr(std::min(from, text.size()), 160));
  };
  return "before: ..." + excerpt(before) + "...\nafter:  ..." + excerpt(after) + "...";
}

// A value at the top level, or "" when it cannot be read.
inline std::string ValueOf(IVRK5420CfgConverter& converter, const char* path) {
  BStr name(std::string_view{path}), value;
  if (converter.GetValue(name.get(), nullptr, value.Out()) != S_OK) TakeError();
  return value.ToUtf8();
}

// The number of occurrences of a top-level element path, 0 when it cannot be counted.
inline ULONG CountOf(IVRK5420CfgConverter& converter, const char* path) {
  BStr name(std::string_view{path});
  ULONG count = 0;
  if (converter.GetNodesCount(name.get(), nullptr, &count) != S_OK) TakeError();
  return count;
}

// Reports a broken invariant and stops: libFuzzer keeps the input as a finding.
[[noreturn]] inline void Finding(const char* what, const std::string& detail = {}) {
  std::fprintf(stderr, "FINDING: %s\n%s\n", what, detail.c_str());
  std::abort();
}

}  // namespace vrk::fuzz
