#include "tests/filters/TestFilters.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>

using Microsoft::WRL::ComPtr;

namespace nv::test {

bool IsPcm16(const AM_MEDIA_TYPE& type) {
  if (type.majortype != MEDIATYPE_Audio || type.subtype != MEDIASUBTYPE_PCM || type.formattype != FORMAT_WaveFormatEx ||
      type.cbFormat < sizeof(PCMWAVEFORMAT) || !type.pbFormat)
    return false;
  return reinterpret_cast<const PCMWAVEFORMAT*>(type.pbFormat)->wBitsPerSample == 16;
}

void ScalePcm16(IMediaSample* sample, double gain) {
  if (gain == 1.0) return;
  BYTE* data = nullptr;
  if (FAILED(sample->GetPointer(&data))) return;
  auto* values = reinterpret_cast<std::int16_t*>(data);
  for (long i = 0, count = sample->GetActualDataLength() / 2; i < count; ++i)
    values[i] = static_cast<std::int16_t>(std::lround(values[i] * gain));
}

// --- in place

ComPtr<TestInPlaceFilter> TestInPlaceFilter::Create(double gain) {
  return ComPtr<TestInPlaceFilter>(new TestInPlaceFilter(gain));
}

TestInPlaceFilter::TestInPlaceFilter(double gain)
    : TXBCRefCounted(L"Test in place", nullptr, GUID_NULL, /*modifiesData=*/gain != 1.0), gain_(gain) {}

HRESULT TestInPlaceFilter::CheckInputType(const AM_MEDIA_TYPE& type) { return IsPcm16(type) ? S_OK : S_FALSE; }

HRESULT TestInPlaceFilter::Receive(IMediaSample* sample) {
  received_ = sample;
  return TXBCRefCounted::Receive(sample);
}

HRESULT TestInPlaceFilter::Transform(IMediaSample* sample) {
  ++(sample == received_ ? inPlace_ : copied_);
  ScalePcm16(sample, gain_);
  return S_OK;
}

// --- copying

ComPtr<TestGainTransform> TestGainTransform::Create(double gain) {
  return ComPtr<TestGainTransform>(new TestGainTransform(gain));
}

TestGainTransform::TestGainTransform(double gain) : TXBCRefCounted(L"Test gain", nullptr, GUID_NULL), gain_(gain) {}

HRESULT TestGainTransform::CheckInputType(const AM_MEDIA_TYPE& type) { return IsPcm16(type) ? S_OK : S_FALSE; }

HRESULT TestGainTransform::CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) {
  return SameMediaType(in, out) ? S_OK : S_FALSE;
}

HRESULT TestGainTransform::GetMediaType(int position, MediaType& type) {
  if (position < 0) return E_INVALIDARG;
  if (position > 0) return VFW_S_NO_MORE_ITEMS;
  return type.Assign(InputPin()->CurrentMediaType());
}

HRESULT TestGainTransform::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
  ALLOCATOR_PROPERTIES upstream{};
  const HRESULT hr = InputPin()->Allocator()->GetProperties(&upstream);
  if (FAILED(hr)) return hr;
  request.cBuffers = std::max(request.cBuffers, std::max(upstream.cBuffers, 1L));
  request.cbBuffer = std::max(request.cbBuffer, std::max(upstream.cbBuffer, 1L));
  request.cbAlign = std::max(request.cbAlign, 1L);
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT set = allocator->SetProperties(&request, &actual);
  if (FAILED(set)) return set;
  return actual.cbBuffer < request.cbBuffer ? E_FAIL : S_OK;
}

HRESULT TestGainTransform::Transform(IMediaSample* in, IMediaSample* out) {
  BYTE* from = nullptr;
  BYTE* to = nullptr;
  if (FAILED(in->GetPointer(&from)) || FAILED(out->GetPointer(&to))) return E_POINTER;
  const long length = in->GetActualDataLength();
  if (length > out->GetSize()) return VFW_E_BUFFER_OVERFLOW;
  std::memcpy(to, from, length);
  out->SetActualDataLength(length);
  ScalePcm16(out, gain_);
  return S_OK;
}

}  // namespace nv::test
