#pragma once
// Pseudo-random numbers for choices the user sees as chance (the shuffled play order). The process shares one
// generator; tests and benchmarks take a seeded one so that the same seed gives the same choices.
#include <cstdint>

namespace nv {

class RandomSource {
public:
  virtual ~RandomSource() = default;
  // Uniformly one of 0..bound-1; `bound` is at least 1.
  virtual std::uint32_t Below(std::uint32_t bound) = 0;
};

// splitmix64, with the multiply-and-reject rule that keeps every result equally likely.
class SeededRandom final : public RandomSource {
public:
  explicit SeededRandom(std::uint64_t seed) : state_(seed) {}
  void Reseed(std::uint64_t seed) { state_ = seed; }
  std::uint32_t Below(std::uint32_t bound) override;

private:
  std::uint32_t Next32();
  std::uint64_t state_;
};

// The process-wide generator, and reseeding it from the time of day in milliseconds.
SeededRandom& ProcessRandom();
void ReseedProcessRandomFromClock();

}  // namespace nv
