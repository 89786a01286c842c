#include "tools/input_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "interface/input_limits.h"
#include "tools/converter_client.h"
#include "tools/native_path.h"
#include "tools/tool_text.h"

#ifdef _WIN32
#include <io.h>
#endif

namespace vrk::tools {
namespace {

// Closes the descriptor it owns; standard input is not owned.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd, bool owned) : fd_(fd), owned_(owned) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (owned_ && fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }

 private:
  int fd_;
  bool owned_;
};

[[noreturn]] void ThrowReadError(const std::string& file, int error) {
  throw CallError(Text(Say::kCannotRead) + ": " + std::strerror(error), DisplayName(file));
}

}  // namespace

std::string DisplayName(const std::string& file) { return file == "-" ? "<stdin>" : file; }

std::string ReadInput(const std::string& file) {
#ifdef _WIN32
  if (file == "-") _setmode(STDIN_FILENO, _O_BINARY);  // images are bytes, not text
#endif
  const FileDescriptor fd(file == "-" ? STDIN_FILENO : OpenNative(NativePath(file), O_RDONLY), file != "-");
  if (fd.get() < 0) ThrowReadError(file, errno);
  struct stat info {};
  if (fstat(fd.get(), &info) != 0) ThrowReadError(file, errno);
  if (S_ISDIR(info.st_mode)) throw CallError(Text(Say::kIsDirectory), DisplayName(file));
  const std::string limit = std::to_string(kMaxInputSize);
  if (S_ISREG(info.st_mode) && static_cast<std::size_t>(info.st_size) > kMaxInputSize)
    throw CallError(Text(Say::kTooLarge, limit), DisplayName(file));

  // A regular file's size may change while it is read, and a device or pipe has none: read in growing steps and
  // stop one byte past the limit. The bytes go straight into the string: a large buffer on the stack is a
  // stack that must grow, which fails with a crash instead of an error when memory is short.
  std::string bytes;
  std::size_t filled = 0;
  while (filled <= kMaxInputSize) {
    bytes.resize(std::min(kMaxInputSize + 1, std::max<std::size_t>(2 * filled, 65536)));
    const auto got = read(fd.get(), bytes.data() + filled, static_cast<unsigned>(bytes.size() - filled));
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) ThrowReadError(file, errno);
    if (got == 0) {
      bytes.resize(filled);
      return bytes;
    }
    filled += static_cast<std::size_t>(got);
  }
  throw CallError(Text(Say::kTooLarge, limit), DisplayName(file));
}

}  // namespace vrk::tools
