// The media information record: attributes by name and field number, kinds, default titles, and how loading
// merges what a file says about itself with what the record holds.
#include <gtest/gtest.h>

#include "metadata/CDTrackInfo.h"
#include "metadata/MediaFileReading.h"
#include "metadata/MediaPaths.h"
#include "metadata/XMMFileInfo.h"
#include "support/Errors.h"
#include "tests/metadata/MediaFixtures.h"

namespace nv {
namespace {

using test::FixturePath;

std::u16string TextOf(const AttributeValue& v) { return v.ToUtf16(); }

TEST(XMMFileInfo, StartsUnloadedWithoutAttributes) {
  const TXMMFileInfo info;
  EXPECT_FALSE(info.Loaded);
  EXPECT_EQ(info.Kind, TMediaKind::mkUnknown);
  EXPECT_TRUE(info.Attributes.empty());
  EXPECT_TRUE(info.GetValue(kTitleAttribute).IsNull());
  EXPECT_LE(sizeof(TXMMFileInfo), 32u) << "a playlist holds 100,000 of them";
}

TEST(XMMFileInfo, AttributesAreUniqueByNameWithoutRegardToCase) {
  TXMMFileInfo info;
  info.SetValue(kTitleAttribute, AttributeValue::AnsiText("One"));
  info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Artist"));
  info.SetValue(AttributeName::Intern("TITLE"), AttributeValue::AnsiText("Two"));
  info.SetValue(AttributeName::Intern("WM/Composer"), AttributeValue::WideText(u"Someone"));
  ASSERT_EQ(info.Attributes.size(), 3u);
  EXPECT_EQ(info.Attributes[0].Name.Text(), "Title") << "replaced where it was, under its first spelling";
  EXPECT_EQ(TextOf(info.GetValue("title")), u"Two");
  EXPECT_EQ(info.IndexOfName("wm/composer"), 2);
  EXPECT_EQ(info.IndexOfName("Missing"), -1);
  EXPECT_EQ(TextOf(info.GetField(1)), u"Two");
  EXPECT_EQ(TextOf(info.GetField(3)), u"Artist");
  EXPECT_TRUE(info.GetField(0).IsNull());
  EXPECT_TRUE(info.GetField(10).IsNull());
  EXPECT_TRUE(info.GetField(-1).IsNull());
}

TEST(XMMFileInfo, TheFieldTableNumbersTheAttributes) {
  const char* names[kFieldCount] = {"WM/Track", "Title",       "WM/AlbumTitle", "Author",      "WM/Year",
                                    "WM/Genre", "Duration",    "Bitrate",       "Description", "NV_FileSize"};
  for (int i = 0; i < kFieldCount; ++i) EXPECT_EQ(kFieldNames[i].Text(), names[i]) << i;
}

TEST(XMMFileInfo, KindIsDetectedOnce) {
  struct {
    std::string path;
    TMediaKind kind;
  } cases[] = {
      {"http://example.org/stream", TMediaKind::mkURL},
      {"mms://host/a.asf", TMediaKind::mkURL},
      {"://no-scheme", TMediaKind::mkLocal},
      {FixturePath("vorbis.ogg"), TMediaKind::mkLocal},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    TXMMFileInfo info;
    info.DetectKind(c.path);
    EXPECT_EQ(info.Kind, c.kind);
    info.DetectKind("http://changed/");
    EXPECT_EQ(info.Kind, c.kind) << "only an undetermined kind is set";
  }
}

TEST(XMMFileInfo, TheDefaultTitleIsTheFileNameOrTheWholeURL) {
  struct {
    const char* entry;
    std::u16string title;
  } cases[] = {
      {"C:\\Music\\Song.Name.mp3", u"Song.Name"},
      {"C:\\Music.d\\Song", u"Song"},
      {"D:Song.ogg", u"Song"},
      {"\\\\server\\share\\Track.wma", u"Track"},
      {"C:/Music/Forward.mp3", u"Forward"},
      {"http://example.org/radio.mp3?x=1", u"http://example.org/radio.mp3?x=1"},
      {"\x01" "C:\\\xD0\x9C\xD1\x83\xD0\xB7\xD1\x8B\xD0\xBA\xD0\xB0.mp3", u"\u041C\u0443\u0437\u044B\u043A\u0430"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    TXMMFileInfo info;
    info.InitFromName(c.entry);
    EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), c.title);
    info.EnsureTitle("C:\\Other.mp3");
    EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), c.title) << "a title that is there stays";
  }
}

