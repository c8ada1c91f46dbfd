// The visualiser tap and the visualiser without playing anything: the streams a tap takes, putting taps into a
// graph (what happens when the graph refuses one or a connection fails), registration, and the frames of a
// visualiser without taps.
#include <gtest/gtest.h>

#include <windows.h>
#include <mmreg.h>

#include <algorithm>
#include <atomic>
#include <mutex>
#include <vector>

#include "engine/EngineConstants.h"
#include "engine/win/VisualizerTaps.h"
#include "engine/win/XVisualizer.h"
#include "engine/win/XVisualizerFilter.h"
#include "filters/win/MediaType.h"
#include "support/win/WinGuid.h"
#include "tests/filters/FilterTestGraph.h"

namespace nv::test {
namespace {

MediaType Audio(const GUID& subtype, WORD tag, WORD channels, WORD bits, DWORD rate = 44100) {
  WAVEFORMATEXTENSIBLE format{};
  format.Format.wFormatTag = tag;
  format.Format.nChannels = channels;
  format.Format.nSamplesPerSec = rate;
  format.Format.nBlockAlign = static_cast<WORD>(channels * bits / 8);
  format.Format.nAvgBytesPerSec = rate * format.Format.nBlockAlign;
  format.Format.wBitsPerSample = bits;
  ULONG size = sizeof(WAVEFORMATEX);
  if (tag == WAVE_FORMAT_EXTENSIBLE) {
    format.Format.cbSize = sizeof(WAVEFORMATEXTENSIBLE) - sizeof(WAVEFORMATEX);
    format.Samples.wValidBitsPerSample = bits;
    format.SubFormat = subtype;
    size = sizeof format;
  }
  MediaType type;
  type.majortype = MEDIATYPE_Audio;
  type.subtype = subtype;
  type.SetFormat(FORMAT_WaveFormatEx, &format, size);
  return type;
}

class VisualizerTap : public ::testing::Test {
protected:
  ComApartment com_;
};

TEST_F(VisualizerTap, TakesMonoAndStereoPcmItCanRead) {
  const GUID& pcm = MEDIASUBTYPE_PCM;
  const GUID& ieee = MEDIASUBTYPE_IEEE_FLOAT;
  MediaType shortExtensible = Audio(ieee, WAVE_FORMAT_EXTENSIBLE, 2, 32);
  shortExtensible.cbFormat = sizeof(WAVEFORMATEX);  // says extensible, holds no sub-format
  MediaType video = Audio(pcm, WAVE_FORMAT_PCM, 2, 16);
  video.majortype = MEDIATYPE_Video;
  struct Case {
    const char* what;
    const MediaType& type;
    HRESULT expected;
  };
  const MediaType stereo16 = Audio(pcm, WAVE_FORMAT_PCM, 2, 16), mono8 = Audio(pcm, WAVE_FORMAT_PCM, 1, 8),
                  stereo24 = Audio(pcm, WAVE_FORMAT_PCM, 2, 24), stereo32 = Audio(pcm, WAVE_FORMAT_PCM, 2, 32),
                  floatTag = Audio(ieee, WAVE_FORMAT_IEEE_FLOAT, 2, 32),
                  floatTagPcmSubtype = Audio(pcm, WAVE_FORMAT_IEEE_FLOAT, 2, 32),
                  extensibleFloat = Audio(ieee, WAVE_FORMAT_EXTENSIBLE, 2, 32),
                  extensiblePcm = Audio(pcm, WAVE_FORMAT_EXTENSIBLE, 2, 16),
                  sixChannels = Audio(pcm, WAVE_FORMAT_PCM, 6, 16),
                  sixExtensible = Audio(pcm, WAVE_FORMAT_EXTENSIBLE, 6, 16),
                  floatSubtypeInteger = Audio(ieee, WAVE_FORMAT_PCM, 2, 16),
                  noRate = Audio(pcm, WAVE_FORMAT_PCM, 2, 16, 0);
  const Case cases[] = {
      {"16-bit stereo", stereo16, S_OK},
      {"8-bit mono", mono8, S_OK},
      {"24-bit", stereo24, S_OK},
      {"32-bit integer", stereo32, S_OK},
      {"float under the float subtype", floatTag, S_OK},
      {"float under the PCM subtype", floatTagPcmSubtype, S_OK},
      {"extensible float", extensibleFloat, S_OK},
      {"extensible integer", extensiblePcm, S_FALSE},
      {"six channels", sixChannels, S_FALSE},
      {"six channels, extensible", sixExtensible, S_FALSE},
      {"integer samples under the float subtype", floatSubtypeInteger, S_FALSE},
      {"extensible without its sub-format", shortExtensible, S_FALSE},
      {"sample rate 0", noRate, S_FALSE},
      {"video", video, S_FALSE},
  };
  const ComPtr<TXVisualizerFilter> tap = TXVisualizerFilter::Create(nullptr);
  for (const Case& c : cases) EXPECT_EQ(tap->InputPin()->QueryAccept(&c.type), c.expected) << c.what;
  shortExtensible.cbFormat = sizeof(WAVEFORMATEXTENSIBLE);  // the block's true size, for freeing
}

// A graph that answers only what inserting taps asks, and fails where a case says.
class ScriptedGraph : public IGraphBuilder {
public:
  int failAddFilterFrom = 0;    // the AddFilter call (1-based) from which adding fails; 0 = never
  IPin* refusedPin = nullptr;   // Connect from this pin fails
  int addFilterCalls = 0;
  std::vector<IBaseFilter*> removed;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID, void**) override { return E_NOINTERFACE; }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE AddFilter(IBaseFilter*, LPCWSTR name) override {
    EXPECT_STREQ(name, L"Visualizer");
    ++addFilterCalls;
    return failAddFilterFrom && addFilterCalls >= failAddFilterFrom ? E_FAIL : S_OK;
  }
  HRESULT STDMETHODCALLTYPE RemoveFilter(IBaseFilter* filter) override {
    removed.push_back(filter);
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Connect(IPin* out, IPin*) override {
    return out == refusedPin ? VFW_E_CANNOT_CONNECT : S_OK;
  }
  HRESULT STDMETHODCALLTYPE EnumFilters(IEnumFilters**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE FindFilterByName(LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ConnectDirect(IPin*, IPin*, const AM_MEDIA_TYPE*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Reconnect(IPin*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Disconnect(IPin*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetDefaultSyncSource() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Render(IPin*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RenderFile(LPCWSTR, LPCWSTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddSourceFilter(LPCWSTR, LPCWSTR, IBaseFilter**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE SetLogFile(DWORD_PTR) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Abort() override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE ShouldOperationContinue() override { return E_NOTIMPL; }
};

class NoFrames : public VisualizationSink {
public:
  std::uint8_t DataWanted() override { return 0; }
  void FrameReady(const VisualizationFrame&) override {}
};

TEST_F(VisualizerTap, InsertingTapsReplacesThePinsThatConnected) {
  struct Case {
    const char* what;
    int failAddFilterFrom;
    int refusedPin;  // -1: none
    std::vector<bool> tapped;
    int addFilterCalls;
    std::size_t removed;
  };
  const Case cases[] = {
      {"every pin connects", 0, -1, {true, true, true}, 3, 0},
      {"a pin that does not connect keeps its place, the others are tapped", 0, 1, {true, false, true}, 3, 1},
      {"the graph refuses the second tap: no further taps are tried", 2, -1, {true, false, false}, 2, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    // Any output pins stand for the decoded streams.
    std::vector<ComPtr<IBaseFilter>> decoders;
    std::vector<ComPtr<IPin>> decoded, pins;
    for (int i = 0; i < 3; ++i) {
      decoders.push_back(TXPCMAudioInfoFilter::Create(L"decoder", GUID_NULL));
      decoded.push_back(PinOf(decoders.back().Get(), PINDIR_OUTPUT));
    }
    pins = decoded;
    ScriptedGraph graph;
    graph.failAddFilterFrom = c.failAddFilterFrom;
    if (c.refusedPin >= 0) graph.refusedPin = decoded[c.refusedPin].Get();
    NoFrames sink;
    TXVisualizer visualizer(sink);

    InsertVisualizerTaps(&graph, pins, &visualizer);
    int tapped = 0;
    for (int i = 0; i < 3; ++i) {
      const bool replaced = pins[i].Get() != decoded[i].Get();
      EXPECT_EQ(replaced, c.tapped[i]) << "pin " << i;
      if (!replaced) continue;
      ++tapped;
      PIN_INFO info{};
      ASSERT_EQ(pins[i]->QueryPinInfo(&info), S_OK);
      CLSID clsid{};
      info.pFilter->GetClassID(&clsid);
      info.pFilter->Release();
      EXPECT_EQ(info.dir, PINDIR_OUTPUT);
      EXPECT_TRUE(FromWinGuid(clsid) == kVisualizerFilterClsid) << "not a tap's output pin";
    }
    EXPECT_EQ(graph.addFilterCalls, c.addFilterCalls);
    EXPECT_EQ(graph.removed.size(), c.removed);
    EXPECT_EQ(visualizer.Taps()->Count(), static_cast<std::size_t>(tapped)) << "a tap left behind unregistered";
  }
}

// Counts the frames it is given and keeps the last.
class CountingSink : public VisualizationSink {
public:
  std::uint8_t DataWanted() override { return kWantWaveform | kWantSpectrum; }
  void FrameReady(const VisualizationFrame& frame) override {
    std::lock_guard lock(lock_);
    ++frames_;
    last_ = frame;
  }
  int Frames() {
    std::lock_guard lock(lock_);
    return frames_;
  }
  VisualizationFrame Last() {
    std::lock_guard lock(lock_);
    return last_;
  }

private:
  std::mutex lock_;
  int frames_ = 0;
  VisualizationFrame last_{};
};

TEST_F(VisualizerTap, WithoutTapsTheFramesAreEmpty) {
  CountingSink sink;
  TXVisualizer visualizer(sink);
  visualizer.Start();
  EXPECT_TRUE(visualizer.IsStarted());
  Sleep(400);
  visualizer.Stop();
  const int frames = sink.Frames();
  EXPECT_GE(frames, 4) << "the timer ticks";
  const VisualizationFrame last = sink.Last();
  const auto* bytes = reinterpret_cast<const std::uint8_t*>(&last);
  EXPECT_TRUE(std::all_of(bytes, bytes + sizeof last, [](std::uint8_t b) { return b == 0; }));
  Sleep(150);
  EXPECT_EQ(sink.Frames(), frames) << "a frame after Stop";
}

TEST_F(VisualizerTap, ATapOutlivingItsVisualizerIsLetGo) {
  ComPtr<TXVisualizerFilter> tap;
  std::shared_ptr<TXVisualizerTaps> taps;
  {
    NoFrames sink;
    TXVisualizer visualizer(sink);
    tap = TXVisualizerFilter::Create(&visualizer);
    ComPtr<TXVisualizerFilter> second = TXVisualizerFilter::Create(&visualizer);
    taps = visualizer.Taps();
    EXPECT_EQ(taps->Count(), 2u);
    second.Reset();
    EXPECT_EQ(taps->Count(), 1u) << "a destroyed tap unregisters";
    visualizer.Start();
  }
  EXPECT_EQ(taps->Count(), 0u);
  tap.Reset();  // unregisters from the emptied list, not from the freed visualiser
}

}  // namespace
}  // namespace nv::test
