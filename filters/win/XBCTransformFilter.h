#pragma once
// A filter with one input and one output pin ("Input", "Output") that turns each input sample into an output
// sample. A subclass says which types it takes and makes (CheckInputType, CheckTransform, GetMediaType), how big
// its output buffers are (DecideBufferSize) and does the work (Transform). Streaming calls hold the receive lock;
// Stop takes the filter lock and then the receive lock, so streaming has ended when it returns.
#include <atomic>
#include <memory>
#include <mutex>

#include "filters/win/XBCInputPin.h"
#include "filters/win/XBCOutputPin.h"

#include <wrl/client.h>

namespace nv {

class TXBCTransformFilter;

class TXBCTransformInputPin : public TXBCBaseInputPin {
public:
  TXBCTransformInputPin(std::wstring_view name, TXBCTransformFilter& filter);

  HRESULT STDMETHODCALLTYPE EndOfStream() override;
  HRESULT STDMETHODCALLTYPE BeginFlush() override;
  HRESULT STDMETHODCALLTYPE EndFlush() override;
  HRESULT STDMETHODCALLTYPE NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) override;
  HRESULT STDMETHODCALLTYPE Receive(IMediaSample* sample) override;

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckConnect(IPin* pin) override;
  HRESULT BreakConnect() override;
  HRESULT CompleteConnect(IPin* receivePin) override;

protected:
  TXBCTransformFilter& transform_;
};

class TXBCTransformOutputPin : public TXBCBaseOutputPin {
public:
  TXBCTransformOutputPin(std::wstring_view name, TXBCTransformFilter& filter);

  // Seeking requests go upstream through a seeking pass-through bound to the input pin.
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;
  // Quality messages: the filter may act on them, else they go upstream.
  HRESULT STDMETHODCALLTYPE Notify(IBaseFilter* sender, Quality quality) override;

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT SetMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT CheckConnect(IPin* pin) override;
  HRESULT BreakConnect() override;
  HRESULT CompleteConnect(IPin* receivePin) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
  HRESULT GetMediaType(int position, MediaType& type) override;

protected:
  TXBCTransformFilter& transform_;

private:
  std::mutex positionLock_;
  Microsoft::WRL::ComPtr<IUnknown> position_;  // the aggregated seeking pass-through, made on first request
};

class TXBCTransformFilter : public TXBCBaseFilter {
public:
  TXBCTransformFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid);
  ~TXBCTransformFilter() override;

  int GetPinCount() override { return 2; }
  TXBCBasePin* GetPin(int index) override;
  HRESULT STDMETHODCALLTYPE Stop() override;
  HRESULT STDMETHODCALLTYPE Pause() override;

  // Fills `out` from `in`: S_OK delivers it, S_FALSE drops it, a failure ends the sample's delivery.
  virtual HRESULT Transform(IMediaSample* in, IMediaSample* out);
  virtual HRESULT CheckInputType(const AM_MEDIA_TYPE& type) = 0;
  virtual HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) = 0;
  virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) = 0;
  // The output types offered for the connected input.
  virtual HRESULT GetMediaType(int position, MediaType& type) = 0;
  virtual HRESULT StartStreaming();
  virtual HRESULT StopStreaming();
  // S_OK when the filter handled the quality message itself; S_FALSE passes it upstream.
  virtual HRESULT AlterQuality(const Quality& quality);
  // Connection steps of either pin.
  virtual HRESULT SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type);
  virtual HRESULT CheckConnect(PIN_DIRECTION direction, IPin* pin);
  virtual HRESULT BreakConnect(PIN_DIRECTION direction);
  virtual HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin);
  // Streaming, called by the input pin under the receive lock (Receive, EndOfStream) or the filter lock.
  virtual HRESULT Receive(IMediaSample* sample);
  virtual HRESULT EndOfStream();
  virtual HRESULT BeginFlush();
  virtual HRESULT EndFlush();
  virtual HRESULT NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  TXBCCritSec& ReceiveLock() { return receiveLock_; }
  TXBCTransformInputPin* InputPin() { return input_.get(); }
  TXBCTransformOutputPin* OutputPin() { return output_.get(); }

protected:
  // Pins are made on first use; a subclass may make its own kinds first.
  virtual void CreatePins();
  // Acts on Transform's answer: S_OK delivers the sample, S_FALSE drops it, a failure is returned.
  HRESULT DeliverTransformed(HRESULT transformed, IMediaSample* sample);
  // The properties of the sample being received on the input pin.
  const AM_SAMPLE2_PROPERTIES& InputSampleProps() const { return input_->SampleProps(); }
  // An output buffer carrying the times and flags of the sample being received.
  HRESULT InitializeOutputSample(IMediaSample* in, Microsoft::WRL::ComPtr<IMediaSample>& out);

  std::unique_ptr<TXBCTransformInputPin> input_;
  std::unique_ptr<TXBCTransformOutputPin> output_;
  std::atomic<bool> eosDelivered_{false};
  bool sampleSkipped_ = false;
  bool qualityChanged_ = false;

private:
  std::once_flag pinsCreated_;
  TXBCCritSec receiveLock_;
};

// Copies a sample's times, media times and flags (sync point, preroll, discontinuity) to another.
void CopySampleProperties(IMediaSample* from, IMediaSample* to);

}  // namespace nv
