#include "tests/engine/win/TestSources.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <mutex>
#include <numbers>

#include "filters/FilterConstants.h"
#include "filters/win/XSourceFilter.h"
#include "filters/win/XThreadedSourceStream.h"
#include "tests/common/win/TestComObject.h"

using Microsoft::WRL::ComPtr;

namespace nv::test {

namespace {

std::atomic<int> liveSources{0};

struct LiveCount {
  LiveCount() { ++liveSources; }
  ~LiveCount() { --liveSources; }
};

// A format no decoder knows, and a kind of stream nothing renders.
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E10}
constexpr GUID kUnknownSubtype = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x10}};
// {5E1C4C1A-7D0B-4C47-9A52-0B3F1D6C2E11}
constexpr GUID kUnknownMajorType = {0x5e1c4c1a, 0x7d0b, 0x4c47, {0x9a, 0x52, 0x0b, 0x3f, 0x1d, 0x6c, 0x2e, 0x11}};

constexpr int kRate = 44100;
constexpr int kFrameBytes = 4;

// --- the redirector

std::wstring FromUtf8(const std::string& text) {
  const int size = MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), wide.data(), size);
  return wide;
}

class PlayListEntry final : public TestComObject<IAMPlayListItem> {
public:
  explicit PlayListEntry(std::wstring url) : url_(std::move(url)) {}

