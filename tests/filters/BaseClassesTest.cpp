// The filter and pin base classes and the source framework in graphs that are built but not run: lifetime,
// connection and its failures, enumerators, the source's one media type and its seeking answers.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "filters/win/XDummyRender.h"
#include "filters/win/XPCMAudioInfoFilter.h"
#include "tests/filters/FilterTestGraph.h"
#include "tests/filters/TestFilters.h"
#include "tests/filters/TestToneSource.h"

namespace nv::test {
namespace {

MediaType AnyAudio() {
  MediaType type;
  type.majortype = MEDIATYPE_Audio;
  return type;
}

MediaType AnyVideo() {
  MediaType type;
  type.majortype = MEDIATYPE_Video;
  return type;
}

// A fully specified video type.
MediaType Rgb24Video() {
  MediaType type;
  type.majortype = MEDIATYPE_Video;
  type.subtype = MEDIASUBTYPE_RGB24;
  VIDEOINFOHEADER info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = 16;
  info.bmiHeader.biHeight = 16;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  type.SetFormat(FORMAT_VideoInfo, &info, sizeof info);
  return type;
}

class ObservedDummy : public TXDummyRender {
public:
  ObservedDummy(const AM_MEDIA_TYPE& pattern, bool& destroyed) : TXDummyRender(pattern, L""), destroyed_(destroyed) {}
  ~ObservedDummy() override { destroyed_ = true; }

private:
  bool& destroyed_;
};

class FilterFramework : public ::testing::Test {
protected:
  ComApartment com_;
};

TEST_F(FilterFramework, TheLastReleaseDestroysAFilter) {
  bool destroyed = false;
  {
    ComPtr<IBaseFilter> filter(new ObservedDummy(AnyAudio(), destroyed));
    const ComPtr<IPin> pin = PinOf(filter.Get(), PINDIR_INPUT);
    filter.Reset();
    EXPECT_FALSE(destroyed) << "a pin counts on its filter";
  }
  EXPECT_TRUE(destroyed) << "a filter never added to a graph";

  destroyed = false;
  {
    const ComPtr<IGraphBuilder> graph = NewGraph();
    ComPtr<IBaseFilter> filter(new ObservedDummy(AnyAudio(), destroyed));
    ASSERT_EQ(graph->AddFilter(filter.Get(), L"Dummy"), S_OK);
    filter.Reset();
    EXPECT_FALSE(destroyed) << "the graph holds it";
  }
  EXPECT_TRUE(destroyed) << "a filter released by its graph";
}

TEST_F(FilterFramework, AConnectedPinRefusesAnotherConnectionAndKeepsItsPeer) {
  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<TestToneSource> source = TestToneSource::Create(), other = TestToneSource::Create();
  const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(AnyAudio());
  ASSERT_EQ(graph->AddFilter(source->AsBaseFilter(), L"Source"), S_OK);
  ASSERT_EQ(graph->AddFilter(other->AsBaseFilter(), L"Other"), S_OK);
  ASSERT_EQ(graph->AddFilter(dummy.Get(), L"Dummy"), S_OK);
  const ComPtr<IPin> first = PinOf(dummy.Get(), PINDIR_INPUT, 0);
  ASSERT_EQ(graph->ConnectDirect(source->OutputPin(), first.Get(), nullptr), S_OK);
  const ComPtr<IPin> second = PinOf(dummy.Get(), PINDIR_INPUT, 1);
  ASSERT_NE(second, nullptr);

  EXPECT_EQ(source->OutputPin()->Connect(second.Get(), nullptr), VFW_E_ALREADY_CONNECTED);
  EXPECT_EQ(first->ReceiveConnection(other->OutputPin(), &source->Stream().CurrentMediaType()),
            VFW_E_ALREADY_CONNECTED);
  EXPECT_EQ(PeerOf(source->OutputPin()).Get(), first.Get());
  EXPECT_EQ(PeerOf(first.Get()).Get(), source->OutputPin());
  EXPECT_EQ(PeerOf(second.Get()), nullptr);
  EXPECT_EQ(PeerOf(other->OutputPin()), nullptr);
}

TEST_F(FilterFramework, APinEnumeratorGoesOutOfSyncWhenAPinIsAdded) {
  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(AnyAudio());
  ASSERT_EQ(graph->AddFilter(source->AsBaseFilter(), L"Source"), S_OK);
  ASSERT_EQ(graph->AddFilter(dummy.Get(), L"Dummy"), S_OK);
  ComPtr<IEnumPins> pins;
  ASSERT_EQ(dummy->EnumPins(&pins), S_OK);

  ASSERT_EQ(graph->ConnectDirect(source->OutputPin(), PinOf(dummy.Get(), PINDIR_INPUT).Get(), nullptr), S_OK);
  ComPtr<IPin> pin;
  EXPECT_EQ(pins->Next(1, &pin, nullptr), VFW_E_ENUM_OUT_OF_SYNC);
  EXPECT_EQ(pins->Skip(1), VFW_E_ENUM_OUT_OF_SYNC);
  ComPtr<IEnumPins> clone;
  EXPECT_EQ(pins->Clone(&clone), VFW_E_ENUM_OUT_OF_SYNC);

  ASSERT_EQ(pins->Reset(), S_OK);
  std::vector<std::wstring> names;
  while (pins->Next(1, pin.ReleaseAndGetAddressOf(), nullptr) == S_OK) names.push_back(PinName(pin.Get()));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Input 0", L"Input 1"}));
}

TEST_F(FilterFramework, ConnectionFailuresSayWhatWentWrong) {
  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<TestToneSource> source = TestToneSource::Create(), other = TestToneSource::Create(),
                               running = TestToneSource::Create();
  const ComPtr<IBaseFilter> audioDummy = TXDummyRender::Create(AnyAudio()),
                            videoDummy = TXDummyRender::Create(AnyVideo());
  const ComPtr<TestInPlaceFilter> outsideAGraph = TestInPlaceFilter::Create();
  for (IBaseFilter* filter : {source->AsBaseFilter(), other->AsBaseFilter(), running->AsBaseFilter(), audioDummy.Get(),
                              videoDummy.Get()})
    ASSERT_EQ(graph->AddFilter(filter, nullptr), S_OK);
  ASSERT_EQ(running->Run(0), S_OK);

  const MediaType& pcm = source->Stream().CurrentMediaType();
  const MediaType video = Rgb24Video();
  IPin* out = source->OutputPin();
  const ComPtr<IPin> audioIn = PinOf(audioDummy.Get(), PINDIR_INPUT), videoIn = PinOf(videoDummy.Get(), PINDIR_INPUT);
  struct Case {
    const char* what;
    std::function<HRESULT()> attempt;
    HRESULT expected;
  };
  const Case cases[] = {
      {"a full type the output refuses", [&] { return out->Connect(audioIn.Get(), &video); }, VFW_E_TYPE_NOT_ACCEPTED},
      {"a full type the input refuses", [&] { return out->Connect(videoIn.Get(), &pcm); }, VFW_E_TYPE_NOT_ACCEPTED},
      {"no type both take", [&] { return out->Connect(videoIn.Get(), nullptr); }, VFW_E_NO_ACCEPTABLE_TYPES},
      {"offered straight to the input", [&] { return videoIn->ReceiveConnection(out, &pcm); },
       VFW_E_TYPE_NOT_ACCEPTED},
      {"output to output", [&] { return out->Connect(other->OutputPin(), &pcm); }, VFW_E_INVALID_DIRECTION},
      {"from a running filter", [&] { return running->OutputPin()->Connect(audioIn.Get(), nullptr); },
       VFW_E_NOT_STOPPED},
      {"to an in-place filter outside a graph",
       [&] { return out->Connect(PinOf(outsideAGraph->AsBaseFilter(), PINDIR_INPUT).Get(), &pcm); },
       VFW_E_NOT_IN_GRAPH},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Hr(c.attempt()), Hr(c.expected)) << c.what;
    EXPECT_EQ(PeerOf(out), nullptr) << c.what << ": a failed attempt is undone";
  }
  EXPECT_EQ(PeerOf(audioIn.Get()), nullptr);
  running->Stop();
}

TEST_F(FilterFramework, UnconnectedPinsAndLoneFiltersAnswerWithTheirErrors) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  const ComPtr<TXPCMAudioInfoFilter> info(new TXPCMAudioInfoFilter(L"Info", GUID_NULL, nullptr));
  IPin* out = source->OutputPin();
  ComPtr<IPin> pin;
  AM_MEDIA_TYPE type{};
  REFERENCE_TIME time = 0;
  WAVEFORMATEX format{};
  LPWSTR vendor = nullptr;
  ULONG count = 0;
  struct Case {
    const char* what;
    HRESULT answer;
    HRESULT expected;
  };
  const Case cases[] = {
      {"ConnectedTo", out->ConnectedTo(&pin), VFW_E_NOT_CONNECTED},
      {"ConnectionMediaType", out->ConnectionMediaType(&type), VFW_E_NOT_CONNECTED},
      {"Disconnect", out->Disconnect(), S_FALSE},
      {"QueryInternalConnections", out->QueryInternalConnections(nullptr, &count), E_NOTIMPL},
      {"FindPin of an existing pin", source->FindPin(L"Output", &pin), S_OK},
      {"FindPin of a missing pin", source->FindPin(L"Input", &pin), VFW_E_NOT_FOUND},
      {"StreamTime without a clock", source->StreamTime(time), VFW_E_NO_CLOCK},
      {"NotifyEvent outside a graph", source->NotifyEvent(EC_COMPLETE, 0, 0), E_NOTIMPL},
      {"ReconnectPin outside a graph", source->ReconnectPin(out, nullptr), E_NOINTERFACE},
      {"QueryVendorInfo", source->QueryVendorInfo(&vendor), E_NOTIMPL},
      {"the PCM format before a connection", info->GetFormat(&format), VFW_E_NOT_CONNECTED},
  };
  for (const Case& c : cases) EXPECT_EQ(Hr(c.answer), Hr(c.expected)) << c.what;
}

