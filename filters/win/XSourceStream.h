#pragma once
// An output pin of a TXSourceFilter. It offers exactly one media type, set by the concrete source before the pin is
// connected (SetMediaType), and starts streaming when the filter is paused and stops when it is stopped.
#include "filters/win/XBCOutputPin.h"

namespace nv {

class TXSourceFilter;

class TXSourceStream : public TXBCBaseOutputPin {
public:
  TXSourceStream(std::wstring_view pinName, TXSourceFilter& filter);

  // Seeking is the filter's.
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  // Only the pin's own type, exactly.
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT GetMediaType(int position, MediaType& type) override;
  // Commit the allocator and start streaming; stop streaming and decommit.
  HRESULT Active() override;
  HRESULT Inactive() override;

  virtual HRESULT StartStreaming() = 0;
  virtual HRESULT StopStreaming() = 0;

  TXSourceFilter& SourceFilter() const { return source_; }

private:
  TXSourceFilter& source_;
};

}  // namespace nv