  HRESULT STDMETHODCALLTYPE GetFlags(DWORD* flags) override {
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceCount(DWORD* sources) override {
    *sources = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceURL(DWORD source, BSTR* url) override {
    if (source != 0) return E_INVALIDARG;
    *url = SysAllocString(url_.c_str());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetSourceStart(DWORD, REFERENCE_TIME*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceDuration(DWORD, REFERENCE_TIME*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceStartMarker(DWORD, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceEndMarker(DWORD, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceStartMarkerName(DWORD, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetSourceEndMarkerName(DWORD, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetLinkURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScanDuration(DWORD, REFERENCE_TIME*) override { return E_NOTIMPL; }

private:
  std::wstring url_;
};

class TestRedirector final : public TXBCRefCounted<TXBCBaseFilter>, public IFileSourceFilter, public IAMPlayList {
public:
  TestRedirector() : TXBCRefCounted(L"Test redirector", nullptr, CLSID_TestRedirector) {}

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == IID_IFileSourceFilter) return GetInterface(static_cast<IFileSourceFilter*>(this), object);
    if (iid == __uuidof(IAMPlayList)) return GetInterface(static_cast<IAMPlayList*>(this), object);
    return TXBCBaseFilter::NonDelegatingQueryInterface(iid, object);
  }

  int GetPinCount() override { return 0; }
  TXBCBasePin* GetPin(int) override { return nullptr; }

  // IFileSourceFilter: the entries are the file's lines (UTF-8).
  HRESULT STDMETHODCALLTYPE Load(LPCOLESTR fileName, const AM_MEDIA_TYPE*) override {
    std::ifstream in(fileName);
    if (!in) return HRESULT_FROM_WIN32(ERROR_FILE_NOT_FOUND);
    const std::lock_guard lock(lock_);
    file_ = fileName;
    for (std::string line; std::getline(in, line);)
      if (!line.empty()) entries_.push_back(FromUtf8(line));
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetCurFile(LPOLESTR* fileName, AM_MEDIA_TYPE* type) override {
    if (!fileName) return E_POINTER;
    const std::lock_guard lock(lock_);
    const std::size_t bytes = (file_.size() + 1) * sizeof(wchar_t);
    *fileName = static_cast<LPOLESTR>(CoTaskMemAlloc(bytes));
    if (!*fileName) return E_OUTOFMEMORY;
    std::copy(file_.c_str(), file_.c_str() + file_.size() + 1, *fileName);
    if (type) *type = AM_MEDIA_TYPE{};
    return S_OK;
  }

  // IAMPlayList
  HRESULT STDMETHODCALLTYPE GetFlags(DWORD* flags) override {
    *flags = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetItemCount(DWORD* items) override {
    const std::lock_guard lock(lock_);
    *items = static_cast<DWORD>(entries_.size());
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetItem(DWORD item, IAMPlayListItem** entry) override {
    const std::lock_guard lock(lock_);
    if (item >= entries_.size()) return E_INVALIDARG;
    *entry = new PlayListEntry(entries_[item]);
    (*entry)->AddRef();
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetNamedEvent(WCHAR*, DWORD, IAMPlayListItem**, DWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetRepeatInfo(DWORD*, DWORD*, DWORD*) override { return E_NOTIMPL; }

private:
  LiveCount live_;
  std::mutex lock_;
  std::wstring file_;
  std::vector<std::wstring> entries_;
};

// --- the source of several streams

enum class StreamKind { Tone, UnknownAudio, UnknownMajorType };

struct StreamPlan {
  StreamKind kind;
  double hz = 440;
  int durationMs = 1000;
};

class PlannedStream final : public TXThreadedSourceStream {
public:
  PlannedStream(std::wstring_view name, TXSourceFilter& filter, const StreamPlan& plan)
      : TXThreadedSourceStream(name, filter), plan_(plan) {
    WAVEFORMATEX format{};
    format.wFormatTag = plan.kind == StreamKind::Tone ? WAVE_FORMAT_PCM : 0x7FFF;
    format.nChannels = 2;
    format.nSamplesPerSec = kRate;
    format.nBlockAlign = kFrameBytes;
    format.nAvgBytesPerSec = kRate * kFrameBytes;
    format.wBitsPerSample = 16;
    MediaType type;
    type.majortype = plan.kind == StreamKind::UnknownMajorType ? kUnknownMajorType : MEDIATYPE_Audio;
    type.subtype = plan.kind == StreamKind::Tone ? MEDIASUBTYPE_PCM : kUnknownSubtype;
    type.bFixedSizeSamples = TRUE;
    type.lSampleSize = kFrameBytes;
    type.SetFormat(FORMAT_WaveFormatEx, &format, sizeof format);
    SetMediaType(type);
  }

  HRESULT DecideBufferSize(IMemAllocator* allocator, ALLOCATOR_PROPERTIES& request) override {
    request.cBuffers = std::max(request.cBuffers, 4L);
    request.cbBuffer = std::max(request.cbBuffer, static_cast<long>(kRate / 20 * kFrameBytes));
    request.cbAlign = std::max(request.cbAlign, 1L);
    ALLOCATOR_PROPERTIES actual{};
    return allocator->SetProperties(&request, &actual);
  }

  HRESULT FillBuffer(IMediaSample* sample) override {
    const long long end = static_cast<long long>(plan_.durationMs) * kRate / 1000;
    if (plan_.kind != StreamKind::Tone || position_ >= end) return S_FALSE;
    BYTE* data = nullptr;
    if (const HRESULT hr = sample->GetPointer(&data); FAILED(hr)) return hr;
    const long long frames = std::min<long long>(sample->GetSize() / kFrameBytes, end - position_);
    auto* out = reinterpret_cast<std::int16_t*>(data);
    for (long long i = 0; i < frames; ++i) {
      const double phase = 2 * std::numbers::pi * plan_.hz * static_cast<double>(position_ + i) / kRate;
      out[2 * i] = out[2 * i + 1] = static_cast<std::int16_t>(std::lround(0.25 * 32767 * std::sin(phase)));
    }
    sample->SetActualDataLength(static_cast<long>(frames * kFrameBytes));
    REFERENCE_TIME start = position_ * kUnitsPerSecond / kRate;
    REFERENCE_TIME stop = (position_ + frames) * kUnitsPerSecond / kRate;
    sample->SetTime(&start, &stop);
    sample->SetSyncPoint(TRUE);
    position_ += frames;
    return S_OK;
  }

private:
  const StreamPlan plan_;
  long long position_ = 0;  // frames; the worker's own
};

enum class Seeking { Absolute, None, Extended };

class TestStreamsSource final : public TXBCRefCounted<TXSourceFilter>, public IAMExtendedSeeking {
public:
  TestStreamsSource(const CLSID& clsid, const std::vector<StreamPlan>& plans, Seeking seeking = Seeking::Absolute)
      : TXBCRefCounted(L"Test streams", clsid, nullptr), seeking_(seeking) {
    int number = 1;
    for (const StreamPlan& plan : plans) {
      AddStream(std::make_unique<PlannedStream>(L"Stream " + std::to_wstring(number++), *this, plan));
      durationMs_ = std::max(durationMs_, plan.durationMs);
    }
  }

  NV_XBC_IUNKNOWN
  HRESULT STDMETHODCALLTYPE NonDelegatingQueryInterface(REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    if (iid == __uuidof(IAMExtendedSeeking) && seeking_ == Seeking::Extended)
      return GetInterface(static_cast<IAMExtendedSeeking*>(this), object);
    return TXSourceFilter::NonDelegatingQueryInterface(iid, object);
  }

  HRESULT STDMETHODCALLTYPE GetCapabilities(DWORD* capabilities) override {
    if (seeking_ == Seeking::Absolute) return TXSourceFilter::GetCapabilities(capabilities);
    if (!capabilities) return E_POINTER;
    *capabilities = AM_SEEKING_CanGetDuration;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetDuration(LONGLONG* duration) override {
    if (!duration) return E_POINTER;
    *duration = static_cast<LONGLONG>(durationMs_) * kUnitsPerMs;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetPositions(LONGLONG* current, LONGLONG* stop) override {
    if (!current || !stop) return E_POINTER;
    *current = 0;
    return GetDuration(stop);
  }

  // IAMExtendedSeeking: only whether the source seeks.
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_ExSeekCapabilities(long* capabilities) override {
    if (!capabilities) return E_POINTER;
    *capabilities = 1;  // AM_EXSEEK_CANSEEK
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE get_MarkerCount(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_CurrentMarker(long*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMarkerTime(long, double*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMarkerName(long, BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE put_PlaybackSpeed(double) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_PlaybackSpeed(double*) override { return E_NOTIMPL; }

private:
  LiveCount live_;
  const Seeking seeking_;
  int durationMs_ = 0;
};

// --- registration

class FilterFactory final : public TestComObject<IClassFactory> {
public:
  explicit FilterFactory(std::function<ComPtr<IBaseFilter>()> make) : make_(std::move(make)) {}

  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* outer, REFIID iid, void** object) override {
    if (!object) return E_POINTER;
    *object = nullptr;
    if (outer) return CLASS_E_NOAGGREGATION;
    return make_()->QueryInterface(iid, object);
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }

private:
  std::function<ComPtr<IBaseFilter>()> make_;
};

template <class Make>
DWORD Register(const CLSID& clsid, Make make) {
  const ComPtr<FilterFactory> factory(new FilterFactory(make));
  DWORD cookie = 0;
  if (FAILED(CoRegisterClassObject(clsid, factory.Get(), CLSCTX_INPROC_SERVER, REGCLS_MULTIPLEUSE, &cookie)))
    throw std::runtime_error("cannot register a test source");
  return cookie;
}

ComPtr<IBaseFilter> Streams(const CLSID& clsid, const std::vector<StreamPlan>& plans,
                            Seeking seeking = Seeking::Absolute) {
  return ComPtr<IBaseFilter>(new TestStreamsSource(clsid, plans, seeking));
}

}  // namespace

RegisteredTestSources::RegisteredTestSources() {
  cookies_.push_back(Register(CLSID_TestRedirector, [] { return ComPtr<IBaseFilter>(new TestRedirector()); }));
  cookies_.push_back(Register(CLSID_TestTwoTones, [] {
    return Streams(CLSID_TestTwoTones,
                   {{StreamKind::Tone, 440}, {StreamKind::UnknownMajorType}, {StreamKind::Tone, 660}});
  }));
  cookies_.push_back(
      Register(CLSID_TestUndecodable, [] { return Streams(CLSID_TestUndecodable, {{StreamKind::UnknownAudio}}); }));
  cookies_.push_back(Register(CLSID_TestUnrenderable,
                              [] { return Streams(CLSID_TestUnrenderable, {{StreamKind::UnknownMajorType}}); }));
  cookies_.push_back(Register(CLSID_TestLiveTone, [] {
    return Streams(CLSID_TestLiveTone, {{StreamKind::Tone}}, Seeking::None);
  }));
  cookies_.push_back(Register(CLSID_TestExtendedSeeking, [] {
    return Streams(CLSID_TestExtendedSeeking, {{StreamKind::Tone}}, Seeking::Extended);
  }));
}

RegisteredTestSources::~RegisteredTestSources() {
  for (DWORD cookie : cookies_) CoRevokeClassObject(cookie);
}

int LiveTestSources() { return liveSources; }

void WriteRedirector(const std::wstring& path, const std::vector<std::string>& entries) {
  std::ofstream out(path.c_str(), std::ios::trunc);
  for (const std::string& entry : entries) out << entry << "\n";
}

}  // namespace nv::test