// --- the source framework

TEST_F(FilterFramework, ASourceStreamOffersExactlyItsOwnType) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  ComPtr<IEnumMediaTypes> types;
  ASSERT_EQ(source->OutputPin()->EnumMediaTypes(&types), S_OK);
  AM_MEDIA_TYPE* offered[2] = {};
  ULONG fetched = 0;
  EXPECT_EQ(types->Next(2, offered, &fetched), S_FALSE);
  ASSERT_EQ(fetched, 1u);
  EXPECT_TRUE(SameMediaType(*offered[0], source->Stream().CurrentMediaType()));
  DeleteMediaType(offered[0]);

  MediaType type;
  EXPECT_EQ(source->Stream().GetMediaType(1, type), VFW_S_NO_MORE_ITEMS);
  EXPECT_EQ(source->Stream().GetMediaType(-1, type), E_INVALIDARG);

  MediaType otherRate(source->Stream().CurrentMediaType());
  reinterpret_cast<WAVEFORMATEX*>(otherRate.pbFormat)->nSamplesPerSec = 48000;
  EXPECT_EQ(source->OutputPin()->QueryAccept(&source->Stream().CurrentMediaType()), S_OK);
  EXPECT_EQ(source->OutputPin()->QueryAccept(&otherRate), S_FALSE) << "the same type in all its bytes only";
}

