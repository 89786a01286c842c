// CallFailure: a call on one of the component's objects that failed, with the error description the component
// left for the calling thread. Every call of the client library reports a failure this way; each caller turns
// it into its own kind of error (a tool's message, a Python exception, a test's tracked text).
#pragma once

#include <exception>
#include <string>

#include "platform/com_types.h"

namespace vrk::client {

class CallFailure : public std::exception {
 public:
  CallFailure(HRESULT hr, std::u16string description) : hr_(hr), description_(std::move(description)) {}
  HRESULT hr() const { return hr_; }
  // The component's description: a message, then, after a line feed, its detail (a path, a parse position).
  // Empty when the call left none.
  const std::u16string& description() const { return description_; }
  const char* what() const noexcept override { return "a call on the converter failed"; }

 private:
  HRESULT hr_;
  std::u16string description_;
};

// The calling thread's error description, consumed; empty when there is none.
std::u16string TakeErrorDescription();

// Throws CallFailure with the thread's error description when `hr` failed.
inline void Check(HRESULT hr) {
  if (FAILED(hr)) throw CallFailure(hr, TakeErrorDescription());
}

}  // namespace vrk::client
