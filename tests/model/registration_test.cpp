// Registration of the server: the registry after register and after unregister, the order of the steps, the
// first failure stopping the rest, the thread's locale, and a client finding the class through its ProgID.
#include <gtest/gtest.h>

#include <dlfcn.h>

#include <string>
#include <thread>
#include <vector>

#include "bin/seed_files.h"
#include "interface/server_registration.h"
#include "interface/vrk5420_interfaces.h"
#include "platform/com_client.h"
#include "platform/com_ptr.h"
#include "platform/oleauto.h"
#include "platform/registry_fixture.h"
#include "platform/registry_script.h"

namespace vrk {
namespace {

constexpr char kModule[] = "/opt/vrk/lib/libVRK5420CfgConverter.so";

// The whole registry after registration, kept as a seed of the registry file fuzzer.
std::string Registered() { return test::SourceFileText("fuzz/registry_corpus/server_registration.txt"); }
// What unregistration leaves: the keys that are never removed.
constexpr char kUnregistered[] = R"(VRK5420 registry 1
[HKEY_CLASSES_ROOT]
[HKEY_CLASSES_ROOT\AppID]
[HKEY_CLASSES_ROOT\CLSID]
[HKEY_CLASSES_ROOT\Interface]
[HKEY_CLASSES_ROOT\TypeLib]
)";

class Registration : public testing_support::RegistryFixture {
 protected:
  void TearDown() override {
    SetThreadLocale(0);
    RegistryFixture::TearDown();
  }
  // The module's own scripts, with script `broken` replaced by one that cannot be read, at a fixed path.
  static ServerResources Resources(int broken = 0) {
    return {[broken](int id) { return id == broken ? std::string_view("HKCR {") : ModuleServerResources().script(id); },
            kModule};
  }
  bool KeyExists(const char16_t* path) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CLASSES_ROOT, path, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
  }
};

TEST_F(Registration, RegistersEveryKeyAndUnregistersAllButTheSharedOnes) {
  ASSERT_EQ(RegisterServer(Resources()), S_OK);
  EXPECT_EQ(FileText(), Registered());
  ASSERT_EQ(RegisterServer(Resources()), S_OK);  // registering again changes nothing
  EXPECT_EQ(FileText(), Registered());
  ASSERT_EQ(UnregisterServer(Resources()), S_OK);
  EXPECT_EQ(FileText(), kUnregistered);
  EXPECT_EQ(UnregisterServer(Resources()), S_OK);  // nothing left to remove is no failure
}

TEST_F(Registration, OtherServersKeysSurviveUnregistration) {
  HKEY key = nullptr;
  RegCreateKeyExW(HKEY_CLASSES_ROOT, u"CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32", 0, nullptr, 0,
                  KEY_ALL_ACCESS, nullptr, &key, nullptr);
  RegCloseKey(key);
  ASSERT_EQ(RegisterServer(Resources()), S_OK);
  ASSERT_EQ(UnregisterServer(Resources()), S_OK);
  EXPECT_TRUE(KeyExists(u"CLSID\\{00000000-0000-0000-0000-000000000001}\\InprocServer32"));
}

TEST_F(Registration, AFailingStepStopsTheRestAndADamagedRegistryTheFirstKeepingTheFile) {
  EXPECT_EQ(RegisterServer(Resources(103)), registry::kScriptSyntaxError);
  EXPECT_TRUE(KeyExists(u"AppID\\VRK5420CfgConverter.DLL"));                  // step 101 ran
  EXPECT_FALSE(KeyExists(u"VRK5420CfgConverter.VRK5420CfgConValueI"));        // 150 did not
  EXPECT_FALSE(KeyExists(u"TypeLib\\{60488527-D1F6-4F56-8958-D9B80793C60F}"));  // nor the type library

  ASSERT_EQ(RegisterServer(Resources()), S_OK);
  EXPECT_EQ(UnregisterServer(Resources(103)), registry::kScriptSyntaxError);
  EXPECT_FALSE(KeyExists(u"VRK5420CfgConverter.VRK5420CfgConValueI"));  // 150 went first
  EXPECT_TRUE(KeyExists(u"VRK5420CfgConverter.VRK5420CfgConverter"));
  EXPECT_TRUE(KeyExists(u"TypeLib\\{60488527-D1F6-4F56-8958-D9B80793C60F}"));
  EXPECT_TRUE(KeyExists(u"AppID\\VRK5420CfgConverter.DLL"));
  // An unwritable or damaged registry fails the first step and keeps the file.
  WriteFileText("not a registry");
  EXPECT_EQ(RegisterServer(Resources()), HRESULT_FROM_WIN32(ERROR_BADDB));
  EXPECT_EQ(FileText(), "not a registry");
  UseFile(file_ / "registry");  // below a regular file: cannot be created
  EXPECT_EQ(RegisterServer(Resources()), HRESULT_FROM_WIN32(ERROR_CANTWRITE));
}

