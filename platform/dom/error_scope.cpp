// Thread-local capture of the XML engine's reports.
#include "platform/dom/error_scope.h"

#include <libxml/globals.h>

#include <new>

#include "platform/dom/dom.h"

namespace vrk::dom {

ErrorScope::ErrorScope()
    : structured_(&xmlStructuredError),
      structured_context_(&xmlStructuredErrorContext),
      generic_(&xmlGenericError),
      generic_context_(&xmlGenericErrorContext),
      previous_structured_(*structured_),
      previous_structured_context_(*structured_context_),
      previous_generic_(*generic_),
      previous_generic_context_(*generic_context_) {
  // What xmlSetStructuredErrorFunc and xmlSetGenericErrorFunc store, written through the pointers in hand.
  *structured_ = &ErrorScope::OnStructured;
  *structured_context_ = this;
  *generic_ = &ErrorScope::OnGeneric;
  *generic_context_ = this;
}

ErrorScope::~ErrorScope() {
  *structured_ = previous_structured_;
  *structured_context_ = previous_structured_context_;
  *generic_ = previous_generic_;
  *generic_context_ = previous_generic_context_;
}

void ErrorScope::Fail(std::string_view what) const {
  if (first_.out_of_memory()) throw std::bad_alloc();
  std::string text(what);
  if (first_.set && !first_.message.empty()) {
    text += ": ";
    text += first_.message;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' ')) text.pop_back();
  }
  throw Error(text);
}

void ErrorScope::Keep(EngineError& out, const xmlError& report) noexcept {
  if (out.set) return;
  out.set = true;
  out.domain = report.domain;
  out.code = report.code;
  out.line = report.line;
  out.column = report.int2;
  try {
    out.message = report.message ? report.message : "";
  } catch (...) {
    out.code = XML_ERR_NO_MEMORY;
  }
}

void ErrorScope::OnStructured(void* scope, xmlErrorPtr report) noexcept {
  if (scope == nullptr || report == nullptr || report->level < XML_ERR_ERROR) return;
  auto* self = static_cast<ErrorScope*>(scope);
  Keep(self->first_, *report);
  if (report->domain == XML_FROM_I18N) Keep(self->first_conversion_, *report);
}

// Reports that bypass the structured channel carry nothing the callers could use; they are only kept off stderr.
void ErrorScope::OnGeneric(void*, const char*, ...) {}

}  // namespace vrk::dom
