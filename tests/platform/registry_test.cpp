// The registry stand-in: its text form and parser, the Reg* calls over the file, and concurrent writers.
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "platform/registry.h"
#include "platform/registry_file.h"
#include "platform/registry_fixture.h"
#include "platform/registry_tree.h"
#include "platform/utf.h"

namespace vrk {
namespace {

using registry::ParseProblem;
using registry::RegistryKey;
using testing_support::RegistryFixture;

HKEY Create(HKEY parent, const std::u16string& path, DWORD* disposition = nullptr) {
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, disposition),
            ERROR_SUCCESS);
  return key;
}

LONG Set(HKEY key, const char16_t* name, const std::u16string& text) {
  return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                        static_cast<DWORD>((text.size() + 1) * 2));
}

// The value's text, or "<error N>".
std::string Query(HKEY key, const char16_t* name) {
  char16_t buffer[256];
  DWORD size = sizeof buffer;
  DWORD type = 0;
  const LONG result = RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<LPBYTE>(buffer), &size);
  if (result != ERROR_SUCCESS) return "<error " + std::to_string(result) + ">";
  EXPECT_EQ(type, REG_SZ);
  return Utf16ToUtf8(std::u16string(buffer, size / 2 - 1));
}

TEST(RegistryText, RoundTripsEscapesAndKeepsTheSpellingOfNames) {
  RegistryKey root;
  RegistryKey& key = root.subkeys["CLSID"].subkeys["{Ab}"];
  key.default_value = "line\none \"quoted\" back\\slash \x01 tab\t \xD0\xAF";
  key.values["ThreadingModel"] = "";
  root.subkeys["Empty"];
  const std::string text = registry::FormatRegistry(root);
  EXPECT_EQ(text,
            "VRK5420 registry 1\n[HKEY_CLASSES_ROOT]\n[HKEY_CLASSES_ROOT\\CLSID]\n[HKEY_CLASSES_ROOT\\CLSID\\{Ab}]\n"
            "@=\"line\\none \\\"quoted\\\" back\\\\slash \\x01 tab\\t \xD0\xAF\"\n\"ThreadingModel\"=\"\"\n"
            "[HKEY_CLASSES_ROOT\\Empty]\n");
  ParseProblem problem;
  const auto parsed = registry::ParseRegistry(text, &problem);
  ASSERT_TRUE(parsed) << problem.reason;
  EXPECT_EQ(*parsed, root);
  EXPECT_EQ(registry::FormatRegistry(*parsed), text);
  EXPECT_TRUE(parsed->subkeys.count("clsid") && parsed->subkeys.at("CLSID").subkeys.count("{AB}"));
}

TEST(RegistryText, DamagedFilesAreRefusedWithLineAndReason) {
  const std::string head = "VRK5420 registry 1\n";
  const struct {
    std::string text;
    std::size_t line;
    std::string reason;
  } cases[] = {
      {"", 1, "the header line is missing"},
      {"VRK5420 registry 2\n", 1, "the header line is not \"VRK5420 registry 1\""},
      {head + "@=\"x\"\n", 2, "a value line comes before the first key line"},
      {head + "[HKEY_CURRENT_USER\\x]\n", 2, "a key line is not below HKEY_CLASSES_ROOT"},
      {head + "[HKEY_CLASSES_ROOT\\a\\\\b]\n", 2, "a key line names a key that cannot exist"},
      {head + "[HKEY_CLASSES_ROOT\\a\n", 2, "a key line does not end in ']'"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n[HKEY_CLASSES_ROOT\\A]\n", 3, "a key is listed twice"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n\"v\"=\"1\"\n\"V\"=\"2\"\n", 4, "a value is listed twice"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@=\"1\"\n@=\"2\"\n", 4, "a key's default value is listed twice"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@=\"\\q\"\n", 3, "unknown escape in a quoted text"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@=\"\\x4\"\n", 3, "a \\x escape needs two hexadecimal digits"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@=\"open\n", 3, "a quoted text is not closed"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@=\"x\" junk\n", 3, "a value line goes on after its text"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n\"\"=\"x\"\n", 3, "a value name is empty or too long"},
      {head + "[HKEY_CLASSES_ROOT\\a]\nv=\"x\"\n", 3, "a quoted text was expected"},
      {head + "[HKEY_CLASSES_ROOT\\a]\n@\"x\"\n", 3, "a value line has no '=' after its name"},
      {std::string(registry::kMaxFileSize + 1, ' '), 0, "the file is larger than the registry can be"},
  };
  for (const auto& c : cases) {
    ParseProblem problem;
    EXPECT_FALSE(registry::ParseRegistry(c.text, &problem)) << c.reason;
    EXPECT_EQ(problem.line, c.line) << c.reason;
    EXPECT_EQ(problem.reason, c.reason);
  }
}