TEST_F(FilterFramework, ASourceStreamsOnlyWhileActiveAndConnected) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  ASSERT_EQ(source->Pause(), S_OK);
  EXPECT_FALSE(source->HasWorker()) << "an unconnected stream starts no worker";
  ASSERT_EQ(source->Stop(), S_OK);

  const ComPtr<IGraphBuilder> graph = NewGraph();
  const ComPtr<IBaseFilter> dummy = TXDummyRender::Create(AnyAudio());
  ASSERT_EQ(graph->AddFilter(source->AsBaseFilter(), L"Source"), S_OK);
  ASSERT_EQ(graph->AddFilter(dummy.Get(), L"Dummy"), S_OK);
  ASSERT_EQ(graph->ConnectDirect(source->OutputPin(), PinOf(dummy.Get(), PINDIR_INPUT).Get(), nullptr), S_OK);
  ASSERT_EQ(source->Pause(), S_OK);
  EXPECT_TRUE(source->HasWorker());
  ASSERT_EQ(source->Stop(), S_OK);
  EXPECT_FALSE(source->HasWorker());
}

TEST_F(FilterFramework, ASourceAnswersSeekingInMediaTimeForItsStreamsToo) {
  const ComPtr<TestToneSource> source = TestToneSource::Create();
  ComPtr<IMediaSeeking> seeking, throughPin;
  ASSERT_EQ(source->QueryInterface(IID_PPV_ARGS(&seeking)), S_OK);
  ASSERT_EQ(source->OutputPin()->QueryInterface(IID_PPV_ARGS(&throughPin)), S_OK);
  EXPECT_EQ(seeking.Get(), throughPin.Get()) << "the stream answers with its filter's";

  struct Case {
    DWORD asked;
    HRESULT expected;
    DWORD granted;
  };
  const DWORD ours = AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanGetStopPos | AM_SEEKING_CanGetDuration;
  const Case cases[] = {
      {ours, S_OK, ours},
      {AM_SEEKING_CanSeekAbsolute | AM_SEEKING_CanSeekBackwards, S_FALSE, AM_SEEKING_CanSeekAbsolute},
      {AM_SEEKING_CanSeekBackwards, E_FAIL, 0},
  };
  for (const Case& c : cases) {
    DWORD capabilities = c.asked;
    EXPECT_EQ(seeking->CheckCapabilities(&capabilities), c.expected) << std::hex << c.asked;
    EXPECT_EQ(capabilities, c.granted) << std::hex << c.asked;
  }
  EXPECT_EQ(seeking->IsFormatSupported(&TIME_FORMAT_MEDIA_TIME), S_OK);
  EXPECT_EQ(seeking->IsFormatSupported(&TIME_FORMAT_FRAME), S_FALSE);
  double rate = 0;
  EXPECT_EQ(seeking->GetRate(&rate), S_OK);
  EXPECT_EQ(rate, 1.0);
  EXPECT_EQ(seeking->SetRate(2.0), E_NOTIMPL);

  LONGLONG position = 3'000'000, stop = 0;
  ASSERT_EQ(seeking->SetPositions(&position, AM_SEEKING_AbsolutePositioning, nullptr, 0), S_OK);
  EXPECT_EQ(seeking->GetCurrentPosition(&position), S_OK);
  EXPECT_EQ(position, 3'000'000);
  EXPECT_EQ(seeking->GetStopPosition(&stop), S_OK);
  EXPECT_EQ(stop, source->DurationUnits());
}

}  // namespace
}  // namespace nv::test
