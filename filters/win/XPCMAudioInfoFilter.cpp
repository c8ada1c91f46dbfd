#include "filters/win/XPCMAudioInfoFilter.h"

#include <mmsystem.h>

#include <cstring>
#include <optional>
#include <utility>

#include "filters/FilterConstants.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

// The part of a format block that is counted on: PCMWAVEFORMAT, then WAVEFORMATEX's cbSize when the block has it.
constexpr ULONG kPcmHeaderSize = sizeof(PCMWAVEFORMAT);

}  // namespace

ComPtr<IBaseFilter> TXPCMAudioInfoFilter::Create(std::wstring_view name, const CLSID& clsid) {
  return ComPtr<IBaseFilter>(new TXPCMAudioInfoFilter(name, clsid, nullptr));
}

TXPCMAudioInfoFilter::TXPCMAudioInfoFilter(std::wstring_view name, const CLSID& clsid, IUnknown* outer)
    : TXBCRefCounted(name, outer, clsid, /*modifiesData=*/false) {
  GetPin(0);
}

TXPCMAudioInfoFilter::~TXPCMAudioInfoFilter() {
  // An armed timer holds a reference, so only a filter deleted by hand can get here with one.
  if (advanceTimer_) timeKillEvent(advanceTimer_);
}

HRESULT TXPCMAudioInfoFilter::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IXPCMAudioInfo) return GetInterface(static_cast<IXPCMAudioInfo*>(this), object);
  const HRESULT hr = TXBCRefCounted::NonDelegatingQueryInterface(iid, object);
  if (hr == E_NOINTERFACE && (iid == IID_IMediaSeeking || iid == IID_IMediaPosition))
    return OutputPin()->NonDelegatingQueryInterface(iid, object);
  return hr;
}

// --- IXPCMAudioInfo

HRESULT TXPCMAudioInfoFilter::GetFormat(WAVEFORMATEX* format) {
  if (!format) return E_POINTER;
  if (!InputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  TXBCAutoLock info(infoLock_);
  *format = format_;
  return S_OK;
}

HRESULT TXPCMAudioInfoFilter::GetDeliveredTime(LONGLONG* time) {
  if (!time) return E_POINTER;
  TXBCAutoLock info(infoLock_);
  *time = IsStopped() ? 0 : delivery_.DeliveredTime();
  return S_OK;
}

HRESULT TXPCMAudioInfoFilter::GetPlayTime(LONGLONG* time) {
  return FromStreamTime(time, [&](REFERENCE_TIME now) { return now + delivery_.SegmentStart(); });
}

HRESULT TXPCMAudioInfoFilter::GetBufferedTime(LONGLONG* time) {
  return FromStreamTime(time, [&](REFERENCE_TIME now) { return delivery_.Buffered(now); });
}

template <class Answer>
HRESULT TXPCMAudioInfoFilter::FromStreamTime(LONGLONG* time, Answer answer) {
  if (!time) return E_POINTER;
  *time = 0;
  if (IsStopped()) return S_OK;
  REFERENCE_TIME now = 0;
  const HRESULT hr = StreamTime(now);
  if (FAILED(hr)) return hr;
  TXBCAutoLock info(infoLock_);
  *time = answer(now);
  return S_OK;
}

void TXPCMAudioInfoFilter::SetCompleteAdvance(LONGLONG advance) {
  TXBCAutoLock info(infoLock_);
  completeAdvance_ = advance;
}

// --- state

HRESULT TXPCMAudioInfoFilter::Stop() {
  TXBCAutoLock lock(FilterLock());
  // Streaming has ended when the base returns, so no end of stream can arm the timer after it is killed.
  const HRESULT hr = TXBCRefCounted::Stop();
  DisarmAdvanceTimer();
  TXBCAutoLock info(infoLock_);
  endOfStream_ = false;
  pauseTime_ = 0;
  return hr;
}

HRESULT TXPCMAudioInfoFilter::Pause() {
  TXBCAutoLock lock(FilterLock());
  if (State() == State_Running) {
    REFERENCE_TIME now = 0;
    if (SUCCEEDED(TXBCBaseFilter::StreamTime(now))) {
      TXBCAutoLock info(infoLock_);
      pauseTime_ = now;
    }
  }
  return TXBCRefCounted::Pause();
}

HRESULT TXPCMAudioInfoFilter::JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) {
  DisarmAdvanceTimer();  // the notice belongs to the graph being left
  return TXBCRefCounted::JoinFilterGraph(graph, name);
}

HRESULT TXPCMAudioInfoFilter::StreamTime(REFERENCE_TIME& time) {
  if (State() == State_Paused) {
    TXBCAutoLock info(infoLock_);
    time = pauseTime_;
    return S_OK;
  }
  return TXBCRefCounted::StreamTime(time);
}

// --- streaming

HRESULT TXPCMAudioInfoFilter::CheckInputType(const AM_MEDIA_TYPE& type) {
  if (type.majortype != MEDIATYPE_Audio || type.subtype != MEDIASUBTYPE_PCM || type.formattype != FORMAT_WaveFormatEx)
    return S_FALSE;
  // A block shorter than PCMWAVEFORMAT is malformed; one without cbSize (PCMWAVEFORMAT itself) is fine.
  return type.pbFormat && type.cbFormat >= kPcmHeaderSize ? S_OK : S_FALSE;
}

