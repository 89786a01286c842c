// The registry tree and its text form. The parser reads line by line with an explicit stack of nothing: every key
// line names its full path, so the tree is rebuilt by walking from the root and no input can make it recurse.
#include "platform/registry_tree.h"

#include <set>

namespace vrk::registry {
namespace {

constexpr std::string_view kHeader = "VRK5420 registry 1";
constexpr std::string_view kRootName = "HKEY_CLASSES_ROOT";

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool IsControl(char c) { return static_cast<unsigned char>(c) < 0x20 || c == 0x7F; }

void AppendQuoted(std::string& out, std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  out += '"';
  for (const char c : text) {
    switch (c) {
      case '\\': out += "\\\\"; break;
      case '"': out += "\\\""; break;
      case '\n': out += "\\n"; break;
      case '\r': out += "\\r"; break;
      case '\t': out += "\\t"; break;
      default:
        if (IsControl(c)) {
          const auto byte = static_cast<unsigned char>(c);
          out += "\\x";
          out += kHex[byte >> 4];
          out += kHex[byte & 15];
        } else {
          out += c;
        }
    }
  }
  out += '"';
}

void AppendKey(std::string& out, const std::string& path, const RegistryKey& key) {
  out += '[';
  out += path;
  out += "]\n";
  if (key.default_value) {
    out += '@';
    out += '=';
    AppendQuoted(out, *key.default_value);
    out += '\n';
  }
  for (const auto& [name, value] : key.values) {
    AppendQuoted(out, name);
    out += '=';
    AppendQuoted(out, value);
    out += '\n';
  }
  // Depth is bounded by kMaxKeyDepth: every way into the tree checks it.
  for (const auto& [name, subkey] : key.subkeys) AppendKey(out, path + '\\' + name, subkey);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Reads a quoted text at line[pos], leaving pos after the closing quote; nullopt with *reason when malformed.
std::optional<std::string> ReadQuoted(std::string_view line, std::size_t& pos, std::string* reason) {
  if (pos >= line.size() || line[pos] != '"') {
    *reason = "a quoted text was expected";
    return std::nullopt;
  }
  std::string text;
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      ++pos;
      return text;
    }
    if (IsControl(c)) break;
    if (c != '\\') {
      text += c;
      continue;
    }
    if (++pos == line.size()) break;
    switch (line[pos]) {
      case '\\': text += '\\'; break;
      case '"': text += '"'; break;
      case 'n': text += '\n'; break;
      case 'r': text += '\r'; break;
      case 't': text += '\t'; break;
      case 'x': {
        const int high = pos + 1 < line.size() ? HexDigit(line[pos + 1]) : -1;
        const int low = pos + 2 < line.size() ? HexDigit(line[pos + 2]) : -1;
        if (high < 0 || low < 0) {
          *reason = "a \\x escape needs two hexadecimal digits";
          return std::nullopt;
        }
        text += static_cast<char>(high * 16 + low);
        pos += 2;
        break;
      }
      default:
        *reason = "unknown escape in a quoted text";
        return std::nullopt;
    }
  }
  *reason = "a quoted text is not closed";
  return std::nullopt;
}

class Parser {
 public:
  std::optional<RegistryKey> Run(std::string_view text, ParseProblem* problem) {
    if (text.size() > kMaxFileSize) return Fail(0, "the file is larger than the registry can be", problem);
    std::size_t start = 0;
    std::size_t number = 0;
    while (start < text.size()) {
      std::size_t end = text.find('\n', start);
      if (end == std::string_view::npos) end = text.size();
      const std::string_view line = text.substr(start, end - start);
      ++number;
      start = end + 1;
      std::string reason;
      if (!Line(number, line, &reason)) return Fail(number, reason, problem);
    }
    if (number == 0) return Fail(1, "the header line is missing", problem);
    return std::move(root_);
  }

 private:
  static std::optional<RegistryKey> Fail(std::size_t line, std::string reason, ParseProblem* problem) {
    if (problem != nullptr) *problem = {line, std::move(reason)};
    return std::nullopt;
  }

  bool Line(std::size_t number, std::string_view line, std::string* reason) {
    if (number == 1) {
      if (line == kHeader) return true;
      *reason = "the header line is not \"" + std::string(kHeader) + "\"";
      return false;
    }
    if (line.empty()) return true;
    if (line.front() == '[') return KeyLine(line, reason);
    return ValueLine(line, reason);
  }

