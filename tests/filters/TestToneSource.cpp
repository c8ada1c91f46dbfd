#include "tests/filters/TestToneSource.h"

#include <utility>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numbers>

#include "filters/FilterConstants.h"
#include "tests/common/win/TestComObject.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {
namespace {

constexpr long kBufferCount = 4;

long long FramesOf(LONGLONG units) { return units * kToneRate / kUnitsPerSecond; }
LONGLONG UnitsOf(long long frames) { return frames * kUnitsPerSecond / kToneRate; }

// An allocator whose Decommit decommits and then reports a failure.
class FailingDecommitAllocator final : public TestComObject<IMemAllocator> {
public:
  explicit FailingDecommitAllocator(ComPtr<IMemAllocator> inner) : inner_(std::move(inner)) {}

  HRESULT STDMETHODCALLTYPE SetProperties(ALLOCATOR_PROPERTIES* request, ALLOCATOR_PROPERTIES* actual) override {
    return inner_->SetProperties(request, actual);
  }
  HRESULT STDMETHODCALLTYPE GetProperties(ALLOCATOR_PROPERTIES* properties) override {
    return inner_->GetProperties(properties);
  }
  HRESULT STDMETHODCALLTYPE Commit() override { return inner_->Commit(); }
  HRESULT STDMETHODCALLTYPE Decommit() override {
    inner_->Decommit();
    return E_FAIL;
  }
  HRESULT STDMETHODCALLTYPE GetBuffer(IMediaSample** sample, REFERENCE_TIME* start, REFERENCE_TIME* stop,
                                      DWORD flags) override {
    return inner_->GetBuffer(sample, start, stop, flags);
  }
  HRESULT STDMETHODCALLTYPE ReleaseBuffer(IMediaSample* sample) override { return inner_->ReleaseBuffer(sample); }

private:
  ComPtr<IMemAllocator> inner_;
};

}  // namespace

// --- the stream

ToneStream::ToneStream(TestToneSource& source, const ToneSourceOptions& options)
    : TXThreadedSourceStream(L"Output", source), tone_(source), options_(options),
      beforeEndOfStream_(options.beforeEndOfStream) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = kToneRate;
  format.nBlockAlign = kToneFrameBytes;
  format.nAvgBytesPerSec = options.zeroAverageRate ? 0 : kToneRate * kToneFrameBytes;
  format.wBitsPerSample = 16;
  MediaType type;
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_PCM;
  type.bFixedSizeSamples = TRUE;
  type.lSampleSize = kToneFrameBytes;
  type.SetFormat(FORMAT_WaveFormatEx, &format, std::min<ULONG>(options.formatSize, sizeof format));
  SetMediaType(type);
}

HRESULT ToneStream::DecideAllocator(IMemInputPin* input, ComPtr<IMemAllocator>& allocator) {
  HRESULT hr = S_OK;
  if (options_.readOnlyBuffers) {
    // As the framework does, but the buffers are announced read-only.
    ALLOCATOR_PROPERTIES requirements{};
    input->GetAllocatorRequirements(&requirements);
    const auto offer = [&](IMemAllocator* candidate) {
      ALLOCATOR_PROPERTIES request = requirements;
      HRESULT result = DecideBufferSize(candidate, request);
      if (SUCCEEDED(result)) result = input->NotifyAllocator(candidate, TRUE);
      return result;
    };
    hr = input->GetAllocator(&allocator);
    if (SUCCEEDED(hr)) hr = offer(allocator.Get());
    if (FAILED(hr)) {
      hr = InitAllocator(allocator);
      if (SUCCEEDED(hr)) hr = offer(allocator.Get());
    }
  } else {
    hr = TXThreadedSourceStream::DecideAllocator(input, allocator);
  }
  if (SUCCEEDED(hr) && options_.failingDecommit) allocator = new FailingDecommitAllocator(allocator);
  return hr;
}

HRESULT ToneStream::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
  request.cBuffers = std::max(request.cBuffers, kBufferCount);
  const long bufferFrames = kToneRate * options_.bufferMs / 1000;
  request.cbBuffer = std::max(request.cbBuffer, bufferFrames * kToneFrameBytes);
  request.cbAlign = std::max(request.cbAlign, 1L);
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = allocator->SetProperties(&request, &actual);
  if (FAILED(hr)) return hr;
  return actual.cbBuffer < request.cbBuffer ? E_FAIL : S_OK;
}

