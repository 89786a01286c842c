#include "interface/error_report.h"

#include <new>

#include "interface/conv_exception.h"
#include "interface/message_table.h"
#include "interface/server_identity.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/dom/dom.h"
#include "platform/oleauto.h"

namespace vrk {

HRESULT ReportError(const std::string& message, const std::string& detail) {
  const std::string description = detail.empty() ? message : message + "\n" + detail;
  ComPtr<ICreateErrorInfo> create;
  if (SUCCEEDED(CreateErrorInfo(create.Out()))) {
    create->SetGUID(IID_IVRK5420CfgConverter);
    BStr source(kConverterProgId);
    create->SetSource(source.get());
    BStr text(description);
    create->SetDescription(text.get());
    ComPtr<IErrorInfo> info;
    if (SUCCEEDED(create->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(info.Out()))))
      SetErrorInfo(0, info.get());
  }
  return E_FAIL;
}

HRESULT ReportCurrentException() {
  try {
    throw;
  } catch (const CConvException& e) {
    return ReportError(e.message(), e.detail());
  } catch (const dom::Error& e) {
    return ReportError(std::string(), e.what());
  } catch (...) {
    return ReportError(std::string(), LoadMessage(200));
  }
}

}  // namespace vrk