HRESULT TXPCMAudioInfoFilter::SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) {
  if (direction == PINDIR_INPUT && CheckInputType(type) == S_OK) TakeFormat(type);
  return S_OK;
}

void TXPCMAudioInfoFilter::TakeFormat(const AM_MEDIA_TYPE& type) {
  TXBCAutoLock info(infoLock_);
  format_ = WAVEFORMATEX{};
  std::memcpy(&format_, type.pbFormat, kPcmHeaderSize);
  if (type.cbFormat >= sizeof(WAVEFORMATEX))
    format_.cbSize = reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat)->cbSize;
  // Some decoders leave the average rate out of PCM formats; for PCM it follows from the others.
  const DWORD bytesPerSecond =
      format_.nAvgBytesPerSec ? format_.nAvgBytesPerSec : format_.nSamplesPerSec * format_.nBlockAlign;
  delivery_.SetBytesPerSecond(bytesPerSecond);
}

HRESULT TXPCMAudioInfoFilter::Transform(IMediaSample* sample) {
  // A sample may announce a new format, which the input pin has accepted: it and those after it count by that one.
  const AM_SAMPLE2_PROPERTIES& props = InputSampleProps();
  if ((props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && props.pMediaType) TakeFormat(*props.pMediaType);
  const long bytes = sample->GetActualDataLength();
  if (bytes <= 0) return S_OK;
  REFERENCE_TIME now = 0;
  const bool clock = SUCCEEDED(StreamTime(now));
  TXBCAutoLock info(infoLock_);
  delivery_.Delivered(bytes, clock ? std::optional<std::int64_t>(now) : std::nullopt);
  return S_OK;
}

HRESULT TXPCMAudioInfoFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  {
    TXBCAutoLock info(infoLock_);
    delivery_.NewSegment(start);
    pauseTime_ = 0;
  }
  return TXBCRefCounted::NewSegment(start, stop, rate);
}

HRESULT TXPCMAudioInfoFilter::EndOfStream() {
  // The notices go out before end of stream goes on: a renderer may hold end of stream until its buffer has
  // played (Wine's does), which would delay them by the very time they announce.
  if (!endOfStream_.exchange(true)) {
    NotifyEvent(kEcEndOfData, 0, 0);
    ArmCompleteAdvance();
  }
  return TXBCRefCounted::EndOfStream();
}

// A seek starts the stream again: its end has not passed, and a notice armed for the old end would come in the
// middle of the new segment (and hold off the one for its real end). The flush goes on downstream first, which lets
// go of an end of stream waiting there; once that has returned, nothing arms the notice again before the next end.
HRESULT TXPCMAudioInfoFilter::BeginFlush() {
  const HRESULT hr = TXBCRefCounted::BeginFlush();
  TXBCAutoLock receive(ReceiveLock());
  {
    TXBCAutoLock info(infoLock_);
    endOfStream_ = false;
  }
  DisarmAdvanceTimer();
  return hr;
}

// --- the complete-advance notice

void TXPCMAudioInfoFilter::ArmCompleteAdvance() {
  LONGLONG buffered = 0;
  REFERENCE_TIME advance = 0;
  {
    TXBCAutoLock info(infoLock_);
    advance = completeAdvance_;
    if (!endOfStream_ || advance <= 0 || advanceTimer_) return;
  }
  if (FAILED(GetBufferedTime(&buffered))) return;
  const AdvanceSchedule when = ScheduleCompleteAdvance(buffered, advance);
  if (when.now) {
    NotifyEvent(kEcCompleteAdvance, 0, 0);
    return;
  }
  TXBCAutoLock info(infoLock_);
  if (advanceTimer_) return;
  AddRef();  // released by whoever disarms the timer: its callback or DisarmAdvanceTimer
  advanceTimer_ = timeSetEvent(when.delayMs, kAdvanceTimerResolutionMs, &AdvanceTimerFired,
                               reinterpret_cast<DWORD_PTR>(this),
                               TIME_ONESHOT | TIME_CALLBACK_FUNCTION | TIME_KILL_SYNCHRONOUS);
  if (!advanceTimer_) {
    Release();
    NotifyEvent(kEcCompleteAdvance, 0, 0);  // no timer to be had: early rather than never
  }
}

void CALLBACK TXPCMAudioInfoFilter::AdvanceTimerFired(UINT timer, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
  auto* filter = reinterpret_cast<TXPCMAudioInfoFilter*>(user);
  bool mine = false;
  {
    TXBCAutoLock info(filter->infoLock_);
    if (filter->advanceTimer_ == timer) {
      // One-shot timers end themselves; clearing the id is all that is left.
      filter->advanceTimer_ = 0;
      mine = true;
      filter->NotifyEvent(kEcCompleteAdvance, 0, 0);
    }
  }
  if (mine) filter->Release();  // may be the last reference
}

void TXPCMAudioInfoFilter::DisarmAdvanceTimer() {
  UINT timer = 0;
  {
    TXBCAutoLock info(infoLock_);
    timer = std::exchange(advanceTimer_, 0u);
  }
  if (!timer) return;
  // Killed synchronously: a callback already running finishes first, finds the timer disarmed and does nothing.
  timeKillEvent(timer);
  Release();
}

}  // namespace nv
