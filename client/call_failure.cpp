#include "client/call_failure.h"

#include "platform/bstr.h"
#include "platform/com_ptr.h"

namespace vrk::client {

std::optional<std::u16string> TakeErrorDescription() {
  ComPtr<IErrorInfo> info;
  if (GetErrorInfo(0, info.Out()) != S_OK || !info) return std::nullopt;
  BStr description;
  info->GetDescription(description.Out());
  return description.ToUtf16();
}

}  // namespace vrk::client
