#include "filters/win/XBCTransformFilter.h"

#include <new>

using Microsoft::WRL::ComPtr;

namespace nv {

// --- input pin

TXBCTransformInputPin::TXBCTransformInputPin(std::wstring_view name, TXBCTransformFilter& filter)
    : TXBCBaseInputPin(name, filter), transform_(filter) {}

HRESULT TXBCTransformInputPin::EndOfStream() {
  TXBCAutoLock lock(transform_.ReceiveLock());
  HRESULT hr = CheckStreaming();
  if (hr == S_OK) hr = transform_.EndOfStream();
  return hr;
}

HRESULT TXBCTransformInputPin::BeginFlush() {
  TXBCAutoLock lock(Lock());
  if (!IsConnected() || !transform_.OutputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  const HRESULT hr = TXBCBaseInputPin::BeginFlush();
  if (FAILED(hr)) return hr;
  return transform_.BeginFlush();
}

HRESULT TXBCTransformInputPin::EndFlush() {
  TXBCAutoLock lock(Lock());
  if (!IsConnected() || !transform_.OutputPin()->IsConnected()) return VFW_E_NOT_CONNECTED;
  const HRESULT hr = transform_.EndFlush();
  if (FAILED(hr)) return hr;
  return TXBCBaseInputPin::EndFlush();
}

HRESULT TXBCTransformInputPin::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  TXBCBaseInputPin::NewSegment(start, stop, rate);
  return transform_.NewSegment(start, stop, rate);
}

HRESULT TXBCTransformInputPin::Receive(IMediaSample* sample) {
  TXBCAutoLock lock(transform_.ReceiveLock());
  HRESULT hr = TXBCBaseInputPin::Receive(sample);
  if (hr == S_OK) hr = transform_.Receive(sample);
  return hr;
}

HRESULT TXBCTransformInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  const HRESULT hr = transform_.CheckInputType(type);
  if (hr != S_OK) return hr;
  TXBCTransformOutputPin* output = transform_.OutputPin();
  return output && output->IsConnected() ? transform_.CheckTransform(type, output->CurrentMediaType()) : S_OK;
}

HRESULT TXBCTransformInputPin::SetMediaType(const AM_MEDIA_TYPE& type) {
  const HRESULT hr = TXBCBaseInputPin::SetMediaType(type);
  return FAILED(hr) ? hr : transform_.SetMediaType(PINDIR_INPUT, type);
}

HRESULT TXBCTransformInputPin::CheckConnect(IPin* pin) {
  const HRESULT hr = transform_.CheckConnect(PINDIR_INPUT, pin);
  return FAILED(hr) ? hr : TXBCBaseInputPin::CheckConnect(pin);
}

HRESULT TXBCTransformInputPin::BreakConnect() {
  transform_.BreakConnect(PINDIR_INPUT);
  return TXBCBaseInputPin::BreakConnect();
}

HRESULT TXBCTransformInputPin::CompleteConnect(IPin* receivePin) {
  const HRESULT hr = transform_.CompleteConnect(PINDIR_INPUT, receivePin);
  return FAILED(hr) ? hr : TXBCBaseInputPin::CompleteConnect(receivePin);
}

// --- output pin

TXBCTransformOutputPin::TXBCTransformOutputPin(std::wstring_view name, TXBCTransformFilter& filter)
    : TXBCBaseOutputPin(name, filter), transform_(filter) {}

HRESULT TXBCTransformOutputPin::NonDelegatingQueryInterface(REFIID iid, void** object) {
  if (!object) return E_POINTER;
  if (iid == IID_IMediaSeeking || iid == IID_IMediaPosition) {
    // Not the filter lock: a renderer asks for seeking on the streaming thread at end of stream, while Stop may
    // hold the filter lock and wait for that thread.
    std::lock_guard lock(positionLock_);
    if (!position_) {
      HRESULT hr = CoCreateInstance(CLSID_SeekingPassThru, Inner(), CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&position_));
      ComPtr<ISeekingPassThru> passThru;
      if (SUCCEEDED(hr)) hr = position_.As(&passThru);
      if (SUCCEEDED(hr)) hr = passThru->Init(FALSE, transform_.InputPin());
      if (FAILED(hr)) {
        passThru.Reset();
        position_.Reset();
        *object = nullptr;
        return hr;
      }
    }
    return position_->QueryInterface(iid, object);
  }
  return TXBCBaseOutputPin::NonDelegatingQueryInterface(iid, object);
}