TEST(XMMFileInfo, TheExtensionChoosesTheReader) {
  struct {
    const char16_t* path;
    TMediaFileFormat format;
  } cases[] = {
      {u"C:\\Music\\A.MP3", TMediaFileFormat::mfMPEGaudio},
      {u"C:\\Music\\Layer II.mp2", TMediaFileFormat::mfMPEGaudio},
      {u"C:\\Music\\Layer II.MPA", TMediaFileFormat::mfMPEGaudio},
      {u"/music/b.Ogg", TMediaFileFormat::mfOggVorbis},
      {u"C:\\Music\\c.mp3.wma", TMediaFileFormat::mfWindowsMedia},
      {u"C:\\Music.mp3\\track", TMediaFileFormat::mfWindowsMedia},
      {u"C:\\Music\\mp3", TMediaFileFormat::mfWindowsMedia},
  };
  for (const auto& c : cases)
    EXPECT_EQ(MediaFileFormatOf(c.path), c.format) << ::testing::PrintToString(std::u16string(c.path));
}

TEST(XMMFileInfo, ClearKeepsOnlyASubRangesAttributes) {
  TXMMFileInfo plain, range;
  for (TXMMFileInfo* info : {&plain, &range}) {
    info->InitFromName("C:\\a.mp3");
    info->Loaded = true;
  }
  range.SetValue(kStartTimeAttribute, AttributeValue::Integer(60000));
  plain.Clear();
  range.Clear();
  EXPECT_FALSE(plain.Loaded);
  EXPECT_EQ(plain.Kind, TMediaKind::mkUnknown);
  EXPECT_TRUE(plain.Attributes.empty());
  EXPECT_FALSE(range.Loaded);
  EXPECT_EQ(range.Attributes.size(), 2u);
}

TEST(XMMFileInfo, AssignCopiesEverything) {
  TXMMFileInfo a, b;
  a.InitFromName("http://host/x");
  a.Loaded = true;
  a.SetValue(kAuthorAttribute, AttributeValue::WideText(u"Shared"));
  b.Assign(a);
  a.SetValue(kAuthorAttribute, AttributeValue::WideText(u"Changed"));
  EXPECT_TRUE(b.Loaded);
  EXPECT_EQ(b.Kind, TMediaKind::mkURL);
  EXPECT_EQ(TextOf(b.GetValue(kAuthorAttribute)), u"Shared");
}

TEST(XMMFileInfo, LoadingAFileReplacesWhatThePlaylistGave) {
  TXMMFileInfo info;
  info.InitFromName(FixturePath("id3v23_encodings.mp3"));
  info.SetValue(kTitleAttribute, AttributeValue::AnsiText("From The Playlist"));
  info.SetValue(kDurationAttribute, AttributeValue::Integer(1000));
  info.LoadInfo(FixturePath("id3v23_encodings.mp3"));
  EXPECT_TRUE(info.Loaded);
  EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), u"Caf\u00E9 Latin-1");
  EXPECT_EQ(info.GetValue(kTitleAttribute).GetType(), AttributeValue::Type::WideText);
  EXPECT_EQ(info.GetValue(kTrackAttribute), AttributeValue::Integer(3));
  EXPECT_EQ(info.GetValue(kBitrateAttribute), AttributeValue::Integer(128000));
  EXPECT_EQ(info.GetValue(kDurationAttribute).GetType(), AttributeValue::Type::Float);
  EXPECT_NEAR(*info.GetValue(kDurationAttribute).ToNumber(), 3030, 30);
  EXPECT_EQ(info.GetValue(kFileSizeAttribute), AttributeValue::Float(49014));

  // Tags without a title: the playlist's title is gone, the file name comes back.
  TXMMFileInfo untitled;
  untitled.SetValue(kTitleAttribute, AttributeValue::AnsiText("From The Playlist"));
  untitled.LoadInfo(FixturePath("Song.Name.mp3"));
  EXPECT_EQ(TextOf(untitled.GetValue(kTitleAttribute)), u"Song.Name");
}

