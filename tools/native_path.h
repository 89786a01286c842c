// File names as the command line gives them (UTF-8) turned into the operating system's own form.
#pragma once

#include <filesystem>
#include <string>

namespace vrk::tools {

// The path named by the UTF-8 text `name`. On Windows the path is UTF-16, so that names in any script reach the
// file system intact rather than through the ANSI code page; elsewhere the bytes are the name.
inline std::filesystem::path NativePath(const std::string& name) {
#ifdef _WIN32
  return std::filesystem::path(std::u8string(name.begin(), name.end()));
#else
  return std::filesystem::path(name);
#endif
}

// Opens `path` with the open(2) flags and, for a new file, the mode; -1 with errno on failure.
int OpenNative(const std::filesystem::path& path, int flags, int mode = 0);

}  // namespace vrk::tools
