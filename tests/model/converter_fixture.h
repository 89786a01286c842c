// Test helpers: a converter object driven through its interface, with short calls that return the result code
// and keep the error description of the last failure.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "client/call_failure.h"
#include "client/converter.h"
#include "client/index_list.h"
#include "client/object_factory.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"
#include "platform/safe_array.h"
#include "platform/utf.h"

namespace vrk::test {

using Indexes = client::IndexList;

// Position entries: {0, 2} selects occurrence 0 then occurrence 2.
inline Indexes At(std::initializer_list<uint32_t> positions) { return client::Positions(positions); }
inline Indexes Key(uint32_t key) { return {{true, key}}; }
// A line feed and the full path of `path`, as the description of a failure ends.
inline std::string Named(const std::string& path) { return "\n\\VRK_Device\\" + path; }

// An error description as the tests compare it: UTF-8, "<no error info>" when the call left none.
inline std::string DescriptionText(const std::optional<std::u16string>& description) {
  return description ? Utf16ToUtf8(*description) : "<no error info>";
}
// The calling thread's error description, consumed.
inline std::string TakeErrorDescription() { return DescriptionText(client::TakeErrorDescription()); }

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetThreadUILanguage(1033);
    cvt_ = client::NewConverterObject();
  }
  void TearDown() override { SetThreadUILanguage(0); }

  void LoadDefault() { ASSERT_EQ(cvt_->CreateNewCfg(), S_OK) << TakeErrorDescription(); }
  void Load(const std::string& document) { ASSERT_EQ(PutXml(document), S_OK) << error_; }

  ComPtr<IVRK5420CfgConValueIndexes> MakeIndexes(const Indexes& entries) { return client::MakeIndexList(entries); }
  // The calls of the client library on cvt_.
  client::Converter Calls() { return client::Converter(cvt_); }

  // Records the description of a failure in error_.
  HRESULT Track(HRESULT hr) {
    error_ = FAILED(hr) ? TakeErrorDescription() : std::string();
    return hr;
  }
  // Runs `call`, calls of the client library, recording the description of a failure in error_.
  template <class Call>
  HRESULT Track(Call&& call) {
    try {
      call();
      error_.clear();
      return S_OK;
    } catch (const client::CallFailure& failure) {
      error_ = failure.has_error_info() ? Utf16ToUtf8(failure.description()) : "<no error info>";
      return failure.hr();
    }
  }

  HRESULT PutXml(const std::string& utf8) { return Track([&] { Calls().PutXml(Utf8ToUtf16(utf8)); }); }
  std::string Xml() {
    std::u16string text;
    EXPECT_EQ(Track([&] { text = Calls().GetXml(); }), S_OK) << error_;
    return Utf16ToUtf8(text);
  }
  // The value, or "<E_FAIL>" with error_ set.
  std::string Get(const std::string& path, const Indexes& indexes = {}) {
    std::u16string value;
    if (FAILED(Track([&] { value = Calls().GetValue(Utf8ToUtf16(path), indexes); }))) return "<E_FAIL>";
    return Utf16ToUtf8(value);
  }
  // GetValueRanges' record; empty, with error_ set, when the call fails.
  client::DataRange Ranges(const std::string& path, const Indexes& indexes = {}) {
    client::DataRange range;
    Track([&] { range = Calls().GetValueRanges(Utf8ToUtf16(path), indexes); });
    return range;
  }
  HRESULT Set(const std::string& path, const std::string& value, const Indexes& indexes = {}) {
    return Track([&] { Calls().SetValue(Utf8ToUtf16(path), indexes, Utf8ToUtf16(value)); });
  }
  // The text SetValue gives back as stored, or CheckValueRanges as it would be; "<E_FAIL>" with error_ set.
  std::string Written(const std::string& path, const std::string& value, const Indexes& indexes = {}) {
    std::u16string text;
    if (FAILED(Track([&] { text = Calls().SetValue(Utf8ToUtf16(path), indexes, Utf8ToUtf16(value)); })))
      return "<E_FAIL>";
    return Utf16ToUtf8(text);
  }
  std::string Checked(const std::string& path, const std::string& value, const Indexes& indexes = {}) {
    std::u16string text;
    if (FAILED(Track([&] { text = Calls().CheckValueRanges(Utf8ToUtf16(path), indexes, Utf8ToUtf16(value)); })))
      return "<E_FAIL>";
    return Utf16ToUtf8(text);
  }
  HRESULT Create(const std::string& path, const Indexes& indexes = {}) {
    return Track([&] { Calls().CreateNode(Utf8ToUtf16(path), indexes); });
  }
  HRESULT Delete(const std::string& path, const Indexes& indexes = {}) {
    return Track([&] { Calls().DeleteNode(Utf8ToUtf16(path), indexes); });
  }
  HRESULT Move(const std::string& path, const Indexes& indexes, LONG& offset) {
    return Track([&] { offset = Calls().MoveNode(Utf8ToUtf16(path), indexes, offset); });
  }
  ULONG Count(const std::string& path, const Indexes& indexes = {}) {
    ULONG count = 0;
    EXPECT_EQ(Track([&] { count = Calls().GetNodesCount(Utf8ToUtf16(path), indexes); }), S_OK) << error_;
    return count;
  }
  std::optional<std::string> NodeText(const std::string& path, const Indexes& indexes = {}) {
    std::optional<std::u16string> text;
    EXPECT_EQ(Track([&] { text = Calls().GetNodeText(Utf8ToUtf16(path), indexes); }), S_OK) << error_;
    if (!text) return std::nullopt;
    return Utf16ToUtf8(*text);
  }
  // GetBIN's bytes; empty with error_ set when it fails.
  std::vector<uint8_t> Image(ULONG* crc = nullptr) {
    std::pair<std::string, ULONG> image;
    if (FAILED(Track([&] { image = Calls().GetBinWithCrc(); }))) return {};
    if (crc != nullptr) *crc = image.second;
    return std::vector<uint8_t>(image.first.begin(), image.first.end());
  }
  HRESULT PutImage(const std::vector<uint8_t>& bytes) {
    return Track([&] { Calls().PutBin({reinterpret_cast<const char*>(bytes.data()), bytes.size()}); });
  }
  std::pair<ULONG, LONG> Changed() {
    ULONG counter = 0;
    LONG changed = 0;
    EXPECT_EQ(cvt_->GetChanged(&counter, &changed), S_OK);
    return {counter, changed};
  }

  ComPtr<IVRK5420CfgConverter> cvt_;
  std::string error_;
};

}  // namespace vrk::test
