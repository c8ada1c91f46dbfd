#pragma once
// The base of the player's own source filters: a filter with a list of output streams (TXSourceStream) that
// answers IMediaSeeking. A concrete source overrides the seeking operations it supports (GetCapabilities,
// GetDuration, SetPositions, GetPositions); to seek it calls DeliverBeginFlush before changing its reading
// position, DeliverEndFlush after it and announces the new start with DeliverNewSegment. Seeking queries also come
// from streaming threads (a renderer asks for the stop position when end of stream reaches it), so they must not
// take the filter lock, which Stop holds while it waits for the streams' workers.
#include <memory>
#include <vector>

#include "filters/win/XBCBaseFilter.h"

namespace nv {

class TXSourceStream;

class TXSourceFilter : public TXBCBaseFilter, public IMediaSeeking {
public:
  TXSourceFilter(std::wstring_view name, const CLSID& clsid, IUnknown* outer);
  ~TXSourceFilter() override;

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  int GetPinCount() override;
  TXBCBasePin* GetPin(int index) override;

  // IMediaSeeking, in media time only.
  HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override;  // absolute seeking, stop, duration
  HRESULT STDMETHODCALLTYPE CheckCapabilities(DWORD* capabilities) override;
  HRESULT STDMETHODCALLTYPE IsFormatSupported(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE QueryPreferredFormat(GUID* format) override;
  HRESULT STDMETHODCALLTYPE GetTimeFormat(GUID* format) override;
  HRESULT STDMETHODCALLTYPE IsUsingTimeFormat(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE SetTimeFormat(const GUID* format) override;
  HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG* duration) override;
  HRESULT STDMETHODCALLTYPE GetStopPosition(LONGLONG* stop) override;
  HRESULT STDMETHODCALLTYPE GetCurrentPosition(LONGLONG* current) override;
  HRESULT STDMETHODCALLTYPE ConvertTimeFormat(LONGLONG* target, const GUID* targetFormat, LONGLONG source,
                                              const GUID* sourceFormat) override;
  HRESULT STDMETHODCALLTYPE SetPositions(LONGLONG* current, DWORD currentFlags, LONGLONG* stop,
                                         DWORD stopFlags) override;
  HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* current, LONGLONG* stop) override;
  HRESULT STDMETHODCALLTYPE GetAvailable(LONGLONG* earliest, LONGLONG* latest) override;
  HRESULT STDMETHODCALLTYPE SetRate(double rate) override;
  HRESULT STDMETHODCALLTYPE GetRate(double* rate) override;
  HRESULT STDMETHODCALLTYPE GetPreroll(LONGLONG* preroll) override;

  // To every stream in order, under the filter lock; answers the first failure, else the first other result
  // that is not S_OK.
  HRESULT DeliverBeginFlush();
  HRESULT DeliverEndFlush();
  HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  // Streams belong to the filter from here on and become its pins in the order added.
  template <class Stream>
  Stream& AddStream(std::unique_ptr<Stream> stream) {
    Stream& added = *stream;
    AdoptStream(std::move(stream));
    return added;
  }
  void RemoveStream(TXSourceStream& stream);

private:
  void AdoptStream(std::unique_ptr<TXSourceStream> stream);
  template <class Operation>
  HRESULT ForEachStream(Operation operation);

  std::vector<std::unique_ptr<TXSourceStream>> streams_;
};

}  // namespace nv