TEST(XMMFileInfo, TextComesFromOneTagOnly) {
  TXMMFileInfo both, v1;
  both.LoadInfo(FixturePath("both_tags.mp3"));
  EXPECT_EQ(TextOf(both.GetValue(kTitleAttribute)), u"From Version Two");
  EXPECT_TRUE(both.GetValue(kAuthorAttribute).IsNull()) << "nothing from the ID3v1 tag";
  v1.LoadInfo(FixturePath("id3v1_only.mp3"));
  EXPECT_EQ(v1.GetValue(kTitleAttribute), AttributeValue::AnsiText("Title One"));
  EXPECT_TRUE(v1.GetValue(kGenreAttribute).IsNull()) << "the ID3v1 genre is not shown";
}

TEST(XMMFileInfo, ASubRangeKeepsItsAttributes) {
  TXMMFileInfo track;
  track.SetValue(kTitleAttribute, AttributeValue::AnsiText("CUE Title"));
  track.SetValue(kAuthorAttribute, AttributeValue::AnsiText("CUE Performer"));
  track.SetValue(kStartTimeAttribute, AttributeValue::Integer(120000));
  track.LoadInfo(FixturePath("id3v23_encodings.mp3"));
  EXPECT_TRUE(track.Loaded);
  EXPECT_EQ(TextOf(track.GetValue(kTitleAttribute)), u"CUE Title");
  EXPECT_EQ(TextOf(track.GetValue(kAuthorAttribute)), u"CUE Performer");
  EXPECT_EQ(track.GetValue(kFileSizeAttribute), AttributeValue::Float(49014)) << "its size is still set";
}

TEST(XMMFileInfo, WhatCannotBeReadLeavesTheNameAndTheSize) {
  struct {
    const char* what;
    std::string path;
    double size;
  } cases[] = {
      {"a missing file", FixturePath("missing.mp3"), 0},
      {"too short for tags", FixturePath("tiny.mp3"), 100},
      {"another format (there is no Windows Media runtime, or it cannot read it)", FixturePath("wave.wav"), 88244},
      {"an Ogg stream that is not Vorbis", FixturePath("opus_stream.ogg"), 247},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TXMMFileInfo info;
    info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Kept"));
    info.LoadInfo(c.path);
    EXPECT_TRUE(info.Loaded);
    EXPECT_EQ(info.Attributes.size(), 3u);
    EXPECT_EQ(TextOf(info.GetValue(kAuthorAttribute)), u"Kept");
    EXPECT_EQ(info.GetValue(kFileSizeAttribute), AttributeValue::Float(c.size));
    EXPECT_FALSE(info.GetValue(kTitleAttribute).IsNull());
  }
}

TEST(XMMFileInfo, AnMP3WithoutFramesShowsNoTagsAndNoLength) {
  TXMMFileInfo info;
  info.LoadInfo(FixturePath("no_frames.mp3"));
  EXPECT_EQ(info.GetValue(kDurationAttribute), AttributeValue::Float(0));
  EXPECT_EQ(info.GetValue(kBitrateAttribute), AttributeValue::Integer(0));
  EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), u"no_frames");
}

