#include "engine/Fourier.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <stdexcept>

namespace nv {
namespace {

// What a magnitude is divided by before the caller's scale.
constexpr double kMagnitudeDivisor = 32;
constexpr double kMaxMagnitude = 65535;

}  // namespace

TSpectrum::TSpectrum(int order) {
  if (order < 2 || order > 16) throw std::invalid_argument("spectrum order out of range");
  n_ = 1 << (order - 1);
  const int bits = order - 1;
  bitReversed_.resize(n_);
  for (int i = 0; i < n_; ++i) {
    int reversed = 0;
    for (int b = 0; b < bits; ++b) reversed |= ((i >> b) & 1) << (bits - 1 - b);
    bitReversed_[i] = reversed;
  }
  for (int i = 0; i < n_ / 2; ++i) {
    const double angle = 2 * std::numbers::pi * i / n_;
    cos_.push_back(std::cos(angle));
    negSin_.push_back(-std::sin(angle));
  }
  for (int k = 0; k < n_; ++k) {
    const double angle = std::numbers::pi * k / n_;
    splitCos_.push_back(std::cos(angle));
    splitNegSin_.push_back(-std::sin(angle));
  }
  re_.resize(n_);
  im_.resize(n_);
}

void TSpectrum::Transform() {
  for (int size = 2; size <= n_; size *= 2) {
    const int half = size / 2;
    const int step = n_ / size;
    for (int start = 0; start < n_; start += size) {
      for (int j = 0; j < half; ++j) {
        const double wr = cos_[j * step], wi = negSin_[j * step];
        const int a = start + j, b = a + half;
        const double tr = wr * re_[b] - wi * im_[b];
        const double ti = wr * im_[b] + wi * re_[b];
        re_[b] = re_[a] - tr;
        im_[b] = im_[a] - ti;
        re_[a] += tr;
        im_[a] += ti;
      }
    }
  }
}

void TSpectrum::Compute(std::span<const std::int16_t> samples, double scale, std::span<std::uint16_t> magnitudes) {
  if (samples.size() != static_cast<std::size_t>(BlockSize()) || magnitudes.size() != static_cast<std::size_t>(n_))
    throw std::invalid_argument("spectrum block size");
  // Even samples are the real parts, odd ones the imaginary parts, in bit-reversed order for the transform.
  const double norm = 1 / std::sqrt(static_cast<double>(n_));
  for (int m = 0; m < n_; ++m) {
    re_[bitReversed_[m]] = samples[2 * m] * norm;
    im_[bitReversed_[m]] = samples[2 * m + 1] * norm;
  }
  Transform();

  const double factor = scale / kMagnitudeDivisor;
  auto put = [&](int element, double re, double im) {
    const double value = std::min(std::hypot(re, im) * factor, kMaxMagnitude);
    magnitudes[element] = static_cast<std::uint16_t>(std::lround(value));
  };
  // The packed transform Z is E + iO, E and O the transforms of the even and odd samples:
  // E(k) = (Z(k) + conj Z(n−k)) / 2, O(k) = (Z(k) − conj Z(n−k)) / 2i, X(k) = E(k) + e^(−iπk/n) O(k).
  for (int k = 1; k < n_; ++k) {
    const double zr = re_[k], zi = im_[k];
    const double cr = re_[n_ - k], ci = -im_[n_ - k];  // conj Z(n−k)
    const double er = (zr + cr) / 2, ei = (zi + ci) / 2;
    const double or_ = (zi - ci) / 2, oi = -(zr - cr) / 2;
    const double wr = splitCos_[k], wi = splitNegSin_[k];
    put(k - 1, er + wr * or_ - wi * oi, ei + wr * oi + wi * or_);
  }
  // X(n) = E(0) − O(0), both real.
  put(n_ - 1, re_[0] - im_[0], 0);
}

}  // namespace nv
