// The Reg* functions over the registry file. A handle remembers the path of its key; every call reads the file
// afresh (or changes it under its lock), so handles in different processes see each other's changes.
#include "platform/registry.h"

#include <cstring>
#include <memory>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "platform/registry_file.h"
#include "platform/utf.h"

struct HKEY__ {
  std::vector<std::string> path;
};

namespace vrk::registry {
namespace {

using Path = std::vector<std::string>;

std::string Narrow(LPCWSTR text) { return text == nullptr ? std::string() : Utf16ToUtf8(std::u16string_view(text)); }

// The path of key joined with subkey; ERROR_SUCCESS or the reason it names no key.
LONG Resolve(HKEY key, LPCWSTR subkey, Path* path) {
  if (key == HKEY_CLASSES_ROOT)
    path->clear();
  else if (key != nullptr)
    *path = key->path;
  else
    return ERROR_INVALID_HANDLE;
  const std::string below = Narrow(subkey);
  if (below.starts_with('\\')) return ERROR_BAD_PATHNAME;
  const auto parts = SplitKeyPath(below.ends_with('\\') ? below.substr(0, below.size() - 1) : below);
  if (!parts || path->size() + parts->size() > kMaxKeyDepth) return ERROR_INVALID_PARAMETER;
  path->insert(path->end(), parts->begin(), parts->end());
  return ERROR_SUCCESS;
}

// A key that a handle names but that is gone gives ERROR_KEY_DELETED; a key named by a path below it that does
// not exist gives ERROR_FILE_NOT_FOUND.
LONG Missing(HKEY key, const Path& handle_path, RegistryKey& tree) {
  if (key != HKEY_CLASSES_ROOT && FindKey(tree, handle_path) == nullptr) return ERROR_KEY_DELETED;
  return ERROR_FILE_NOT_FOUND;
}

LONG NewHandle(Path path, PHKEY result) {
  try {
    *result = std::make_unique<HKEY__>(HKEY__{std::move(path)}).release();  // the caller's until RegCloseKey
    return ERROR_SUCCESS;
  } catch (const std::bad_alloc&) {
    return ERROR_NOT_ENOUGH_MEMORY;
  }
}

// Runs read on the key that key names, from a fresh read of the file.
LONG WithKey(HKEY key, LPCWSTR subkey, const std::function<LONG(RegistryKey&)>& read) {
  Path path;
  if (const LONG resolved = Resolve(key, subkey, &path); resolved != ERROR_SUCCESS) return resolved;
  RegistryKey tree;
  if (const LONG loaded = ReadRegistry(&tree); loaded != ERROR_SUCCESS) return loaded;
  RegistryKey* found = FindKey(tree, path);
  if (found == nullptr) return Missing(key, key == HKEY_CLASSES_ROOT ? Path() : key->path, tree);
  return read(*found);
}

// Runs change on the key that key names (its parent when to_parent), under the file's lock.
LONG ChangeKey(HKEY key, LPCWSTR subkey, const std::function<LONG(RegistryKey&, const std::string&)>& change,
               bool to_parent = false) {
  Path path;
  if (const LONG resolved = Resolve(key, subkey, &path); resolved != ERROR_SUCCESS) return resolved;
  if (to_parent && path.empty()) return ERROR_ACCESS_DENIED;  // the root itself cannot go
  const std::string last = to_parent ? path.back() : std::string();
  if (to_parent) path.pop_back();
  return UpdateRegistry([&](RegistryKey& tree) {
    RegistryKey* found = FindKey(tree, path);
    if (found == nullptr) return Missing(key, key == HKEY_CLASSES_ROOT ? Path() : key->path, tree);
    return change(*found, last);
  });
}

LONG CopyText(const std::string& value, LPDWORD type, LPBYTE data, LPDWORD cb_data) {
  const std::u16string wide = Utf8ToUtf16(value);
  const DWORD needed = static_cast<DWORD>((wide.size() + 1) * sizeof(char16_t));
  if (type != nullptr) *type = REG_SZ;
  if (cb_data == nullptr) return data == nullptr ? ERROR_SUCCESS : ERROR_INVALID_PARAMETER;
  const DWORD room = *cb_data;
  *cb_data = needed;
  if (data == nullptr) return ERROR_SUCCESS;
  if (room < needed) return ERROR_MORE_DATA;
  std::memcpy(data, wide.c_str(), needed);
  return ERROR_SUCCESS;
}

}  // namespace
}  // namespace vrk::registry

