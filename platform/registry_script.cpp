// The registrar: a tokenizer, a recursive-descent reader bounded by kMaxScriptDepth, and the two walks over the
// script's keys that add or remove them.
#include "platform/registry_script.h"

#include <cctype>
#include <optional>
#include <vector>

#include "platform/registry.h"
#include "platform/utf.h"

namespace vrk::registry {
namespace {

struct Token {
  std::string text;
  bool quoted = false;
};

enum class KeyFlag { kPlain, kNoRemove, kForceRemove, kDelete };

struct ScriptValue {
  std::string name;
  std::string text;
};

struct ScriptKey {
  KeyFlag flag = KeyFlag::kPlain;
  std::string name;
  std::optional<std::string> default_value;
  std::vector<ScriptValue> values;
  std::vector<ScriptKey> subkeys;
};

bool SameWord(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}

// Replaces %NAME% and %%; nullopt for an unknown name or an unclosed %.
std::optional<std::string> Replace(std::string_view text, const Replacements& replacements) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%') {
      out += text[i];
      continue;
    }
    const std::size_t close = text.find('%', i + 1);
    if (close == std::string_view::npos) return std::nullopt;
    const std::string_view name = text.substr(i + 1, close - i - 1);
    if (name.empty()) {
      out += '%';
    } else {
      const auto it = replacements.find(name);
      if (it == replacements.end()) return std::nullopt;
      out += it->second;
    }
    i = close;
  }
  return out;
}

// Splits the script into tokens with their replacements made; nullopt when a quote is unclosed or a replacement
// unknown.
std::optional<std::vector<Token>> Tokenize(std::string_view script, const Replacements& replacements) {
  std::vector<Token> tokens;
  std::size_t i = 0;
  while (true) {
    while (i < script.size() && std::isspace(static_cast<unsigned char>(script[i]))) ++i;
    if (i == script.size()) return tokens;
    Token token;
    if (script[i] == '\'') {
      token.quoted = true;
      for (++i;; ++i) {
        if (i == script.size()) return std::nullopt;
        if (script[i] != '\'') {
          token.text += script[i];
        } else if (i + 1 < script.size() && script[i + 1] == '\'') {
          token.text += '\'';
          ++i;
        } else {
          ++i;
          break;
        }
      }
    } else {
      while (i < script.size() && !std::isspace(static_cast<unsigned char>(script[i]))) token.text += script[i++];
    }
    std::optional<std::string> replaced = Replace(token.text, replacements);
    if (!replaced) return std::nullopt;
    token.text = std::move(*replaced);
    tokens.push_back(std::move(token));
  }
}

// Reads tokens into keys; every failure is "not a valid script".
class Reader {
 public:
  explicit Reader(std::vector<Token> tokens) : tokens_(std::move(tokens)) {}

  // The keys of every HKCR block, or nullopt.
  std::optional<std::vector<ScriptKey>> Script() {
    std::vector<ScriptKey> keys;
    while (pos_ < tokens_.size()) {
      const Token& root = tokens_[pos_++];
      if (root.quoted || !(SameWord(root.text, "HKCR") || SameWord(root.text, "HKEY_CLASSES_ROOT"))) return {};
      if (!Punct("{") || !Block(nullptr, &keys, 1)) return {};
    }
    return keys;
  }

 private:
  bool AtPunct(const char* p) const {
    return pos_ < tokens_.size() && !tokens_[pos_].quoted && tokens_[pos_].text == p;
  }
  bool Punct(const char* p) {
    if (!AtPunct(p)) return false;
    ++pos_;
    return true;
  }
  bool AtWord(const char* word) const {
    return pos_ < tokens_.size() && !tokens_[pos_].quoted && SameWord(tokens_[pos_].text, word);
  }
  // A name: any quoted token, or a bare one that is not punctuation.
  std::optional<std::string> Name() {
    if (pos_ == tokens_.size() || AtPunct("{") || AtPunct("}") || AtPunct("=")) return std::nullopt;
    return tokens_[pos_++].text;
  }
  // "= s 'text'"; only string values exist.
  std::optional<std::string> Assignment() {
    if (!Punct("=") || !AtWord("s")) return std::nullopt;
    ++pos_;
    if (pos_ == tokens_.size()) return std::nullopt;
    return tokens_[pos_++].text;
  }

  // The inside of a { } block up to and including its "}": keys, and named values when owner is given.
  bool Block(ScriptKey* owner, std::vector<ScriptKey>* keys, int depth) {
    if (depth > kMaxScriptDepth) return false;
    while (!Punct("}")) {
      if (pos_ == tokens_.size()) return false;
      if (owner != nullptr && AtWord("val")) {
        ++pos_;
        std::optional<std::string> name = Name();
        std::optional<std::string> text = name ? Assignment() : std::nullopt;
        if (!text) return false;
        owner->values.push_back({std::move(*name), std::move(*text)});
        continue;
      }
      ScriptKey key;
      if (AtWord("NoRemove"))
        key.flag = KeyFlag::kNoRemove, ++pos_;
      else if (AtWord("ForceRemove"))
        key.flag = KeyFlag::kForceRemove, ++pos_;
      else if (AtWord("Delete"))
        key.flag = KeyFlag::kDelete, ++pos_;
      std::optional<std::string> name = Name();
      if (!name) return false;
      key.name = std::move(*name);
      if (AtPunct("=")) {
        key.default_value = Assignment();
        if (!key.default_value) return false;
      }
      if (Punct("{") && !Block(&key, &key.subkeys, depth + 1)) return false;
      keys->push_back(std::move(key));
    }
    return true;
  }