HRESULT ToneStream::DeliverEndOfStream() {
  if (const std::function<void()> before = std::exchange(beforeEndOfStream_, nullptr)) before();
  ++tone_.endsOfStream_;
  return TXThreadedSourceStream::DeliverEndOfStream();
}

// --- the filter

ComPtr<TestToneSource> TestToneSource::Create(const ToneSourceOptions& options) {
  return ComPtr<TestToneSource>(new TestToneSource(options));
}

TestToneSource::TestToneSource(const ToneSourceOptions& options)
    : TXBCRefCounted(L"Test tone", GUID_NULL, nullptr), options_(options),
      stream_(&AddStream(std::make_unique<ToneStream>(*this, options))) {}

IPin* TestToneSource::OutputPin() { return stream_; }

bool TestToneSource::HasWorker() { return stream_->HasWorker(); }

LONGLONG TestToneSource::DurationUnits() const {
  return static_cast<LONGLONG>(options_.durationMs) * kUnitsPerMs;
}

HRESULT TestToneSource::GetDuration(LONGLONG* duration) {
  if (!duration) return E_POINTER;
  *duration = DurationUnits();
  return S_OK;
}

HRESULT TestToneSource::GetPositions(LONGLONG* current, LONGLONG* stop) {
  if (!current || !stop) return E_POINTER;
  std::lock_guard lock(toneLock_);
  *current = UnitsOf(position_);
  *stop = DurationUnits();
  return S_OK;
}

HRESULT TestToneSource::SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG*, DWORD) {
  if (!current || (currentFlags & AM_SEEKING_PositioningBitsMask) != AM_SEEKING_AbsolutePositioning) return S_OK;
  const bool streaming = IsActive();
  if (streaming) DeliverBeginFlush();
  {
    std::lock_guard lock(toneLock_);
    position_ = std::clamp<long long>(FramesOf(*current), 0, FramesOf(DurationUnits()));
    segmentStart_ = position_;
  }
  if (streaming) {
    DeliverEndFlush();
    DeliverNewSegment(*current, DurationUnits(), 1.0);
  }
  return S_OK;
}

HRESULT TestToneSource::Fill(IMediaSample* sample) {
  std::lock_guard lock(toneLock_);
  ++fills_;
  long long end = FramesOf(DurationUnits());
  if (options_.failWith != S_OK) {
    const long long failAt = FramesOf(static_cast<LONGLONG>(options_.failAtMs) * kUnitsPerMs);
    if (position_ >= failAt) return options_.failWith;
    end = std::min(end, failAt);
  }
  if (position_ >= end) return S_FALSE;
  BYTE* data = nullptr;
  const HRESULT hr = sample->GetPointer(&data);
  if (FAILED(hr)) return hr;
  const long long frames = std::min<long long>(sample->GetSize() / kToneFrameBytes, end - position_);
  auto* out = reinterpret_cast<std::int16_t*>(data);
  for (long long i = 0; i < frames; ++i) {
    const double phase = 2 * std::numbers::pi * options_.hz * static_cast<double>(position_ + i) / kToneRate;
    const auto value = static_cast<std::int16_t>(std::lround(options_.amplitude * 32767 * std::sin(phase)));
    out[2 * i] = out[2 * i + 1] = value;
  }
  if (options_.typeChangeAtMs > 0 && position_ == FramesOf(options_.typeChangeAtMs * kUnitsPerMs)) {
    MediaType eightBit(stream_->CurrentMediaType());
    auto* format = reinterpret_cast<PCMWAVEFORMAT*>(eightBit.pbFormat);
    format->wBitsPerSample = 8;
    format->wf.nBlockAlign = kToneFrameBytes / 2;
    if (format->wf.nAvgBytesPerSec) format->wf.nAvgBytesPerSec = kToneRate * kToneFrameBytes / 2;
    sample->SetMediaType(&eightBit);
  }
  sample->SetActualDataLength(static_cast<long>(frames * kToneFrameBytes));
  REFERENCE_TIME start = UnitsOf(position_ - segmentStart_), stop = UnitsOf(position_ + frames - segmentStart_);
  sample->SetTime(&start, &stop);
  sample->SetSyncPoint(TRUE);
  position_ += frames;
  return S_OK;
}

}  // namespace nv::test
