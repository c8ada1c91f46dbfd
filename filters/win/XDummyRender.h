#pragma once
// A renderer that only connects: graph building adds one for audio and one for video while it renders a source,
// so that DirectShow's automatic rendering stops at the decoded streams, then takes the pins that reached it and
// removes it. It is never run. It accepts one media type pattern and always keeps one unconnected pin, named
// "Input 0", "Input 1", ... as pins connect.
#include <memory>
#include <vector>

#include "filters/win/XBCInputPin.h"

#include <wrl/client.h>

namespace nv {

// {157837A7-62DF-4EEE-8655-0D663B5F814F}
inline constexpr CLSID CLSID_XDummyRender = {0x157837a7, 0x62df, 0x4eee, {0x86, 0x55, 0x0d, 0x66, 0x3b, 0x5f, 0x81, 0x4f}};

class TXDummyRender;

class TXDummyInputPin : public TXBCBaseInputPin {
public:
  TXDummyInputPin(std::wstring_view name, TXDummyRender& renderer);
  ~TXDummyInputPin() override;  // disconnects itself and its peer

  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) override;
  HRESULT CompleteConnect(IPin* receivePin) override;

private:
  TXDummyRender& renderer_;
};

class TXDummyRender : public TXBCRefCounted<TXBCBaseFilter> {
public:
  // `pattern`: a null major type, subtype or format type accepts anything in that place; a format type also asks
  // for the same format bytes.
  static Microsoft::WRL::ComPtr<IBaseFilter> Create(const AM_MEDIA_TYPE& pattern, std::wstring_view name = L"");
  TXDummyRender(const AM_MEDIA_TYPE& pattern, std::wstring_view name);
  ~TXDummyRender() override;

  int GetPinCount() override;
  TXBCBasePin* GetPin(int index) override;

  // S_OK when `type` fits the pattern, else VFW_E_TYPE_NOT_ACCEPTED.
  HRESULT CheckMediaType(const AM_MEDIA_TYPE& type) const;
  // Appends a pin when every pin is connected.
  void EnsureUnconnectedPin();

private:
  MediaType pattern_;
  std::vector<std::unique_ptr<TXDummyInputPin>> pins_;
};

}  // namespace nv
