// The default configuration document that a new configuration starts from: windows-1251 bytes with an XML
// declaration naming that encoding.
#pragma once

#include <string_view>

namespace vrk {

std::string_view DefaultConfigBytes();

}  // namespace vrk
