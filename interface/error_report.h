// Turning failures into error information: every method of the automation objects is a short skeleton around
// GuardCall, which reports any exception for the calling thread and returns E_FAIL. Nothing here throws, so no
// exception ever crosses the interface, whatever fails while it is being reported.
#pragma once

#include <string>

#include "platform/com_types.h"

namespace vrk {

// Installs error information for the calling thread: description = message, or message + "\n" + detail when
// the detail is not empty; GUID of IVRK5420CfgConverter; source the converter's ProgID. Returns E_FAIL. When
// memory runs out on the way, the description says so instead ("Not enough memory").
HRESULT ReportError(const std::string& message, const std::string& detail) noexcept;

// Reports message `number` of the table with no detail. Returns E_FAIL.
HRESULT ReportMessage(uint32_t number) noexcept;

// Runs `body`; S_OK when it returns, E_FAIL with error information when it throws: CConvException gives its
// message and detail, a DOM failure an empty message and its description as detail, exhausted memory
// (std::bad_alloc) "Not enough memory", anything else an empty description.
template <typename Body>
HRESULT GuardCall(Body&& body) noexcept;

// Implementation detail of GuardCall: reports the exception in flight.
HRESULT ReportCurrentException() noexcept;

template <typename Body>
HRESULT GuardCall(Body&& body) noexcept {
  try {
    body();
    return S_OK;
  } catch (...) {
    return ReportCurrentException();
  }
}

}  // namespace vrk
