// Exhausted memory never crashes the converter: the Nth allocation of a call is made to fail, for N from the
// first allocation on, and the call must end as a failure with a description (or as a success), never abort.
// A failed edit leaves the document as it was; a failed load leaves no configuration. This executable's
// allocation functions are replaced for that; they behave as the usual ones until a test arms them.
#include <atomic>
#include <cstdlib>
#include <limits>
#include <new>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include "dispatch_fixture.h"
#include "interface/error_report.h"
#include "platform/dom/engine_allocation.h"

namespace {

// Allocations left before the one that fails; negative when nothing is to fail.
std::atomic<long> g_allocations_to_failure{-1};
std::atomic<bool> g_failure_happened{false};
// Whether every allocation after the failing one fails too, as when memory is exhausted for good.
std::atomic<bool> g_failures_persist{false};

void* Allocate(std::size_t size) noexcept {
  const long left = g_allocations_to_failure.load(std::memory_order_relaxed);
  if (left >= 0) {
    if (left > 0 || !g_failures_persist) g_allocations_to_failure.store(left - 1, std::memory_order_relaxed);
    if (left == 0) {
      g_failure_happened.store(true, std::memory_order_relaxed);
      return nullptr;
    }
  }
  return std::malloc(size != 0 ? size : 1);
}

}  // namespace

// What operator new returns comes from malloc, so free is the matching release; the compiler cannot tell.
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"

