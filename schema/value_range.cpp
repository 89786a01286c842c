#include "schema/value_range.h"

#include "schema/value_text.h"

namespace vrk {

ValueRange ValueRange::Integer(uint32_t type, int64_t min, int64_t max, int32_t add) {
  ValueRange r;
  r.type = type;
  r.min_constraint = kMinInclusive;
  r.min = std::to_string(min);
  r.max_constraint = kMaxInclusive;
  r.max = std::to_string(max);
  r.add_constraint = add;
  return r;
}

ValueRange ValueRange::Real(double min, double max, int32_t add, int decimals) {
  ValueRange r;
  r.type = kTypeReal;
  r.min_constraint = kMinInclusive;
  r.min = FormatRealText(min, decimals);
  r.max_constraint = kMaxInclusive;
  r.max = FormatRealText(max, decimals);
  r.add_constraint = add;
  return r;
}

ValueRange ValueRange::LowerOnly(uint32_t type, uint32_t min_constraint, std::string min, int32_t add) {
  ValueRange r;
  r.type = type;
  r.min_constraint = min_constraint;
  r.min = std::move(min);
  r.add_constraint = add;
  return r;
}

ValueRange ValueRange::Unlimited(uint32_t type, int32_t add) {
  ValueRange r;
  r.type = type;
  r.add_constraint = add;
  return r;
}

ValueRange ValueRange::Dictionary(uint32_t type, std::string_view values) {
  ValueRange r;
  r.type = type;
  while (!values.empty()) {
    const std::size_t end = values.find('\n');
    const std::string_view line = values.substr(0, end);
    if (!line.empty()) r.dictionary.push_back({std::string(line), 0});
    if (end == std::string_view::npos) break;
    values.remove_prefix(end + 1);
  }
  return r;
}

}  // namespace vrk
