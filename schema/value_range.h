// ValueRange: the range information of one attribute (type, default, limits, decimals, dictionary), and the
// small constructors the schemas build it with.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vrk {

// Value type codes, as reported to callers.
enum ValueType : uint32_t {
  kTypeFlag = 1,       // 0/1 switch, checked as an integer
  kTypeSigned16 = 2,   // signed integer
  kTypeUnsigned16 = 3, // unsigned integer that fits in 16 bits
  kTypeSigned32 = 4,   // signed integer
  kTypeUnsigned32 = 5, // unsigned integer that may exceed 16 bits
  kTypeReal = 6,
  kTypeText = 7,       // never checked
};

// Limit constraint codes.
enum MinConstraint : uint32_t { kNoMin = 0, kMinInclusive = 1, kMinExclusive = 2 };
enum MaxConstraint : uint32_t { kNoMax = 0, kMaxInclusive = 1, kMaxExclusive = 2 };

struct DictionaryEntry {
  std::string value;
  uint32_t name_id = 0;  // message-table number of the display name; 0 for none
};

struct ValueRange {
  uint32_t type = 0;
  std::string default_value;
  uint32_t min_constraint = kNoMin;
  std::string min;
  uint32_t max_constraint = kNoMax;
  std::string max;
  int32_t add_constraint = 0;  // decimals a real is written with; below 1: no rounding
  std::string increment;
  std::vector<DictionaryEntry> dictionary;
  std::string skip_value;      // a text that bypasses the integer checks
  double unit_factor = 1.0;    // stored metric value x factor = imperial display value

  // Both limits inclusive.
  static ValueRange Integer(uint32_t type, int64_t min, int64_t max, int32_t add = 0);
  // Both limits inclusive; the limits are written with `decimals` places, trailing zeros removed.
  static ValueRange Real(double min, double max, int32_t add = 0, int decimals = 3);
  // Lower limit only, with the given constraint; `min` as text.
  static ValueRange LowerOnly(uint32_t type, uint32_t min_constraint, std::string min, int32_t add = 0);
  static ValueRange Unlimited(uint32_t type, int32_t add = 0);
  // Dictionary given as line-feed separated values; each non-empty line becomes an entry without display name.
  static ValueRange Dictionary(uint32_t type, std::string_view values);

  ValueRange&& WithDefault(std::string value) && {
    default_value = std::move(value);
    return std::move(*this);
  }
};

}  // namespace vrk
