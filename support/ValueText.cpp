#include "support/ValueText.h"

#include <charconv>
#include <cmath>

#include "support/MarkedText.h"

namespace nv {

namespace {

// from_chars takes a leading "-" but not "+"; one "+" in front of a digit is allowed here. Anything else that
// cannot start a number comes back empty.
std::string_view WithoutPlusSign(std::string_view text) {
  if (text.empty() || text.front() != '+') return text;
  text.remove_prefix(1);
  return !text.empty() && (text.front() == '+' || text.front() == '-') ? std::string_view() : text;
}

// Reads 1..maxDigits decimal digits from the front of `text`.
std::optional<unsigned> TakeDigits(std::string_view& text, std::size_t minDigits, std::size_t maxDigits) {
  std::size_t n = 0;
  unsigned value = 0;
  while (n < text.size() && n < maxDigits && text[n] >= '0' && text[n] <= '9') value = value * 10 + (text[n++] - '0');
  if (n < minDigits || (n < text.size() && text[n] >= '0' && text[n] <= '9')) return std::nullopt;
  text.remove_prefix(n);
  return value;
}

}  // namespace

std::optional<std::int32_t> ParseInteger(std::string_view held) {
  const std::string trimmed = TrimText(held);
  const std::string_view text = WithoutPlusSign(trimmed);
  if (text.empty()) return std::nullopt;
  std::int32_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc{} || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string FormatInteger(std::int32_t value) { return std::to_string(value); }

std::optional<double> ParseFloat(std::string_view held) {
  const std::string trimmed = TrimText(held);
  const std::string_view text = WithoutPlusSign(trimmed);
  if (text.empty()) return std::nullopt;
  double value = 0;
  // from_chars is locale-independent: "," never counts as a decimal separator here.
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), value, std::chars_format::general);
  if (error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
  return value;
}

std::string FormatFloat(double value) {
  char buffer[64];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::optional<std::chrono::sys_days> ParseDate(std::string_view held) {
  using namespace std::chrono;
  const std::string trimmed = TrimText(held);
  std::string_view text = trimmed;
  const auto d = TakeDigits(text, 1, 2);
  if (!d || text.empty() || text.front() != '.') return std::nullopt;
  text.remove_prefix(1);
  const auto m = TakeDigits(text, 1, 2);
  if (!m || text.empty() || text.front() != '.') return std::nullopt;
  text.remove_prefix(1);
  const auto y = TakeDigits(text, 4, 4);
  if (!y || !text.empty()) return std::nullopt;
  const year_month_day date{year{static_cast<int>(*y)}, month{*m}, day{*d}};
  if (!date.ok()) return std::nullopt;
  return sys_days{date};
}

std::string FormatDate(std::chrono::sys_days date) {
  const std::chrono::year_month_day ymd{date};
  const unsigned month = static_cast<unsigned>(ymd.month());
  const int year = static_cast<int>(ymd.year());
  std::string text = std::to_string(static_cast<unsigned>(ymd.day())) + '.';
  text += static_cast<char>('0' + month / 10);
  text += static_cast<char>('0' + month % 10);
  text += '.';
  std::string digits = std::to_string(year < 0 ? 0 : year);
  if (digits.size() < 4) digits.insert(0, 4 - digits.size(), '0');
  return text + digits;
}

}  // namespace nv
