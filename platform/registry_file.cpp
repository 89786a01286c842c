// The registry file on disk: locating it, reading it whole, and replacing it atomically under a lock file.
#include "platform/registry_file.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <optional>
#include <string_view>

namespace vrk::registry {
namespace {

// Owns one open file descriptor.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  // Gives the descriptor up to the caller.
  int Release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }
  bool ok() const { return fd_ >= 0; }
  // Closes now and reports whether the close succeeded (a failed close may mean lost data).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string ParentOf(const std::string& path) {
  const std::size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// Creates the folder and its missing parents; true when it exists afterwards.
bool MakeFolders(const std::string& folder) {
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  if (folder != ParentOf(folder) && !MakeFolders(ParentOf(folder))) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// The file's bytes; nullopt when it is missing (*missing set) or unreadable. Reads at most one byte past the
// size limit, so an oversized file is recognised without reading it all.
std::optional<std::string> ReadFile(const std::string& path, bool* missing) {
  *missing = false;
  FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
  if (!file.ok()) {
    *missing = errno == ENOENT;
    return std::nullopt;
  }
  std::string bytes;
  char buffer[65536];
  while (bytes.size() <= kMaxFileSize) {
    const ssize_t got = ::read(file.get(), buffer, sizeof buffer);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) return std::nullopt;
    if (got == 0) break;
    bytes.append(buffer, static_cast<std::size_t>(got));
  }
  return bytes;
}

LONG ReadAt(const std::string& path, RegistryKey* tree, std::string* problem) {
  if (path.empty()) return ERROR_CANTREAD;
  bool missing = false;
  const std::optional<std::string> bytes = ReadFile(path, &missing);
  if (!bytes) {
    if (!missing) return ERROR_CANTREAD;
    *tree = RegistryKey();
    return ERROR_SUCCESS;
  }
  ParseProblem where;
  std::optional<RegistryKey> parsed = ParseRegistry(*bytes, &where);
  if (!parsed) {
    if (problem != nullptr) *problem = path + ": line " + std::to_string(where.line) + ": " + where.reason;
    return ERROR_BADDB;
  }
  *tree = std::move(*parsed);
  return ERROR_SUCCESS;
}

constexpr char kTemporarySuffix[] = ".tmp-XXXXXX";

// Removes the temporary files of writers that died before their rename. Called with the lock held: only the
// lock's holder writes a temporary file, so every one found then is left over.
void RemoveLeftovers(const std::string& path) {
  const std::string folder = ParentOf(path);
  const std::string prefix = path.substr(path.find_last_of('/') + 1) + ".tmp-";
  DIR* listing = ::opendir(folder.c_str());
  if (listing == nullptr) return;
  while (const dirent* entry = ::readdir(listing)) {
    const std::string_view name = entry->d_name;
    if (name.starts_with(prefix) && name.size() == prefix.size() + 6)
      ::unlink((folder + "/" + std::string(name)).c_str());
  }
  ::closedir(listing);
}

// Writes text to a fresh temporary file beside path and renames it over path.
bool ReplaceFile(const std::string& path, const std::string& text) {
  std::string temporary = path + kTemporarySuffix;
  FileDescriptor file(::mkstemp(temporary.data()));
  if (!file.ok()) return false;
  const bool written = ::fchmod(file.get(), 0600) == 0 && WriteAll(file.get(), text) && ::fsync(file.get()) == 0;
  if (!file.Close() || !written || ::rename(temporary.c_str(), path.c_str()) != 0) {
    ::unlink(temporary.c_str());
    return false;
  }
  // The rename itself reaches the disk with the folder.
  FileDescriptor folder(::open(ParentOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (folder.ok()) ::fsync(folder.get());
  return true;
}

// Opens (creating it and its folders) the lock file path + suffix and locks it exclusively; -1 when that fails.
int LockFile(const std::string& path, const char* suffix) {
  if (path.empty() || !MakeFolders(ParentOf(path))) return -1;
  FileDescriptor lock(::open((path + suffix).c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600));
  if (!lock.ok()) return -1;
  int locked = 0;
  while ((locked = ::flock(lock.get(), LOCK_EX)) != 0 && errno == EINTR) {
  }
  if (locked != 0) return -1;
  return lock.Release();
}

}  // namespace

RegistrySession::RegistrySession() : fd_(LockFile(RegistryFilePath(), ".session")) {}

RegistrySession::~RegistrySession() {
  if (fd_ >= 0) ::close(fd_);
}

std::string RegistryFilePath() {
  if (std::string path = Environment(kRegistryFileVariable); !path.empty()) return path;
  if (std::string config = Environment("XDG_CONFIG_HOME"); !config.empty() && config.front() == '/')
    return config + "/vrk5420/registry";
  if (std::string home = Environment("HOME"); !home.empty()) return home + "/.config/vrk5420/registry";
  return "";
}

LONG ReadRegistry(RegistryKey* tree, std::string* problem) { return ReadAt(RegistryFilePath(), tree, problem); }

LONG UpdateRegistry(const std::function<LONG(RegistryKey&)>& change) {
  const std::string path = RegistryFilePath();
  FileDescriptor lock(LockFile(path, ".lock"));
  if (!lock.ok()) return ERROR_CANTWRITE;
  // The lock is released when the descriptor closes, after the rename.
  RegistryKey tree;
  if (const LONG read = ReadAt(path, &tree, nullptr); read != ERROR_SUCCESS) return read;
  const RegistryKey before = tree;
  if (const LONG changed = change(tree); changed != ERROR_SUCCESS) return changed;
  if (tree == before) return ERROR_SUCCESS;
  RemoveLeftovers(path);
  return ReplaceFile(path, FormatRegistry(tree)) ? ERROR_SUCCESS : ERROR_CANTWRITE;
}

}  // namespace vrk::registry
