// The Windows side of media information: the Windows Media Format runtime bound at run time (which Wine has
// without a metadata editor, so reading degrades to "no attributes"), reading a Windows Media header, and what a
// graph's filter offers to ReadFromGraph.
#include <gtest/gtest.h>

#include <qnetwork.h>
#include <cstring>
#include <wmsdk.h>

#include "metadata/WindowsMediaRuntime.h"
#include "metadata/XMMFileInfo.h"
#include "metadata/win/DirectShowMediaInfo.h"
#include "metadata/win/WMHeaderInfo.h"
#include "metadata/win/WindowsMediaRuntimeWin.h"
#include "tests/metadata/MediaFixtures.h"

namespace nv {
namespace {

TEST(WindowsMediaRuntime, UnderWineTheMetadataEditorIsNotImplementedSoNothingIsRead) {
  ASSERT_TRUE(WindowsMediaRuntimeAvailable()) << "Wine's WMVCORE.DLL has every entry point";
  Microsoft::WRL::ComPtr<IWMMetadataEditor> editor;
  EXPECT_EQ(CreateMetadataEditor(&editor), E_NOTIMPL);
  EXPECT_EQ(editor, nullptr);

  std::vector<WMAttribute> attributes(1);
  EXPECT_FALSE(platform::ReadWindowsMediaFile(test::FixturePath("wave.wav"), attributes));
  EXPECT_TRUE(attributes.empty());

  TXMMFileInfo info;
  info.LoadInfo(test::FixturePath("wave.wav"));
  EXPECT_TRUE(info.Loaded);
  ASSERT_EQ(info.Attributes.size(), 2u) << "the size and the title, nothing from the runtime";
  EXPECT_EQ(info.GetValue(kFileSizeAttribute), AttributeValue::Float(88244));
  EXPECT_EQ(info.GetValue(kTitleAttribute).ToUtf16(), u"wave");
}

// A Windows Media header with a few typed attributes, as the runtime would hand it out.
constexpr HRESULT kBufferTooSmall = HRESULT(0xC00D0BD3);  // ASF_E_BUFFERTOOSMALL

class FakeHeaderInfo final : public IWMHeaderInfo {
public:
  struct Attribute {
    std::wstring name;
    WMT_ATTR_DATATYPE type;
    std::vector<BYTE> value;
  };
  std::vector<Attribute> attributes;
  bool failOnSecondRead = false;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IWMHeaderInfo)) {
      *out = static_cast<IWMHeaderInfo*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }

