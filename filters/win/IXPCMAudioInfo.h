#pragma once
// What the PCM information filter tells the player about the audio passing through it. An in-process interface:
// beyond IUnknown its methods use the compiler's own calling convention, not COM's. Times are 100-ns units.
#include "support/win/DirectShow.h"

#include <mmreg.h>

namespace nv {

// {A54C8266-A6E7-439B-A7E4-CAF6F1D2EFDE}
inline constexpr IID IID_IXPCMAudioInfo = {0xa54c8266, 0xa6e7, 0x439b, {0xa7, 0xe4, 0xca, 0xf6, 0xf1, 0xd2, 0xef, 0xde}};

struct IXPCMAudioInfo : public IUnknown {
  // The stream's format (the 18-byte header, without extra bytes); VFW_E_NOT_CONNECTED before the input connects.
  virtual HRESULT GetFormat(WAVEFORMATEX* format) = 0;
  // Media time up to which audio has been delivered downstream; 0 while stopped.
  virtual HRESULT GetDeliveredTime(LONGLONG* time) = 0;
  // Media time being heard now; 0 while stopped; the stream time's failure when there is no clock.
  virtual HRESULT GetPlayTime(LONGLONG* time) = 0;
  // Audio delivered but not yet heard; 0 while stopped.
  virtual HRESULT GetBufferedTime(LONGLONG* time) = 0;
  // How long before the last sample is heard to notify the complete-advance event; 0 for no notice.
  virtual void SetCompleteAdvance(LONGLONG advance) = 0;
  // Whether end of stream passed since the last run, stop or seek.
  virtual bool IsEndOfStream() = 0;

protected:
  ~IXPCMAudioInfo() = default;
};

}  // namespace nv

__CRT_UUID_DECL(nv::IXPCMAudioInfo, 0xa54c8266, 0xa6e7, 0x439b, 0xa7, 0xe4, 0xca, 0xf6, 0xf1, 0xd2, 0xef, 0xde)
