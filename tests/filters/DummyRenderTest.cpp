// The dummy renderer: the types its pattern takes, a further pin for every connection, and a Render call that
// stops at it.
#include <gtest/gtest.h>

#include "filters/win/XDummyRender.h"
#include "tests/filters/FilterTestGraph.h"
#include "tests/filters/TestToneSource.h"

namespace nv::test {
namespace {

MediaType Pcm(DWORD rate) {
  WAVEFORMATEX format{};
  format.wFormatTag = WAVE_FORMAT_PCM;
  format.nChannels = 2;
  format.nSamplesPerSec = rate;
  format.nBlockAlign = 4;
  format.nAvgBytesPerSec = rate * 4;
  format.wBitsPerSample = 16;
  MediaType type;
  type.majortype = MEDIATYPE_Audio;
  type.subtype = MEDIASUBTYPE_PCM;
  type.SetFormat(FORMAT_WaveFormatEx, &format, sizeof format);
  return type;
}

MediaType Kind(const GUID& major, const GUID& subtype) {
  MediaType type;
  type.majortype = major;
  type.subtype = subtype;
  return type;
}

class DummyRender : public ::testing::Test {
protected:
  ComApartment com_;
};

TEST_F(DummyRender, TakesWhatItsPatternTakes) {
  const MediaType anyAudio = Kind(MEDIATYPE_Audio, GUID_NULL), pcmOnly = Kind(MEDIATYPE_Audio, MEDIASUBTYPE_PCM),
                  cdPcm = Pcm(44100);
  const MediaType pcm44 = Pcm(44100), pcm48 = Pcm(48000), mpeg = Kind(MEDIATYPE_Audio, MEDIASUBTYPE_MPEG1AudioPayload),
                  video = Kind(MEDIATYPE_Video, MEDIASUBTYPE_RGB24);
  struct Case {
    const char* pattern;
    const MediaType& accepting;
    const char* type;
    const MediaType& offered;
    HRESULT expected;
  };
  const Case cases[] = {
      {"any audio", anyAudio, "PCM", pcm44, S_OK},
      {"any audio", anyAudio, "MPEG audio", mpeg, S_OK},
      {"any audio", anyAudio, "video", video, S_FALSE},
      {"PCM", pcmOnly, "PCM at 48 kHz", pcm48, S_OK},
      {"PCM", pcmOnly, "MPEG audio", mpeg, S_FALSE},
      {"PCM at 44.1 kHz", cdPcm, "PCM at 44.1 kHz", pcm44, S_OK},
      {"PCM at 44.1 kHz", cdPcm, "PCM at 48 kHz", pcm48, S_FALSE},
  };
  for (const Case& c : cases) {
    const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(c.accepting);
    EXPECT_EQ(PinOf(dummy.Get(), PINDIR_INPUT)->QueryAccept(&c.offered), c.expected) << c.pattern << " / " << c.type;
  }
}

TEST_F(DummyRender, KeepsOneUnconnectedPin) {
  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(Kind(MEDIATYPE_Audio, GUID_NULL));
  ASSERT_EQ(graph->AddFilter(dummy.Get(), L"Dummy"), S_OK);
  CLSID clsid{};
  EXPECT_EQ(dummy->GetClassID(&clsid), S_OK);
  EXPECT_EQ(clsid, CLSID_XDummyRender);
  ASSERT_NE(PinOf(dummy.Get(), PINDIR_INPUT, 0), nullptr);
  EXPECT_EQ(PinOf(dummy.Get(), PINDIR_INPUT, 1), nullptr) << "one pin to begin with";

  const ComPtr<TestToneSource> first = TestToneSource::Create(), second = TestToneSource::Create();
  for (TestToneSource* source : {first.Get(), second.Get()}) {
    ASSERT_EQ(graph->AddFilter(source->AsBaseFilter(), nullptr), S_OK);
    ComPtr<IPin> free;
    for (int i = 0; !free; ++i) {
      const ComPtr<IPin> pin = PinOf(dummy.Get(), PINDIR_INPUT, i);
      ASSERT_NE(pin, nullptr) << "no unconnected pin";
      if (!PeerOf(pin.Get())) free = pin;
    }
    ASSERT_EQ(graph->ConnectDirect(source->OutputPin(), free.Get(), nullptr), S_OK);
  }
  const ComPtr<IPin> third = PinOf(dummy.Get(), PINDIR_INPUT, 2);
  ASSERT_NE(third, nullptr);
  EXPECT_EQ(PinName(third.Get()), L"Input 2");
  EXPECT_EQ(PeerOf(third.Get()), nullptr);
  EXPECT_EQ(PinOf(dummy.Get(), PINDIR_INPUT, 3), nullptr);
}

TEST_F(DummyRender, EndsARenderCallAtTheDecodedStream) {
  const ToneFile file("norvale-dummy", {440, 500});
  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(Kind(MEDIATYPE_Audio, GUID_NULL));
  ASSERT_EQ(graph->AddFilter(dummy.Get(), L"Audio dummy"), S_OK);
  ComPtr<IBaseFilter> reader;
  ASSERT_EQ(graph->AddSourceFilter(file.Path().c_str(), L"Reader", &reader), S_OK);

  EXPECT_EQ(Hr(graph->Render(PinOf(reader.Get(), PINDIR_OUTPUT).Get())), Hr(S_OK));
  const ComPtr<IPin> decoded = PeerOf(PinOf(dummy.Get(), PINDIR_INPUT).Get());
  ASSERT_NE(decoded, nullptr) << "rendering went into the dummy";
  AM_MEDIA_TYPE type{};
  ASSERT_EQ(decoded->ConnectionMediaType(&type), S_OK);
  EXPECT_EQ(type.subtype, MEDIASUBTYPE_PCM);
  FreeMediaTypeContents(type);
  EXPECT_EQ(FilterByClsid(graph.Get(), CLSID_DSoundRender), nullptr) << "and stopped there";
}

}  // namespace
}  // namespace nv::test
