#include "tests/common/AudioAnalysis.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstring>
#include <fstream>
#include <iterator>
#include <numbers>
#include <stdexcept>

namespace nv::test {

namespace {

constexpr double kSilenceDb = -200;
constexpr double kFullScaleSineRms = 32768.0 / std::numbers::sqrt2;

std::vector<char> ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  return std::vector<char>(std::istreambuf_iterator<char>(in), {});
}

std::uint32_t Le32(const char* p) {
  const auto* b = reinterpret_cast<const unsigned char*>(p);
  return b[0] | b[1] << 8 | b[2] << 16 | static_cast<std::uint32_t>(b[3]) << 24;
}

// Frames [first, last) of the span, clamped to the recording.
std::pair<std::size_t, std::size_t> FrameRange(const Recording& r, double fromMs, double toMs) {
  const auto clamp = [&](double ms) {
    const double frame = std::floor(ms * r.sampleRate / 1000.0);
    return static_cast<std::size_t>(std::clamp(frame, 0.0, static_cast<double>(r.Frames())));
  };
  return {clamp(fromMs), clamp(toMs)};
}

std::vector<double> Mono(const Recording& r, double fromMs, double toMs) {
  const auto [first, last] = FrameRange(r, fromMs, toMs);
  std::vector<double> mono;
  mono.reserve(last > first ? last - first : 0);
  for (std::size_t f = first; f < last; ++f) {
    double sum = 0;
    for (int c = 0; c < r.channels; ++c) sum += r.samples[f * r.channels + c];
    mono.push_back(sum / r.channels);
  }
  return mono;
}

void Fft(std::vector<std::complex<double>>& a) {
  const std::size_t n = a.size();
  for (std::size_t i = 1, j = 0; i < n; ++i) {
    std::size_t bit = n >> 1;
    for (; j & bit; bit >>= 1) j ^= bit;
    j ^= bit;
    if (i < j) std::swap(a[i], a[j]);
  }
  for (std::size_t len = 2; len <= n; len <<= 1) {
    const double angle = -2 * std::numbers::pi / static_cast<double>(len);
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    for (std::size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (std::size_t k = 0; k < len / 2; ++k, w *= step) {
        const auto u = a[i + k], v = a[i + k + len / 2] * w;
        a[i + k] = u + v;
        a[i + k + len / 2] = u - v;
      }
    }
  }
}

double Hann(std::size_t i, std::size_t n) {
  return n > 1 ? 0.5 - 0.5 * std::cos(2 * std::numbers::pi * static_cast<double>(i) / static_cast<double>(n - 1)) : 1;
}

}  // namespace

Recording Recording::LoadRaw(const std::string& path, int sampleRate, int channels) {
  const std::vector<char> bytes = ReadFile(path);
  Recording r;
  r.sampleRate = sampleRate;
  r.channels = channels;
  r.samples.resize(bytes.size() / 2);
  std::memcpy(r.samples.data(), bytes.data(), r.samples.size() * 2);
  return r;
}

Recording Recording::LoadWav(const std::string& path) {
  const std::vector<char> bytes = ReadFile(path);
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 || std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    throw std::runtime_error(path + " is not a WAV file");
  Recording r;
  bool haveFormat = false;
  for (std::size_t pos = 12; pos + 8 <= bytes.size();) {
    const std::uint32_t size = Le32(bytes.data() + pos + 4);
    const char* body = bytes.data() + pos + 8;
    const std::size_t available = std::min<std::size_t>(size, bytes.size() - pos - 8);
    if (std::memcmp(bytes.data() + pos, "fmt ", 4) == 0 && available >= 16) {
      r.channels = static_cast<unsigned char>(body[2]) | static_cast<unsigned char>(body[3]) << 8;
      r.sampleRate = static_cast<int>(Le32(body + 4));
      const int bits = static_cast<unsigned char>(body[14]);
      if (bits != 16) throw std::runtime_error(path + ": only 16-bit WAV files are analysed");
      haveFormat = true;
    } else if (std::memcmp(bytes.data() + pos, "data", 4) == 0 && haveFormat) {
      r.samples.resize(available / 2);
      std::memcpy(r.samples.data(), body, r.samples.size() * 2);
      return r;
    }
    pos += 8 + size + (size & 1);
  }
  throw std::runtime_error(path + " has no PCM data");
}

double LevelDb(const Recording& r, double fromMs, double toMs, int channel) {
  const auto [first, last] = FrameRange(r, fromMs, toMs);
  if (last <= first) return kSilenceDb;
  double sum = 0;
  std::size_t count = 0;
  for (std::size_t f = first; f < last; ++f) {
    for (int c = 0; c < r.channels; ++c) {
      if (channel >= 0 && c != channel) continue;
      const double s = r.samples[f * r.channels + c];
      sum += s * s;
      ++count;
    }
  }
  const double rms = count ? std::sqrt(sum / static_cast<double>(count)) : 0;
  return rms < 1e-3 ? kSilenceDb : 20 * std::log10(rms / kFullScaleSineRms);
}

