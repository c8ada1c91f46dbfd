// Playlist files through the installed formats, saving items into a playlist file, the suggested file name for a
// list, and expanding the playlist inside a Windows Media redirector file.
#include <gtest/gtest.h>

#include "playlist/CommonTitle.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakeFormats;
using test::FakePlayer;
using test::InstalledFormats;
using test::NamesOf;
using test::TestEnvironment;

TEST(PlayListFiles, FormatsByExtension) {
  const struct {
    const char* path;
    TXPlayListFormat format;
  } cases[] = {
      {"C:\\a.PLS", TXPlayListFormat::pfPLS}, {"C:\\a.m3u", TXPlayListFormat::pfM3U},
      {"C:\\a.M3U8", TXPlayListFormat::pfM3U8}, {"C:\\a.cue", TXPlayListFormat::pfCUE},
      {"C:\\a.mp3", TXPlayListFormat::pfAuto}, {"C:\\m3u", TXPlayListFormat::pfAuto},
      {"C:\\x.pls\\a", TXPlayListFormat::pfAuto},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(PlayListFormatOf(c.path), c.format) << c.path;
    EXPECT_EQ(IsPlaylistFile(c.path), c.format != TXPlayListFormat::pfAuto) << c.path;
  }
}

TEST(PlayListFiles, LoadingThroughTheInstalledFormats) {
  TestEnvironment env;
  env.files.AddFile("C:\\list.m3u");
  env.files.AddFile("C:\\list.txt");
  FakeFormats formats;
  formats.contents["C:\\list.m3u"] = {"C:\\x.mp3", "C:\\y.mp3"};
  InstalledFormats installed(formats);
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddEntry("C:\\old.mp3");

  EXPECT_EQ(list.LoadFromFile("C:\\missing.m3u", true, true, true, TXPlayListFormat::pfAuto),
            TPlayListFileResult::pfrNoFile);
  EXPECT_EQ(list.LoadFromFile("C:\\list.txt", true, true, true, TXPlayListFormat::pfAuto),
            TPlayListFileResult::pfrUnknownFormat);
  EXPECT_EQ(NamesOf(list), std::vector<std::string>{"C:\\old.mp3"});
  EXPECT_TRUE(player.calls.empty()) << "nothing started";

  EXPECT_EQ(list.LoadFromFile("C:\\list.m3u", false, true, false, TXPlayListFormat::pfAuto),
            TPlayListFileResult::pfrDone);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\old.mp3", "C:\\x.mp3", "C:\\y.mp3"}));
  EXPECT_TRUE(list.FileName().empty());
  EXPECT_EQ(list.LoadFromFile("C:\\list.txt", true, true, true, TXPlayListFormat::pfPLS),
            TPlayListFileResult::pfrDone);
  EXPECT_EQ(list.FileName(), "C:\\list.txt");
  EXPECT_EQ(formats.calls, (std::vector<std::string>{"read C:\\list.m3u 1", "read C:\\list.txt 2 restore"}))
      << "the current entry is restored only when clearing";
  EXPECT_EQ(list.SaveToFile("C:\\out.m3u8", true, TXPlayListFormat::pfAuto), TPlayListFileResult::pfrDone);
  EXPECT_EQ(formats.calls.back(), "write C:\\out.m3u8 0 current");
}

