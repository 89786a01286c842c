#include "schema/measurement_system.h"

#include "schema/device_root.h"
#include "schema/value_text.h"

namespace vrk {

std::string ConvertValue(const CNodeAttrInfoXML& attribute, const std::string& text, ValueDirection direction) {
  const ValueRange& range = attribute.range();
  if (range.type >= kTypeSigned16 && range.type <= kTypeUnsigned32) {
    const std::optional<int64_t> value = ParseIntegerText(text);
    return value ? std::to_string(*value) : text;
  }
  if (range.type != kTypeReal) return text;
  std::optional<double> value = ParseRealText(text);
  if (!value) return text;
  int decimals = range.add_constraint >= 1 ? range.add_constraint : -1;
  const bool scaled = attribute.owner()->imperial() && range.unit_factor != 1.0;
  if (scaled) {
    if (direction == ValueDirection::kToDisplay) {
      *value *= range.unit_factor;
      if (decimals >= 1) decimals += 4;
    } else {
      *value /= range.unit_factor;
    }
  }
  return FormatRealText(*value, decimals);
}

}  // namespace vrk
