// The largest input the converter accepts, shared by the component and its clients.
#pragma once

#include <cstddef>

namespace vrk {

// A configuration of the largest instrument (16 vibration channels, every band, full Modbus tables) is about
// 300 KB of XML and far less as an image. Anything over 4 MiB is not a configuration: `XML` put (counted in
// UTF-16 characters) and `BIN` put (counted in bytes) refuse it before parsing, and clients refuse to read more
// than this from a file, so that a hostile input costs a bounded amount of memory and time.
inline constexpr std::size_t kMaxInputSize = std::size_t{4} << 20;

}  // namespace vrk
