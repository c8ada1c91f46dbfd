#pragma once
// Magnitude spectrum of a block of real samples: the block is packed into half as many complex values, transformed
// by a radix-2 FFT and split into the spectrum of the real signal. No window is applied.
#include <cstdint>
#include <span>
#include <vector>

namespace nv {

class TSpectrum {
public:
  // Blocks of 2^order real samples (order 2..16).
  explicit TSpectrum(int order);

  int BlockSize() const { return 2 * n_; }  // real samples in
  int Bands() const { return n_; }          // magnitudes out

  // Element k − 1 of `magnitudes` is |X(k)| / 32 × scale for bin k = 1..Bands() (bin k is k × rate / BlockSize()),
  // rounded and limited to 65535, where X is the block's discrete Fourier transform scaled by 1/√Bands() — the
  // scaling that keeps a full-scale sine (about 2317 at scale 0.1 for 1024 samples) well inside the range.
  // The DC bin is not given. Sizes other than BlockSize() and Bands() throw std::invalid_argument.
  void Compute(std::span<const std::int16_t> samples, double scale, std::span<std::uint16_t> magnitudes);

private:
  void Transform();  // in place on re_/im_, bit-reversed input

  int n_;                             // complex transform size
  std::vector<int> bitReversed_;      // n_ entries
  std::vector<double> cos_, negSin_;  // n_/2 angles 2πi/n_: the transform's twiddles
  std::vector<double> splitCos_, splitNegSin_;  // n_ angles πk/n_: the real split's twiddles
  std::vector<double> re_, im_;       // n_ working values
};

}  // namespace nv
