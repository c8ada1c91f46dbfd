#pragma once
// An output pin: it negotiates the connection's allocator with the downstream input pin, commits it while the
// filter is active, and delivers samples, end of stream, flushes and segments downstream.
#include "filters/win/XBCBasePin.h"

#include <wrl/client.h>

namespace nv {

class TXBCBaseOutputPin : public TXBCBasePin {
public:
  TXBCBaseOutputPin(std::wstring_view name, TXBCBaseFilter& filter);

  // Data never flows into an output pin.
  HRESULT STDMETHODCALLTYPE EndOfStream() override;
  HRESULT STDMETHODCALLTYPE BeginFlush() override;
  HRESULT STDMETHODCALLTYPE EndFlush() override;

  // The downstream pin must take samples (IMemInputPin).
  HRESULT CheckConnect(IPin* pin) override;
  HRESULT BreakConnect() override;
  // Decides the allocator.
  HRESULT CompleteConnect(IPin* receivePin) override;
  // Commit and decommit the allocator.
  HRESULT Active() override;
  HRESULT Inactive() override;

  // The downstream pin's allocator when it has one that takes our buffer sizes, else our own.
  virtual HRESULT DecideAllocator(IMemInputPin* input, Microsoft::WRL::ComPtr<IMemAllocator>& allocator);
  // Sets the buffer sizes on the allocator; `request` holds the downstream pin's requirements. The base does
  // nothing, leaving them as they are.
  virtual HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request);
  virtual HRESULT GetDeliveryBuffer(Microsoft::WRL::ComPtr<IMediaSample>& sample, REFERENCE_TIME* start,
                                    REFERENCE_TIME* stop, DWORD flags);
  virtual HRESULT Deliver(IMediaSample* sample);
  // The standard memory allocator.
  virtual HRESULT InitAllocator(Microsoft::WRL::ComPtr<IMemAllocator>& allocator);
  virtual HRESULT DeliverEndOfStream();
  virtual HRESULT DeliverBeginFlush();
  virtual HRESULT DeliverEndFlush();
  virtual HRESULT DeliverNewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate);

  IMemAllocator* Allocator() const { return allocator_.Get(); }
  void SetAllocator(IMemAllocator* allocator) { allocator_ = allocator; }
  IMemInputPin* ConnectedInput() const { return input_.Get(); }

private:
  Microsoft::WRL::ComPtr<IMemAllocator> allocator_;
  Microsoft::WRL::ComPtr<IMemInputPin> input_;
};

}  // namespace nv
