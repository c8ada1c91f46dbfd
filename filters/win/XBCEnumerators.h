#pragma once
// The pin and media type enumerators a filter and its pins hand out. Both notice when the filter's pins or the
// pin's types changed after they were made, and then answer VFW_E_ENUM_OUT_OF_SYNC until Reset.
#include "filters/win/XBCObject.h"
#include "support/win/DirectShow.h"

#include <wrl/client.h>

namespace nv {

class TXBCBaseFilter;
class TXBCBasePin;

class TXBCEnumPins : public TXBCObject, public IEnumPins {
public:
  // position and version 0: a new enumerator at the first pin.
  static HRESULT Create(TXBCBaseFilter& filter, IEnumPins** enumerator, int position = 0, int version = 0);

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  HRESULT STDMETHODCALLTYPE Next(ULONG count, IPin** pins, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumPins** enumerator) override;

  TXBCEnumPins(TXBCBaseFilter& filter, int position, int version);

private:
  bool InSync() const;

  TXBCBaseFilter& filter_;
  Microsoft::WRL::ComPtr<IBaseFilter> keepAlive_;
  int position_;
  int version_;
};

class TXBCEnumMediaTypes : public TXBCObject, public IEnumMediaTypes {
public:
  static HRESULT Create(TXBCBasePin& pin, IEnumMediaTypes** enumerator, int position = 0, int version = 0);

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override;

  HRESULT STDMETHODCALLTYPE Next(ULONG count, AM_MEDIA_TYPE** types, ULONG* fetched) override;
  HRESULT STDMETHODCALLTYPE Skip(ULONG count) override;
  HRESULT STDMETHODCALLTYPE Reset() override;
  HRESULT STDMETHODCALLTYPE Clone(IEnumMediaTypes** enumerator) override;

  TXBCEnumMediaTypes(TXBCBasePin& pin, int position, int version);

private:
  bool InSync() const;

  TXBCBasePin& pin_;
  Microsoft::WRL::ComPtr<IPin> keepAlive_;
  int position_;
  int version_;
};

}  // namespace nv