TEST(RegistryText, NestingDeeperThanThePlatformAllowsIsRefused) {
  std::string path = "HKEY_CLASSES_ROOT";
  for (std::size_t i = 0; i <= registry::kMaxKeyDepth; ++i) path += "\\k";
  ParseProblem problem;
  EXPECT_FALSE(registry::ParseRegistry("VRK5420 registry 1\n[" + path + "]\n", &problem));
}

using Registry = RegistryFixture;

TEST_F(Registry, KeysAndValuesPersistAndMatchWithoutRegardToCase) {
  DWORD disposition = 0;
  HKEY key = Create(HKEY_CLASSES_ROOT, u"Outer\\Inner", &disposition);
  EXPECT_EQ(disposition, REG_CREATED_NEW_KEY);
  EXPECT_EQ(Set(key, nullptr, u"default"), ERROR_SUCCESS);
  EXPECT_EQ(Set(key, u"Named", u"\u042F"), ERROR_SUCCESS);
  RegCloseKey(key);
  EXPECT_EQ(FileText(),
            "VRK5420 registry 1\n[HKEY_CLASSES_ROOT]\n[HKEY_CLASSES_ROOT\\Outer]\n[HKEY_CLASSES_ROOT\\Outer\\Inner]\n"
            "@=\"default\"\n\"Named\"=\"\xD0\xAF\"\n");

  HKEY again = Create(HKEY_CLASSES_ROOT, u"OUTER\\inner", &disposition);
  EXPECT_EQ(disposition, REG_OPENED_EXISTING_KEY);
  EXPECT_EQ(Query(again, u""), "default");
  EXPECT_EQ(Query(again, u"NAMED"), "\xD0\xAF");
  EXPECT_EQ(Query(again, u"Other"), "<error 2>");
  RegCloseKey(again);
}

TEST_F(Registry, QueryReportsTheSizeAndRefusesSmallBuffers) {
  HKEY key = Create(HKEY_CLASSES_ROOT, u"K");
  Set(key, u"v", u"abc");
  DWORD size = 0;
  EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, nullptr, &size), ERROR_SUCCESS);
  EXPECT_EQ(size, 8u);
  char16_t small[2];
  size = sizeof small;
  EXPECT_EQ(RegQueryValueExW(key, u"v", nullptr, nullptr, reinterpret_cast<LPBYTE>(small), &size), ERROR_MORE_DATA);
  EXPECT_EQ(size, 8u);
  EXPECT_EQ(RegSetValueExW(key, u"d", 0, 4, reinterpret_cast<const BYTE*>("1234"), 4), ERROR_INVALID_PARAMETER);
  RegCloseKey(key);
}

TEST_F(Registry, OpeningAndDeletingFollowThePlatformsRules) {
  HKEY missing = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Nope", 0, KEY_READ, &missing), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(missing, nullptr);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"\\Lead", 0, KEY_READ, &missing), ERROR_BAD_PATHNAME);
  HKEY parent = Create(HKEY_CLASSES_ROOT, u"P");
  RegCloseKey(Create(parent, u"C1"));
  RegCloseKey(Create(parent, u"c2\\G"));
  DWORD subkeys = 0, values = 9;
  EXPECT_EQ(RegQueryInfoKeyW(parent, nullptr, nullptr, nullptr, &subkeys, nullptr, nullptr, &values, nullptr, nullptr,
                             nullptr, nullptr),
            ERROR_SUCCESS);
  EXPECT_EQ(subkeys, 2u);
  EXPECT_EQ(values, 0u);
  char16_t name[8];
  DWORD length = 8;
  EXPECT_EQ(RegEnumKeyExW(parent, 1, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_SUCCESS);
  EXPECT_EQ(std::u16string(name, length), u"c2");
  length = 8;
  EXPECT_EQ(RegEnumKeyExW(parent, 2, name, &length, nullptr, nullptr, nullptr, nullptr), ERROR_NO_MORE_ITEMS);

  EXPECT_EQ(RegDeleteKeyW(parent, u"C2"), ERROR_ACCESS_DENIED);  // it has a subkey
  EXPECT_EQ(RegDeleteKeyW(parent, u"C1"), ERROR_SUCCESS);
  EXPECT_EQ(RegDeleteKeyW(parent, u"C1"), ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(RegDeleteTreeW(HKEY_CLASSES_ROOT, u"P"), ERROR_SUCCESS);
  EXPECT_EQ(Set(parent, u"v", u"x"), ERROR_KEY_DELETED);
  HKEY below = nullptr;
  EXPECT_EQ(RegCreateKeyExW(parent, u"New", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &below, nullptr),
            ERROR_KEY_DELETED);
  RegCloseKey(parent);
  EXPECT_EQ(FileText(), "VRK5420 registry 1\n[HKEY_CLASSES_ROOT]\n");
}

TEST_F(Registry, MissingFileIsEmptyAndADamagedOneIsReportedButNeverOverwritten) {
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"CLSID", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
  EXPECT_FALSE(std::filesystem::exists(file_));
  const std::string damaged = "VRK5420 registry 1\n[HKEY_CLASSES_ROOT\\a]\n@=\"cut";
  WriteFileText(damaged);
  EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_BADDB);
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"a", 0, KEY_READ, &key), ERROR_BADDB);
  EXPECT_EQ(FileText(), damaged);
  RegistryKey tree;
  std::string problem;
  EXPECT_EQ(registry::ReadRegistry(&tree, &problem), ERROR_BADDB);
  EXPECT_EQ(problem, file_.string() + ": line 3: a quoted text is not closed");
}