HRESULT TXBCTransformOutputPin::Notify(IBaseFilter*, Quality quality) {
  const HRESULT hr = transform_.AlterQuality(quality);
  if (hr != S_FALSE) return hr;
  if (IQualityControl* sink = QualitySink()) return sink->Notify(transform_.AsBaseFilter(), quality);
  IPin* upstream = transform_.InputPin()->GetConnected();
  ComPtr<IQualityControl> control;
  if (!upstream || FAILED(upstream->QueryInterface(IID_PPV_ARGS(&control)))) return VFW_E_NOT_FOUND;
  return control->Notify(transform_.AsBaseFilter(), quality);
}

HRESULT TXBCTransformOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  TXBCTransformInputPin* input = transform_.InputPin();
  if (!input->IsConnected()) return E_UNEXPECTED;  // the output types follow from the input
  return transform_.CheckTransform(input->CurrentMediaType(), type);
}

HRESULT TXBCTransformOutputPin::SetMediaType(const AM_MEDIA_TYPE& type) {
  const HRESULT hr = TXBCBaseOutputPin::SetMediaType(type);
  return FAILED(hr) ? hr : transform_.SetMediaType(PINDIR_OUTPUT, type);
}

HRESULT TXBCTransformOutputPin::CheckConnect(IPin* pin) {
  const HRESULT hr = transform_.CheckConnect(PINDIR_OUTPUT, pin);
  return FAILED(hr) ? hr : TXBCBaseOutputPin::CheckConnect(pin);
}

HRESULT TXBCTransformOutputPin::BreakConnect() {
  transform_.BreakConnect(PINDIR_OUTPUT);
  return TXBCBaseOutputPin::BreakConnect();
}

HRESULT TXBCTransformOutputPin::CompleteConnect(IPin* receivePin) {
  const HRESULT hr = transform_.CompleteConnect(PINDIR_OUTPUT, receivePin);
  return FAILED(hr) ? hr : TXBCBaseOutputPin::CompleteConnect(receivePin);
}

HRESULT TXBCTransformOutputPin::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
  return transform_.DecideBufferSize(allocator, request);
}

HRESULT TXBCTransformOutputPin::GetMediaType(int position, MediaType& type) {
  if (!transform_.InputPin()->IsConnected()) return E_UNEXPECTED;
  return transform_.GetMediaType(position, type);
}

// --- filter

TXBCTransformFilter::TXBCTransformFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid)
    : TXBCBaseFilter(name, outer, clsid) {}

TXBCTransformFilter::~TXBCTransformFilter() = default;

void TXBCTransformFilter::CreatePins() {
  input_ = std::make_unique<TXBCTransformInputPin>(L"Input", *this);
  output_ = std::make_unique<TXBCTransformOutputPin>(L"Output", *this);
}

TXBCBasePin* TXBCTransformFilter::GetPin(int index) {
  // Made once and kept: later calls take no lock, so that streaming threads may ask too.
  try {
    std::call_once(pinsCreated_, [this] { CreatePins(); });
  } catch (const std::bad_alloc&) {
    input_.reset();
    output_.reset();
    return nullptr;
  }
  if (index == 0) return input_.get();
  if (index == 1) return output_.get();
  return nullptr;
}

HRESULT TXBCTransformFilter::Stop() {
  TXBCAutoLock lock(FilterLock());
  if (IsStopped()) return S_OK;
  if (!input_ || !input_->IsConnected() || !output_->IsConnected()) {
    SetState(State_Stopped);
    eosDelivered_ = false;
    return S_OK;
  }
  // Decommitting the input first frees an upstream thread waiting for a buffer; then wait for streaming to end.
  HRESULT result = input_->Inactive();
  TXBCAutoLock receive(receiveLock_);
  for (const HRESULT hr : {output_->Inactive(), StopStreaming()})
    if (FAILED(hr) && SUCCEEDED(result)) result = hr;
  SetState(State_Stopped);
  eosDelivered_ = false;
  return result;
}

HRESULT TXBCTransformFilter::Pause() {
  TXBCAutoLock lock(FilterLock());
  HRESULT hr = S_OK;
  if (State() == State_Paused) {
    // nothing to do
  } else if (!input_ || !input_->IsConnected()) {
    // Nothing can ever arrive: end the stream downstream at once instead of letting it wait for samples.
    if (output_ && !eosDelivered_.exchange(true)) output_->DeliverEndOfStream();
    SetState(State_Paused);
  } else if (!output_->IsConnected()) {
    SetState(State_Paused);
  } else {
    if (IsStopped()) {
      TXBCAutoLock receive(receiveLock_);
      hr = StartStreaming();
    }
    if (SUCCEEDED(hr)) hr = TXBCBaseFilter::Pause();
  }
  sampleSkipped_ = false;
  qualityChanged_ = false;
  return hr;
}

