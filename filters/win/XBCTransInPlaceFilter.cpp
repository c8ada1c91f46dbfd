#include "filters/win/XBCTransInPlaceFilter.h"

#include <algorithm>
#include <cstring>

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

// Each pin offers the types of the pin on the other side of the filter.
HRESULT TypesOfOtherSide(IPin* other, IEnumMediaTypes** types) {
  if (!types) return E_POINTER;
  if (!other) {
    *types = nullptr;
    return VFW_E_NOT_CONNECTED;
  }
  return other->EnumMediaTypes(types);
}

// The type passes unchanged: the filter must take it, and so must the pin on the other side when there is one.
HRESULT AcceptsPassingThrough(TXBCTransInPlaceFilter& filter, const AM_MEDIA_TYPE& type, IPin* other) {
  const HRESULT hr = filter.CheckInputType(type);
  if (hr != S_OK) return hr;
  return other ? other->QueryAccept(&type) : S_OK;
}

}  // namespace

// --- input pin

TXBCTransInPlaceInputPin::TXBCTransInPlaceInputPin(std::wstring_view name, TXBCTransInPlaceFilter& filter)
    : TXBCTransformInputPin(name, filter), inPlace_(filter) {}

HRESULT TXBCTransInPlaceInputPin::EnumMediaTypes(IEnumMediaTypes** types) {
  return TypesOfOtherSide(inPlace_.OutputPin()->GetConnected(), types);
}

HRESULT TXBCTransInPlaceInputPin::GetAllocator(IMemAllocator** allocator) {
  if (!allocator) return E_POINTER;
  TXBCAutoLock lock(Lock());
  TXBCTransformOutputPin* output = inPlace_.OutputPin();
  if (!output->IsConnected()) return TXBCTransformInputPin::GetAllocator(allocator);  // until the output connects
  const HRESULT hr = output->ConnectedInput()->GetAllocator(allocator);
  if (SUCCEEDED(hr)) output->SetAllocator(*allocator);
  return hr;
}

HRESULT TXBCTransInPlaceInputPin::NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) {
  if (!allocator) return E_POINTER;
  TXBCAutoLock lock(Lock());
  TXBCTransformOutputPin* output = inPlace_.OutputPin();
  HRESULT hr = S_OK;
  if (output->IsConnected()) {
    IMemInputPin* downstream = output->ConnectedInput();
    if (readOnly && inPlace_.ModifiesData()) {
      // We may not write into the upstream buffers: samples are copied into the output side's allocator, which
      // gets the same sizes.
      ComPtr<IMemAllocator> own(output->Allocator());
      if (!own) {
        hr = downstream->GetAllocator(&own);
        if (FAILED(hr)) hr = output->InitAllocator(own);
        if (SUCCEEDED(hr)) output->SetAllocator(own.Get());
      }
      if (SUCCEEDED(hr) && own.Get() == allocator) hr = E_FAIL;  // one allocator cannot be both
      ALLOCATOR_PROPERTIES wanted{}, actual{};
      if (SUCCEEDED(hr)) hr = allocator->GetProperties(&wanted);
      if (SUCCEEDED(hr)) hr = own->SetProperties(&wanted, &actual);
      if (SUCCEEDED(hr) && (actual.cBuffers < wanted.cBuffers || actual.cbBuffer < wanted.cbBuffer)) hr = E_FAIL;
      if (SUCCEEDED(hr)) hr = downstream->NotifyAllocator(own.Get(), FALSE);
    } else {
      hr = downstream->NotifyAllocator(allocator, readOnly);
      if (SUCCEEDED(hr)) output->SetAllocator(allocator);
    }
  }
  if (SUCCEEDED(hr)) SetAllocator(allocator, readOnly != FALSE);
  return hr;
}

HRESULT TXBCTransInPlaceInputPin::GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) {
  if (!properties) return E_POINTER;
  TXBCTransformOutputPin* output = inPlace_.OutputPin();
  return output->IsConnected() ? output->ConnectedInput()->GetAllocatorRequirements(properties) : E_NOTIMPL;
}

HRESULT TXBCTransInPlaceInputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  return AcceptsPassingThrough(inPlace_, type, inPlace_.OutputPin()->GetConnected());
}

// --- output pin

TXBCTransInPlaceOutputPin::TXBCTransInPlaceOutputPin(std::wstring_view name, TXBCTransInPlaceFilter& filter)
    : TXBCTransformOutputPin(name, filter), inPlace_(filter) {}

HRESULT TXBCTransInPlaceOutputPin::EnumMediaTypes(IEnumMediaTypes** types) {
  return TypesOfOtherSide(inPlace_.InputPin()->GetConnected(), types);
}

HRESULT TXBCTransInPlaceOutputPin::CheckMediaType(const AM_MEDIA_TYPE& type) {
  // A copying filter that streams cannot change the type of buffers it already holds.
  if (inPlace_.UsingDifferentAllocators() && !Filter().IsStopped())
    return SameMediaType(type, CurrentMediaType()) ? S_OK : VFW_E_TYPE_NOT_ACCEPTED;
  return AcceptsPassingThrough(inPlace_, type, inPlace_.InputPin()->GetConnected());
}

