// Adding entries and finding them again: the entry syntax with sub-ranges, the duplicate rules, what a path is
// taken for, text and dropped names, items of other lists, and lookups through the name index.
#include <gtest/gtest.h>

#include <cmath>

#include "playlist/XPlayList.h"
#include "support/Errors.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::NamesOf;
using test::TestEnvironment;

std::u16string Title(const TXPlayListItem& item) { return item.Value(kTitleAttribute).ToUtf16(); }

TEST(PlayListEntries, EntrySyntaxAndSubRanges) {
  struct {
    const char* entry;
    bool added;
    const char* fileName;
    std::optional<std::int64_t> start, end;
    std::u16string title;
  } cases[] = {
      {"C:\\Music\\song.mp3<1000,2000>", true, "C:\\Music\\song.mp3", 1000, 2000, u"song"},
      {"C:\\Music\\song.mp3<1000>", true, "C:\\Music\\song.mp3", 1000, std::nullopt, u"song"},
      {"C:\\Music\\song.mp3<0,0>", true, "C:\\Music\\song.mp3", 0, std::nullopt, u"song"},
      {"C:\\Music\\song.mp3<1x>", false},
      {"C:\\Music\\song.mp3<1000,>", false},
      {"C:\\Music\\song.mp3<,2000>", false},
      {"C:\\Music\\song.mp3<1.5>", false},
      {"D:\\Track01.<cda>", true, "D:\\Track01.<cda>", std::nullopt, std::nullopt, u"Track01"},
      {"d:\\track02.<CDA>", true, "d:\\track02.<CDA>", std::nullopt, std::nullopt, u"track02"},
      {"http://radio.example/stream", true, "http://radio.example/stream", std::nullopt, std::nullopt,
       u"http://radio.example/stream"},
      {"", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.entry);
    TestEnvironment env;
    TXPlayList list(env.Get());
    TXPlayListItem* item = list.AddEntry(c.entry);
    ASSERT_EQ(item != nullptr, c.added);
    EXPECT_EQ(list.Count(), c.added ? 1 : 0);
    if (!item) continue;
    EXPECT_EQ(item->FileName(), c.fileName);
    EXPECT_EQ(item->IsSubRange(), c.start.has_value());
    if (c.start) EXPECT_EQ(item->StartTime(), *c.start);
    EXPECT_EQ(item->EndTime(), c.end);
    EXPECT_EQ(Title(*item), c.title);
    EXPECT_FALSE(item->Info.Loaded) << "tags are read later, in the background";
  }
}

TEST(PlayListEntries, TitleAndDurationGivenByAReader) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  TXPlayListItem* item = list.AddEntry("C:\\a.mp3", "\x01\xD0\x9F\xD0\xB5\xD1\x81\xD0\xBD\xD1\x8F", false, 215000);
  ASSERT_TRUE(item);
  EXPECT_EQ(Title(*item), u"\u041F\u0435\u0441\u043D\u044F");
  EXPECT_EQ(item->Value(kDurationAttribute).ToNumber(), 215000);
}

