#include "engine/win/XVisualizerFilter.h"

#include <mmreg.h>

#include <optional>
#include <span>

#include "engine/EngineConstants.h"
#include "engine/win/XVisualizer.h"
#include "support/win/WinGuid.h"

using Microsoft::WRL::ComPtr;

namespace nv {
namespace {

// What the tap reads of an audio type in a wave format block, checking every length before reading.
std::optional<TapLayout> LayoutOf(const AM_MEDIA_TYPE& type) {
  if (type.majortype != MEDIATYPE_Audio || type.formattype != FORMAT_WaveFormatEx || !type.pbFormat ||
      type.cbFormat < sizeof(PCMWAVEFORMAT))
    return std::nullopt;
  const auto& wave = *reinterpret_cast<const WAVEFORMATEX*>(type.pbFormat);
  TapWaveFormat format{wave.wFormatTag, wave.nChannels, wave.nSamplesPerSec, wave.nBlockAlign, wave.wBitsPerSample};
  // The sub-format is only there when the block holds all of WAVEFORMATEXTENSIBLE and says so.
  if (wave.wFormatTag == WAVE_FORMAT_EXTENSIBLE && type.cbFormat >= sizeof(WAVEFORMATEXTENSIBLE) &&
      wave.cbSize >= sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX))
    format.floatSubFormat =
        reinterpret_cast<const WAVEFORMATEXTENSIBLE*>(type.pbFormat)->SubFormat == MEDIASUBTYPE_IEEE_FLOAT;
  return TapLayoutOf(format);
}

}  // namespace

ComPtr<TXVisualizerFilter> TXVisualizerFilter::Create(TXVisualizer* visualizer) {
  return ComPtr<TXVisualizerFilter>(new TXVisualizerFilter(visualizer));
}

TXVisualizerFilter::TXVisualizerFilter(TXVisualizer* visualizer)
    : TXPCMAudioInfoFilter(kVisualizerFilterName, ToWinGuid(kVisualizerFilterClsid), nullptr),
      taps_(visualizer ? visualizer->Taps() : nullptr) {
  if (taps_) taps_->Add(this);
}

TXVisualizerFilter::~TXVisualizerFilter() {
  // A tick that is using this tap holds the registry's lock: it finishes before the tap goes.
  if (taps_) taps_->Remove(this);
}

HRESULT TXVisualizerFilter::CheckInputType(const AM_MEDIA_TYPE& type) {
  // The information filter takes integer PCM; decoders deliver float under the float subtype.
  const bool floatSubtype = type.subtype == MEDIASUBTYPE_IEEE_FLOAT;
  if (!floatSubtype && TXPCMAudioInfoFilter::CheckInputType(type) != S_OK) return S_FALSE;
  const std::optional<TapLayout> layout = LayoutOf(type);
  if (!layout || (floatSubtype && layout->kind != TapSampleKind::kFloat32)) return S_FALSE;
  return S_OK;
}

HRESULT TXVisualizerFilter::SetMediaType(PIN_DIRECTION direction, const AM_MEDIA_TYPE& type) {
  if (direction == PINDIR_INPUT && CheckInputType(type) == S_OK) {
    TXBCAutoLock info(InfoLock());
    stream_.SetLayout(LayoutOf(type));
  }
  return TXPCMAudioInfoFilter::SetMediaType(direction, type);
}

HRESULT TXVisualizerFilter::Transform(IMediaSample* sample) {
  const HRESULT hr = TXPCMAudioInfoFilter::Transform(sample);
  BYTE* data = nullptr;
  const long bytes = sample->GetActualDataLength();
  if (bytes <= 0 || FAILED(sample->GetPointer(&data)) || !data) return hr;
  LONGLONG now = 0;
  const std::optional<std::int64_t> playTime =
      SUCCEEDED(GetPlayTime(&now)) ? std::optional<std::int64_t>(now) : std::nullopt;
  TXBCAutoLock info(InfoLock());
  // A sample may announce a new format; one the tap cannot read stops the reading.
  const AM_SAMPLE2_PROPERTIES& props = InputSampleProps();
  if ((props.dwSampleFlags & AM_SAMPLE_TYPECHANGED) && props.pMediaType) stream_.SetLayout(LayoutOf(*props.pMediaType));
  stream_.Consume(std::span<const std::uint8_t>(data, static_cast<std::size_t>(bytes)), playTime);
  return hr;
}

HRESULT TXVisualizerFilter::NewSegment(REFERENCE_TIME start, REFERENCE_TIME stop, double rate) {
  {
    TXBCAutoLock info(InfoLock());
    stream_.NewSegment(start);
  }
  return TXPCMAudioInfoFilter::NewSegment(start, stop, rate);
}

bool TXVisualizerFilter::CopyCurrentBlock(VisualizerBlock& block) {
  if (IsStopped()) return false;
  LONGLONG now = 0;
  if (FAILED(GetPlayTime(&now))) return false;
  TXBCAutoLock info(InfoLock());
  const VisualizerBlock* current = stream_.CurrentBlock(now);
  if (!current) return false;
  block = *current;
  return true;
}

}  // namespace nv
