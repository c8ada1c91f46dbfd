#pragma once
// A sine tone on the source framework: 44100 Hz stereo 16-bit PCM from a worker thread, seekable, with switches
// for the faults the tests need.
#include <atomic>
#include <functional>
#include <mutex>

#include "filters/win/XSourceFilter.h"
#include "filters/win/XThreadedSourceStream.h"

#include <wrl/client.h>

namespace nv::test {

struct ToneSourceOptions {
  double hz = 440;
  int durationMs = 1000;
  double amplitude = 0.5;
  HRESULT failWith = S_OK;       // FillBuffer answers this once `failAtMs` of the tone are delivered
  int failAtMs = 0;
  bool readOnlyBuffers = false;  // tells downstream that the buffers must not be written into
  bool failingDecommit = false;  // the stream's allocator reports a failure when decommitted
  ULONG formatSize = sizeof(WAVEFORMATEX);  // 16 offers a bare PCMWAVEFORMAT
  bool zeroAverageRate = false;  // a format with nAvgBytesPerSec 0
  int bufferMs = 50;             // the length of one sample
  int typeChangeAtMs = 0;        // the sample starting there announces 8-bit samples, though the bytes stay
                                 // 16-bit (0 = never)
  // Runs once on the worker, when it has found the end of the data and is about to deliver end of stream.
  std::function<void()> beforeEndOfStream;
};

inline constexpr int kToneRate = 44100;
inline constexpr int kToneFrameBytes = 4;

class ToneStream;

class TestToneSource : public TXBCRefCounted<TXSourceFilter> {
public:
  static Microsoft::WRL::ComPtr<TestToneSource> Create(const ToneSourceOptions& options = {});
  explicit TestToneSource(const ToneSourceOptions& options);

  HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG* duration) override;
  // Absolute positions only, flushing while active.
  HRESULT STDMETHODCALLTYPE SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                         DWORD stopFlags) override;
  HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* current, LONGLONG* stop) override;

  ToneStream& Stream() { return *stream_; }
  IPin* OutputPin();
  int Fills() const { return fills_; }
  int EndsOfStream() const { return endsOfStream_; }
  bool HasWorker();
  LONGLONG DurationUnits() const;

private:
  friend class ToneStream;
  HRESULT Fill(IMediaSample* sample);

  const ToneSourceOptions options_;
  std::mutex toneLock_;  // the reading position
  long long position_ = 0;  // frames
  long long segmentStart_ = 0;
  ToneStream* stream_;
  std::atomic<int> fills_{0};
  std::atomic<int> endsOfStream_{0};
};

class ToneStream : public TXThreadedSourceStream {
public:
  ToneStream(TestToneSource& source, const ToneSourceOptions& options);

  HRESULT DecideAllocator(IMemInputPin* input, Microsoft::WRL::ComPtr<IMemAllocator>& allocator) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
  HRESULT FillBuffer(IMediaSample* sample) override { return tone_.Fill(sample); }
  HRESULT DeliverEndOfStream() override;

private:
  TestToneSource& tone_;
  const ToneSourceOptions options_;
  std::function<void()> beforeEndOfStream_;
};

}  // namespace nv::test
