// Parsing and formatting of value texts. Parsing never depends on the process locale.
#include "schema/value_text.h"

#include <charconv>
#include <cmath>

namespace vrk {

std::string_view TrimValueText(std::string_view text) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  while (text.size() > 1 && text.front() == '0') text.remove_prefix(1);
  return text;
}

std::optional<int64_t> ParseIntegerText(std::string_view text) {
  text = TrimValueText(text);
  if (text.empty() || text.size() > 10) return std::nullopt;
  std::string_view digits = text;
  bool negative = false;
  if (digits.front() == '+' || digits.front() == '-') {
    negative = digits.front() == '-';
    digits.remove_prefix(1);
  }
  if (digits.empty()) return std::nullopt;
  int64_t value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');  // at most 10 digits: no overflow in 64 bits
  }
  return negative ? -value : value;
}

std::optional<uint32_t> ParseKeyText(std::string_view text) {
  text = TrimValueText(text);
  uint32_t value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::optional<double> ParseRealText(std::string_view text) {
  // from_chars accepts neither a leading '+' nor leading blanks; the C-locale number syntax allows the sign.
  std::string_view body = text;
  if (!body.empty() && body.front() == '+') body.remove_prefix(1);
  if (body.empty() || body.front() == '+') return std::nullopt;
  double value = 0;
  const auto [end, ec] = std::from_chars(body.data(), body.data() + body.size(), value, std::chars_format::general);
  if (ec != std::errc() || end != body.data() + body.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatRealText(double value, int decimals) {
  if (decimals >= 0) {
    const double scale = std::pow(10.0, decimals);
    value = std::round(value * scale) / scale;  // std::round rounds halves away from zero
  }
  // Six decimals in fixed notation, exactly as printf's "%f" writes them, without going through the locale.
  char buffer[512];
  const auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed, 6);
  std::string text(buffer, ec == std::errc() ? end : buffer);
  if (text.find('.') != std::string::npos) {
    while (text.back() == '0') text.pop_back();
    if (text.back() == '.') text.pop_back();
  }
  if (text == "-0") text = "0";
  return text;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    char x = a[i], y = b[i];
    if (x >= 'A' && x <= 'Z') x = static_cast<char>(x - 'A' + 'a');
    if (y >= 'A' && y <= 'Z') y = static_cast<char>(y - 'A' + 'a');
    if (x != y) return false;
  }
  return true;
}

}  // namespace vrk