HRESULT TXBCTransInPlaceOutputPin::CompleteConnect(IPin* receivePin) {
  const HRESULT hr = TXBCBaseOutputPin::CompleteConnect(receivePin);
  return FAILED(hr) ? hr : inPlace_.CompleteConnect(PINDIR_OUTPUT, receivePin);
}

// --- filter

TXBCTransInPlaceFilter::TXBCTransInPlaceFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid,
                                               bool modifiesData)
    : TXBCTransformFilter(name, outer, clsid), modifiesData_(modifiesData) {}

void TXBCTransInPlaceFilter::CreatePins() {
  input_ = std::make_unique<TXBCTransInPlaceInputPin>(L"Input", *this);
  output_ = std::make_unique<TXBCTransInPlaceOutputPin>(L"Output", *this);
}

HRESULT TXBCTransInPlaceFilter::CheckTransform(const AM_MEDIA_TYPE&, const AM_MEDIA_TYPE&) { return S_OK; }

HRESULT TXBCTransInPlaceFilter::GetMediaType(int, MediaType&) { return E_UNEXPECTED; }

bool TXBCTransInPlaceFilter::UsingDifferentAllocators() const {
  return input_ && output_ && input_->Allocator() != output_->Allocator();
}

HRESULT TXBCTransInPlaceFilter::DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) {
  // The downstream requirements, raised to what the upstream side already uses so that a copied sample fits.
  ALLOCATOR_PROPERTIES wanted = request;
  if (input_->IsConnected() && input_->Allocator()) {
    ALLOCATOR_PROPERTIES upstream{};
    const HRESULT hr = input_->Allocator()->GetProperties(&upstream);
    if (FAILED(hr)) return hr;
    wanted.cBuffers = std::max(wanted.cBuffers, upstream.cBuffers);
    wanted.cbBuffer = std::max(wanted.cbBuffer, upstream.cbBuffer);
    wanted.cbAlign = std::max(wanted.cbAlign, upstream.cbAlign);
    wanted.cbPrefix = std::max(wanted.cbPrefix, upstream.cbPrefix);
  }
  wanted.cBuffers = std::max(wanted.cBuffers, 1L);
  wanted.cbBuffer = std::max(wanted.cbBuffer, 1L);
  wanted.cbAlign = std::max(wanted.cbAlign, 1L);
  ALLOCATOR_PROPERTIES actual{};
  const HRESULT hr = allocator->SetProperties(&wanted, &actual);
  if (FAILED(hr)) return hr;
  if (actual.cBuffers < wanted.cBuffers || actual.cbBuffer < wanted.cbBuffer) return E_FAIL;
  request = wanted;
  return S_OK;
}

HRESULT TXBCTransInPlaceFilter::CompleteConnect(PIN_DIRECTION direction, IPin*) {
  if (!Graph()) return VFW_E_NOT_IN_GRAPH;
  TXBCTransformInputPin* input = input_.get();
  TXBCTransformOutputPin* output = output_.get();
  const bool typesDiffer = !SameMediaType(input->CurrentMediaType(), output->CurrentMediaType());
  if (direction == PINDIR_OUTPUT) {
    // Connected the usual way round (input first), the upstream filter still writes into our own allocator: a
    // reconnection lets it take the downstream allocator instead.
    if (input->IsConnected() && (typesDiffer || UsingDifferentAllocators()))
      return ReconnectPin(input, &output->CurrentMediaType());
    return S_OK;
  }
  if (output->IsConnected() && typesDiffer) return ReconnectPin(output, &input->CurrentMediaType());
  return S_OK;
}

HRESULT TXBCTransInPlaceFilter::Receive(IMediaSample* sample) {
  if (InputSampleProps().dwStreamId != AM_STREAM_MEDIA) return output_->Deliver(sample);
  ComPtr<IMediaSample> target(sample);
  if (UsingDifferentAllocators()) {
    const HRESULT hr = Copy(sample, target);
    if (FAILED(hr)) return hr;
  }
  return DeliverTransformed(Transform(target.Get()), target.Get());
}

HRESULT TXBCTransInPlaceFilter::Copy(IMediaSample* source, ComPtr<IMediaSample>& copy) {
  HRESULT hr = InitializeOutputSample(source, copy);
  if (FAILED(hr)) return hr;
  const long length = source->GetActualDataLength();
  if (length > copy->GetSize()) return VFW_E_BUFFER_OVERFLOW;
  BYTE* from = nullptr;
  BYTE* to = nullptr;
  if (FAILED(hr = source->GetPointer(&from)) || FAILED(hr = copy->GetPointer(&to))) return hr;
  std::memcpy(to, from, length);
  copy->SetActualDataLength(length);
  AM_MEDIA_TYPE* type = nullptr;
  if (source->GetMediaType(&type) == S_OK && type) {
    copy->SetMediaType(type);
    DeleteMediaType(type);
  }
  return S_OK;
}

}  // namespace nv