void* operator new(std::size_t size) {
  if (void* p = Allocate(size)) return p;
  throw std::bad_alloc();
}
void* operator new[](std::size_t size) { return operator new(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* p) noexcept { std::free(p); }
void operator delete[](void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
void operator delete[](void* p, std::size_t) noexcept { std::free(p); }

namespace vrk::test {
namespace {

// While it lives, allocation number `n` (counted from 0) fails, and only that one, or every one from it on.
class FailingAllocation {
 public:
  explicit FailingAllocation(long n, bool persist = false) {
    g_failure_happened = false;
    g_failures_persist = persist;
    g_allocations_to_failure = n;
  }
  ~FailingAllocation() {
    g_allocations_to_failure = -1;
    g_failures_persist = false;
  }
  FailingAllocation(const FailingAllocation&) = delete;
  FailingAllocation& operator=(const FailingAllocation&) = delete;

  // Whether the call reached the failing allocation.
  static bool Happened() { return g_failure_happened; }
};

// The allocations to try for a call that makes about `total` of them: every one of the first few hundred, where
// each step of a call's set-up is, then a spread over the rest.
std::vector<long> Trials(long total) {
  std::vector<long> trials;
  const long dense = std::min<long>(total, 400);
  for (long n = 0; n < dense; ++n) trials.push_back(n);
  const long step = std::max<long>(1, (total - dense) / 200);
  for (long n = dense; n < total; n += step) trials.push_back(n);
  return trials;
}

class AllocationFailure : public ConverterTest {
 protected:
  // How many allocations `call` makes on a converter prepared by `prepare`, where it must succeed.
  template <typename Prepare, typename Call>
  long CountAllocations(Prepare prepare, Call call) {
    prepare();
    long n = 0;
    HRESULT hr;
    {
      FailingAllocation never(std::numeric_limits<long>::max());
      hr = call();
      n = std::numeric_limits<long>::max() - g_allocations_to_failure.load();
    }
    EXPECT_EQ(hr, S_OK) << TakeErrorDescription();
    return n;
  }

  // Fails each allocation of Trials() in turn: the call succeeds, or fails with E_FAIL and a description, after
  // which `after_failure` checks the converter's state.
  template <typename Prepare, typename Call, typename Check>
  void FailEachAllocation(Prepare prepare, Call call, Check after_failure) {
    const long total = CountAllocations(prepare, call);
    ASSERT_GT(total, 0);
    int failures = 0;
    for (long n : Trials(total)) {
      prepare();
      HRESULT hr;
      bool happened;
      {
        FailingAllocation fail(n);
        hr = call();
        happened = FailingAllocation::Happened();
      }
      if (SUCCEEDED(hr)) continue;
      ASSERT_EQ(hr, E_FAIL) << "allocation " << n;
      ASSERT_TRUE(happened) << "allocation " << n << ": " << TakeErrorDescription();
      const std::string description = TakeErrorDescription();
      EXPECT_FALSE(description.empty() || description == "<no error info>") << "allocation " << n;
      after_failure(n);
      ++failures;
    }
    EXPECT_GT(failures, 0);
  }

  // The default configuration loaded, its text kept to compare with after a failure.
  void LoadDefaultKeepingText() {
    LoadDefault();
    before_ = Xml();
  }
  void ExpectTextAsBefore(long n) { EXPECT_EQ(Xml(), before_) << "allocation " << n; }

  // The configuration is gone after a failed load.
  void ExpectNoConfiguration(long n) {
    EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>") << "allocation " << n;
    EXPECT_EQ(error_, "The configuration has not been loaded") << "allocation " << n;
  }

  std::string before_;
};

TEST_F(AllocationFailure, FailedEditsLeaveTheDocumentAsItWas) {
  auto prepare = [&] { LoadDefaultKeepingText(); };
  auto unchanged = [&](long n) { ExpectTextAsBefore(n); };

  // Everything the calls take is made before the failure is armed.
  const BStr value_path(std::string("Region_settings\\Hysteresis_percent"));
  BStr value;
  FailEachAllocation([&] {
    prepare();
    value = BStr(std::string("10"));
  }, [&] {
    BSTR raw = value.release();
    const HRESULT hr = cvt_->SetValue(value_path.get(), nullptr, &raw);
    value = BStr::Adopt(raw);
    return hr;
  }, unchanged);

  const BStr element_path(std::string("Monitoring\\Element\\"));
  const ComPtr<IVRK5420CfgConValueIndexes> fifth = MakeIndexes(Key(5));
  FailEachAllocation(prepare, [&] { return cvt_->CreateNode(element_path.get(), fifth.get()); }, unchanged);
  FailEachAllocation([&] {
    LoadDefault();
    ASSERT_EQ(Create("Monitoring\\Element\\", Key(5)), S_OK) << error_;
    before_ = Xml();
  }, [&] { return cvt_->DeleteNode(element_path.get(), fifth.get()); }, unchanged);
}

TEST_F(AllocationFailure, AFailedEditInsideABracketUndoesTheWholeBracket) {
  auto prepare = [&] {
    LoadDefaultKeepingText();
    ASSERT_EQ(cvt_->BeginUpdate(), S_OK);
    ASSERT_EQ(Set("Region_settings\\Hysteresis_percent", "10"), S_OK) << error_;
  };
  const BStr element_path(std::string("Monitoring\\Element\\"));
  const ComPtr<IVRK5420CfgConValueIndexes> fifth = MakeIndexes(Key(5));
  FailEachAllocation(prepare, [&] {
    const HRESULT hr = cvt_->CreateNode(element_path.get(), fifth.get());
    // The bracket is closed whatever happened, so that the next round starts outside one.
    if (SUCCEEDED(hr)) return cvt_->EndUpdate();
    cvt_->EndUpdate();
    return hr;
  }, [&](long n) { ExpectTextAsBefore(n); });
}

TEST_F(AllocationFailure, FailedLoadsLeaveNoConfiguration) {
  LoadDefault();
  const std::string document = Xml();
  const std::vector<uint8_t> image = Image();
  ASSERT_FALSE(image.empty()) << error_;
  auto no_configuration = [&](long n) { ExpectNoConfiguration(n); };

  const BStr text(document);
  FailEachAllocation([&] { LoadDefault(); }, [&] { return cvt_->put_XML(text.get()); }, no_configuration);

  SafeArrayPtr array(SafeArrayCreateVector(VT_UI1, 0, static_cast<ULONG>(image.size())));
  std::copy(image.begin(), image.end(), static_cast<uint8_t*>(array.get()->pvData));
  FailEachAllocation([&] { LoadDefault(); }, [&] { return cvt_->put_BIN(array.get()); }, no_configuration);

  FailEachAllocation([&] { LoadDefault(); }, [&] { return cvt_->CreateNewCfg(); }, no_configuration);
}

TEST_F(AllocationFailure, FailedReadsLeaveTheConfiguration) {
  auto prepare = [&] { LoadDefaultKeepingText(); };
  auto kept = [&](long n) { ExpectTextAsBefore(n); };

  SAFEARRAY* image = nullptr;  // each call destroys the array the one before left
  FailEachAllocation(prepare, [&] { return cvt_->GetBIN(&image, nullptr); }, kept);
  SafeArrayDestroy(image);
  BStr text;
  FailEachAllocation(prepare, [&] { return cvt_->get_XML(text.Out()); }, kept);
}

TEST_F(AllocationFailure, LateBoundCallsFailAsEarlyBoundOnesDo) {
  auto prepare = [&] { LoadDefaultKeepingText(); };
  // SetValue with the value as a number, which the call converts to text first.
  Var value(VI4(10)), indexes, name(VStr("Region_settings\\Hysteresis_percent"));
  VARIANT args[3] = {value.v, indexes.v, name.v};
  DISPPARAMS params{args, nullptr, 3, 0};
  EXCEPINFO excep{};
  auto invoke = [&] {
    const HRESULT hr = cvt_->Invoke(0x60020008, IID_NULL, 0, DISPATCH_METHOD, &params, nullptr, &excep, nullptr);
    const bool described = excep.bstrDescription != nullptr && SysStringLen(excep.bstrDescription) > 0;
    SysFreeString(excep.bstrSource);
    SysFreeString(excep.bstrDescription);
    excep = EXCEPINFO{};
    // A failure of the call itself comes back with the component's message; converting the arguments may only
    // say that memory ran out.
    if (hr == DISP_E_EXCEPTION) return described ? E_FAIL : E_UNEXPECTED;
    if (hr == E_OUTOFMEMORY) {
      ReportError("Not enough memory", std::string());
      return E_FAIL;
    }
    return hr;
  };
  FailEachAllocation(prepare, invoke, [&](long n) { ExpectTextAsBefore(n); });
}

// The XML engine's own allocations fail the same way: a load leaves no configuration, a replacement of an
// element from text leaves the document as it was, and the description says that memory ran out.
TEST_F(AllocationFailure, EngineAllocationFailuresAreReportedAsExhaustedMemory) {
#if defined(__SANITIZE_ADDRESS__)
  __lsan::ScopedDisabler engine_leaks;  // the engine leaks parts of an encoder whose making fails halfway
#endif
  LoadDefault();
  const BStr document(Xml());
  ASSERT_EQ(Create("Monitoring\\Element\\", Key(1)), S_OK) << error_;
  const std::string edited = Xml();
  const BStr element_path(std::string("Monitoring\\Element\\"));
  const ComPtr<IVRK5420CfgConValueIndexes> first = MakeIndexes(Key(1));
  const BStr replacement(std::string("<Element Number=\"1\"><Tag ChannelNum=\"100\" ParamNum=\"0\"/></Element>"));
  int out_of_memory = 0;
  for (bool load : {true, false}) {
    for (long n = 0;; ++n) {
      HRESULT hr;
      if (!load) {
        ASSERT_EQ(PutXml(edited), S_OK) << error_;
      }
      dom::FailEngineAllocation(n);
      hr = load ? cvt_->put_XML(document.get()) : cvt_->SetNodeText(element_path.get(), first.get(), replacement.get());
      const bool failed = dom::EngineAllocationFailed();
      dom::FailEngineAllocation(-1);
      if (!failed) break;
      if (SUCCEEDED(hr)) continue;
      ASSERT_EQ(hr, E_FAIL);
      const std::string description = TakeErrorDescription();
      out_of_memory += description == "Not enough memory";
      if (load) {
        EXPECT_EQ(Get("Cfg\\DeviceType"), "<E_FAIL>") << "allocation " << n;
      } else {
        EXPECT_EQ(Xml(), edited) << "allocation " << n << ": " << description;
      }
    }
  }
  EXPECT_GT(out_of_memory, 0);
}

// Memory exhausted for good from some allocation on: the call still returns, E_FAIL or S_OK, and the converter
// stays usable once memory is back. Undoing inserted elements allocates nothing, so a failed creation is still
// taken back whole (undoing a written value has to allocate the old text again).
TEST_F(AllocationFailure, MemoryExhaustedForGoodStillEndsTheCall) {
  const BStr element_path(std::string("Monitoring\\Element\\"));
  const ComPtr<IVRK5420CfgConValueIndexes> fifth = MakeIndexes(Key(5));
  const long total = CountAllocations([&] { LoadDefault(); },
                                      [&] { return cvt_->CreateNode(element_path.get(), fifth.get()); });
  for (long n = 0; n < total; ++n) {
    LoadDefault();
    const std::string before = Xml();
    HRESULT hr;
    {
      FailingAllocation fail(n, true);
      hr = cvt_->CreateNode(element_path.get(), fifth.get());
    }
    EXPECT_TRUE(hr == S_OK || hr == E_FAIL) << "allocation " << n;
    SetErrorInfo(0, nullptr);
    EXPECT_EQ(Get("Cfg\\DeviceType"), "1") << "allocation " << n << ": " << error_;
    if (FAILED(hr)) {
      EXPECT_EQ(Xml(), before) << "allocation " << n;
    }
  }
}

}  // namespace
}  // namespace vrk::test
