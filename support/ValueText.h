#pragma once
// How numbers and dates are held as text in the preferences store and the product profile. The forms are fixed,
// whatever the user's locale: decimal integers, floating-point numbers with a point, dates as "d.mm.yyyy".
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nv {

// The date that means "never": day 0 of the calendar the stored dates count from.
inline constexpr std::chrono::sys_days kNoDate{std::chrono::year{1899} / 12 / 30};

// A decimal 32-bit integer with an optional sign; blanks around it are allowed. Nothing on anything else,
// including numbers out of range.
std::optional<std::int32_t> ParseInteger(std::string_view text);
std::string FormatInteger(std::int32_t value);

// The whole text must be a finite number with "." as decimal separator and an optional exponent ("-3.5", "1e-05").
std::optional<double> ParseFloat(std::string_view text);
// The shortest text that reads back as the same number.
std::string FormatFloat(double value);

// "d.mm.yyyy": the day without a leading zero, a two-digit month, a four-digit year. Reading accepts one or two
// digits for day and month and rejects dates that do not exist.
std::optional<std::chrono::sys_days> ParseDate(std::string_view text);
std::string FormatDate(std::chrono::sys_days date);

}  // namespace nv
