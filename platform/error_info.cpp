// Error-information objects and the per-thread slot that holds the last one set. One object serves both the
// writer's interface (ICreateErrorInfo) and the reader's (IErrorInfo).
#include <atomic>
#include <new>
#include <string>

#include "platform/com_ptr.h"
#include "platform/oleauto.h"

namespace {

class ErrorInfo final : public IErrorInfo, public ICreateErrorInfo {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
    if (object == nullptr) return E_POINTER;
    if (iid == IID_IUnknown || iid == IID_IErrorInfo) {
      *object = static_cast<IErrorInfo*>(this);
    } else if (iid == IID_ICreateErrorInfo) {
      *object = static_cast<ICreateErrorInfo*>(this);
    } else {
      *object = nullptr;
      return E_NOINTERFACE;
    }
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++references_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG left = --references_;
    if (left == 0) delete this;
    return left;
  }

  HRESULT STDMETHODCALLTYPE GetGUID(GUID* guid) override {
    if (guid == nullptr) return E_INVALIDARG;
    *guid = guid_;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSource(BSTR* source) override { return Get(source_, source); }
  HRESULT STDMETHODCALLTYPE GetDescription(BSTR* description) override { return Get(description_, description); }
  HRESULT STDMETHODCALLTYPE GetHelpFile(BSTR* help_file) override { return Get(help_file_, help_file); }
  HRESULT STDMETHODCALLTYPE GetHelpContext(ULONG* help_context) override {
    if (help_context == nullptr) return E_INVALIDARG;
    *help_context = help_context_;
    return S_OK;
  }

  HRESULT STDMETHODCALLTYPE SetGUID(REFGUID guid) override {
    guid_ = guid;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE SetSource(OLECHAR* source) override { return Set(source_, source); }
  HRESULT STDMETHODCALLTYPE SetDescription(OLECHAR* description) override { return Set(description_, description); }
  HRESULT STDMETHODCALLTYPE SetHelpFile(OLECHAR* help_file) override { return Set(help_file_, help_file); }
  HRESULT STDMETHODCALLTYPE SetHelpContext(ULONG help_context) override {
    help_context_ = help_context;
    return S_OK;
  }

 private:
  // Every getter hands out a new BSTR, empty (not null) for a text that was never set.
  static HRESULT Get(const std::u16string& text, BSTR* out) {
    if (out == nullptr) return E_INVALIDARG;
    *out = SysAllocStringLen(text.data(), static_cast<UINT>(text.size()));
    return *out ? S_OK : E_OUTOFMEMORY;
  }
  // A null text clears the field. The text is read up to its terminating zero, as the platform does.
  static HRESULT Set(std::u16string& field, const OLECHAR* text) {
    try {
      field = text ? std::u16string(text) : std::u16string();
      return S_OK;
    } catch (const std::bad_alloc&) {
      return E_OUTOFMEMORY;
    }
  }

  std::atomic<ULONG> references_{1};
  GUID guid_{};
  std::u16string source_;
  std::u16string description_;
  std::u16string help_file_;
  ULONG help_context_ = 0;
};

// The thread's current error information; released when the thread ends.
thread_local vrk::ComPtr<IErrorInfo> current_error;

}  // namespace

HRESULT CreateErrorInfo(ICreateErrorInfo** info) {
  if (info == nullptr) return E_INVALIDARG;
  ErrorInfo* created = new (std::nothrow) ErrorInfo();
  *info = created;
  return created ? S_OK : E_OUTOFMEMORY;
}

HRESULT SetErrorInfo(ULONG reserved, IErrorInfo* info) {
  if (reserved != 0) return E_INVALIDARG;
  current_error = vrk::ComPtr<IErrorInfo>(info);
  return S_OK;
}

HRESULT GetErrorInfo(ULONG reserved, IErrorInfo** info) {
  if (reserved != 0 || info == nullptr) return E_INVALIDARG;
  *info = current_error.Detach();
  return *info ? S_OK : S_FALSE;
}
