// What the clients that drive the registered server through the system's COM share: one line per check on
// standard output, a failure count that becomes the exit code, a BSTR owner, and the texts and values that every
// client expects from the default configuration.
#pragma once

#include <windows.h>
#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>
#include <utility>

#include "platform/com_ptr.h"

namespace vrk::wintest {

// The value that the clients change: carried in the binary image, so the image shows the change.
inline const wchar_t kDecimationPath[] = L"BlackBox\\decimation_coeff";
inline const wchar_t kDefaultDecimation[] = L"0";
inline const wchar_t kNewDecimation[] = L"3";
inline const wchar_t kOutOfRangeDecimation[] = L"10001";
// The description of the failed SetValue of kOutOfRangeDecimation: message, limits and the attribute's path.
inline const wchar_t kOutOfRangeDescription[] =
    L"Incorrect value range (10001) \nValue must be\npositive integer\n"
    L"greater than or equal 0 and less than or equal 10000\n\\VRK_Device\\BlackBox\\decimation_coeff";
// A repeated element, selected by key: the Modbus table of type 4 holds 37 registers by default.
inline const wchar_t kTableCountPath[] = L"Modbus\\Tables\\Table\\count";
constexpr ULONG kTableKey = 4;
inline const wchar_t kTableCount[] = L"37";
inline const wchar_t kConverterProgId[] = L"VRK5420CfgConverter.VRK5420CfgConverter";
inline const wchar_t kConverterVersionProgId[] = L"VRK5420CfgConverter.VRK5420CfgConvert.1";
inline const wchar_t kIndexesProgId[] = L"VRK5420CfgConverter.VRK5420CfgConValueI";
inline const wchar_t kIndexesVersionProgId[] = L"VRK5420CfgConverter.VRK5420CfgConValu.1";

class CheckLog {
 public:
  // Returns `ok`, so that a check can guard the ones that depend on it.
  bool Expect(bool ok, const char* what) {
    std::printf("%s - %s\n", ok ? "ok" : "FAIL", what);
    if (!ok) ++failures_;
    return ok;
  }
  bool ExpectHr(HRESULT got, HRESULT wanted, const char* what) {
    if (got != wanted) std::printf("# result 0x%08lX, expected 0x%08lX\n", got, wanted);
    return Expect(got == wanted, what);
  }
  void Skip(const char* what, const char* reason) { std::printf("skip - %s: %s\n", what, reason); }
  int ExitCode() const {
    std::fflush(stdout);
    return failures_ == 0 ? 0 : 1;
  }

 private:
  int failures_ = 0;
};

// Owner of one BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(const wchar_t* text) : text_(SysAllocString(text)) {}
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;
  ~Bstr() { SysFreeString(text_); }

  BSTR get() const { return text_; }
  // Frees the held text and returns the slot, for an [out] parameter.
  BSTR* Out() {
    SysFreeString(std::exchange(text_, nullptr));
    return &text_;
  }
  // For an [in, out] parameter: the held text goes in, the callee may replace it.
  BSTR* InOut() { return &text_; }
  bool Equals(const wchar_t* text) const { return text_ != nullptr && std::wstring(text_) == text; }
  bool StartsWith(const wchar_t* prefix) const {
    return text_ != nullptr && std::wstring(text_).starts_with(prefix);
  }

 private:
  BSTR text_ = nullptr;
};

// The text of the thread's error information (empty when there is none), which it consumes.
inline std::wstring TakeErrorDescription(std::wstring* source = nullptr) {
  IErrorInfo* info = nullptr;
  std::wstring description;
  if (GetErrorInfo(0, &info) == S_OK && info != nullptr) {
    Bstr text, from;
    info->GetDescription(text.Out());
    info->GetSource(from.Out());
    if (text.get() != nullptr) description = text.get();
    if (source != nullptr && from.get() != nullptr) *source = from.get();
    info->Release();
  }
  return description;
}

// Writes the bytes of a one-dimensional array of unsigned bytes to `path`; false when that fails.
inline bool WriteImage(SAFEARRAY* image, const char* path) {
  if (image == nullptr || SafeArrayGetDim(image) != 1) return false;
  LONG lower = 0, upper = -1;
  SafeArrayGetLBound(image, 1, &lower);
  SafeArrayGetUBound(image, 1, &upper);
  void* data = nullptr;
  if (FAILED(SafeArrayAccessData(image, &data))) return false;
  std::ofstream out(path, std::ios::binary);
  out.write(static_cast<const char*>(data), static_cast<std::streamsize>(upper - lower + 1));
  SafeArrayUnaccessData(image);
  return static_cast<bool>(out);
}

// Prints the CRC-32 as the command-line tool prints it, for the driver to compare.
inline void PrintCrc(ULONG crc) { std::printf("CRC-32 0x%08lX\n", crc); }

// Whether two byte arrays hold the same bytes.
inline bool SameBytes(SAFEARRAY* a, SAFEARRAY* b) {
  if (a == nullptr || b == nullptr) return false;
  LONG al = 0, au = -1, bl = 0, bu = -1;
  SafeArrayGetLBound(a, 1, &al);
  SafeArrayGetUBound(a, 1, &au);
  SafeArrayGetLBound(b, 1, &bl);
  SafeArrayGetUBound(b, 1, &bu);
  if (au - al != bu - bl) return false;
  void* ad = nullptr;
  void* bd = nullptr;
  SafeArrayAccessData(a, &ad);
  SafeArrayAccessData(b, &bd);
  const bool same = std::memcmp(ad, bd, static_cast<size_t>(au - al + 1)) == 0;
  SafeArrayUnaccessData(b);
  SafeArrayUnaccessData(a);
  return same;
}

// COM initialised for the calling thread as a single-threaded apartment, for the life of the object.
class ComApartment {
 public:
  ComApartment() : hr_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;
  ~ComApartment() {
    if (SUCCEEDED(hr_)) CoUninitialize();
  }
  HRESULT result() const { return hr_; }

 private:
  HRESULT hr_;
};

// The object of the class that `progid` names, created in process through the system's COM; empty on failure.
template <class T>
ComPtr<T> CreateByProgId(const wchar_t* progid, REFIID iid) {
  CLSID clsid{};
  ComPtr<T> object;
  if (SUCCEEDED(CLSIDFromProgID(progid, &clsid)))
    CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, iid, reinterpret_cast<void**>(object.Out()));
  return object;
}

// The main function of a client that takes the file to write the image to: `run` gets the log and the file.
template <class Run>
int RunClient(int argc, char** argv, const char* name, Run run) {
  CheckLog log;
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s IMAGE_FILE\n", name);
    return 2;
  }
  ComApartment apartment;
  if (log.Expect(SUCCEEDED(apartment.result()), "COM starts")) run(log, argv[1]);
  return log.ExitCode();
}

}  // namespace vrk::wintest
