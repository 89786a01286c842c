// The limits of an attribute's range as numbers. A check compares many values against the same limit texts, so
// each text is read once and its number kept while the text stays the same (ranges prepared from other values
// change their texts between values).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vrk {

// The number one text holds, kept until the text changes.
template <typename T>
class CKeptNumber {
 public:
  // The number `text` holds as `parse` reads it; null when it holds none.
  std::optional<T> Of(const std::string& text, std::optional<T> (*parse)(std::string_view)) {
    if (!known_ || text != text_) {
      text_ = text;
      value_ = parse(text);
      known_ = true;
    }
    return value_;
  }

 private:
  bool known_ = false;
  std::string text_;
  std::optional<T> value_;
};

// The two limits, kept for each of the two kinds of number a range compares.
template <typename T>
struct CLimitPair {
  CKeptNumber<T> min;
  CKeptNumber<T> max;
};

struct CLimitNumbers {
  CLimitPair<int64_t> integers;
  CLimitPair<double> reals;
};

}  // namespace vrk