  bool KeyLine(std::string_view line, std::string* reason) {
    if (line.back() != ']') {
      *reason = "a key line does not end in ']'";
      return false;
    }
    const std::string_view path = line.substr(1, line.size() - 2);
    std::string_view below;
    if (path == kRootName) {
      below = {};
    } else if (path.starts_with(kRootName) && path.size() > kRootName.size() && path[kRootName.size()] == '\\') {
      below = path.substr(kRootName.size() + 1);
      if (below.empty()) {
        *reason = "a key line names an empty key";
        return false;
      }
    } else {
      *reason = "a key line is not below HKEY_CLASSES_ROOT";
      return false;
    }
    const auto parts = SplitKeyPath(below);
    if (!parts) {
      *reason = "a key line names a key that cannot exist";
      return false;
    }
    if (!listed_.insert(std::string(path)).second) {
      *reason = "a key is listed twice";
      return false;
    }
    current_ = &root_;
    for (const std::string& part : *parts) current_ = &current_->subkeys[part];
    return true;
  }

  bool ValueLine(std::string_view line, std::string* reason) {
    if (current_ == nullptr) {
      *reason = "a value line comes before the first key line";
      return false;
    }
    std::size_t pos = 0;
    std::optional<std::string> name;
    if (line.front() == '@') {
      pos = 1;
    } else {
      name = ReadQuoted(line, pos, reason);
      if (!name) return false;
      if (name->empty() || name->size() > kMaxValueNameLength) {
        *reason = "a value name is empty or too long";
        return false;
      }
    }
    if (pos >= line.size() || line[pos] != '=') {
      *reason = "a value line has no '=' after its name";
      return false;
    }
    ++pos;
    std::optional<std::string> data = ReadQuoted(line, pos, reason);
    if (!data) return false;
    if (pos != line.size()) {
      *reason = "a value line goes on after its text";
      return false;
    }
    if (!name) {
      if (current_->default_value) {
        *reason = "a key's default value is listed twice";
        return false;
      }
      current_->default_value = std::move(*data);
      return true;
    }
    if (!current_->values.emplace(std::move(*name), std::move(*data)).second) {
      *reason = "a value is listed twice";
      return false;
    }
    return true;
  }

  RegistryKey root_;
  RegistryKey* current_ = nullptr;
  std::set<std::string, NameLess> listed_;
};

}  // namespace

bool NameLess::operator()(std::string_view a, std::string_view b) const {
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char x = FoldCase(a[i]);
    const char y = FoldCase(b[i]);
    if (x != y) return static_cast<unsigned char>(x) < static_cast<unsigned char>(y);
  }
  return a.size() < b.size();
}

bool IsValidKeyName(std::string_view name) {
  if (name.empty() || name.size() > kMaxKeyNameLength) return false;
  for (const char c : name)
    if (c == '\\' || IsControl(c)) return false;
  return true;
}

std::optional<std::vector<std::string>> SplitKeyPath(std::string_view path) {
  std::vector<std::string> parts;
  if (path.empty()) return parts;
  std::size_t start = 0;
  while (true) {
    const std::size_t end = path.find('\\', start);
    const std::string_view part = path.substr(start, end == std::string_view::npos ? end : end - start);
    if (!IsValidKeyName(part) || parts.size() == kMaxKeyDepth) return std::nullopt;
    parts.emplace_back(part);
    if (end == std::string_view::npos) return parts;
    start = end + 1;
  }
}

RegistryKey* FindKey(RegistryKey& root, const std::vector<std::string>& path) {
  RegistryKey* key = &root;
  for (const std::string& part : path) {
    const auto it = key->subkeys.find(part);
    if (it == key->subkeys.end()) return nullptr;
    key = &it->second;
  }
  return key;
}

std::string FormatRegistry(const RegistryKey& root) {
  std::string out(kHeader);
  out += '\n';
  AppendKey(out, std::string(kRootName), root);
  return out;
}

std::optional<RegistryKey> ParseRegistry(std::string_view text, ParseProblem* problem) {
  return Parser().Run(text, problem);
}

}  // namespace vrk::registry