using namespace vrk::registry;

LONG RegCreateKeyExW(HKEY key, LPCWSTR subkey, DWORD, LPWSTR, DWORD, REGSAM, SECURITY_ATTRIBUTES*, PHKEY result,
                     LPDWORD disposition) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Path path;
  if (const LONG resolved = Resolve(key, subkey, &path); resolved != ERROR_SUCCESS) return resolved;
  bool created = false;
  const LONG changed = UpdateRegistry([&](RegistryKey& tree) {
    RegistryKey* at = &tree;
    const std::size_t existing = key == HKEY_CLASSES_ROOT ? 0 : key->path.size();
    for (std::size_t i = 0; i < path.size(); ++i) {
      auto it = at->subkeys.find(path[i]);
      if (it == at->subkeys.end()) {
        if (i < existing) return ERROR_KEY_DELETED;
        it = at->subkeys.emplace(path[i], RegistryKey()).first;
        created = true;
      }
      at = &it->second;
    }
    return ERROR_SUCCESS;
  });
  if (changed != ERROR_SUCCESS) return changed;
  if (disposition != nullptr) *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
  return NewHandle(std::move(path), result);
}

LONG RegOpenKeyExW(HKEY key, LPCWSTR subkey, DWORD, REGSAM, PHKEY result) {
  if (result == nullptr) return ERROR_INVALID_PARAMETER;
  *result = nullptr;
  Path path;
  if (const LONG resolved = Resolve(key, subkey, &path); resolved != ERROR_SUCCESS) return resolved;
  if (const LONG found = WithKey(key, subkey, [](RegistryKey&) { return ERROR_SUCCESS; }); found != ERROR_SUCCESS)
    return found;
  return NewHandle(std::move(path), result);
}

LONG RegCloseKey(HKEY key) {
  if (key == HKEY_CLASSES_ROOT) return ERROR_SUCCESS;
  if (key == nullptr) return ERROR_INVALID_HANDLE;
  std::unique_ptr<HKEY__> owned(key);
  return ERROR_SUCCESS;
}

LONG RegSetValueExW(HKEY key, LPCWSTR name, DWORD, DWORD type, const BYTE* data, DWORD cb_data) {
  if (type != REG_SZ || (data == nullptr && cb_data != 0) || cb_data % 2 != 0) return ERROR_INVALID_PARAMETER;
  std::u16string wide(cb_data / 2, u'\0');
  if (cb_data != 0) std::memcpy(wide.data(), data, cb_data);
  wide.resize(std::char_traits<char16_t>::length(wide.c_str()));
  const std::string value_name = Narrow(name);
  if (value_name.size() > kMaxValueNameLength) return ERROR_INVALID_PARAMETER;
  const std::string text = vrk::Utf16ToUtf8(wide);
  return ChangeKey(key, nullptr, [&](RegistryKey& found, const std::string&) {
    if (value_name.empty())
      found.default_value = text;
    else
      found.values.insert_or_assign(value_name, text);
    return ERROR_SUCCESS;
  });
}

