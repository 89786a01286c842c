// Message lookup in the calling thread's language (its UI language: 1049 Russian, anything else English).
#include "interface/message_table.h"

#include <algorithm>

#include "platform/oleauto.h"
#include "resources/message_texts.h"

namespace vrk {
namespace {

constexpr LANGID kRussian = 1049;

std::string ToString(const char8_t* text) { return std::string(reinterpret_cast<const char*>(text)); }

}  // namespace

std::string LoadMessage(uint32_t number) {
  const MessageText* localized_end = kLocalizedMessages + kLocalizedMessageCount;
  const MessageText* m = std::lower_bound(kLocalizedMessages, localized_end, number,
                                          [](const MessageText& e, uint32_t n) { return e.number < n; });
  if (m != localized_end && m->number == number)
    return ToString(GetThreadUILanguage() == kRussian ? m->russian : m->english);
  const NeutralMessageText* neutral_end = kNeutralMessages + kNeutralMessageCount;
  const NeutralMessageText* n = std::lower_bound(kNeutralMessages, neutral_end, number,
                                                 [](const NeutralMessageText& e, uint32_t k) { return e.number < k; });
  if (n != neutral_end && n->number == number) return ToString(n->text);
  return {};
}

std::string FormatMessageArgs(uint32_t number, std::initializer_list<std::string_view> args) {
  const std::string pattern = LoadMessage(number);
  std::string out;
  out.reserve(pattern.size());
  auto arg = args.begin();
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] == '%' && i + 1 < pattern.size() && pattern[i + 1] == 's' && arg != args.end()) {
      out += *arg++;
      ++i;
    } else {
      out += pattern[i];
    }
  }
  return out;
}

void ThrowMessage(uint32_t number, std::string detail) {
  throw CConvException(LoadMessage(number), std::move(detail));
}

void ThrowMessageArgs(uint32_t number, std::initializer_list<std::string_view> args, std::string detail) {
  throw CConvException(FormatMessageArgs(number, args), std::move(detail));
}

}  // namespace vrk
