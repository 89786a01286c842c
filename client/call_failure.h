// CallFailure: a call on one of the component's objects that failed, with the error description the component
// left for the calling thread. Every call of the client library reports a failure this way; each caller turns
// it into its own kind of error (a tool's message, a Python exception, a test's tracked text).
#pragma once

#include <exception>
#include <optional>
#include <string>

#include "platform/com_types.h"

namespace vrk::client {

class CallFailure : public std::exception {
 public:
  CallFailure(HRESULT hr, std::optional<std::u16string> description)
      : hr_(hr), description_(std::move(description)) {}
  HRESULT hr() const { return hr_; }
  // Whether the call left error information, and its description: a message, then, after a line feed, its
  // detail (a path, a parse position). Empty when it left none.
  bool has_error_info() const { return description_.has_value(); }
  const std::u16string& description() const { return description_ ? *description_ : kNone; }
  const char* what() const noexcept override { return "a call on the converter failed"; }

 private:
  static inline const std::u16string kNone;
  HRESULT hr_;
  std::optional<std::u16string> description_;
};

// The calling thread's error description, consumed; nullopt when the thread holds no error information.
std::optional<std::u16string> TakeErrorDescription();

// Throws CallFailure with the thread's error description when `hr` failed.
inline void Check(HRESULT hr) {
  if (FAILED(hr)) throw CallFailure(hr, TakeErrorDescription());
}

}  // namespace vrk::client
