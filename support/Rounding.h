#pragma once
// Rounding as the player's arithmetic does it throughout: to the nearest integer, halves to the even one.
#include <cstdint>

namespace nv {

std::int64_t RoundHalfEven(double value);
// The same for a result that is a pixel or a control's value: limited to the range of an int first.
int RoundToInt(double value);

}  // namespace nv
