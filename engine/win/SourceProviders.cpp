#include "engine/win/SourceProviders.h"

#include <atomic>

using Microsoft::WRL::ComPtr;

namespace nv {

namespace {
std::atomic<TCDSourceProvider*> cdSources{nullptr};
std::atomic<TWinampSourceProvider*> winampSources{nullptr};
std::atomic<TDCBassProvider*> dcBass{nullptr};
}  // namespace

void SetCDSourceProvider(TCDSourceProvider* provider) { cdSources = provider; }
void SetWinampSourceProvider(TWinampSourceProvider* provider) { winampSources = provider; }
void SetDCBassProvider(TDCBassProvider* provider) { dcBass = provider; }

ComPtr<IBaseFilter> CreateCDSource(TXCDSourceKind kind, std::string_view fileName, bool errorCorrection) {
  TCDSourceProvider* provider = cdSources;
  if (!provider) throw ESourceNotAvailable(kCDSourceNotAvailable);
  return provider->CreateSource(kind, fileName, errorCorrection);
}

ComPtr<IBaseFilter> CreateWinampSource(std::string_view fileName, std::string_view params) {
  TWinampSourceProvider* provider = winampSources;
  if (!provider) throw ESourceNotAvailable(kWinampSourceNotAvailable);
  return provider->CreateSource(fileName, params);
}

std::optional<std::string> WinampPluginTitle(IBaseFilter* source) {
  TWinampSourceProvider* provider = winampSources;
  return provider && source ? provider->PluginTitle(source) : std::nullopt;
}

ComPtr<IUnknown> DCBassExtension(IBaseFilter* filter) {
  TDCBassProvider* provider = dcBass;
  return provider && filter ? provider->Extension(filter) : nullptr;
}

std::uint32_t DCBassBitrate(IUnknown* extension) {
  TDCBassProvider* provider = dcBass;
  if (!provider || !extension) return 0;
  return provider->Bitrate(extension).value_or(0);
}

}  // namespace nv
