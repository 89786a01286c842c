// Fuzz target: arbitrary text through `XML` put. Every byte becomes one character (so the dictionary's names
// and any ASCII document stay what they are). Whatever loads must come out again: its `XML` get loads and gives
// the same text a second time, and an image that `GetBIN` makes loads through `BIN` put and, once loaded,
// gives the same image again. A crash, a sanitizer report or a broken round trip is a finding.
#include <cstddef>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "client/index_list.h"
#include "fuzz/fuzz_converter.h"

using namespace vrk;
using namespace vrk::fuzz;

namespace {

// The number of the occurrence of `element` (a path ending in a backslash) at the positions `at`, appended to
// `numbers` when the occurrence has one.
void AddNumbers(IVRK5420CfgConverter& converter, const std::string& element, std::initializer_list<ULONG> at,
                std::vector<std::string>& numbers) {
  BStr name(std::string_view(element + "number")), value;
  if (converter.GetValue(name.get(), client::MakeIndexList(client::Positions(at)).get(), value.Out()) == S_OK)
    numbers.push_back(value.ToUtf8());
  else
    TakeError();
}

// True when two parameters of one vibration channel carry the same number, in different lists. An image tells
// thresholds apart by parameter number only, so such a channel's thresholds mix between the parameters on a
// round trip, decoded with the range of another parameter, and may take more than two round trips to settle.
bool SharesParameterNumbers(IVRK5420CfgConverter& converter) {
  const std::string channel = "VibroChannels\\VibroChannel\\";
  for (ULONG k = 0, channels = CountOf(converter, channel.c_str()); k < channels; ++k) {
    std::vector<std::string> numbers;
    for (const char* single : {"Average", "Peak", "PeakPeak", "WaveRMS", "Crest"})
      AddNumbers(converter, channel + single + "\\", {k}, numbers);
    for (const char* bands : {"Absolute_bands\\band\\", "Relative_bands\\band\\"}) {
      BStr list(std::string_view(channel + bands));
      ULONG count = 0;
      const ComPtr<IVRK5420CfgConValueIndexes> at = client::MakeIndexList(client::Positions({k}));
      if (converter.GetNodesCount(list.get(), at.get(), &count) != S_OK) TakeError();
      for (ULONG j = 0; j < count; ++j) {
        AddNumbers(converter, channel + bands, {k, j}, numbers);
        AddNumbers(converter, channel + bands + "phase\\", {k, j}, numbers);
      }
    }
    std::sort(numbers.begin(), numbers.end());
    if (std::adjacent_find(numbers.begin(), numbers.end()) != numbers.end()) return true;
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
  static const int language = (SetThreadUILanguage(1033), 0);
  (void)language;
  std::u16string text(size, u'\0');
  for (std::size_t i = 0; i < size; ++i) text[i] = static_cast<char16_t>(data[i]);

  auto converter = NewConverter();
  BStr input{std::u16string_view(text)};
  if (converter->put_XML(input.get()) != S_OK) {
    TakeError();
    return 0;
  }
  const std::u16string first = XmlOf(*converter.get());
  const std::vector<uint8_t> image = ImageOf(*converter.get());
  const bool modbus_used = ValueOf(*converter.get(), "Modbus\\used") == "1";
  const bool test_parameters = CountOf(*converter.get(), "Test\\Parameters\\Parameter\\") > 0;

  BStr again{std::u16string_view(first)};
  if (converter->put_XML(again.get()) != S_OK) Finding("the text of XML get does not load", TakeError());
  const std::u16string reloaded = XmlOf(*converter.get());
  if (reloaded != first) Finding("XML get differs after loading its own text", FirstDifference(first, reloaded));

  if (image.empty()) return 0;
  if (PutImage(*converter.get(), image) != S_OK) {
    const std::string error = TakeError();
    // Open: the image carries slave outputs only with Modbus in use but test-mode parameters always, and
    // those refer to slave outputs; such an image is refused when it is read back.
    if (!modbus_used && test_parameters) return 0;
    Finding("the image of GetBIN does not load", error);
  }
  // The first image may differ from the second: a level read back from an image is the quantised one. From the
  // second on, images are stable, except where parameters share a number (see SharesParameterNumbers).
  const std::vector<uint8_t> second = ImageOf(*converter.get());
  if (second.empty()) Finding("GetBIN fails on a configuration loaded from an image", TakeError());
  if (PutImage(*converter.get(), second) != S_OK) Finding("the second image does not load", TakeError());
  if (ImageOf(*converter.get()) != second && !SharesParameterNumbers(*converter.get()))
    Finding("GetBIN differs after loading its own image");
  return 0;
}
