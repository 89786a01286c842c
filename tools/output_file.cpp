#include "tools/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <iostream>

#include "tools/converter_client.h"
#include "tools/tool_text.h"

namespace vrk::tools {
namespace {

[[noreturn]] void ThrowWriteError(const std::string& name, int error) {
  throw CallError(Text(Say::kCannotWrite) + ": " + std::strerror(error), name);
}

// Writes all of `bytes` to `fd`; returns 0 or the errno of the failure.
int WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// The file a name stands for once symbolic links are followed; the name itself when it does not exist yet.
std::string ResolvedTarget(const std::string& output) {
  char resolved[PATH_MAX];
  return realpath(output.c_str(), resolved) != nullptr ? std::string(resolved) : output;
}

// The mode a new file gets: 0666 less the process's umask (reading the umask means setting it back).
mode_t NewFileMode() {
  const mode_t mask = umask(0);
  umask(mask);
  return 0666 & ~mask;
}

void WriteInPlace(const std::string& output, const std::string& bytes) {
  const int fd = open(output.c_str(), O_WRONLY | O_CLOEXEC);
  if (fd < 0) ThrowWriteError(output, errno);
  const int error = WriteAll(fd, bytes);
  close(fd);
  if (error != 0) ThrowWriteError(output, error);
}

void WriteReplacing(const std::string& output, const std::string& target, const struct stat* existing,
                    const std::string& bytes) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? std::string() : target.substr(0, slash + 1);
  const std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
  std::string temporary = folder + "." + base + ".XXXXXX";
  const int fd = mkstemp(temporary.data());
  if (fd < 0) ThrowWriteError(output, errno);
  int error = fchmod(fd, existing ? existing->st_mode & 07777 : NewFileMode()) != 0 ? errno : 0;
  if (error == 0) error = WriteAll(fd, bytes);
  if (error == 0 && fsync(fd) != 0) error = errno;
  if (close(fd) != 0 && error == 0) error = errno;
  if (error == 0 && rename(temporary.c_str(), target.c_str()) != 0) error = errno;
  if (error != 0) {
    unlink(temporary.c_str());
    ThrowWriteError(output, error);
  }
}

}  // namespace

void FlushStandardOutput() {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) != 0 || !std::cout || std::ferror(stdout)) {
    const int error = errno != 0 ? errno : EIO;
    std::cout.clear();
    std::clearerr(stdout);
    ThrowWriteError(Text(Say::kStandardOutput), error);
  }
}

void WriteOutput(const std::string& output, const std::string& bytes) {
  if (output == "-") {
    std::cout.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    FlushStandardOutput();
    return;
  }
  const std::string target = ResolvedTarget(output);
  struct stat info {};
  if (stat(target.c_str(), &info) != 0) {
    WriteReplacing(output, target, nullptr, bytes);
  } else if (S_ISREG(info.st_mode)) {
    WriteReplacing(output, target, &info, bytes);
  } else if (S_ISDIR(info.st_mode)) {
    throw CallError(Text(Say::kCannotWrite) + ": " + std::strerror(EISDIR), output);
  } else {
    WriteInPlace(output, bytes);
  }
}

}  // namespace vrk::tools
