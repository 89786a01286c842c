#include "interface/error_report.h"

#include <new>

#include "interface/conv_exception.h"
#include "interface/message_ids.h"
#include "interface/message_table.h"
#include "interface/server_identity.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/dom/dom.h"
#include "platform/oleauto.h"

namespace vrk {
namespace {

// Installs `description`; false when the error information could not be made.
bool Install(const std::string& description) {
  ComPtr<ICreateErrorInfo> create;
  if (FAILED(CreateErrorInfo(create.Out()))) return false;
  create->SetGUID(IID_IVRK5420CfgConverter);
  BStr source(kConverterProgId);
  BStr text(description);
  if (FAILED(create->SetSource(source.get())) || FAILED(create->SetDescription(text.get()))) return false;
  ComPtr<IErrorInfo> info;
  if (FAILED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.Out())))) return false;
  SetErrorInfo(0, info.get());
  return true;
}

// Last resort when a report could not be made: "Not enough memory" if even that much can be made, otherwise no
// error information at all, so that an earlier call's description is never taken for this one's.
HRESULT ReportOutOfMemory() noexcept {
  try {
    if (Install(LoadMessage(kMsgOutOfMemory))) return E_FAIL;
  } catch (...) {
  }
  SetErrorInfo(0, nullptr);
  return E_FAIL;
}

}  // namespace

HRESULT ReportError(const std::string& message, const std::string& detail) noexcept {
  try {
    if (Install(detail.empty() ? message : message + "\n" + detail)) return E_FAIL;
  } catch (...) {
  }
  return ReportOutOfMemory();
}

HRESULT ReportMessage(uint32_t number) noexcept {
  try {
    return ReportError(LoadMessage(number), std::string());
  } catch (...) {
    return ReportOutOfMemory();
  }
}

HRESULT ReportCurrentException() noexcept {
  try {
    throw;
  } catch (const CConvException& e) {
    return ReportError(e.message(), e.detail());
  } catch (const dom::Error& e) {
    return ReportError(std::string(), e.what());
  } catch (const std::bad_alloc&) {
    return ReportOutOfMemory();
  } catch (...) {
    return ReportMessage(kMsgNone);
  }
}

}  // namespace vrk
