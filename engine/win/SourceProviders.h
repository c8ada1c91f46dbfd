#pragma once
// Sources and source extensions that graph building uses but that other work supplies: the player's own audio-CD
// sources, the Winamp input plug-in source, and the DC-Bass Source filter's extension (an outside filter known only
// by an interface this build does not declare). Each is installed when the program starts; until then graph
// building answers honestly that it is not available: a build that needs a CD or Winamp source fails with
// ESourceNotAvailable, and no graph reports a DC-Bass bit rate.
#include <wrl/client.h>

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "engine/GraphRules.h"
#include "support/Errors.h"
#include "support/win/DirectShow.h"

namespace nv {

// A source this build cannot make.
class ESourceNotAvailable : public Exception {
public:
  using Exception::Exception;
};

inline constexpr const char* kCDSourceNotAvailable = "Audio CD playback is not available.";
inline constexpr const char* kWinampSourceNotAvailable = "Winamp input plug-ins are not available.";

class TCDSourceProvider {
public:
  virtual ~TCDSourceProvider() = default;
  // The digital reader or the MCI filter for the track at `fileName` (held text); raises when it cannot.
  virtual Microsoft::WRL::ComPtr<IBaseFilter> CreateSource(TXCDSourceKind kind, std::string_view fileName,
                                                           bool errorCorrection) = 0;
};

class TWinampSourceProvider {
public:
  virtual ~TWinampSourceProvider() = default;
  // The plug-in source for `fileName` with the rule's source parameters (both held text); raises when it cannot.
  virtual Microsoft::WRL::ComPtr<IBaseFilter> CreateSource(std::string_view fileName, std::string_view params) = 0;
  // The title the plug-in gives for its stream when `source` is a plug-in source; nothing otherwise.
  virtual std::optional<std::string> PluginTitle(IBaseFilter* source) = 0;
};

class TDCBassProvider {
public:
  virtual ~TDCBassProvider() = default;
  // The filter's DC-Bass extension, or null when it offers none.
  virtual Microsoft::WRL::ComPtr<IUnknown> Extension(IBaseFilter* filter) = 0;
  // The stream's bit rate in bits per second from the extension; nothing when the call fails.
  virtual std::optional<std::uint32_t> Bitrate(IUnknown* extension) = 0;
};

// The providers in use (none until installed); pass nullptr to remove one.
void SetCDSourceProvider(TCDSourceProvider* provider);
void SetWinampSourceProvider(TWinampSourceProvider* provider);
void SetDCBassProvider(TDCBassProvider* provider);

// Through the installed provider, or not available.
Microsoft::WRL::ComPtr<IBaseFilter> CreateCDSource(TXCDSourceKind kind, std::string_view fileName,
                                                   bool errorCorrection);
Microsoft::WRL::ComPtr<IBaseFilter> CreateWinampSource(std::string_view fileName, std::string_view params);
std::optional<std::string> WinampPluginTitle(IBaseFilter* source);
Microsoft::WRL::ComPtr<IUnknown> DCBassExtension(IBaseFilter* filter);
std::uint32_t DCBassBitrate(IUnknown* extension);

}  // namespace nv
