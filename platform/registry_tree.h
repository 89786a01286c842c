// The registry's contents as data, and their text form in the registry file. The tree knows nothing of files,
// locks or handles; it is what the Reg* functions read and change and what the file holds.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace vrk::registry {

// Orders names as the registry compares them: ASCII letters without regard to case, other bytes as they are.
struct NameLess {
  using is_transparent = void;
  bool operator()(std::string_view a, std::string_view b) const;
};

// One key: its default value (absent until set), its named values and its subkeys. Names and texts are UTF-8.
struct RegistryKey {
  std::optional<std::string> default_value;
  std::map<std::string, std::string, NameLess> values;
  std::map<std::string, RegistryKey, NameLess> subkeys;
  bool operator==(const RegistryKey&) const = default;
};

// Limits that the platform sets as well; the file parser holds every file to them, so no file makes it
// recurse deeper or allocate more than a registry of this size could need.
inline constexpr std::size_t kMaxKeyNameLength = 255;
inline constexpr std::size_t kMaxValueNameLength = 16383;
inline constexpr std::size_t kMaxKeyDepth = 512;
inline constexpr std::size_t kMaxFileSize = 64u << 20;

// A key name is usable when it is 1 to kMaxKeyNameLength bytes long and holds no backslash and no control
// character (the file keeps one key path per line).
bool IsValidKeyName(std::string_view name);

// Splits a backslash-separated key path; nullopt when a part is not a valid key name or the path is deeper than
// kMaxKeyDepth. An empty path is the key itself (no parts).
std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path);

// The key at path below root, or null when some part of it does not exist.
RegistryKey* FindKey(RegistryKey& root, const std::vector<std::string>& path);

// Text form of the whole tree, every key on its own "[HKEY_CLASSES_ROOT\...]" line followed by its values
// (@="..." for the default value, "name"="..." for named ones), keys in name order:
//   VRK5420 registry 1
//   [HKEY_CLASSES_ROOT\AppID]
//   [HKEY_CLASSES_ROOT\AppID\{...}]
//   @="VRK5420CfgConverter"
// Quoted texts escape \ " and control characters (\\ \" \n \r \t \xHH).
std::string FormatRegistry(const RegistryKey& root);

// Why a registry file could not be read: the 1-based line and a description.
struct ParseProblem {
  std::size_t line = 0;
  std::string reason;
};

// Reads the text form back. Any departure from it (a missing header, a key line that is not a valid path, a key
// listed twice, a value line outside a key, a value listed twice, a bad escape, an oversized file) gives nullopt
// and *problem; the parser never recurses and stops at the first problem.
std::optional<RegistryKey> ParseRegistry(std::string_view text, ParseProblem* problem);

}  // namespace vrk::registry
