#include "client/call_failure.h"

#include "platform/bstr.h"
#include "platform/com_ptr.h"

namespace vrk::client {

std::u16string TakeErrorDescription() {
  ComPtr<IErrorInfo> info;
  BStr description;
  if (GetErrorInfo(0, info.Out()) == S_OK && info) info->GetDescription(description.Out());
  return description.ToUtf16();
}

}  // namespace vrk::client
