// Value-by-value editing as a configuration program does it: reads and writes of single values through the
// converter object, on a configuration with many repeated elements.
#include <benchmark/benchmark.h>

#include <string>

#include "interface/converter.h"
#include "interface/value_indexes.h"
#include "platform/bstr.h"
#include "platform/com_ptr.h"

namespace vrk {
namespace {

ComPtr<IVRK5420CfgConverter> NewConverter() {
  ComPtr<IVRK5420CfgConverter> converter;
  CVRK5420CfgConverter::Create(nullptr, IID_IVRK5420CfgConverter, reinterpret_cast<void**>(converter.Out()));
  converter->CreateNewCfg();
  return converter;
}

ComPtr<IVRK5420CfgConValueIndexes> KeyIndex(uint32_t key) {
  ComPtr<IVRK5420CfgConValueIndexes> list;
  CVRK5420CfgConValueIndexes::Create(IID_IVRK5420CfgConValueIndexes, reinterpret_cast<void**>(list.Out()));
  list->put_Count(1);
  list->put_UseAttr(0, 1);
  list->put_Value(0, key);
  return list;
}

// Monitoring elements 1..n, each with one monitored parameter.
void AddMonitoringElements(IVRK5420CfgConverter* converter, uint32_t n) {
  converter->BeginUpdate();
  BStr name("Monitoring\\Element\\Number");
  for (uint32_t k = 1; k <= n; ++k) {
    BSTR value = BStr(std::to_string(k)).release();
    converter->SetValue(name.get(), KeyIndex(k).get(), &value);
    SysFreeString(value);
  }
  converter->EndUpdate();
}

void BM_GetValue(benchmark::State& state) {
  auto converter = NewConverter();
  BStr name("Region_settings\\Hysteresis_percent");
  for (auto _ : state) {
    BStr value;
    converter->GetValue(name.get(), nullptr, value.Out());
    benchmark::DoNotOptimize(value.get());
  }
}
BENCHMARK(BM_GetValue);

void BM_SetValue(benchmark::State& state) {
  auto converter = NewConverter();
  BStr name("Region_settings\\Hysteresis_percent");
  int i = 0;
  for (auto _ : state) {
    BSTR value = BStr(std::to_string(i++ % 90)).release();
    converter->SetValue(name.get(), nullptr, &value);
    SysFreeString(value);
  }
}
BENCHMARK(BM_SetValue);

// Reading the last of n keyed occurrences: grows linearly with n (one scan of the siblings), never worse.
void BM_GetKeyedValue(benchmark::State& state) {
  auto converter = NewConverter();
  const uint32_t n = static_cast<uint32_t>(state.range(0));
  AddMonitoringElements(converter.get(), n);
  BStr name("Monitoring\\Element\\Number");
  uint32_t key = 1;
  for (auto _ : state) {
    BStr value;
    converter->GetValue(name.get(), KeyIndex(key).get(), value.Out());
    key = key % n + 1;
  }
  state.SetComplexityN(state.range(0));
}
BENCHMARK(BM_GetKeyedValue)->Arg(4)->Arg(16)->Complexity();

void BM_DocumentText(benchmark::State& state) {
  auto converter = NewConverter();
  for (auto _ : state) {
    BStr text;
    converter->get_XML(text.Out());
    benchmark::DoNotOptimize(text.get());
  }
}
BENCHMARK(BM_DocumentText);

}  // namespace
}  // namespace vrk