TEST_F(Registry, UnwritableLocationFailsWithoutCreatingAnythingMissingFoldersAreMade) {
  WriteFileText("");  // a regular file where a folder would have to be
  UseFile(file_ / "registry");
  HKEY key = nullptr;
  EXPECT_EQ(RegCreateKeyExW(HKEY_CLASSES_ROOT, u"b", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_CANTWRITE);
  EXPECT_EQ(key, nullptr);
  // Missing folders of a location are created.
  UseFile(folder_ / "a" / "b" / "registry");
  RegCloseKey(Create(HKEY_CLASSES_ROOT, u"K"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "a" / "b" / "registry"));
}

TEST_F(Registry, ConcurrentWritersLoseNothingAndLeaveNoTemporaryFiles) {
  constexpr int kThreads = 4, kKeys = 15;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([t] {
      for (int k = 0; k < kKeys; ++k) {
        HKEY key = nullptr;
        const std::u16string path = Utf8ToUtf16("T" + std::to_string(t) + "\\K" + std::to_string(k));
        if (RegCreateKeyExW(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
            ERROR_SUCCESS)
          continue;
        Set(key, nullptr, path);
        RegCloseKey(key);
      }
    });
  for (std::thread& thread : threads) thread.join();
  RegistryKey tree;
  ASSERT_EQ(registry::ReadRegistry(&tree), ERROR_SUCCESS);
  for (int t = 0; t < kThreads; ++t)
    for (int k = 0; k < kKeys; ++k) {
      const std::string name = "K" + std::to_string(k);
      const RegistryKey* key = registry::FindKey(tree, {"T" + std::to_string(t), name});
      ASSERT_NE(key, nullptr);
      EXPECT_EQ(key->default_value, "T" + std::to_string(t) + "\\" + name);
    }
  std::vector<std::string> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder_)) files.push_back(entry.path().filename());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"registry", "registry.lock"}));
}

TEST_F(Registry, TemporaryFilesOfKilledWritersAreRemovedByTheNextWriter) {
  std::ofstream(folder_ / "registry.tmp-a1B2c3") << "half written";
  std::ofstream(folder_ / "registry.tmp-kept") << "not a temporary file";
  RegCloseKey(Create(HKEY_CLASSES_ROOT, u"K"));
  EXPECT_FALSE(std::filesystem::exists(folder_ / "registry.tmp-a1B2c3"));
  EXPECT_TRUE(std::filesystem::exists(folder_ / "registry.tmp-kept"));
}

// Puts an environment variable back as it was.
class SavedVariable {
 public:
  explicit SavedVariable(const char* name) : name_(name) {
    if (const char* value = std::getenv(name)) value_ = value;
  }
  ~SavedVariable() {
    if (value_)
      setenv(name_, value_->c_str(), 1);
    else
      unsetenv(name_);
  }

 private:
  const char* name_;
  std::optional<std::string> value_;
};

TEST_F(Registry, LocationComesFromTheVariableThenTheUsersConfigurationFolder) {
  SavedVariable xdg("XDG_CONFIG_HOME"), home("HOME");
  EXPECT_EQ(registry::RegistryFilePath(), file_.string());
  unsetenv(registry::kRegistryFileVariable);
  setenv("XDG_CONFIG_HOME", "/cfg", 1);
  setenv("HOME", "/home/u", 1);
  EXPECT_EQ(registry::RegistryFilePath(), "/cfg/vrk5420/registry");
  setenv("XDG_CONFIG_HOME", "", 1);
  EXPECT_EQ(registry::RegistryFilePath(), "/home/u/.config/vrk5420/registry");
}

}  // namespace
}  // namespace vrk
