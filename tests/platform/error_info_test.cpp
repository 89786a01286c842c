// Error-information objects, the per-thread slot, and ComPtr's reference handling.
#include <gtest/gtest.h>

#include <thread>

#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"

namespace vrk {
namespace {

constexpr GUID kSomeGuid = {0x12345678, 0x9ABC, 0xDEF0, {1, 2, 3, 4, 5, 6, 7, 8}};

// An IErrorInfo that only counts its references, to see what the slot does with them.
class CountedInfo : public IErrorInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references; }
  ULONG STDMETHODCALLTYPE Release() override { return --references; }
  HRESULT STDMETHODCALLTYPE GetGUID(GUID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetHelpContext(ULONG*) override { return E_NOTIMPL; }
  ULONG references = 1;
};

ComPtr<ICreateErrorInfo> NewInfo() {
  ComPtr<ICreateErrorInfo> info;
  EXPECT_EQ(CreateErrorInfo(info.Out()), S_OK);
  return info;
}

ComPtr<IErrorInfo> AsErrorInfo(const ComPtr<ICreateErrorInfo>& create) {
  ComPtr<IErrorInfo> info;
  EXPECT_EQ(create.QueryInterface(IID_IErrorInfo, info), S_OK);
  return info;
}

TEST(ErrorInfo, FieldsSetAreReadBack) {
  ComPtr<ICreateErrorInfo> create = NewInfo();
  ComPtr<IErrorInfo> info = AsErrorInfo(create);
  BStr description(std::string_view("Конфигурация не была загружена\nline: 1"));
  create->SetGUID(kSomeGuid);
  create->SetSource(const_cast<OLECHAR*>(u"Some.Source.1"));
  create->SetDescription(description.get());
  create->SetHelpContext(7);

  GUID guid{};
  EXPECT_EQ(info->GetGUID(&guid), S_OK);
  EXPECT_EQ(guid, kSomeGuid);
  BStr text;
  EXPECT_EQ(info->GetSource(text.Out()), S_OK);
  EXPECT_EQ(text.ToUtf8(), "Some.Source.1");
  EXPECT_EQ(info->GetDescription(text.Out()), S_OK);
  EXPECT_EQ(text.ToUtf8(), "Конфигурация не была загружена\nline: 1");
  EXPECT_NE(text.get(), description.get());  // a copy, owned by the caller
  EXPECT_EQ(info->GetHelpFile(text.Out()), S_OK);
  EXPECT_NE(text.get(), nullptr);
  EXPECT_EQ(text.ToUtf8(), "");
  ULONG context = 0;
  EXPECT_EQ(info->GetHelpContext(&context), S_OK);
  EXPECT_EQ(context, 7u);

  create->SetDescription(nullptr);
  EXPECT_EQ(info->GetDescription(text.Out()), S_OK);
  EXPECT_EQ(text.ToUtf8(), "");
  EXPECT_EQ(info->GetDescription(nullptr), E_INVALIDARG);
}

TEST(ErrorInfo, QueryInterfaceBetweenBothInterfaces) {
  ComPtr<ICreateErrorInfo> create = NewInfo();
  ComPtr<IErrorInfo> info = AsErrorInfo(create);
  ComPtr<ICreateErrorInfo> back;
  EXPECT_EQ(info.QueryInterface(IID_ICreateErrorInfo, back), S_OK);
  EXPECT_EQ(back.get(), create.get());
  ComPtr<IUnknown> unknown_a, unknown_b;
  EXPECT_EQ(info.QueryInterface(IID_IUnknown, unknown_a), S_OK);
  EXPECT_EQ(create.QueryInterface(IID_IUnknown, unknown_b), S_OK);
  EXPECT_EQ(unknown_a.get(), unknown_b.get());  // one identity
  ComPtr<IDispatch> dispatch;
  EXPECT_EQ(info.QueryInterface(IID_IDispatch, dispatch), E_NOINTERFACE);
  EXPECT_FALSE(dispatch);
}

TEST(ErrorInfo, ThreadSlotHandsOverAndClearsHoldingOneReference) {
  ComPtr<IErrorInfo> info = AsErrorInfo(NewInfo());
  EXPECT_EQ(SetErrorInfo(0, info.get()), S_OK);
  ComPtr<IErrorInfo> taken;
  EXPECT_EQ(GetErrorInfo(0, taken.Out()), S_OK);
  EXPECT_EQ(taken.get(), info.get());
  EXPECT_EQ(GetErrorInfo(0, taken.Out()), S_FALSE);
  EXPECT_FALSE(taken);
  EXPECT_EQ(GetErrorInfo(0, nullptr), E_INVALIDARG);
  EXPECT_EQ(SetErrorInfo(1, nullptr), E_INVALIDARG);  // the reserved argument must be zero
  EXPECT_EQ(GetErrorInfo(1, taken.Out()), E_INVALIDARG);
  EXPECT_EQ(CreateErrorInfo(nullptr), E_INVALIDARG);
  // The slot takes one reference and releases it when replaced or cleared.
  CountedInfo first, second;
  SetErrorInfo(0, &first);
  EXPECT_EQ(first.references, 2u);
  SetErrorInfo(0, &second);
  EXPECT_EQ(first.references, 1u);
  EXPECT_EQ(second.references, 2u);
  SetErrorInfo(0, nullptr);
  EXPECT_EQ(second.references, 1u);
  IErrorInfo* none = &first;
  EXPECT_EQ(GetErrorInfo(0, &none), S_FALSE);
  EXPECT_EQ(none, nullptr);
}

TEST(ErrorInfo, SlotIsPerThreadAndReleasedWhenThreadEnds) {
  CountedInfo counted;
  ComPtr<IErrorInfo> mine = AsErrorInfo(NewInfo());
  SetErrorInfo(0, mine.get());
  std::thread([&] {
    IErrorInfo* seen = nullptr;
    EXPECT_EQ(GetErrorInfo(0, &seen), S_FALSE);
    SetErrorInfo(0, &counted);
    // A real error object left behind as well: LeakSanitizer reports it if the slot leaks.
    SetErrorInfo(0, AsErrorInfo(NewInfo()).get());
    SetErrorInfo(0, &counted);
  }).join();
  EXPECT_EQ(counted.references, 1u);
  ComPtr<IErrorInfo> taken;
  EXPECT_EQ(GetErrorInfo(0, taken.Out()), S_OK);
  EXPECT_EQ(taken.get(), mine.get());
}

TEST(ComPtr, CountsReferences) {
  CountedInfo counted;
  {
    ComPtr<IErrorInfo> shared(&counted);  // takes its own reference
    EXPECT_EQ(counted.references, 2u);
    ComPtr<IErrorInfo> copy = shared;
    EXPECT_EQ(counted.references, 3u);
    ComPtr<IErrorInfo> moved = std::move(copy);
    EXPECT_FALSE(copy);
    EXPECT_EQ(counted.references, 3u);
    copy = moved;
    copy = copy;
    EXPECT_EQ(counted.references, 4u);
    IErrorInfo* out = nullptr;
    EXPECT_EQ(copy.CopyTo(&out), S_OK);
    EXPECT_EQ(counted.references, 5u);
    out->Release();
  }
  EXPECT_EQ(counted.references, 1u);

  ComPtr<IErrorInfo> adopted;
  counted.AddRef();
  adopted.Attach(&counted);  // adopts the caller's reference
  EXPECT_EQ(counted.references, 2u);
  IErrorInfo* detached = adopted.Detach();
  EXPECT_FALSE(adopted);
  EXPECT_EQ(counted.references, 2u);
  adopted.Attach(detached);
  EXPECT_NE(adopted.Out(), nullptr);  // releases what was held
  EXPECT_FALSE(adopted);
  EXPECT_EQ(counted.references, 1u);
}

}  // namespace
}  // namespace vrk