TEST(PlayListFiles, SavingItemsAppendsUnlessReplacing) {
  TestEnvironment env;
  FakeFormats formats;
  InstalledFormats installed(formats);
  TXPlayList source(env.Get());
  source.AddEntry("C:\\a.mp3");
  source.AddEntry("C:\\b.mp3");
  const std::vector<const TXPlayListItem*> items = {&source.Items(0), &source.Items(1), &source.Items(0)};

  const TPlayListSave saved = SavePlaylistFile("C:\\saved.m3u", items, false, false, env.Get());
  EXPECT_EQ(saved.Result, TPlayListFileResult::pfrDone);
  EXPECT_TRUE(saved.Created);
  EXPECT_EQ(formats.contents["C:\\saved.m3u"], (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3"}));
  env.files.AddFile("C:\\saved.m3u");
  formats.contents["C:\\saved.m3u"] = {"C:\\b.mp3", "C:\\c.mp3"};
  EXPECT_FALSE(SavePlaylistFile("C:\\saved.m3u", items, false, false, env.Get()).Created);
  EXPECT_EQ(formats.contents["C:\\saved.m3u"], (std::vector<std::string>{"C:\\b.mp3", "C:\\c.mp3", "C:\\a.mp3"}))
      << "appended; entries already in the file are not added twice";
  EXPECT_TRUE(SavePlaylistFile("C:\\saved.m3u", items, true, true, env.Get()).Created);
  EXPECT_EQ(formats.contents["C:\\saved.m3u"], (std::vector<std::string>{"C:\\a.mp3", "C:\\b.mp3", "C:\\a.mp3"}));
}

TEST(PlayListTitles, CommonTitle) {
  struct Tags {
    const char* artist;
    const char* album;
  };
  const struct {
    std::vector<Tags> items;
    std::string expected;
  } cases[] = {
      {{{"AC/DC", "Back in Black"}, {"AC/DC", "Highway"}}, "AC-DC"},
      {{{"AC/DC", "Live"}, {"AC/DC", "Live"}}, "AC-DC - Live"},
      {{{nullptr, "Best of: \"1999\" *?"}, {nullptr, "Best of: \"1999\" *?"}}, "Best of-  1999    "},
      {{{nullptr, nullptr}, {"A", "B"}, {"A", "B"}}, "A - B"},
      {{{"A", "B"}, {nullptr, nullptr}}, ""},
      {{{"A", "B"}, {"a", "B"}}, "B"},
      {{{nullptr, nullptr}, {nullptr, nullptr}}, ""},
      {{}, ""},
  };
  for (const auto& c : cases) {
    TestEnvironment env;
    TXPlayList list(env.Get());
    std::vector<const TXPlayListItem*> items;
    for (const Tags& t : c.items) {
      TXPlayListItem* item = list.AddEntry("C:\\" + std::to_string(list.Count()) + ".mp3");
      if (t.artist) item->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText(t.artist));
      if (t.album) item->Info.SetValue(kAlbumAttribute, AttributeValue::AnsiText(t.album));
      items.push_back(item);
    }
    EXPECT_EQ(CommonTitle(items), c.expected);
  }
}

class FakeMediaPlayList final : public TMediaPlayList {
public:
  std::u16string title;
  std::vector<std::vector<std::u16string>> items;
  bool fail = false;
  int ItemCount() override { return static_cast<int>(items.size()); }
  int SourceCount(int item) override {
    if (fail) throw Exception("E_FAIL");
    return static_cast<int>(items[item].size());
  }
  std::u16string SourceURL(int item, int source) override { return items[item][source]; }
  std::u16string Title() override { return title; }
};

TEST(PlayListExpansion, ARedirectorGivesWayToItsEntries) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddEntry("C:\\before.mp3");
  TXPlayListItem* redirector = list.AddEntry("C:\\radio.asx");
  list.AddEntry("C:\\after.mp3");
  list.AddEntry("http://host/known");
  FakeMediaPlayList asx;
  asx.title = u"Radio \u0416";
  asx.items = {{u"http://host/one", u""}, {u"http://host/known", u"http://host/two"}};
  player.listChanges = 0;

  TXPlayListItem* result = list.ExpandMediaPlayList(redirector, asx);
  ASSERT_TRUE(result);
  EXPECT_EQ(result->FileName(), "http://host/one");
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\before.mp3", "http://host/one", "http://host/two",
                                                     "C:\\after.mp3", "http://host/known"}));
  EXPECT_EQ(result->Value(kTitleAttribute).ToUtf16(), u"Radio \u0416 (http://host/one)");
  EXPECT_TRUE(result->ASXRedirected);
  EXPECT_TRUE(list.Items(4).ASXRedirected) << "an entry already present is only marked";
  EXPECT_FALSE(list.Items(3).ASXRedirected);
  EXPECT_EQ(player.listChanges, 1);

  FakeMediaPlayList empty;
  EXPECT_EQ(list.ExpandMediaPlayList(&list.Items(0), empty), nullptr);
  EXPECT_EQ(list.Count(), 5);
  asx.fail = true;
  EXPECT_THROW(list.ExpandMediaPlayList(nullptr, asx), Exception);
  EXPECT_EQ(list.Count(), 5);
}

}  // namespace
}  // namespace nv
