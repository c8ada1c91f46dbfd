// The spectrum of a block of 1024 samples: where a tone lands, how strong it reads, and agreement with a plain
// discrete Fourier transform.
#include <gtest/gtest.h>

#include <cmath>
#include <complex>
#include <numbers>
#include <random>
#include <stdexcept>
#include <vector>

#include "engine/EngineConstants.h"
#include "engine/Fourier.h"

namespace nv {
namespace {

constexpr int kBlock = 1024;
constexpr int kBands = 512;

std::vector<std::int16_t> Sine(int bin, double amplitude, double phase = 0) {
  std::vector<std::int16_t> samples(kBlock);
  for (int t = 0; t < kBlock; ++t)
    samples[t] = static_cast<std::int16_t>(
        std::lround(amplitude * 32767 * std::sin(2 * std::numbers::pi * bin * t / kBlock + phase)));
  return samples;
}

std::vector<std::uint16_t> SpectrumOf(const std::vector<std::int16_t>& samples, double scale = kSpectrumScale) {
  TSpectrum spectrum(kSpectrumOrder);
  std::vector<std::uint16_t> magnitudes(kBands);
  spectrum.Compute(samples, scale, magnitudes);
  return magnitudes;
}

TEST(Spectrum, AFullScaleSineReadsAbout2317AtItsBin) {
  // A sine of amplitude A at bin k has |X(k)| = A × 512; scaled by 1/√512, divided by 32, times 0.1:
  // 32767 × √512 / 320 = 2317. The raw transform would read 52427, and any louder tone would clip.
  struct Case {
    int bin;
    double amplitude;
    double phase;
    int expected;
  };
  const Case cases[] = {
      {1, 1.0, 0, 2317},     {40, 1.0, 0, 2317}, {40, 1.0, 1.0, 2317}, {40, 0.5, 0, 1158},
      {40, 0.01, 0, 23},     {256, 1.0, 0.3, 2317}, {511, 1.0, 0.7, 2317},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "bin " << c.bin << ", amplitude " << c.amplitude << ", phase " << c.phase);
    const std::vector<std::uint16_t> magnitudes = SpectrumOf(Sine(c.bin, c.amplitude, c.phase));
    EXPECT_NEAR(magnitudes[c.bin - 1], c.expected, 1) << "element k - 1 holds bin k";
    for (int e = 0; e < kBands; ++e) {
      if (e == c.bin - 1) continue;
      EXPECT_LE(magnitudes[e], 1) << "leak into element " << e;
    }
  }
}

TEST(Spectrum, TheLastElementIsTheNyquistBin) {
  std::vector<std::int16_t> alternating(kBlock);
  for (int t = 0; t < kBlock; ++t) alternating[t] = t % 2 ? -16384 : 16384;
  const std::vector<std::uint16_t> magnitudes = SpectrumOf(alternating);
  // |X(512)| = 16384 × 1024, scaled: 16384 × 1024 / √512 / 320.
  EXPECT_NEAR(magnitudes[kBands - 1], 2317, 1);
  for (int e = 0; e < kBands - 1; ++e) EXPECT_EQ(magnitudes[e], 0) << e;
}

TEST(Spectrum, SilenceAndAConstantOffsetReadZero) {
  EXPECT_EQ(SpectrumOf(std::vector<std::int16_t>(kBlock, 0)), std::vector<std::uint16_t>(kBands, 0));
  EXPECT_EQ(SpectrumOf(std::vector<std::int16_t>(kBlock, 12000)), std::vector<std::uint16_t>(kBands, 0))
      << "the DC bin is not given";
}

TEST(Spectrum, AgreesWithAPlainFourierTransform) {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> sample(-32768, 32767);
  std::vector<std::int16_t> noise(kBlock);
  for (std::int16_t& s : noise) s = static_cast<std::int16_t>(sample(random));
  const double scale = 2.0;  // larger values show finer errors
  const std::vector<std::uint16_t> magnitudes = SpectrumOf(noise, scale);
  for (int k = 1; k <= kBands; ++k) {
    std::complex<double> sum;
    for (int t = 0; t < kBlock; ++t) sum += double(noise[t]) * std::polar(1.0, -2 * std::numbers::pi * k * t / kBlock);
    const double expected = std::min(std::abs(sum) / std::sqrt(512.0) / 32 * scale, 65535.0);
    EXPECT_NEAR(magnitudes[k - 1], expected, 0.51) << "bin " << k;
  }
}

TEST(Spectrum, LoudValuesAreLimitedTo65535) {
  const std::vector<std::uint16_t> magnitudes = SpectrumOf(Sine(40, 1.0), 100.0);
  EXPECT_EQ(magnitudes[39], 65535);
}

TEST(Spectrum, RefusesBlocksOfTheWrongSize) {
  TSpectrum spectrum(kSpectrumOrder);
  EXPECT_EQ(spectrum.BlockSize(), kBlock);
  EXPECT_EQ(spectrum.Bands(), kBands);
  std::vector<std::int16_t> samples(kBlock);
  std::vector<std::uint16_t> magnitudes(kBands);
  std::vector<std::int16_t> shortBlock(kBlock - 1);
  std::vector<std::uint16_t> fewBands(kBands - 1);
  EXPECT_THROW(spectrum.Compute(shortBlock, 1, magnitudes), std::invalid_argument);
  EXPECT_THROW(spectrum.Compute(samples, 1, fewBands), std::invalid_argument);
}

}  // namespace
}  // namespace nv
