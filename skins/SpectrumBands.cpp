#include "skins/SpectrumBands.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "support/Rounding.h"

namespace nv {

namespace {

struct Falloff {
  float bar, peakFactor;
};
constexpr Falloff kFalloffs[] = {{0.068f, 1.18f}, {0.102f, 1.25f}, {0.136f, 1.31f}, {0.21f, 1.37f}, {0.306f, 1.49f}};

const Falloff& FalloffOf(TFalloffSpeed speed) {
  const auto index = static_cast<std::size_t>(speed);
  return kFalloffs[index < std::size(kFalloffs) ? index : 2];
}

constexpr float kPeakStartSpeed = 0.003f;
constexpr float kPeakTopSpeed = 1000000.0f;

constexpr SkinColour kWhite = 0xFFFFFF;

// 0xAARRGGBB (a skin bitmap's pixel) as 0x00BBGGRR.
SkinColour ToColour(std::uint32_t argb) {
  return ((argb >> 16) & 0xFF) | (argb & 0xFF00) | ((argb & 0xFF) << 16);
}

}  // namespace

float BarFall(TFalloffSpeed speed) { return FalloffOf(speed).bar; }
float PeakFallFactor(TFalloffSpeed speed) { return FalloffOf(speed).peakFactor; }

void ComputeBands(std::span<const std::uint16_t, kSpectrumBins> bins, float amplify, TBandStyle style,
                  SpectrumBandLevels& levels) {
  // Band edges grow by a constant ratio, 101 steps from bin 1 to bin 512; the first band starts 20 steps in.
  const double ratio = std::pow(512.0, 1.0 / 101.0);
  double edge = std::pow(ratio, 20.0);
  int last = static_cast<int>(edge);
  double carry = 0;
  for (int band = 1; band <= kSpectrumBands; ++band) {
    const int first = last + 1;
    edge *= ratio;
    last = std::min(static_cast<int>(edge), kSpectrumBins);
    double sum = carry;
    for (int bin = first; bin <= last; ++bin) sum += bins[bin - 1];
    if (last < kSpectrumBins) {
      // The bin the edge falls in: its share up to the edge here, the rest to the next band.
      const double share = edge - std::floor(edge);
      const double value = bins[last - 1] + share * (static_cast<double>(bins[last]) - bins[last - 1]);
      sum += share * value;
      carry = (1 - share) * value;
    } else {
      carry = 0;
    }
    const double weight = amplify * 7.0710656237 * (1 - (band - 39.0) * (band - 39.0) / 2888.0) / 32767.0;
    levels[band - 1] = static_cast<float>(std::min(sum * weight, 1.0));
  }
  if (style != TBandStyle::bsThick) return;
  for (int group = 0; group < kSpectrumBands; group += 4) {
    float largest = 0;
    for (int i = group; i < group + 4; ++i) largest = std::max(largest, levels[i] * levels[i]);
    levels[group] = 0;
    for (int i = group + 1; i < group + 4; ++i) levels[i] = largest;
  }
}

SpectrumLevels::SpectrumLevels() = default;

void SpectrumLevels::Merge(const SpectrumBandLevels* left, const SpectrumBandLevels* right, TChanels channels,
                           TFalloffSpeed falloff, TFalloffSpeed peakFalloff) {
  const float fall = BarFall(falloff), factor = PeakFallFactor(peakFalloff);
  for (int i = 0; i < kSpectrumBands; ++i) {
    float level = std::max(levels_[i] - fall, 0.0f);
    if (left && channels != TChanels::chRight) level = std::max(level, (*left)[i]);
    if (right && channels != TChanels::chLeft) level = std::max(level, (*right)[i]);
    levels_[i] = level;
    const float fallen = peaks_[i] - peakSpeeds_[i];
    if (level > fallen) {
      peaks_[i] = level;
      peakSpeeds_[i] = kPeakStartSpeed;
    } else {
      peaks_[i] = fallen;
      peakSpeeds_[i] = std::min(peakSpeeds_[i] * factor, kPeakTopSpeed);
    }
  }
}

bool SpectrumLevels::AllFallen(int height) const {
  for (int i = 0; i < kSpectrumBands; ++i)
    if (RoundToInt(height * static_cast<double>(peaks_[i])) > 0 ||
        RoundToInt(height * static_cast<double>(levels_[i])) > 0)
      return false;
  return true;
}

void PaintBackground(const IndexedPixels& picture) {
  std::fill(picture.pixels.begin(), picture.pixels.end(), std::uint8_t{0});
  for (int y = 0; y < picture.height; y += 2)
    for (int x = 0; x < picture.width; x += 2) picture.At(x, y) = 1;
}

void PaintSpectrum(const IndexedPixels& picture, const SpectrumLevels& levels, int colourCount, TAnalizerStyle style,
                   bool peaks) {
  PaintBackground(picture);
  const int height = picture.height;
  if (height <= 0 || colourCount < 4) return;
  const int n = colourCount - 3, m = std::min(height, n);
  const int lastColour = colourCount - 1;
  const int columns = std::min(picture.width, kSpectrumBands);
  for (int band = 0; band < columns; ++band) {
    const int bar = std::clamp(RoundToInt(height * static_cast<double>(levels.Levels()[band])), 0, height);
    const int whole = RoundToInt(static_cast<double>(n) * bar / height) + 3;
    for (int c = 0; c < bar; ++c) {
      int colour = 0;
      switch (style) {
        case TAnalizerStyle::asNormal:
          colour = m - RoundToInt(static_cast<double>(bar - c) * m / height) + 3;
          break;
        case TAnalizerStyle::asFire:
          colour = RoundToInt(static_cast<double>(n) * c / height) + 3;
          break;
        case TAnalizerStyle::asVertLines:
          colour = whole;
          break;
      }
      picture.At(band, height - bar + c) = static_cast<std::uint8_t>(std::clamp(colour, 3, lastColour));
    }
    if (!peaks) continue;
    const int peak = RoundToInt(height * static_cast<double>(levels.Peaks()[band]));
    if (peak > 0 && peak <= height) picture.At(band, height - peak) = 2;
  }
}

void PaintWaveform(const IndexedPixels& picture, std::span<const std::uint8_t> wave, int colourCount) {
  PaintBackground(picture);
  const int width = picture.width, height = picture.height;
  if (width <= 0 || height <= 0 || wave.empty() || colourCount < 4) return;
  const int n = colourCount - 3;
  auto rowOf = [&](int sample) { return std::clamp((255 - sample) * (height - 1) / 255, 0, height - 1); };
  int previous = rowOf(wave[0]);
  for (int x = 0; x < width; ++x) {
    const int sample = wave[static_cast<std::size_t>(x) * wave.size() / width];
    const int row = rowOf(sample);
    // How far this column swings from silence picks its colour along the gradient.
    const int swing = std::abs(sample - 128);
    const auto colour = static_cast<std::uint8_t>(std::min(3 + swing * n / 129, colourCount - 1));
    for (int y = std::min(previous, row); y <= std::max(previous, row); ++y) picture.At(x, y) = colour;
    previous = row;
  }
}

PaletteStrip PaletteStripOf(const TSkinElement& palette) {
  return {&palette.Bitmap(), palette.OriginLeft(), palette.OriginTop(), palette.ImageWidth(), palette.ImageHeight()};
}

std::vector<SkinColour> AnalyserColours(const PaletteStrip& palette, TAnalizerStyle style) {
  if (!palette.bitmap || palette.bitmap->Empty()) return {0x000000, 0x808080, kWhite, kWhite};
  const SkinBitmap& bitmap = *palette.bitmap;
  const bool across = palette.imageWidth >= palette.imageHeight;
  const int next = style == TAnalizerStyle::asNormal ? 1 : 0;
  const int x = palette.originLeft + (across ? 0 : next), y = palette.originTop + (across ? next : 0);
  const int count =
      std::clamp(across ? palette.imageWidth - palette.originLeft : palette.imageHeight - palette.originTop, 0, 256);
  std::vector<SkinColour> colours;
  for (int i = 0; i < count; ++i) {
    const int px = across ? x + i : x, py = across ? y : y + i;
    const bool inside = px >= 0 && py >= 0 && px < bitmap.Width && py < bitmap.Height;
    colours.push_back(inside ? ToColour(bitmap.At(px, py)) : kWhite);
  }
  while (colours.size() < 4) colours.push_back(kWhite);
  return colours;
}

}  // namespace nv
