// Capture of the XML engine's error reports. The engine reports through per-thread handlers and, without one,
// prints to stderr; every call into the engine that can report runs inside an ErrorScope instead.
#pragma once

#include <libxml/xmlerror.h>

#include <string>
#include <string_view>

namespace vrk::dom {

// One report of the engine, copied out of its thread-local storage.
struct EngineError {
  bool set = false;
  int domain = 0;
  int code = 0;
  std::string message;  // as the engine words it, as a rule ending with a line feed
  int line = 0;
  int column = 0;  // 1-based, in characters; 0 when the report has no position

  // The engine ran out of memory, or the report could not be copied for want of it.
  bool out_of_memory() const { return code == XML_ERR_NO_MEMORY; }
};

// Keeps the first error the engine reports on this thread while the scope lives; restores the previous
// handlers when it ends, so scopes nest.
class ErrorScope {
 public:
  ErrorScope();
  ~ErrorScope();
  ErrorScope(const ErrorScope&) = delete;
  ErrorScope& operator=(const ErrorScope&) = delete;

  // The first report of level error or fatal.
  const EngineError& first() const { return first_; }
  // The first report that input bytes could not be decoded (the parser itself then only sees the data end).
  const EngineError& firstConversion() const { return first_conversion_; }

  // Throws Error for a failed engine call `what`, with the first captured report when there is one;
  // std::bad_alloc when that report says memory ran out.
  [[noreturn]] void Fail(std::string_view what) const;

  // Copies the fields of `report` into `out` unless `out` is already set. Called from inside the engine, so it
  // never throws: a report that cannot be copied is kept as an out-of-memory report.
  static void Keep(EngineError& out, const xmlError& report) noexcept;

 private:
  static void OnStructured(void* scope, xmlErrorPtr report) noexcept;
  static void OnGeneric(void* scope, const char* format, ...);

  EngineError first_;
  EngineError first_conversion_;
  // The engine's handler variables of this thread, looked up once: every lookup goes through the engine's
  // per-thread state, and scopes open and close around each small edit of a document.
  xmlStructuredErrorFunc* structured_;
  void** structured_context_;
  xmlGenericErrorFunc* generic_;
  void** generic_context_;
  xmlStructuredErrorFunc previous_structured_;
  void* previous_structured_context_;
  xmlGenericErrorFunc previous_generic_;
  void* previous_generic_context_;
};

}  // namespace vrk::dom
