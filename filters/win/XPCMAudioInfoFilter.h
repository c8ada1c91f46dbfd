#pragma once
// An in-place filter that lets PCM audio pass unchanged and keeps count of it: the stream's format, how much audio
// has gone downstream and how much of it still waits in the renderer's buffers. It tells the graph when the end of
// the stream has passed (kEcEndOfData) and, a set time before the last sample is heard, kEcCompleteAdvance. The
// visualiser tap derives from it, so every audio chain the player builds has one.
#include <atomic>

#include "filters/PcmDelivery.h"
#include "filters/win/IXPCMAudioInfo.h"
#include "filters/win/XBCTransInPlaceFilter.h"

#include <wrl/client.h>

namespace nv {

class TXPCMAudioInfoFilter : public TXBCRefCounted<TXBCTransInPlaceFilter>, public IXPCMAudioInfo {
public:
  static Microsoft::WRL::ComPtr<IBaseFilter> Create(std::wstring_view name, const CLSID& clsid);
  // Both pins exist from the start.
  TXPCMAudioInfoFilter(std::wstring_view name, const CLSID& clsid, IUnknown* outer);
  ~TXPCMAudioInfoFilter() override;

  NV_XBC_IUNKNOWN
  // IXPCMAudioInfo; IMediaSeeking and IMediaPosition through the output pin's seeking pass-through.
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  // IXPCMAudioInfo
  HRESULT GetFormat(WAVEFORMATEX* format) override;
  HRESULT GetDeliveredTime(LONGLONG* time) override;
  HRESULT GetPlayTime(LONGLONG* time) override;
  HRESULT GetBufferedTime(LONGLONG* time) override;
  void SetCompleteAdvance(LONGLONG advance) override;
  // From the end of stream until a stop or a seek; a pause and run at the very end keep it.
  bool IsEndOfStream() override { return endOfStream_; }

  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;
  HRESULT STDMETHODCALLTYPE JoinFilterGraph(IFilterGraph* graph, LPCWSTR name) override;
  // While paused, the stream time at which the filter was paused.
  HRESULT StreamTime(REFERENCE_TIME& time) override;

  // PCM in a WAVEFORMATEX block only.
  HRESULT CheckInputType(const AM_MEDIA_TYPE& type) override;
  // The format is taken when the input connects and when a sample announces a new one, not when a type is merely
  // checked: a query for another type must not change the count of the stream that flows.
  HRESULT SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) override;
  // Counts the sample; the data is not touched.
  HRESULT Transform(IMediaSample* sample) override;
  HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
  HRESULT EndOfStream() override;
  HRESULT BeginFlush() override;

protected:
  // Guards the counters, and in a subclass what it keeps of the stream beside them.
  TXBCCritSec& InfoLock() { return infoLock_; }

private:
  // Counts by `type` from now on (a PCM type in a block of at least PCMWAVEFORMAT's size).
  void TakeFormat(const AM_MEDIA_TYPE& type);
  // An answer computed from the stream time under the info lock; 0 while stopped.
  template <class Answer>
  HRESULT FromStreamTime(LONGLONG* time, Answer answer);
  // Notifies kEcCompleteAdvance at once, or arms the one-shot timer that will.
  void ArmCompleteAdvance();
  // Kills an armed timer; when this returns, it will not fire.
  void DisarmAdvanceTimer();
  static void CALLBACK AdvanceTimerFired(UINT timer, UINT, DWORD_PTR filter, DWORD_PTR, DWORD_PTR);

  TXBCCritSec infoLock_;  // guards the fields below
  UINT advanceTimer_ = 0;  // an armed timer holds a reference on the filter, so it never fires into a freed one
  WAVEFORMATEX format_{};
  PcmDelivery delivery_;
  REFERENCE_TIME pauseTime_ = 0;
  REFERENCE_TIME completeAdvance_ = 0;
  std::atomic<bool> endOfStream_{false};
};

}  // namespace nv
