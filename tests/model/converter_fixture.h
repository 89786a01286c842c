// Test helpers: a converter object driven through its interface, with short calls that return the result code
// and keep the error description of the last failure.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "interface/converter.h"
#include "interface/value_indexes.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"
#include "platform/safe_array.h"

namespace vrk::test {

using Indexes = std::vector<std::pair<bool, uint32_t>>;

// Position entries: {0, 2} selects occurrence 0 then occurrence 2.
inline Indexes At(std::initializer_list<uint32_t> positions) {
  Indexes list;
  for (uint32_t p : positions) list.push_back({false, p});
  return list;
}
inline Indexes Key(uint32_t key) { return {{true, key}}; }

// The calling thread's error description, consumed.
inline std::string TakeErrorDescription() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Out()) != S_OK || !info) return "<no error info>";
  BStr description;
  info->GetDescription(description.Out());
  return description.ToUtf8();
}

class ConverterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    SetThreadUILanguage(1033);
    ASSERT_EQ(CVRK5420CfgConverter::Create(nullptr, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(cvt_.Out())),
              S_OK);
  }
  void TearDown() override { SetThreadUILanguage(0); }

  void LoadDefault() { ASSERT_EQ(cvt_->CreateNewCfg(), S_OK) << TakeErrorDescription(); }

  ComPtr<IVRK5420CfgConValueIndexes> MakeIndexes(const Indexes& entries) {
    ComPtr<IVRK5420CfgConValueIndexes> list;
    CVRK5420CfgConValueIndexes::Create(IID_IVRK5420CfgConValueIndexes, reinterpret_cast<void**>(list.Out()));
    list->put_Count(static_cast<ULONG>(entries.size()));
    for (ULONG i = 0; i < entries.size(); ++i) {
      list->put_UseAttr(i, entries[i].first ? 1 : 0);
      list->put_Value(i, entries[i].second);
    }
    return list;
  }

  // Records the description of a failure in error_.
  HRESULT Track(HRESULT hr) {
    error_ = FAILED(hr) ? TakeErrorDescription() : std::string();
    return hr;
  }

  HRESULT PutXml(const std::string& utf8) {
    BStr text(utf8);
    return Track(cvt_->put_XML(text.get()));
  }
  std::string Xml() {
    BStr text;
    EXPECT_EQ(Track(cvt_->get_XML(text.Out())), S_OK) << error_;
    return text.ToUtf8();
  }
  // The value, or "<E_FAIL>" with error_ set.
  std::string Get(const std::string& path, const Indexes& indexes = {}) {
    BStr name(path), value;
    if (FAILED(Track(cvt_->GetValue(name.get(), MakeIndexes(indexes).get(), value.Out())))) return "<E_FAIL>";
    return value.ToUtf8();
  }
  HRESULT Set(const std::string& path, const std::string& value, const Indexes& indexes = {}) {
    BStr name(path), text(value);
    BSTR raw = text.release();
    const HRESULT hr = Track(cvt_->SetValue(name.get(), MakeIndexes(indexes).get(), &raw));
    SysFreeString(raw);
    return hr;
  }
  HRESULT Create(const std::string& path, const Indexes& indexes = {}) {
    BStr name(path);
    return Track(cvt_->CreateNode(name.get(), MakeIndexes(indexes).get()));
  }
  HRESULT Delete(const std::string& path, const Indexes& indexes = {}) {
    BStr name(path);
    return Track(cvt_->DeleteNode(name.get(), MakeIndexes(indexes).get()));
  }
  HRESULT Move(const std::string& path, const Indexes& indexes, LONG& offset) {
    BStr name(path);
    return Track(cvt_->MoveNode(name.get(), MakeIndexes(indexes).get(), &offset));
  }
  ULONG Count(const std::string& path, const Indexes& indexes = {}) {
    BStr name(path);
    ULONG count = 0;
    EXPECT_EQ(Track(cvt_->GetNodesCount(name.get(), MakeIndexes(indexes).get(), &count)), S_OK) << error_;
    return count;
  }
  std::optional<std::string> NodeText(const std::string& path, const Indexes& indexes = {}) {
    BStr name(path), text;
    EXPECT_EQ(Track(cvt_->GetNodeText(name.get(), MakeIndexes(indexes).get(), text.Out())), S_OK) << error_;
    if (!text.get()) return std::nullopt;
    return text.ToUtf8();
  }
  // GetBIN's bytes; empty with error_ set when it fails.
  std::vector<uint8_t> Image(ULONG* crc = nullptr) {
    SAFEARRAY* array = nullptr;
    if (FAILED(Track(cvt_->GetBIN(&array, crc)))) return {};
    SafeArrayPtr owner(array);
    const auto* data = static_cast<const uint8_t*>(array->pvData);
    return std::vector<uint8_t>(data, data + array->rgsabound[0].cElements);
  }
  HRESULT PutImage(const std::vector<uint8_t>& bytes) {
    SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(bytes.size())));
    std::copy(bytes.begin(), bytes.end(), static_cast<uint8_t*>(array.get()->pvData));
    return Track(cvt_->put_BIN(array.get()));
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