HRESULT TXBCTransformFilter::Transform(IMediaSample*, IMediaSample*) { return E_UNEXPECTED; }
HRESULT TXBCTransformFilter::StartStreaming() { return S_OK; }
HRESULT TXBCTransformFilter::StopStreaming() { return S_OK; }
HRESULT TXBCTransformFilter::AlterQuality(const Quality&) { return S_FALSE; }
HRESULT TXBCTransformFilter::SetMediaType(PIN_DIRECTION, const AM_MEDIA_TYPE&) { return S_OK; }
HRESULT TXBCTransformFilter::CheckConnect(PIN_DIRECTION, IPin*) { return S_OK; }
HRESULT TXBCTransformFilter::BreakConnect(PIN_DIRECTION) { return S_OK; }
HRESULT TXBCTransformFilter::CompleteConnect(PIN_DIRECTION, IPin*) { return S_OK; }

HRESULT TXBCTransformFilter::Receive(IMediaSample* sample) {
  if (InputSampleProps().dwStreamId != AM_STREAM_MEDIA) return output_->Deliver(sample);
  ComPtr<IMediaSample> out;
  HRESULT hr = InitializeOutputSample(sample, out);
  if (FAILED(hr)) return hr;
  return DeliverTransformed(Transform(sample, out.Get()), out.Get());
}

HRESULT TXBCTransformFilter::DeliverTransformed(HRESULT transformed, IMediaSample* sample) {
  if (transformed == S_OK) {
    sampleSkipped_ = false;
    return output_->Deliver(sample);
  }
  if (transformed != S_FALSE) return transformed;
  // A drop: the first since streaming began tells the graph.
  sampleSkipped_ = true;
  if (!qualityChanged_) {
    qualityChanged_ = true;
    NotifyEvent(EC_QUALITY_CHANGE, 0, 0);
  }
  return S_OK;
}

HRESULT TXBCTransformFilter::InitializeOutputSample(IMediaSample* in, ComPtr<IMediaSample>& out) {
  const AM_SAMPLE2_PROPERTIES& props = InputSampleProps();
  DWORD flags = 0;
  if (!(props.dwSampleFlags & AM_SAMPLE_SPLICEPOINT)) flags |= AM_GBF_NOTASYNCPOINT;
  if (sampleSkipped_) flags |= AM_GBF_PREVFRAMESKIPPED;
  REFERENCE_TIME start = props.tStart, stop = props.tStop;
  const HRESULT hr = output_->GetDeliveryBuffer(out, (props.dwSampleFlags & AM_SAMPLE_TIMEVALID) ? &start : nullptr,
                                                (props.dwSampleFlags & AM_SAMPLE_STOPVALID) ? &stop : nullptr, flags);
  if (FAILED(hr)) return hr;
  CopySampleProperties(in, out.Get());
  return S_OK;
}

HRESULT TXBCTransformFilter::EndOfStream() {
  if (eosDelivered_.exchange(true)) return S_OK;
  return output_->DeliverEndOfStream();
}

HRESULT TXBCTransformFilter::BeginFlush() { return output_->DeliverBeginFlush(); }

// The flush goes on downstream once this filter's streaming has stopped: an end of stream or a sample still on its
// way down (released by the flush's beginning) must not meet the flush's end there. Wine's DirectSound renderer
// deadlocks when its end of stream and its EndFlush overlap.
HRESULT TXBCTransformFilter::EndFlush() {
  TXBCAutoLock receive(receiveLock_);
  eosDelivered_ = false;  // the stream starts again after a flush
  return output_->DeliverEndFlush();
}

HRESULT TXBCTransformFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  return output_->DeliverNewSegment(start, stop, rate);
}

void CopySampleProperties(IMediaSample* from, IMediaSample* to) {
  REFERENCE_TIME start = 0, stop = 0;
  const HRESULT times = from->GetTime(&start, &stop);
  if (times == VFW_S_NO_STOP_TIME) stop = start;
  to->SetTime(SUCCEEDED(times) ? &start : nullptr, SUCCEEDED(times) ? &stop : nullptr);
  LONGLONG mediaStart = 0, mediaStop = 0;
  const bool mediaTimes = from->GetMediaTime(&mediaStart, &mediaStop) == S_OK;
  to->SetMediaTime(mediaTimes ? &mediaStart : nullptr, mediaTimes ? &mediaStop : nullptr);
  to->SetSyncPoint(from->IsSyncPoint() == S_OK);
  to->SetPreroll(from->IsPreroll() == S_OK);
  to->SetDiscontinuity(from->IsDiscontinuity() == S_OK);
}

}  // namespace nv
