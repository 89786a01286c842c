// Whole operations of the converter object on generated configurations of 1 to 16 vibration channels: loading
// and producing XML and images, the whole check, and single-value reads, writes and trials. Each case reports
//   x_parse    its mean CPU time per iteration over the mean of the bare libxml2 parse case of the same document
//              text in the same run (that case is 1.00 by construction), so that the ratio does not depend on the
//              machine's speed; run without the bare parse case, the mean of a short series of parses stands in;
//   ns_per_el  its time per element of the document, flat over the sweep when the operation is linear;
//   ns_per_attr  its time per attribute: the larger documents hold more attributes per element (3.9 at 16
//              channels, 3.2 at 1), and most of the work of a check or an export is per attribute.
#include <benchmark/benchmark.h>
#include <libxml/parser.h>

#include <cctype>
#include <ctime>
#include <map>
#include <string>
#include <vector>

#include "bench/config_generator.h"
#include "interface/converter.h"
#include "interface/value_indexes.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"
#include "platform/safe_array.h"

namespace vrk {
namespace {

// Thread CPU time: the machine is shared, and waiting for a core is no part of an operation's cost.
double CpuSeconds() {
  timespec t{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

struct Sample {
  std::string text;     // the document as generated (ASCII)
  BStr bstr;            // the same text as the XML put takes it
  std::size_t elements = 0;
  std::size_t attributes = 0;
  double parse_seconds = 0;  // mean bare parse of `text`: of the bare parse case once it has run
};

std::size_t CountElements(const std::string& text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '<' && std::isalpha(static_cast<unsigned char>(text[i + 1]))) ++n;
  return n;
}

// Attributes of the elements and of the declaration alike: the generated text quotes values only there.
std::size_t CountAttributes(const std::string& text) {
  std::size_t n = 0;
  for (std::size_t i = 0; i + 1 < text.size(); ++i)
    if (text[i] == '=' && text[i + 1] == '"') ++n;
  return n;
}

// A libxml2 parse of `text` into a tree and its release, the floor any loading of the text sits on.
bool BareParse(const std::string& text) {
  xmlDocPtr doc = xmlReadMemory(text.data(), static_cast<int>(text.size()), nullptr, nullptr, XML_PARSE_NONET);
  const bool ok = doc != nullptr;
  xmlFreeDoc(doc);
  return ok;
}

// The mean of a short series of parses: the stand-in when the bare parse case does not run.
double MeanParseSeconds(const std::string& text) {
  const double start = CpuSeconds();
  int runs = 0;
  for (; runs < 5 || CpuSeconds() < start + 0.2; ++runs) BareParse(text);
  return (CpuSeconds() - start) / runs;
}

Sample& SampleOf(int channels) {
  static std::map<int, Sample> samples;
  Sample& s = samples[channels];
  if (s.text.empty()) {
    s.text = bench::GenerateConfiguration(channels);
    s.bstr = BStr(std::string_view(s.text));
    s.elements = CountElements(s.text);
    s.attributes = CountAttributes(s.text);
  }
  if (s.parse_seconds == 0) s.parse_seconds = MeanParseSeconds(s.text);
  return s;
}

ComPtr<IVRK5420CfgConverter> Loaded(const Sample& sample) {
  ComPtr<IVRK5420CfgConverter> converter;
  CVRK5420CfgConverter::Create(nullptr, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(converter.Out()));
  if (converter->put_XML(sample.bstr.get()) != S_OK) return {};
  return converter;
}

ComPtr<IVRK5420CfgConValueIndexes> Indexes(std::initializer_list<std::pair<bool, uint32_t>> entries) {
  ComPtr<IVRK5420CfgConValueIndexes> list;
  CVRK5420CfgConValueIndexes::Create(IID_IVRK5420CfgConValueIndexes, reinterpret_cast<void**>(list.Out()));
  list->put_Count(static_cast<ULONG>(entries.size()));
  ULONG i = 0;
  for (auto [use_attr, value] : entries) {
    list->put_UseAttr(i, use_attr ? 1 : 0);
    list->put_Value(i++, value);
  }
  return list;
}

// Runs `body` once per iteration and reports the ratios; a body that returns a failure stops the case. Returns
// the mean CPU time per iteration.
template <class BODY>
double Run(benchmark::State& state, const Sample& sample, BODY body) {
  const double start = CpuSeconds();
  for (auto _ : state) {
    if (body() != S_OK) {
      state.SkipWithError("the operation failed");
      return 0;
    }
  }
  const double per_iteration = (CpuSeconds() - start) / static_cast<double>(state.iterations());
  state.counters["x_parse"] = per_iteration / sample.parse_seconds;
  state.counters["ns_per_el"] = per_iteration * 1e9 / static_cast<double>(sample.elements);
  state.counters["ns_per_attr"] = per_iteration * 1e9 / static_cast<double>(sample.attributes);
  state.counters["elements"] = static_cast<double>(sample.elements);
  return per_iteration;
}

// Registered first, so that every later case of the same text is measured against its mean.
void BM_BareParse(benchmark::State& state) {
  Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  const double seconds = Run(state, sample, [&] { return BareParse(sample.text) ? S_OK : E_FAIL; });
  if (seconds > 0) {
    sample.parse_seconds = seconds;
    state.counters["x_parse"] = 1.0;
  }
}

void BM_XmlPut(benchmark::State& state) {
  const Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  Run(state, sample, [&] { return converter->put_XML(sample.bstr.get()); });
}

void BM_XmlGet(benchmark::State& state) {
  const Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  Run(state, sample, [&] {
    BStr text;
    return converter->get_XML(text.Out());
  });
}

void BM_GetBin(benchmark::State& state) {
  const Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  Run(state, sample, [&] {
    SAFEARRAY* data = nullptr;
    ULONG crc = 0;
    const HRESULT hr = converter->GetBIN(&data, &crc);
    SafeArrayPtr owner(data);
    return hr;
  });
}

void BM_BinPut(benchmark::State& state) {
  const Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  SAFEARRAY* data = nullptr;
  ULONG crc = 0;
  converter->GetBIN(&data, &crc);
  SafeArrayPtr image(data);
  Run(state, sample, [&] { return converter->put_BIN(image.get()); });
}

void BM_CheckRoot(benchmark::State& state) {
  const Sample& sample = SampleOf(static_cast<int>(state.range(0)));
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  BStr root("");
  Run(state, sample, [&] { return converter->CheckNodeData(root.get(), nullptr); });
}

// The single-value cases work on one value near the end of the document: the default value of the last slave
// output's reference, which has no dependents.
constexpr char kValuePath[] = "Modbus\\Slave_outputs\\Output\\Tag\\ParamDef";

ComPtr<IVRK5420CfgConValueIndexes> LastSlaveOutput(int channels) {
  return Indexes({{true, static_cast<uint32_t>(bench::ShapeFor(channels).slave_outputs)}});
}

void BM_GetValue(benchmark::State& state) {
  const int channels = static_cast<int>(state.range(0));
  const Sample& sample = SampleOf(channels);
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  BStr name(kValuePath);
  auto at = LastSlaveOutput(channels);
  Run(state, sample, [&] {
    BStr value;
    return converter->GetValue(name.get(), at.get(), value.Out());
  });
}

// Writes alternate between two values so that every write changes the document.
void BM_SetValue(benchmark::State& state) {
  const int channels = static_cast<int>(state.range(0));
  const Sample& sample = SampleOf(channels);
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  BStr name(kValuePath);
  auto at = LastSlaveOutput(channels);
  bool odd = false;
  Run(state, sample, [&] {
    BSTR value = BStr(std::string_view((odd = !odd) ? "65534" : "65535")).release();
    const HRESULT hr = converter->SetValue(name.get(), at.get(), &value);
    SysFreeString(value);
    return hr;
  });
}

void BM_CheckValueRanges(benchmark::State& state) {
  const int channels = static_cast<int>(state.range(0));
  const Sample& sample = SampleOf(channels);
  ComPtr<IVRK5420CfgConverter> converter = Loaded(sample);
  BStr name(kValuePath);
  auto at = LastSlaveOutput(channels);
  Run(state, sample, [&] {
    BSTR value = BStr(std::string_view("65534")).release();
    const HRESULT hr = converter->CheckValueRanges(name.get(), at.get(), &value);
    SysFreeString(value);
    return hr;
  });
}

// Whole operations over the sweep; single values on the smallest and the largest configuration.
void Sweep(benchmark::internal::Benchmark* b) {
  b->DenseRange(bench::kMinVibroChannels, bench::kMaxVibroChannels)->Unit(benchmark::kMillisecond);
}
void Ends(benchmark::internal::Benchmark* b) {
  b->Arg(bench::kMinVibroChannels)->Arg(bench::kMaxVibroChannels)->Unit(benchmark::kMicrosecond);
}

BENCHMARK(BM_BareParse)->Apply(Sweep);
BENCHMARK(BM_XmlPut)->Apply(Sweep);
BENCHMARK(BM_XmlGet)->Apply(Sweep);
BENCHMARK(BM_GetBin)->Apply(Sweep);
BENCHMARK(BM_BinPut)->Apply(Sweep);
BENCHMARK(BM_CheckRoot)->Apply(Sweep);
BENCHMARK(BM_GetValue)->Apply(Ends);
BENCHMARK(BM_SetValue)->Apply(Ends);
BENCHMARK(BM_CheckValueRanges)->Apply(Ends);

}  // namespace
}  // namespace vrk
