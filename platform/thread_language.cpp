// The thread's UI language (which picks the message language) and the thread's locale. Each is kept per thread;
// a thread that never set one gets the language of the environment, read afresh on every call.
#include <cstdlib>
#include <string_view>

#include "platform/oleauto.h"

namespace {

constexpr LANGID kEnglish = 1033;
constexpr LANGID kRussian = 1049;
// The platform's aliases for "the user's default" and "the system's default" locale.
constexpr LCID kLocaleUserDefault = 0x0400;
constexpr LCID kLocaleSystemDefault = 0x0800;

// Zero while the thread follows the environment.
thread_local LANGID ui_language = 0;
thread_local LCID locale = 0;

// The first of LC_ALL, LC_MESSAGES and LANG that is set and not empty decides, as for the C library's
// messages: "ru..." is Russian, anything else (or nothing at all) English.
LANGID EnvironmentLanguage() {
  for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
    const char* value = std::getenv(name);
    if (value == nullptr || *value == '\0') continue;
    return std::string_view(value).starts_with("ru") ? kRussian : kEnglish;
  }
  return kEnglish;
}

}  // namespace

LANGID SetThreadUILanguage(LANGID language) {
  ui_language = language;
  return language != 0 ? language : EnvironmentLanguage();
}

LANGID GetThreadUILanguage() { return ui_language != 0 ? ui_language : EnvironmentLanguage(); }

BOOL SetThreadLocale(LCID new_locale) {
  const bool is_default = new_locale == 0 || new_locale == kLocaleUserDefault || new_locale == kLocaleSystemDefault;
  locale = is_default ? 0 : new_locale;
  return 1;
}

LCID GetThreadLocale() { return locale != 0 ? locale : EnvironmentLanguage(); }