TEST(PlayListEntries, DuplicatesAreRefusedUnlessAllowedOrForced) {
  struct Step {
    const char* entry;
    bool force;
    bool added;
  };
  const struct {
    const char* name;
    TXPlayListOptions options;
    std::vector<Step> steps;
  } cases[] = {
      {"same path twice", kDefaultPlayListOptions,
       {{"C:\\a.mp3", false, true}, {"c:\\A.MP3", false, false}, {"C:\\a.mp3", true, true}}},
      {"duplicates allowed", ploAllowDuplicates, {{"C:\\a.mp3", false, true}, {"C:\\a.mp3", false, true}}},
      {"two ranges of one file", kDefaultPlayListOptions,
       {{"C:\\cd.flac<0,1000>", false, true}, {"C:\\cd.flac<1000,2000>", false, true},
        {"C:\\cd.flac<1000,2000>", false, false}}},
      {"a range inside a whole-file item counts as present", kDefaultPlayListOptions,
       {{"C:\\cd.flac", false, true}, {"C:\\cd.flac<5000,6000>", false, false}}},
      {"a range inside an open range", kDefaultPlayListOptions,
       {{"C:\\cd.flac<1000>", false, true}, {"C:\\cd.flac<2000,3000>", false, false},
        {"C:\\cd.flac<500,3000>", false, true}}},
      {"a closed range does not hold an open one", kDefaultPlayListOptions,
       {{"C:\\cd.flac<0,9000>", false, true}, {"C:\\cd.flac<1000>", false, true}}},
      {"a plain entry is refused when any range of its file is present", kDefaultPlayListOptions,
       {{"C:\\cd.flac<0,9000>", false, true}, {"C:\\cd.flac", false, false}}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    TestEnvironment env;
    TXPlayList list(env.Get());
    list.SetOptions(c.options);
    for (const Step& s : c.steps) EXPECT_EQ(list.AddEntry(s.entry, {}, s.force) != nullptr, s.added) << s.entry;
  }
}

TEST(PlayListEntries, PathsAreTakenForWhatTheyAre) {
  TestEnvironment env;
  env.files.AddFile("C:\\Music\\a.mp3");
  env.files.AddFile("C:\\Music\\notes.txt");
  env.files.AddFile("C:\\Music\\list.m3u");
  env.files.AddFile("C:\\Music\\Sub\\b.mp3");
  test::FakeFormats formats;
  formats.contents["C:\\Music\\list.m3u"] = {"C:\\x.mp3", "C:\\y.mp3"};
  test::InstalledFormats installed(formats);
  test::FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const char* path : {"C:\\Music\\a.mp3", "C:\\Music\\notes.txt", "C:\\Music\\list.m3u", "C:\\Missing.mp3",
                           "E:\\Track03.cda", "mms://host/live", "C:\\Music\\Sub"})
    list.AddPath(path);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{"C:\\Music\\a.mp3", "C:\\Music\\notes.txt", "C:\\x.mp3",
                                                     "C:\\y.mp3", "E:\\Track03.cda", "mms://host/live",
                                                     "C:\\Music\\Sub\\b.mp3"}))
      << "any file, whatever its extension; a playlist's entries; a CD track; a URL; a folder's media";
  EXPECT_EQ(formats.calls, std::vector<std::string>{"read C:\\Music\\list.m3u 1"}) << "never restoring a current entry";
}

TEST(PlayListEntries, WithoutPlaylistFormatsAPlaylistFileAddsNothing) {
  TestEnvironment env;
  env.files.AddFile("C:\\list.pls");
  TXPlayList list(env.Get());
  list.AddPath("C:\\list.pls");
  EXPECT_EQ(list.Count(), 0);
  EXPECT_EQ(list.LoadFromFile("C:\\list.pls", true, true, false, TXPlayListFormat::pfAuto),
            TPlayListFileResult::pfrNoFormats);
  EXPECT_EQ(list.SaveToFile("C:\\out.m3u", false, TXPlayListFormat::pfAuto), TPlayListFileResult::pfrNoFormats);
}

TEST(PlayListEntries, TextIsSplitIntoLines) {
  TestEnvironment env;
  for (const char* f : {"C:\\a.mp3", "C:\\b c.mp3", "C:\\d.mp3", "C:\\\xC9t\xE9.mp3"}) env.files.AddFile(f);
  const std::string zhe = Utf16ToMarked(u"C:\\\u0416.mp3");
  env.files.AddFile(zhe);
  TXPlayList list(env.Get());
  list.AddText("  \r\n \t", false, false);
  EXPECT_EQ(list.Count(), 0);
  list.AddText("C:\\a.mp3\r\n\"C:\\b c.mp3\"\n\n  C:\\d.mp3  \rC:\\\xC9t\xE9.mp3", false, false);
  EXPECT_EQ(NamesOf(list),
            (std::vector<std::string>{"C:\\a.mp3", "C:\\b c.mp3", "C:\\d.mp3", "C:\\\xC9t\xE9.mp3"}));
  // A marked text: each line is marked (or not) on its own.
  list.AddText("\x01\x43:\\\xD0\x96.mp3\nC:\\a.mp3", true, false);
  EXPECT_EQ(NamesOf(list), (std::vector<std::string>{zhe, "C:\\a.mp3"}));
}

TEST(PlayListEntries, BulkAddingNotifiesOnceAndStartsTheCurrentItem) {
  TestEnvironment env;
  for (const std::string& f : test::MusicFiles(3)) env.files.AddFile(f);
  test::FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddFiles(test::MusicFiles(3), false, true);
  EXPECT_EQ(player.listChanges, 1);
  EXPECT_EQ(player.calls, std::vector<std::string>{"open C:\\Music\\a.mp3 play normal"});
  player.calls.clear();
  player.listChanges = 0;
  list.AddFiles({}, true, true);
  EXPECT_EQ(list.Count(), 3) << "an empty list of files does nothing at all, not even clear";
  EXPECT_EQ(player.listChanges, 0);
  list.AddDropFiles({}, true, false);
  EXPECT_EQ(list.Count(), 0) << "a drop of nothing still clears when asked";
}