  HRESULT STDMETHODCALLTYPE GetAttributeCount(WORD stream, WORD* count) override {
    *count = stream == 0 ? WORD(attributes.size()) : 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAttributeByIndex(WORD index, WORD* stream, WCHAR* name, WORD* nameLength,
                                                WMT_ATTR_DATATYPE* type, BYTE* value, WORD* length) override {
    if (index >= attributes.size() || *stream != 0) return E_INVALIDARG;
    if (failOnSecondRead && index == 1 && name) return E_FAIL;
    const Attribute& a = attributes[index];
    if (name) {
      if (*nameLength < a.name.size() + 1) return kBufferTooSmall;
      std::copy(a.name.c_str(), a.name.c_str() + a.name.size() + 1, name);
    }
    if (value) {
      if (*length < a.value.size()) return kBufferTooSmall;
      std::copy(a.value.begin(), a.value.end(), value);
    }
    *nameLength = WORD(a.name.size() + 1);
    *length = WORD(a.value.size());
    *type = a.type;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetAttributeByName(WORD*, LPCWSTR, WMT_ATTR_DATATYPE*, BYTE*, WORD*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE SetAttribute(WORD, LPCWSTR, WMT_ATTR_DATATYPE, const BYTE*, WORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE GetMarkerCount(WORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetMarker(WORD, WCHAR*, WORD*, QWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddMarker(LPCWSTR_WMSDK_TYPE_SAFE, QWORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE RemoveMarker(WORD) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScriptCount(WORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetScript(WORD, WCHAR*, WORD*, WCHAR*, WORD*, QWORD*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE AddScript(LPCWSTR_WMSDK_TYPE_SAFE, LPCWSTR_WMSDK_TYPE_SAFE, QWORD) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE RemoveScript(WORD) override { return E_NOTIMPL; }
};

template <class T>
std::vector<BYTE> Raw(T value) {
  std::vector<BYTE> bytes(sizeof value);
  std::memcpy(bytes.data(), &value, sizeof value);
  return bytes;
}

std::vector<BYTE> WideString(std::wstring_view text) {
  std::vector<BYTE> bytes((text.size() + 1) * 2, 0);
  std::memcpy(bytes.data(), text.data(), text.size() * 2);
  return bytes;
}

FakeHeaderInfo SampleHeader() {
  FakeHeaderInfo header;
  const GUID guid = {0x00112233, 0x4455, 0x6677, {0x88, 0x99, 0xAA, 0xBB, 0xCC, 0xDD, 0xEE, 0xFF}};
  header.attributes = {
      {L"Title", WMT_TYPE_STRING, WideString(L"Wide \u0416 Title")},
      {L"WM/Track", WMT_TYPE_DWORD, Raw<DWORD>(7)},
      {L"WM/Rating", WMT_TYPE_WORD, Raw<WORD>(3)},
      {L"Duration", WMT_TYPE_QWORD, Raw<QWORD>(2100000000)},
      {L"IsVBR", WMT_TYPE_BOOL, Raw<BOOL>(TRUE)},
      {L"WM/MediaClassPrimaryID", WMT_TYPE_GUID, Raw(guid)},
      {L"WM/Picture", WMT_TYPE_BINARY, std::vector<BYTE>(40, 0x55)},
      {L"Author", WMT_TYPE_STRING, WideString(L"")},
  };
  return header;
}

TEST(WindowsMediaHeader, EveryAttributeIsReadWithItsType) {
  FakeHeaderInfo header = SampleHeader();
  std::vector<WMAttribute> read;
  ASSERT_TRUE(ReadHeaderInfo(&header, read));
  ASSERT_EQ(read.size(), 8u);
  const TXHeaderAttributes attributes = ConvertWindowsMediaAttributes(read);
  ASSERT_EQ(attributes.size(), 6u);
  EXPECT_EQ(GetValue(attributes, "Title"), AttributeValue::WideText(u"Wide \u0416 Title"));
  EXPECT_EQ(GetValue(attributes, "WM/Track"), AttributeValue::Integer(7));
  EXPECT_EQ(GetValue(attributes, "WM/Rating"), AttributeValue::Integer(3));
  EXPECT_EQ(GetValue(attributes, "Duration"), AttributeValue::Float(210000));
  EXPECT_EQ(GetValue(attributes, "IsVBR"), AttributeValue::Boolean(true));
  EXPECT_EQ(GetValue(attributes, "WM/MediaClassPrimaryID"),
            AttributeValue::WideText(u"{00112233-4455-6677-8899-AABBCCDDEEFF}"));
}

TEST(WindowsMediaHeader, AFailingCallLeavesNothing) {
  FakeHeaderInfo header = SampleHeader();
  header.failOnSecondRead = true;
  std::vector<WMAttribute> read;
  EXPECT_FALSE(ReadHeaderInfo(&header, read));
  EXPECT_TRUE(read.empty());
  EXPECT_FALSE(ReadHeaderInfo(nullptr, read));
}

// A source filter that tells title, author and description.
class FakeMediaContent final : public IAMMediaContent {
public:
  const wchar_t *title = L"", *author = L"", *description = L"";

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** out) override {
    if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAMMediaContent)) {
      *out = static_cast<IAMMediaContent*>(this);
      return S_OK;
    }
    *out = nullptr;
    return E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*, UINT*) override {
    return E_NOTIMPL;
  }
  HRESULT STDMETHODCALLTYPE get_AuthorName(BSTR* out) override { return Give(author, out); }
  HRESULT STDMETHODCALLTYPE get_Title(BSTR* out) override { return Give(title, out); }
  HRESULT STDMETHODCALLTYPE get_Rating(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_Description(BSTR* out) override { return Give(description, out); }
  HRESULT STDMETHODCALLTYPE get_Copyright(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_BaseURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LogoURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_LogoIconURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_WatermarkURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MoreInfoURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MoreInfoBannerImage(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MoreInfoBannerURL(BSTR*) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE get_MoreInfoText(BSTR*) override { return E_NOTIMPL; }

private:
  static HRESULT Give(const wchar_t* text, BSTR* out) {
    if (!*text) return E_FAIL;  // as filters do for what they do not know
    *out = SysAllocString(text);
    return S_OK;
  }
};

TEST(DirectShowMediaInfo, AsksTheFilterForWhatItOffers) {
  FakeHeaderInfo header = SampleHeader();
  TDirectShowMediaInfo fromHeader(&header);
  ASSERT_TRUE(fromHeader.HeaderAttributes());
  EXPECT_EQ(fromHeader.HeaderAttributes()->size(), 8u);
  EXPECT_FALSE(fromHeader.MediaContent());

  FakeMediaContent content;
  content.title = L"Stream \u0416";
  content.description = L"About";
  TDirectShowMediaInfo fromContent(&content);
  EXPECT_FALSE(fromContent.HeaderAttributes());
  ASSERT_TRUE(fromContent.MediaContent());
  EXPECT_EQ(fromContent.MediaContent()->Title, u"Stream \u0416");
  EXPECT_EQ(fromContent.MediaContent()->AuthorName, u"");
  EXPECT_EQ(fromContent.MediaContent()->Description, u"About");

  TDirectShowMediaInfo nothing(nullptr);
  EXPECT_FALSE(nothing.HeaderAttributes());
  EXPECT_FALSE(nothing.MediaContent());
}

TEST(DirectShowMediaInfo, AStreamTakesItsTitleFromTheGraph) {
  FakeMediaContent content;
  content.title = L"Now Playing";
  content.author = L"Station";
  TXMMFileInfo info;
  info.LoadInfo("http://radio.example/live");
  TDirectShowMediaInfo graph(&content);
  EXPECT_TRUE(info.ReadFromGraph("http://radio.example/live", &graph));
  EXPECT_EQ(info.GetValue(kTitleAttribute).ToUtf16(), u"Now Playing");
  EXPECT_EQ(info.GetValue(kAuthorAttribute).ToUtf16(), u"Station");
  EXPECT_FALSE(info.ReadFromGraph("http://radio.example/live", &graph)) << "told the same again";
}

}  // namespace
}  // namespace nv