TEST(XMMFileInfo, ABadVorbisCommentRaisesOnlyWhereSomeoneCanBeTold) {
  const std::string path = FixturePath("vorbis_bad_utf8.ogg");
  TXMMFileInfo info;
  EXPECT_THROW(info.LoadInfo(path), EConvertError);
  EXPECT_FALSE(info.Loaded);
  // While the item plays, its graph asks for the information of an item not read yet: that fails quietly.
  EXPECT_TRUE(info.ReadFromGraph(path, nullptr));
  EXPECT_TRUE(info.Loaded);
  EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), u"vorbis_bad_utf8");
}

TEST(XMMFileInfo, AURLIsNotReadButMergesWhatItIsGiven) {
  TXMMFileInfo info;
  info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Station"));
  info.LoadInfo("http://example.org/live");
  EXPECT_TRUE(info.Loaded);
  EXPECT_EQ(info.Kind, TMediaKind::mkURL);
  EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), u"http://example.org/live");
  EXPECT_EQ(TextOf(info.GetValue(kAuthorAttribute)), u"Station");
  EXPECT_FALSE(info.HasValue(kFileSizeAttribute));
}

class FakeCDTrackLoader final : public TCDTrackInfoLoader {
public:
  bool handles = true;
  int calls = 0;
  bool LoadTrackInfo(TXMMFileInfo& info, std::string_view) override {
    ++calls;
    if (handles) info.SetValue(kTitleAttribute, AttributeValue::AnsiText("Track from the disc"));
    return handles;
  }
};

TEST(XMMFileInfo, CDTracksGoToTheCDLoader) {
  FakeCDTrackLoader loader;
  SetCDTrackInfoLoader(&loader);
  struct {
    const char* what;
    const char* path;
    TMediaKind kind;
    bool handles;
    int calls;
    const char16_t* title;
  } cases[] = {
      {"a virtual track path", "D:\\Track01.<cda>", TMediaKind::mkCDROM, true, 1, u"Track from the disc"},
      {"a track file", "D:\\Track02.CDA", TMediaKind::mkCDROM, true, 1, u"Track from the disc"},
      {"a disc that cannot be read loads as a file", "D:\\Track03.cda", TMediaKind::mkCDROM, false, 1, u"Track03"},
      {"an MP3 on a CD", "D:\\Song.mp3", TMediaKind::mkCDROM, true, 0, u"Song"},
      {"a track path on another drive", "C:\\Track01.cda", TMediaKind::mkLocal, true, 0, u"Track01"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    loader.handles = c.handles;
    loader.calls = 0;
    TXMMFileInfo info;
    info.Kind = c.kind;
    info.LoadInfo(c.path);
    EXPECT_EQ(loader.calls, c.calls);
    EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), c.title);
  }
  SetCDTrackInfoLoader(nullptr);
  TXMMFileInfo withoutLoader;
  withoutLoader.Kind = TMediaKind::mkCDROM;
  withoutLoader.LoadInfo("D:\\Track01.<cda>");
  EXPECT_EQ(TextOf(withoutLoader.GetValue(kTitleAttribute)), u"Track01");
  EXPECT_TRUE(withoutLoader.Loaded);
}

// What a built graph offers, as the test says.
class FakeGraphInfo final : public TGraphMediaInfo {
public:
  std::optional<std::vector<WMAttribute>> header;
  std::optional<TMediaContent> content;
  std::optional<std::vector<WMAttribute>> HeaderAttributes() override { return header; }
  std::optional<TMediaContent> MediaContent() override { return content; }
};

WMAttribute Text(const char16_t* name, const char16_t* value) {
  return {.Name = name, .Type = WMAttributeType::String, .Text = value};
}

