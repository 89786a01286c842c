// Turning failures into error information: every method of the automation objects is a short skeleton around
// GuardCall, which reports any exception for the calling thread and returns E_FAIL.
#pragma once

#include <string>

#include "platform/com_types.h"

namespace vrk {

// Installs error information for the calling thread: description = message, or message + "\n" + detail when
// the detail is not empty; GUID of IVRK5420CfgConverter; source the converter's ProgID. Returns E_FAIL.
HRESULT ReportError(const std::string& message, const std::string& detail);

// Runs `body`; S_OK when it returns, E_FAIL with error information when it throws: CConvException gives its
// message and detail, a DOM failure an empty message and its description as detail, anything else an empty
// description.
template <typename Body>
HRESULT GuardCall(Body&& body);

// Implementation detail of GuardCall: reports the exception in flight.
HRESULT ReportCurrentException();

template <typename Body>
HRESULT GuardCall(Body&& body) {
  try {
    body();
    return S_OK;
  } catch (...) {
    return ReportCurrentException();
  }
}

}  // namespace vrk