double DominantFrequency(const Recording& r, double fromMs, double toMs) {
  const std::vector<double> mono = Mono(r, fromMs, toMs);
  if (mono.size() < 16) return 0;
  std::size_t n = 1;
  while (n < mono.size() * 2) n <<= 1;  // zero padding to at least twice the length sharpens the peak
  std::vector<std::complex<double>> spectrum(n);
  for (std::size_t i = 0; i < mono.size(); ++i) spectrum[i] = mono[i] * Hann(i, mono.size());
  Fft(spectrum);
  std::size_t peak = 1;
  for (std::size_t k = 1; k < n / 2; ++k)
    if (std::abs(spectrum[k]) > std::abs(spectrum[peak])) peak = k;
  if (std::abs(spectrum[peak]) < 1e-6) return 0;
  // Parabolic interpolation on the log magnitudes around the peak.
  double offset = 0;
  if (peak + 1 < n / 2) {
    const double a = std::log(std::abs(spectrum[peak - 1]) + 1e-12), b = std::log(std::abs(spectrum[peak]) + 1e-12),
                 c = std::log(std::abs(spectrum[peak + 1]) + 1e-12);
    const double denominator = a - 2 * b + c;
    if (denominator != 0) offset = 0.5 * (a - c) / denominator;
  }
  return (static_cast<double>(peak) + offset) * r.sampleRate / static_cast<double>(n);
}

double ToneLevelDb(const Recording& r, double hz, double fromMs, double toMs) {
  const std::vector<double> mono = Mono(r, fromMs, toMs);
  if (mono.empty()) return kSilenceDb;
  const double w = 2 * std::numbers::pi * hz / r.sampleRate;
  double re = 0, im = 0, windowSum = 0;
  for (std::size_t i = 0; i < mono.size(); ++i) {
    const double weight = Hann(i, mono.size());
    re += mono[i] * weight * std::cos(w * static_cast<double>(i));
    im -= mono[i] * weight * std::sin(w * static_cast<double>(i));
    windowSum += weight;
  }
  const double amplitude = 2 * std::hypot(re, im) / windowSum;
  return amplitude < 1e-3 ? kSilenceDb : 20 * std::log10(amplitude / 32768.0);
}

std::vector<Window> AnalyseWindows(const Recording& r, double windowMs) {
  std::vector<Window> windows;
  for (double t = 0; t + windowMs <= r.DurationMs() + 1e-9; t += windowMs) {
    Window w{t, LevelDb(r, t, t + windowMs), LevelDb(r, t, t + windowMs, 0),
             LevelDb(r, t, t + windowMs, r.channels > 1 ? 1 : 0), 0};
    if (w.levelDb > -60) w.frequencyHz = DominantFrequency(r, t, t + windowMs);
    windows.push_back(w);
  }
  return windows;
}

std::vector<Span> SoundSpans(const Recording& r, double thresholdDb, double bridgeMs, double windowMs) {
  std::vector<Span> spans;
  for (double t = 0; t < r.DurationMs(); t += windowMs) {
    if (LevelDb(r, t, t + windowMs) <= thresholdDb) continue;
    const double end = std::min(t + windowMs, r.DurationMs());
    if (!spans.empty() && t - spans.back().endMs <= bridgeMs + 1e-9)
      spans.back().endMs = end;
    else
      spans.push_back({t, end});
  }
  return spans;
}

std::vector<Span> SilentGaps(const Recording& r, double thresholdDb, double windowMs) {
  const std::vector<Span> sounds = SoundSpans(r, thresholdDb, 0, windowMs);
  std::vector<Span> gaps;
  for (std::size_t i = 1; i < sounds.size(); ++i) gaps.push_back({sounds[i - 1].endMs, sounds[i].startMs});
  return gaps;
}

std::vector<Span> SpansOfFrequency(const Recording& r, double hz, double toleranceHz, double thresholdDb,
                                   double windowMs) {
  std::vector<Span> spans;
  for (double t = 0; t + windowMs <= r.DurationMs() + 1e-9; t += windowMs) {
    if (LevelDb(r, t, t + windowMs) <= thresholdDb) continue;
    if (std::abs(DominantFrequency(r, t, t + windowMs) - hz) > toleranceHz) continue;
    if (!spans.empty() && std::abs(spans.back().endMs - t) < 1e-9)
      spans.back().endMs = t + windowMs;
    else
      spans.push_back({t, t + windowMs});
  }
  return spans;
}

}  // namespace nv::test