TEST(PlayListEntries, AddItemCopiesTheItemAndItsAlternatives) {
  TestEnvironment env;
  TXPlayList source(env.Get()), target(env.Get());
  TXPlayListItem* station = source.AddEntry("http://radio.example/a", "Radio");
  station->AddAlternativePath("http://radio.example/b");
  station->AddAlternativePath("HTTP://RADIO.EXAMPLE/B");
  station->ASXRedirected = true;
  station->ErrorText = "not copied";
  ASSERT_EQ(station->AlternativePathCount(), 1) << "no duplicates among the alternatives";
  EXPECT_THROW(station->AlternativePath(1), EListError);
  try {
    station->AlternativePath(-1);
  } catch (const EListError& e) {
    EXPECT_STREQ(e.what(), "List index out of bounds (-1)");
  }

  target.AddItem(*station, false, false);
  ASSERT_EQ(NamesOf(target), (std::vector<std::string>{"http://radio.example/a", "http://radio.example/b"}));
  EXPECT_TRUE(target.Items(0).ASXRedirected);
  EXPECT_TRUE(target.Items(0).ErrorText.empty());
  EXPECT_EQ(Title(target.Items(1)), u"Radio") << "an alternative gets the source's information";
  target.AddItem(*station, false, false);
  EXPECT_EQ(target.Count(), 3) << "the item is present, its alternative is added again";

  target.SetOptions(0);
  target.AddItem(*station, true, false);
  EXPECT_EQ(target.Count(), 1) << "cleared first; without ploAddAlternatives the alternatives stay out";
  // An item of the list itself, with Clear: it is copied before the list lets it go.
  target.AddItem(target.Items(0), true, false);
  EXPECT_EQ(NamesOf(target), std::vector<std::string>{"http://radio.example/a"});
}

TEST(PlayListEntries, LookupsUseTheNameIndex) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  for (const char* e : {"C:\\Music\\b.mp3", "C:\\Music\\A.mp3", "C:\\Other\\c.mp3", "C:\\cd.flac<0,1000>",
                        "C:\\cd.flac<1000,2000>", "C:\\Musician\\d.mp3"})
    list.AddEntry(e);
  EXPECT_EQ(list.IndexOfFile("c:\\music\\a.MP3"), 1);
  EXPECT_EQ(list.IndexOfFile("C:\\Music\\x.mp3"), -1);
  EXPECT_EQ(list.IndexOfRange("C:\\cd.flac", 1000, 2000), 4);
  EXPECT_EQ(list.IndexOfRange("C:\\cd.flac", 1500, 1800), 4);
  EXPECT_EQ(list.IndexOfRange("C:\\cd.flac", 500, 1500), -1);
  EXPECT_EQ(list.IndexOfItem(list.Items(3)), 3);
  EXPECT_TRUE(list.ContainsFolder("C:\\music"));
  EXPECT_TRUE(list.ContainsFolder("C:\\Music\\"));
  EXPECT_FALSE(list.ContainsFolder("C:\\Mus"));
  EXPECT_EQ(list.IndexOfFolder("C:\\Musician"), 5);
  EXPECT_FALSE(list.ContainsFolder("D:\\"));

  // Logarithmic: a lookup in 4,096 items takes a few dozen comparisons, not thousands.
  TXPlayList big(env.Get());
  for (int i = 0; i < 4096; ++i) big.AddEntry("C:\\Music\\" + std::to_string(i * 7919 % 4096) + ".mp3");
  env.collation.comparisons = 0;
  EXPECT_GE(big.IndexOfFile("C:\\Music\\2024.mp3"), 0);
  EXPECT_LE(env.collation.comparisons, 2 * 13 + 2);
}

TEST(PlayListEntries, AnAssignedNameMovesInTheNameIndex) {
  TestEnvironment env;
  TXPlayList list(env.Get()), other(env.Get());
  TXPlayListItem* item = list.AddEntry("C:\\a.mp3");
  item->Assign(*other.AddEntry("C:\\z.mp3"));
  EXPECT_EQ(list.IndexOfFile("C:\\z.mp3"), 0);
  EXPECT_EQ(list.IndexOfFile("C:\\a.mp3"), -1);
}

}  // namespace
}  // namespace nv
