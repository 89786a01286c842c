#include "tools/output_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>

#include "tools/converter_client.h"
#include "tools/native_path.h"
#include "tools/tool_text.h"

#ifdef _WIN32
#include <io.h>
#include <windows.h>
#endif

namespace vrk::tools {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void ThrowWriteError(const std::string& name, int error) {
  throw CallError(Text(Say::kCannotWrite) + ": " + std::strerror(error), name);
}

[[noreturn]] void ThrowWriteError(const std::string& name, const std::error_code& error) {
  throw CallError(Text(Say::kCannotWrite) + ": " + error.message(), name);
}

// Writes all of `bytes` to `fd`; returns 0 or the errno of the failure.
int WriteAll(int fd, const std::string& bytes) {
  std::size_t done = 0;
  while (done < bytes.size()) {
    const auto n = write(fd, bytes.data() + done, static_cast<unsigned>(std::min<std::size_t>(bytes.size() - done, 1u << 30)));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) return errno;
    done += static_cast<std::size_t>(n);
  }
  return 0;
}

// Brings the file's bytes to the disk before the rename makes them the target's.
int Sync(int fd) {
#ifdef _WIN32
  return _commit(fd) == 0 ? 0 : errno;
#else
  return fsync(fd) == 0 ? 0 : errno;
#endif
}

// The permissions a new file gets: read and write for all, less the process's umask (reading it means setting
// it back).
fs::perms NewFilePermissions() {
  const auto mask = umask(0);
  umask(mask);
  return static_cast<fs::perms>(0666 & ~mask);
}

// Creates a new file beside `target`, named after it, and opens it for writing; its name in `temporary`.
// Returns -1 with errno when no such file can be made.
int CreateTemporary(const fs::path& target, fs::path& temporary) {
#ifdef _WIN32
  // No wide-character mkstemp: unique names from the process and a counter, taken only if new.
  const std::wstring stem = L"." + target.filename().wstring() + L"." + std::to_wstring(GetCurrentProcessId());
  for (unsigned attempt = 0; attempt < 1000; ++attempt) {
    temporary = target.parent_path() / (stem + L"." + std::to_wstring(attempt));
    const int fd = OpenNative(temporary, O_WRONLY | O_CREAT | O_EXCL, _S_IREAD | _S_IWRITE);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
#else
  std::string name = (target.parent_path() / ("." + target.filename().string() + ".XXXXXX")).string();
  const int fd = mkstemp(name.data());
  temporary = name;
  return fd;
#endif
}

void WriteInPlace(const std::string& output, const std::string& bytes) {
  const int fd = OpenNative(NativePath(output), O_WRONLY);
  if (fd < 0) ThrowWriteError(output, errno);
  const int error = WriteAll(fd, bytes);
  close(fd);
  if (error != 0) ThrowWriteError(output, error);
}

// `target` replaced by a temporary file beside it, which takes `permissions`.
void WriteReplacing(const std::string& output, const fs::path& target, fs::perms permissions,
                    const std::string& bytes) {
  fs::path temporary;
  const int fd = CreateTemporary(target, temporary);
  if (fd < 0) ThrowWriteError(output, errno);
  int error = WriteAll(fd, bytes);
  if (error == 0) error = Sync(fd);
  if (close(fd) != 0 && error == 0) error = errno;
  std::error_code code;
  if (error == 0) fs::permissions(temporary, permissions, code);
  if (error == 0 && !code) fs::rename(temporary, target, code);
  if (error != 0 || code) {
    fs::remove(temporary, code);
    if (error != 0) ThrowWriteError(output, error);
    ThrowWriteError(output, code);
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
  std::error_code code;
  const fs::path name = NativePath(output);
  const fs::path target = fs::exists(name, code) ? fs::canonical(name, code) : name;
  if (code) ThrowWriteError(output, code);
  const fs::file_status status = fs::status(target, code);
  if (!fs::exists(status))
    WriteReplacing(output, target, NewFilePermissions(), bytes);
  else if (fs::is_regular_file(status))
    WriteReplacing(output, target, status.permissions(), bytes);
  else if (fs::is_directory(status))
    ThrowWriteError(output, EISDIR);
  else
    WriteInPlace(output, bytes);
}

}  // namespace vrk::tools
