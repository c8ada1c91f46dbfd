#pragma once
// What the spectrum analyser shows: 76 bands on a logarithmic scale made from the visualiser's 512 bins per
// channel, their bars falling and their peaks dropping ever faster between frames, and the picture of them as the
// indices of an 8-bit surface's colours (0 background, 1 grid, 2 peaks, 3 and up the gradient). The oscilloscope
// draws the frame's waveform instead. The window (skins/win/SpectrumAnalyzer.h) calls these under its lock.
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "skins/SkinBitmap.h"
#include "skins/SkinElement.h"

namespace nv {

inline constexpr int kSpectrumBands = 76;
inline constexpr int kSpectrumBins = 512;

enum class TFalloffSpeed : std::uint8_t { fsSlowest, fsSlow, fsMedium, fsFast, fsFastest };
enum class TAnalizerStyle : std::uint8_t { asNormal, asFire, asVertLines };
enum class TBandStyle : std::uint8_t { bsThin, bsThick };
enum class TChanels : std::uint8_t { chBoth, chLeft, chRight };

// How far a bar falls per tick (in heights of the control), and how much faster a peak falls each tick.
float BarFall(TFalloffSpeed speed);
float PeakFallFactor(TFalloffSpeed speed);

using SpectrumBandLevels = std::array<float, kSpectrumBands>;

// The bands of one channel's 512 bins (element k - 1 holds bin k), each 0..1: a band sums its bins, a bin it
// shares with the next band split between them by where the band's edge falls; the weights favour the middle
// bands. With thick bands, groups of four show their largest level squared, the first of each group left empty.
void ComputeBands(std::span<const std::uint16_t, kSpectrumBins> bins, float amplify, TBandStyle style,
                  SpectrumBandLevels& levels);

// The bars and peaks on show.
class SpectrumLevels {
public:
  SpectrumLevels();
  // One tick: every bar falls, then takes the new levels where they are higher (of the channels shown); without
  // data (null) they only fall. A peak stays on its bar while the bar is higher, else it drops, faster each tick.
  void Merge(const SpectrumBandLevels* left, const SpectrumBandLevels* right, TChanels channels, TFalloffSpeed falloff,
             TFalloffSpeed peakFalloff);
  const SpectrumBandLevels& Levels() const { return levels_; }
  const SpectrumBandLevels& Peaks() const { return peaks_; }
  // True once no bar and no peak shows a pixel at this height.
  bool AllFallen(int height) const;

private:
  SpectrumBandLevels levels_{}, peaks_{}, peakSpeeds_{};
};

// An 8-bit picture: colour indices, rows top-down, `stride` bytes apart.
struct IndexedPixels {
  std::span<std::uint8_t> pixels;
  int width = 0, height = 0, stride = 0;
  std::uint8_t& At(int x, int y) const { return pixels[static_cast<std::size_t>(y) * stride + x]; }
};

// The background with its dotted grid, then one column per band (the colour of each pixel by the style, never past
// the last of `colourCount` colours) and the peaks.
void PaintSpectrum(const IndexedPixels& picture, const SpectrumLevels& levels, int colourCount, TAnalizerStyle style,
                   bool peaks);
// The background with its grid and the waveform (unsigned 8-bit, 128 is silence) drawn across the width, each
// column coloured by how far it swings from the middle.
void PaintWaveform(const IndexedPixels& picture, std::span<const std::uint8_t> wave, int colourCount);
// The grid only (the oscilloscope while nothing plays).
void PaintBackground(const IndexedPixels& picture);

// Where the analyser's colours lie: its palette element's image and slicing.
struct PaletteStrip {
  const SkinBitmap* bitmap = nullptr;  // none, or an empty one: no palette
  int originLeft = 0, originTop = 0, imageWidth = 0, imageHeight = 0;
};
PaletteStrip PaletteStripOf(const TSkinElement& palette);
// The analyser's colours (colour 0 background, 1 grid, 2 peaks, 3 and up the gradient): black, grey, white, white
// without a palette; otherwise a strip read along the first row from the origin (the next row for the normal style)
// or, for a strip taller than wide, down its first column (the next column). At least 4 colours, at most 256; what
// lies outside the image is white.
std::vector<SkinColour> AnalyserColours(const PaletteStrip& palette, TAnalizerStyle style);

}  // namespace nv