TEST_F(Registration, StepsRunUnderTheSystemLocaleAndTheCallersLocaleComesBack) {
  constexpr LCID kGerman = 0x0407;  // a locale the environment never yields
  std::vector<LCID> during;
  ServerResources resources = Resources();
  resources.script = [&during](int id) {
    during.push_back(GetThreadLocale());
    return ModuleServerResources().script(id);
  };
  SetThreadLocale(kGerman);
  ASSERT_EQ(RegisterServer(resources), S_OK);
  EXPECT_EQ(GetThreadLocale(), kGerman);
  ASSERT_EQ(UnregisterServer(resources), S_OK);
  EXPECT_EQ(GetThreadLocale(), kGerman);
  EXPECT_EQ(during.size(), 6u);
  for (const LCID locale : during) EXPECT_NE(locale, kGerman);

  WriteFileText("damaged");
  EXPECT_NE(RegisterServer(Resources()), S_OK);
  EXPECT_EQ(GetThreadLocale(), kGerman);
  EXPECT_NE(UnregisterServer(Resources(150)), S_OK);
  EXPECT_EQ(GetThreadLocale(), kGerman);
}

TEST_F(Registration, ConcurrentRegistrationsLeaveOneWholeRegistration) {
  std::vector<std::thread> threads;
  std::vector<HRESULT> results(4, E_FAIL);
  for (std::size_t i = 0; i < results.size(); ++i)
    threads.emplace_back([&results, i] { results[i] = RegisterServer(Resources()); });
  for (std::thread& thread : threads) thread.join();
  for (const HRESULT hr : results) EXPECT_EQ(hr, S_OK);
  EXPECT_EQ(FileText(), Registered());
}

// A client that knows only the ProgID: the library registers itself and the class is found by either ProgID, in
// any letter case, until the library unregisters itself. (Driving the converter so created is the installed
// client's test.)
TEST_F(Registration, ProgIdsNameTheClassesFromRegistrationToUnregistration) {
  void* library = dlopen(VRK_SHARED_LIBRARY, RTLD_NOW | RTLD_LOCAL);
  ASSERT_NE(library, nullptr) << dlerror();
  const auto registration = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllRegisterServer"));
  const auto unregistration = reinterpret_cast<HRESULT (*)()>(dlsym(library, "DllUnregisterServer"));
  ASSERT_TRUE(registration && unregistration);
  ASSERT_EQ(registration(), S_OK);

  CLSID clsid{};
  ASSERT_EQ(CLSIDFromProgID(u"VRK5420CfgConverter.VRK5420CfgConverter", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_VRK5420CfgConverter);
  ASSERT_EQ(CLSIDFromProgID(u"vrk5420cfgconverter.vrk5420cfgconvalu.1", &clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_VRK5420CfgConValueIndexes);
  ComPtr<IUnknown> converter;
  EXPECT_EQ(CoCreateInstance(CLSID_VRK5420CfgConverter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown,
                             reinterpret_cast<void**>(converter.Out())),
            S_OK);
  converter.Reset();

  ASSERT_EQ(unregistration(), S_OK);
  EXPECT_EQ(CLSIDFromProgID(u"VRK5420CfgConverter.VRK5420CfgConverter", &clsid), CO_E_CLASSSTRING);
  void* object = nullptr;
  EXPECT_EQ(CoCreateInstance(CLSID_VRK5420CfgConverter, nullptr, CLSCTX_INPROC_SERVER, IID_IUnknown, &object),
            REGDB_E_CLASSNOTREG);
  dlclose(library);
}

TEST(GuidText, FormatsAndReadsTheRegistryForm) {
  OLECHAR text[39];
  ASSERT_EQ(StringFromGUID2(CLSID_VRK5420CfgConValueIndexes, text, 39), 39);
  EXPECT_EQ(std::u16string(text), u"{B572B8A8-723D-4E42-8F0C-147FED6FC9CE}");
  CLSID back{};
  EXPECT_EQ(CLSIDFromString(u"{b572b8a8-723d-4e42-8f0c-147fed6fc9ce}", &back), S_OK);
  EXPECT_EQ(back, CLSID_VRK5420CfgConValueIndexes);
  for (const char16_t* bad : {u"", u"B572B8A8-723D-4E42-8F0C-147FED6FC9CE", u"{B572B8A8-723D-4E42-8F0C-147FED6FC9CG}",
                              u"{B572B8A8+723D-4E42-8F0C-147FED6FC9CE}"})
    EXPECT_EQ(CLSIDFromString(bad, &back), CO_E_CLASSSTRING);
}

}  // namespace
}  // namespace vrk