TEST(XMMFileInfo, ReadFromGraphMergesWhatTheGraphOffers) {
  const std::string file = FixturePath("id3v23_fallbacks.mp3");
  const std::vector<WMAttribute> many = {Text(u"Title", u"Graph Title"), Text(u"Author", u"Graph Author"),
                                         Text(u"WM/AlbumTitle", u"A"), Text(u"WM/Genre", u"G"),
                                         Text(u"WM/Year", u"1999"), Text(u"WM/Composer", u"C"),
                                         Text(u"Copyright", u"(c)"), Text(u"WM/Publisher", u"P"),
                                         Text(u"WM/Conductor", u"X"), Text(u"WM/Mood", u"Y")};
  struct {
    const char* what;
    std::string path;
    bool loaded;
    std::optional<std::vector<WMAttribute>> header;
    std::optional<TMediaContent> content;
    bool changed;
    const char16_t* title;
  } cases[] = {
      {"a header with more attributes replaces them", file, true, many, std::nullopt, true, u"Graph Title"},
      {"a header without a title: the file name", file, true,
       std::vector<WMAttribute>(many.begin() + 1, many.end()), std::nullopt, true, u"id3v23_fallbacks"},
      {"a header with fewer leaves the record", file, true, std::vector<WMAttribute>{Text(u"Title", u"T")},
       std::nullopt, false, u"Group Title"},
      {"nothing offered, already loaded", file, true, std::nullopt, std::nullopt, false, u"Group Title"},
      {"nothing offered, not loaded: the file is loaded", file, false, std::nullopt, std::nullopt, true,
       u"Group Title"},
      {"media content is three attributes at most", file, true, many, TMediaContent{u"Content", u"", u"Desc"}, false,
       u"Group Title"},
      {"a stream merges what it is told", "http://radio/", true, std::nullopt,
       TMediaContent{u"Now Playing", u"DJ", u""}, true, u"Now Playing"},
      {"and it is no change when it is told the same", "http://radio/", true, std::nullopt,
       TMediaContent{u"http://radio/", u"", u""}, false, u"http://radio/"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TXMMFileInfo info;
    info.LoadInfo(c.path);
    info.Loaded = c.loaded;
    FakeGraphInfo graph;
    graph.header = c.header;
    graph.content = c.content;
    EXPECT_EQ(info.ReadFromGraph(c.path, &graph), c.changed);
    EXPECT_TRUE(info.Loaded);
    EXPECT_EQ(TextOf(info.GetValue(kTitleAttribute)), c.title);
    EXPECT_EQ(info.HasValue(kFileSizeAttribute), !HasUrlScheme(c.path));
  }
}

TEST(XMMFileInfo, ReadFromGraphLeavesASubRangeAlone) {
  TXMMFileInfo track;
  track.SetValue(kTitleAttribute, AttributeValue::AnsiText("CUE Title"));
  track.SetValue(kEndTimeAttribute, AttributeValue::Integer(60000));
  track.Loaded = true;
  FakeGraphInfo graph;
  graph.header = std::vector<WMAttribute>{Text(u"Title", u"A"), Text(u"Author", u"B"), Text(u"WM/Genre", u"C")};
  track.ReadFromGraph(FixturePath("vorbis.ogg"), &graph);
  EXPECT_EQ(TextOf(track.GetValue(kTitleAttribute)), u"CUE Title");
  EXPECT_EQ(track.Attributes.size(), 2u);
}

TEST(XMMFileInfo, ReadFromGraphReloadsACDTrackWhoseDiscIsGone) {
  // No volume has this serial number (natively none has one at all), so the disc counts as changed.
  TXMMFileInfo track;
  track.SetValue(kCDSerialNoAttribute, AttributeValue::Integer(0x1234ABCD));
  track.SetValue(kTitleAttribute, AttributeValue::AnsiText("Old Disc"));
  track.Loaded = true;
  EXPECT_TRUE(track.ReadFromGraph(FixturePath("vorbis.ogg"), nullptr));
  EXPECT_FALSE(track.HasValue(kCDSerialNoAttribute));
  EXPECT_EQ(TextOf(track.GetValue(kTitleAttribute)), u"Ogg Title");
}

}  // namespace
}  // namespace nv
