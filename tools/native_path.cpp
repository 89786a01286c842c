#include "tools/native_path.h"

#include <fcntl.h>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace vrk::tools {

int OpenNative(const std::filesystem::path& path, int flags, int mode) {
#ifdef _WIN32
  return _wopen(path.c_str(), flags | _O_BINARY, mode);
#else
  return open(path.c_str(), flags | O_CLOEXEC, mode);
#endif
}

}  // namespace vrk::tools