  std::vector<Token> tokens_;
  std::size_t pos_ = 0;
};

// Owns an open key handle.
class KeyHandle {
 public:
  KeyHandle() = default;
  KeyHandle(const KeyHandle&) = delete;
  KeyHandle& operator=(const KeyHandle&) = delete;
  ~KeyHandle() {
    if (key_ != nullptr) RegCloseKey(key_);
  }
  HKEY get() const { return key_; }
  PHKEY Out() { return &key_; }

 private:
  HKEY key_ = nullptr;
};

// UTF-16 text as the Reg* functions take it (WCHAR is char16_t here and wchar_t on Windows, both UTF-16).
LPCWSTR Chars(const std::u16string& text) { return reinterpret_cast<LPCWSTR>(text.c_str()); }

LONG SetText(HKEY key, const std::string& name, const std::string& text) {
  const std::u16string wide_name = Utf8ToUtf16(name);
  const std::u16string wide = Utf8ToUtf16(text);
  return RegSetValueExW(key, name.empty() ? nullptr : Chars(wide_name), 0, REG_SZ,
                        reinterpret_cast<const BYTE*>(wide.c_str()),
                        static_cast<DWORD>((wide.size() + 1) * sizeof(char16_t)));
}

LONG IgnoreMissing(LONG result) { return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result; }

LONG Add(HKEY parent, const ScriptKey& key) {
  const std::u16string name = Utf8ToUtf16(key.name);
  if (key.flag == KeyFlag::kDelete || key.flag == KeyFlag::kForceRemove) {
    if (const LONG removed = IgnoreMissing(RegDeleteTreeW(parent, Chars(name))); removed != ERROR_SUCCESS)
      return removed;
    if (key.flag == KeyFlag::kDelete) return ERROR_SUCCESS;
  }
  KeyHandle handle;
  LONG result = RegCreateKeyExW(parent, Chars(name), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                                handle.Out(), nullptr);
  if (result == ERROR_SUCCESS && key.default_value) result = SetText(handle.get(), "", *key.default_value);
  for (const ScriptValue& value : key.values)
    if (result == ERROR_SUCCESS) result = SetText(handle.get(), value.name, value.text);
  for (const ScriptKey& subkey : key.subkeys)
    if (result == ERROR_SUCCESS) result = Add(handle.get(), subkey);
  return result;
}

LONG Remove(HKEY parent, const ScriptKey& key) {
  const std::u16string name = Utf8ToUtf16(key.name);
  if (key.flag == KeyFlag::kDelete) return ERROR_SUCCESS;
  if (key.flag == KeyFlag::kForceRemove) return IgnoreMissing(RegDeleteTreeW(parent, Chars(name)));
  DWORD left = 0;
  {
    KeyHandle handle;
    LONG result = RegOpenKeyExW(parent, Chars(name), 0, KEY_ALL_ACCESS, handle.Out());
    if (result != ERROR_SUCCESS) return IgnoreMissing(result);
    for (const ScriptKey& subkey : key.subkeys)
      if (result == ERROR_SUCCESS) result = Remove(handle.get(), subkey);
    if (result != ERROR_SUCCESS || key.flag == KeyFlag::kNoRemove) return result;
    for (const ScriptValue& value : key.values) {
      const std::u16string value_name = Utf8ToUtf16(value.name);
      if (result == ERROR_SUCCESS) result = IgnoreMissing(RegDeleteValueW(handle.get(), Chars(value_name)));
    }
    if (result == ERROR_SUCCESS)
      result = RegQueryInfoKeyW(handle.get(), nullptr, nullptr, nullptr, &left, nullptr, nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr);
    if (result != ERROR_SUCCESS) return result;
  }
  // Keys that someone else put below this one keep it alive.
  return left == 0 ? IgnoreMissing(RegDeleteKeyW(parent, Chars(name))) : ERROR_SUCCESS;
}

}  // namespace

HRESULT RunRegistryScript(std::string_view script, const Replacements& replacements, bool add) {
  std::optional<std::vector<Token>> tokens = Tokenize(script, replacements);
  if (!tokens) return kScriptSyntaxError;
  const std::optional<std::vector<ScriptKey>> keys = Reader(std::move(*tokens)).Script();
  if (!keys) return kScriptSyntaxError;
  for (const ScriptKey& key : *keys) {
    const LONG result = add ? Add(HKEY_CLASSES_ROOT, key) : Remove(HKEY_CLASSES_ROOT, key);
    if (result != ERROR_SUCCESS) return HRESULT_FROM_WIN32(result);
  }
  return S_OK;
}

}  // namespace vrk::registry
