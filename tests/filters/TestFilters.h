#pragma once
// Transform filters on the framework, for the tests: an in-place filter that notes whether it works on the very
// samples it receives, and a copying one. Both take 16-bit PCM and scale it by a gain (1 leaves it untouched).
#include <atomic>

#include "filters/win/XBCTransInPlaceFilter.h"

#include <wrl/client.h>

namespace nv::test {

bool IsPcm16(const AM_MEDIA_TYPE& type);
void ScalePcm16(IMediaSample* sample, double gain);

class TestInPlaceFilter : public TXBCRefCounted<TXBCTransInPlaceFilter> {
public:
  static Microsoft::WRL::ComPtr<TestInPlaceFilter> Create(double gain = 1.0);
  explicit TestInPlaceFilter(double gain);

  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT Receive(IMediaSample* sample) override;
  HRESULT Transform(IMediaSample* sample) override;

  int SamplesInPlace() const { return inPlace_; }
  int SamplesCopied() const { return copied_; }

private:
  const double gain_;
  IMediaSample* received_ = nullptr;
  std::atomic<int> inPlace_{0};
  std::atomic<int> copied_{0};
};

class TestGainTransform : public TXBCRefCounted<TXBCTransformFilter> {
public:
  static Microsoft::WRL::ComPtr<TestGainTransform> Create(double gain);
  explicit TestGainTransform(double gain);

  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) override;
  HRESULT GetMediaType(int position, MediaType& type) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
  HRESULT Transform(IMediaSample* in, IMediaSample* out) override;

private:
  const double gain_;
};

}  // namespace nv::test
