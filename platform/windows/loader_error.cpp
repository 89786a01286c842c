// The system's description of the calling thread's last error, for a failed LoadLibraryW.
#include <windows.h>

#include <string>

#include "platform/module_loader.h"
#include "platform/utf.h"

namespace vrk {

std::string LastLoaderError() {
  const DWORD code = GetLastError();
  if (code == 0) return "";
  wchar_t* text = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
      reinterpret_cast<wchar_t*>(&text), 0, nullptr);
  if (length == 0) return "error " + std::to_string(code);
  std::u16string_view view(reinterpret_cast<const char16_t*>(text), length);
  while (!view.empty() && (view.back() == u'\n' || view.back() == u'\r' || view.back() == u' ')) view.remove_suffix(1);
  std::string result = Utf16ToUtf8(view);
  LocalFree(text);
  return result;
}

}  // namespace vrk
