#pragma once
// A transform filter that works on the samples as they pass, without copying them when it can: its input pin
// hands the upstream filter the downstream pin's allocator, so that both connections share one allocator and the
// sample received is the sample delivered. Only when they cannot share (the filter writes into samples the upstream
// filter marked read-only, or the pins were connected so that the allocators differ) is each sample copied into a
// buffer of the output allocator first. Each pin offers the types of the pin on the other side, and the subclass
// only says which types it takes (CheckInputType) and does its work (Transform).
#include "filters/win/XBCTransformFilter.h"

namespace nv {

class TXBCTransInPlaceFilter;

class TXBCTransInPlaceInputPin : public TXBCTransformInputPin {
public:
  TXBCTransInPlaceInputPin(std::wstring_view name, TXBCTransInPlaceFilter& filter);

  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT STDMETHODCALLTYPE GetAllocator(IMemAllocator** allocator) override;
  HRESULT STDMETHODCALLTYPE NotifyAllocator(IMemAllocator* allocator, BOOL readOnly) override;
  HRESULT STDMETHODCALLTYPE GetAllocatorRequirements(ALLOCATOR_PROPERTIES* properties) override;
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;

private:
  TXBCTransInPlaceFilter& inPlace_;
};

class TXBCTransInPlaceOutputPin : public TXBCTransformOutputPin {
public:
  TXBCTransInPlaceOutputPin(std::wstring_view name, TXBCTransInPlaceFilter& filter);

  HRESULT STDMETHODCALLTYPE EnumMediaTypes(IEnumMediaTypes** types) override;
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  // The allocator is decided before the filter looks at the connection, so that it can tell whether the input
  // must be reconnected to share it.
  HRESULT CompleteConnect(IPin* receivePin) override;

private:
  TXBCTransInPlaceFilter& inPlace_;
};

class TXBCTransInPlaceFilter : public TXBCTransformFilter {
public:
  // A filter that only reads its samples says so (modifiesData false): it may pass read-only samples on as they are.
  TXBCTransInPlaceFilter(std::wstring_view name, IUnknown* outer, const CLSID& clsid, bool modifiesData = true);

  // Works on the sample in place: S_OK delivers it, S_FALSE drops it, a failure ends its delivery.
  virtual HRESULT Transform(IMediaSample* sample) = 0;

  // The type passes unchanged.
  HRESULT CheckTransform(const AM_MEDIA_TYPE& in, const AM_MEDIA_TYPE& out) override;
  HRESULT GetMediaType(int position, MediaType& type) override;
  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override;
  // Reconnects the other pin when the types or the allocators of the two sides differ.
  HRESULT CompleteConnect(PIN_DIRECTION direction, IPin* receivePin) override;
  HRESULT Receive(IMediaSample* sample) override;

  bool ModifiesData() const { return modifiesData_; }
  bool UsingDifferentAllocators() const;

protected:
  void CreatePins() override;

private:
  using TXBCTransformFilter::Transform;
  HRESULT Copy(IMediaSample* source, Microsoft::WRL::ComPtr<IMediaSample>& copy);

  bool modifiesData_;
};

}  // namespace nv
