// Legal version-7 configurations of a chosen size, for the benchmarks and the tests that need large documents.
// One size parameter, the number of vibration channels (1 to 16), scales every repeated section with it, so that
// the documents of a sweep differ in size only and the work per element stays comparable.
#pragma once

#include <string>

namespace vrk::bench {

// The numbers of repeated elements that a configuration of `vibro_channels` channels holds.
struct ConfigurationShape {
  int vibro_channels = 0;    // each with linearisation, the five overall values, bands, phases and thresholds
  int tacho_channels = 0;    // 6 at 16 vibration channels
  int slave_outputs = 0;     // 100 at 16
  int cycles = 0;            // Modbus exchange cycles, 4 at 16
  int commands = 0;          // commands per cycle, 32 at 16
  int monitoring = 0;        // monitoring elements, 16 at 16 (the most there can be)
  int current_outputs = 0;   // one per vibration channel, at most 2
  int diagnoses = 0;         // readiness diagnoses, one per vibration channel
  int test_parameters = 0;   // test-mode parameters, one per vibration channel
  int modbus_inputs = 0;     // Modbus inputs, one per vibration channel
};

inline constexpr int kMinVibroChannels = 1;
inline constexpr int kMaxVibroChannels = 16;

// The shape for `vibro_channels`, clamped to 1 ... 16.
ConfigurationShape ShapeFor(int vibro_channels);

// The document of `shape` as XML text (ASCII, declared windows-1251, indented with tabs), loadable through
// `XML` put and passing the whole-configuration check.
std::string GenerateConfiguration(const ConfigurationShape& shape);

inline std::string GenerateConfiguration(int vibro_channels) { return GenerateConfiguration(ShapeFor(vibro_channels)); }

}  // namespace vrk::bench
