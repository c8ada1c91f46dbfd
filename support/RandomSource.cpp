#include "support/RandomSource.h"

#include <chrono>

namespace nv {

std::uint32_t SeededRandom::Next32() {
  std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
  z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
  z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
  return static_cast<std::uint32_t>((z ^ (z >> 31)) >> 32);
}

// Lemire's method: the high half of a 64-bit product, drawing again in the rare case that would favour low values.
std::uint32_t SeededRandom::Below(std::uint32_t bound) {
  std::uint64_t product = std::uint64_t(Next32()) * bound;
  if (static_cast<std::uint32_t>(product) < bound) {
    const std::uint32_t threshold = static_cast<std::uint32_t>(-bound) % bound;
    while (static_cast<std::uint32_t>(product) < threshold) product = std::uint64_t(Next32()) * bound;
  }
  return static_cast<std::uint32_t>(product >> 32);
}

SeededRandom& ProcessRandom() {
  static SeededRandom random(0);
  return random;
}

void ReseedProcessRandomFromClock() {
  using namespace std::chrono;
  const auto sinceMidnight = system_clock::now().time_since_epoch() % days(1);
  ProcessRandom().Reseed(static_cast<std::uint64_t>(duration_cast<milliseconds>(sinceMidnight).count()));
}

}  // namespace nv
