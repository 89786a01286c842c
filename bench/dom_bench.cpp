// Parse and serialisation speed of the DOM layer on a configuration-sized windows-1251 document (~200 KB).
#include <benchmark/benchmark.h>

#include <string>

#include "platform/dom/dom.h"

namespace {

// 500 groups, each with a comment and five leaves with two attributes and Cyrillic text, indented.
const std::string& Cp1251Document() {
  static const std::string bytes = [] {
    std::u16string text =
        u"<?xml version=\"1.0\" encoding=\"windows-1251\"?>\n<!-- Конфигурация прибора -->\n<VRK_Device>\n";
    for (int group = 0; group < 500; ++group) {
      const std::u16string n(1, static_cast<char16_t>(u'0' + group % 10));
      text += u"  <!-- Группа каналов " + n + u" -->\n  <Group number=\"" + n + u"\">\n";
      for (int leaf = 0; leaf < 5; ++leaf)
        text += u"    <Channel name=\"Канал " + n + u"\" unit=\"мм/с\">Виброскорость подшипника</Channel>\n";
      text += u"  </Group>\n";
    }
    text += u"</VRK_Device>\n";
    return vrk::dom::Document::parseText(text).bytes();
  }();
  return bytes;
}

void BM_DomParse(benchmark::State& state) {
  const std::string& bytes = Cp1251Document();
  for (auto _ : state) benchmark::DoNotOptimize(vrk::dom::Document::parseBytes(bytes));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DomParse)->Unit(benchmark::kMillisecond);

void BM_DomSerialise(benchmark::State& state) {
  const vrk::dom::Document doc = vrk::dom::Document::parseBytes(Cp1251Document());
  for (auto _ : state) benchmark::DoNotOptimize(doc.bytes());
}
BENCHMARK(BM_DomSerialise)->Unit(benchmark::kMillisecond);

void BM_DomParseAndSerialise(benchmark::State& state) {
  const std::string& bytes = Cp1251Document();
  for (auto _ : state) benchmark::DoNotOptimize(vrk::dom::Document::parseBytes(bytes).bytes());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * bytes.size()));
}
BENCHMARK(BM_DomParseAndSerialise)->Unit(benchmark::kMillisecond);

}  // namespace
