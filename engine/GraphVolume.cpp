#include "engine/GraphVolume.h"

#include <algorithm>
#include <cmath>

namespace nv {

namespace {

constexpr std::int32_t kSilent = -10000;
constexpr std::int32_t kFullSide = 10000;

// The exponent that maps half of the range onto a tenth: 0.5^k = 0.1.
const double kCurve = std::log(0.1) / std::log(0.5);

}  // namespace

std::int32_t GraphVolume(int volume, bool muted, int attenuation) {
  volume = std::clamp(volume, 0, 100);
  attenuation = std::clamp(attenuation, 0, 100);
  const int heard = (muted ? 0 : 1) * volume * (100 - attenuation) / 100;
  if (heard == 0) return kSilent;
  return static_cast<std::int32_t>(RoundHalfEven(kSilent * std::pow((100 - heard) / 100.0, kCurve)));
}

std::int32_t GraphBalance(int balance) {
  balance = std::clamp(balance, -100, 100);
  if (balance == -100) return -kFullSide;
  if (balance == 100) return kFullSide;
  const double side = kFullSide * std::pow(std::abs(balance) / 100.0, kCurve);
  return static_cast<std::int32_t>(RoundHalfEven(balance < 0 ? -side : side));
}

}  // namespace nv