LONG RegQueryValueExW(HKEY key, LPCWSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD cb_data) {
  const std::string value_name = Narrow(name);
  return WithKey(key, nullptr, [&](RegistryKey& found) {
    if (value_name.empty())
      return found.default_value ? CopyText(*found.default_value, type, data, cb_data) : ERROR_FILE_NOT_FOUND;
    const auto it = found.values.find(value_name);
    return it != found.values.end() ? CopyText(it->second, type, data, cb_data) : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegDeleteValueW(HKEY key, LPCWSTR name) {
  const std::string value_name = Narrow(name);
  return ChangeKey(key, nullptr, [&](RegistryKey& found, const std::string&) {
    if (value_name.empty()) {
      if (!found.default_value) return ERROR_FILE_NOT_FOUND;
      found.default_value.reset();
      return ERROR_SUCCESS;
    }
    return found.values.erase(value_name) != 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
  });
}

LONG RegDeleteKeyW(HKEY key, LPCWSTR subkey) {
  if (subkey == nullptr || *subkey == u'\0') return ERROR_INVALID_PARAMETER;
  return ChangeKey(
      key, subkey,
      [](RegistryKey& parent, const std::string& last) {
        const auto it = parent.subkeys.find(last);
        if (it == parent.subkeys.end()) return ERROR_FILE_NOT_FOUND;
        if (!it->second.subkeys.empty()) return ERROR_ACCESS_DENIED;
        parent.subkeys.erase(it);
        return ERROR_SUCCESS;
      },
      true);
}

LONG RegDeleteTreeW(HKEY key, LPCWSTR subkey) {
  if (subkey == nullptr || *subkey == u'\0')
    return ChangeKey(key, nullptr, [](RegistryKey& found, const std::string&) {
      found = RegistryKey();
      return ERROR_SUCCESS;
    });
  return ChangeKey(
      key, subkey,
      [](RegistryKey& parent, const std::string& last) {
        return parent.subkeys.erase(last) != 0 ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
      },
      true);
}

LONG RegQueryInfoKeyW(HKEY key, LPWSTR key_class, LPDWORD class_length, LPDWORD, LPDWORD subkeys,
                      LPDWORD max_subkey_length, LPDWORD max_class_length, LPDWORD values,
                      LPDWORD max_value_name_length, LPDWORD max_value_length, LPDWORD security_length,
                      FILETIME* last_write) {
  return WithKey(key, nullptr, [&](RegistryKey& found) {
    DWORD longest_key = 0, longest_name = 0, longest_value = 0;
    for (const auto& [name, sub] : found.subkeys)
      longest_key = std::max<DWORD>(longest_key, static_cast<DWORD>(vrk::Utf8ToUtf16(name).size()));
    auto measure = [&](const std::string& name, const std::string& value) {
      longest_name = std::max<DWORD>(longest_name, static_cast<DWORD>(vrk::Utf8ToUtf16(name).size()));
      longest_value = std::max<DWORD>(longest_value, static_cast<DWORD>((vrk::Utf8ToUtf16(value).size() + 1) * 2));
    };
    if (found.default_value) measure("", *found.default_value);
    for (const auto& [name, value] : found.values) measure(name, value);
    if (key_class != nullptr && class_length != nullptr && *class_length > 0) *key_class = u'\0';
    if (class_length != nullptr) *class_length = 0;
    if (subkeys != nullptr) *subkeys = static_cast<DWORD>(found.subkeys.size());
    if (max_subkey_length != nullptr) *max_subkey_length = longest_key;
    if (max_class_length != nullptr) *max_class_length = 0;
    if (values != nullptr) *values = static_cast<DWORD>(found.values.size() + (found.default_value ? 1 : 0));
    if (max_value_name_length != nullptr) *max_value_name_length = longest_name;
    if (max_value_length != nullptr) *max_value_length = longest_value;
    if (security_length != nullptr) *security_length = 0;
    if (last_write != nullptr) *last_write = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}

LONG RegEnumKeyExW(HKEY key, DWORD index, LPWSTR name, LPDWORD name_length, LPDWORD, LPWSTR key_class,
                   LPDWORD class_length, FILETIME* last_write) {
  if (name == nullptr || name_length == nullptr) return ERROR_INVALID_PARAMETER;
  return WithKey(key, nullptr, [&](RegistryKey& found) {
    if (index >= found.subkeys.size()) return ERROR_NO_MORE_ITEMS;
    auto it = found.subkeys.begin();
    std::advance(it, index);
    const std::u16string wide = vrk::Utf8ToUtf16(it->first);
    if (*name_length <= wide.size()) {
      *name_length = static_cast<DWORD>(wide.size() + 1);
      return ERROR_MORE_DATA;
    }
    std::memcpy(name, wide.c_str(), (wide.size() + 1) * sizeof(char16_t));
    *name_length = static_cast<DWORD>(wide.size());
    if (key_class != nullptr && class_length != nullptr && *class_length > 0) *key_class = u'\0';
    if (class_length != nullptr) *class_length = 0;
    if (last_write != nullptr) *last_write = FILETIME{0, 0};
    return ERROR_SUCCESS;
  });
}
