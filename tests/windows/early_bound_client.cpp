// An early-bound client of the registered server, as a configuration program written in C++ would be: it finds
// both classes by ProgID, creates them through the system's COM and calls the interfaces' tables directly.
// Usage: early_bound_client IMAGE_FILE. Writes the image of the default configuration with one value changed
// and prints its CRC-32; exit code 0 when every check passed.
#include "interface/vrk5420_interfaces.h"
#include "platform/com_ptr.h"
#include "tests/windows/client_checks.h"

namespace {

using namespace vrk::wintest;
using vrk::ComPtr;

constexpr LANGID kRussian = MAKELANGID(LANG_RUSSIAN, SUBLANG_DEFAULT);

void CheckProgIds(CheckLog& log) {
  CLSID clsid{};
  log.Expect(SUCCEEDED(CLSIDFromProgID(kConverterProgId, &clsid)) && clsid == CLSID_VRK5420CfgConverter,
             "the converter's ProgID names its CLSID");
  log.Expect(SUCCEEDED(CLSIDFromProgID(kConverterVersionProgId, &clsid)) && clsid == CLSID_VRK5420CfgConverter,
             "the converter's versioned ProgID names its CLSID");
  log.Expect(SUCCEEDED(CLSIDFromProgID(kIndexesProgId, &clsid)) && clsid == CLSID_VRK5420CfgConValueIndexes,
             "the index list's ProgID names its CLSID");
  log.Expect(SUCCEEDED(CLSIDFromProgID(kIndexesVersionProgId, &clsid)) && clsid == CLSID_VRK5420CfgConValueIndexes,
             "the index list's versioned ProgID names its CLSID");
}

void CheckErrorInfoBeforeLoad(CheckLog& log, IVRK5420CfgConverter& converter) {
  Bstr value;
  log.ExpectHr(converter.GetValue(Bstr(kDecimationPath).get(), nullptr, value.Out()), E_FAIL,
               "GetValue before any load fails");
  std::wstring source;
  log.Expect(TakeErrorDescription(&source) == L"The configuration has not been loaded",
             "its error information says that no configuration is loaded");
  log.Expect(source == kConverterVersionProgId, "the error's source is the registered ProgID");
  ComPtr<ISupportErrorInfo> support;
  log.Expect(SUCCEEDED(converter.QueryInterface(IID_ISupportErrorInfo, reinterpret_cast<void**>(support.Out()))) &&
                 support->InterfaceSupportsErrorInfo(IID_IVRK5420CfgConverter) == S_OK,
             "the converter supports error information on its interface");
}

void CheckValues(CheckLog& log, IVRK5420CfgConverter& converter) {
  const Bstr path(kDecimationPath);
  Bstr value;
  log.Expect(SUCCEEDED(converter.GetValue(path.get(), nullptr, value.Out())) && value.Equals(kDefaultDecimation),
             "GetValue reads the default value");
  Bstr wrong(kOutOfRangeDecimation);
  log.ExpectHr(converter.SetValue(path.get(), nullptr, wrong.InOut()), E_FAIL, "SetValue out of range fails");
  log.Expect(TakeErrorDescription() == kOutOfRangeDescription, "its description names the value, limits and path");
  Bstr changed(kNewDecimation);
  log.Expect(SUCCEEDED(converter.SetValue(path.get(), nullptr, changed.InOut())) && changed.Equals(kNewDecimation),
             "SetValue writes a value and gives it back as stored");
  log.Expect(SUCCEEDED(converter.GetValue(path.get(), nullptr, value.Out())) && value.Equals(kNewDecimation),
             "GetValue reads the new value");
}

// The index list is an object of its own class, passed to the converter through its table.
void CheckIndexList(CheckLog& log, IVRK5420CfgConverter& converter) {
  auto indexes = CreateByProgId<IVRK5420CfgConValueIndexes>(kIndexesProgId, IID_IVRK5420CfgConValueIndexes);
  if (!log.Expect(static_cast<bool>(indexes), "the index list is created by ProgID")) return;
  ComPtr<IDispatch> dispatch;
  log.ExpectHr(indexes->QueryInterface(IID_IDispatch, reinterpret_cast<void**>(dispatch.Out())), E_NOINTERFACE,
               "the index list hands out no IDispatch");
  ULONG out = 0;
  log.Expect(indexes->put_Count(1) == S_OK && indexes->put_UseAttr(0, 1) == S_OK &&
                 indexes->put_Value(0, kTableKey) == S_OK,
             "the index list takes one entry selecting by key");
  log.ExpectHr(indexes->get_Value(1, &out), E_INVALIDARG, "an index past the end is refused");
  Bstr count;
  log.Expect(SUCCEEDED(converter.GetValue(Bstr(kTableCountPath).get(), indexes.get(), count.Out())) &&
                 count.Equals(kTableCount),
             "GetValue with the index list reads the selected occurrence");
}

// Writes the image, and checks that loading it back and converting again gives the same bytes.
void CheckImage(CheckLog& log, IVRK5420CfgConverter& converter, const char* image_file) {
  SAFEARRAY* image = nullptr;
  ULONG crc = 0;
  if (!log.Expect(SUCCEEDED(converter.GetBIN(&image, &crc)) && image != nullptr, "GetBIN gives an image")) return;
  log.Expect(WriteImage(image, image_file), "the image is written");
  PrintCrc(crc);
  SAFEARRAY* again = nullptr;
  ULONG crc_again = 0;
  log.Expect(SUCCEEDED(converter.put_BIN(image)) && SUCCEEDED(converter.GetBIN(&again, &crc_again)) &&
                 SameBytes(image, again) && crc_again == crc,
             "BIN put of the image and GetBIN again give the same bytes and CRC");
  SafeArrayDestroy(again);
  SafeArrayDestroy(image);
  Bstr text;
  log.Expect(SUCCEEDED(converter.get_XML(text.Out())) &&
                 text.StartsWith(L"<?xml version=\"1.0\" encoding=\"windows-1251\"?>"),
             "XML get gives the document with its declaration");
}

// Messages follow the thread's UI language; only a system that switches it per thread can show that.
void CheckThreadLanguage(CheckLog& log, IVRK5420CfgConverter& converter) {
  const LANGID saved = GetThreadUILanguage();
  SetThreadUILanguage(kRussian);
  if (GetThreadUILanguage() != kRussian) {
    log.Skip("messages in the thread's UI language", "the system does not switch a thread's UI language");
    return;
  }
  Bstr value;
  converter.GetValue(Bstr(L"No\\such_attribute").get(), nullptr, value.Out());
  log.Expect(TakeErrorDescription() == L"\u041D\u0435\u0434\u043E\u043F\u0443\u0441\u0442\u0438\u043C\u044B\u0439 "
                                       L"\u043F\u0443\u0442\u044C \u043A \u0430\u0442\u0440\u0438\u0431\u0443\u0442\u0443",
             "a Russian thread gets the Russian message");
  SetThreadUILanguage(saved);
}

void Run(CheckLog& log, const char* image_file) {
  CheckProgIds(log);
  auto converter = CreateByProgId<IVRK5420CfgConverter>(kConverterProgId, IID_IVRK5420CfgConverter);
  if (!log.Expect(static_cast<bool>(converter), "the converter is created by ProgID")) return;
  CheckErrorInfoBeforeLoad(log, *converter.get());
  if (!log.ExpectHr(converter->CreateNewCfg(), S_OK, "CreateNewCfg makes the default configuration")) return;
  CheckValues(log, *converter.get());
  CheckIndexList(log, *converter.get());
  CheckThreadLanguage(log, *converter.get());
  CheckImage(log, *converter.get(), image_file);
}

}  // namespace

int main(int argc, char** argv) { return RunClient(argc, argv, "early_bound_client", Run); }
