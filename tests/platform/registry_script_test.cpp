// The registrar: what a script adds, what it removes again and what it leaves, and scripts it refuses.
#include <gtest/gtest.h>

#include "platform/registry.h"
#include "platform/registry_fixture.h"
#include "platform/registry_script.h"

namespace vrk {
namespace {

using RegistryScript = testing_support::RegistryFixture;

constexpr char kHeader[] = "VRK5420 registry 1\n[HKEY_CLASSES_ROOT]\n";

constexpr char kScript[] = R"(
HKCR
{
	NoRemove Shared
	{
		ForceRemove {Mine} = s 'It''s %NAME%'
		{
			Sub = s '100%% %NAME%'
			{
				val Model = s 'Both'
			}
		}
		'Plain key' = s 'p'
		{
			Inner
		}
	}
}
)";

TEST_F(RegistryScript, RegistersKeysValuesAndReplacements) {
  ASSERT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "x 'y'"}}, true), S_OK);
  EXPECT_EQ(FileText(), std::string(kHeader) +
                            "[HKEY_CLASSES_ROOT\\Shared]\n"
                            "[HKEY_CLASSES_ROOT\\Shared\\Plain key]\n@=\"p\"\n"
                            "[HKEY_CLASSES_ROOT\\Shared\\Plain key\\Inner]\n"
                            "[HKEY_CLASSES_ROOT\\Shared\\{Mine}]\n@=\"It's x 'y'\"\n"
                            "[HKEY_CLASSES_ROOT\\Shared\\{Mine}\\Sub]\n@=\"100% x 'y'\"\n\"Model\"=\"Both\"\n");
}

TEST_F(RegistryScript, ForceRemoveReplacesTheKeyWhole) {
  HKEY stale = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Shared\\{Mine}\\Stale", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &stale, nullptr);
  RegCloseKey(stale);
  ASSERT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "n"}}, true), S_OK);
  HKEY key = nullptr;
  EXPECT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, u"Shared\\{Mine}\\Stale", 0, KEY_READ, &key), ERROR_FILE_NOT_FOUND);
}

TEST_F(RegistryScript, UnregistrationKeepsNoRemoveKeysAndKeysWithForeignSubkeys) {
  ASSERT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "n"}}, true), S_OK);
  HKEY foreign = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, u"Shared\\Plain key\\Foreign", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &foreign,
                  nullptr);
  RegCloseKey(foreign);
  ASSERT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "n"}}, false), S_OK);
  EXPECT_EQ(FileText(), std::string(kHeader) +
                            "[HKEY_CLASSES_ROOT\\Shared]\n[HKEY_CLASSES_ROOT\\Shared\\Plain key]\n@=\"p\"\n"
                            "[HKEY_CLASSES_ROOT\\Shared\\Plain key\\Foreign]\n");
  // Removing what is already gone is no failure.
  EXPECT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "n"}}, false), S_OK);
}

TEST_F(RegistryScript, UnreadableScriptsChangeNothing) {
  std::string deep = "HKCR {";
  for (int i = 0; i <= registry::kMaxScriptDepth; ++i) deep += " k {";
  for (int i = 0; i <= registry::kMaxScriptDepth; ++i) deep += " }";
  deep += " }";
  const char* scripts[] = {
      "HKCR { A = s '%UNKNOWN%' }", "HKCR { A = s 'open }", "HKCR { A { }", "HKLM { A }", "HKCR { A = d '1' }",
      "HKCR { A = s }",        "HKCR { A = s '50%' }", "HKCR { ForceRemove }"};
  for (const char* script : scripts)
    EXPECT_EQ(registry::RunRegistryScript(script, {}, true), registry::kScriptSyntaxError) << script;
  EXPECT_EQ(registry::RunRegistryScript(deep, {}, true), registry::kScriptSyntaxError);
  EXPECT_EQ(FileText(), "");
}

TEST_F(RegistryScript, RegistryFailureIsReturnedAsItsResult) {
  WriteFileText("damaged");
  EXPECT_EQ(registry::RunRegistryScript(kScript, {{"NAME", "n"}}, true), HRESULT_FROM_WIN32(ERROR_BADDB));
  EXPECT_EQ(FileText(), "damaged");
}

}  // namespace
}  // namespace vrk
