// CUE sheets: each track a sub-range of its file, with the sheet's titles and performers.
#include <gtest/gtest.h>

#include "playlist/CueSheetFormat.h"
#include "support/MarkedText.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

using test::Describe;
using test::FileFormatsEnvironment;
using Lines = std::vector<std::string>;

Lines ReadCueText(const std::string& bytes, const std::vector<std::string>& existing = {},
                  TXPlayListOptions options = 0) {
  FileFormatsEnvironment files;
  for (const std::string& file : existing) files.env.files.AddFile(file);
  files.store.Put("C:\\Rips\\album.cue", bytes);
  TXPlayList list(files.env.Get());
  if (options) list.SetOptions(options);
  list.LoadFromFile("C:\\Rips\\album.cue", true, false, false, TXPlayListFormat::pfAuto);
  return Describe(list);
}

// Two files, pregaps, a performer of the disc and of one track, a track without title.
constexpr char kTwoFiles[] = R"(REM GENRE Rock
PERFORMER "The Band"
TITLE "First Album"
FILE "one.wav" WAVE
  TRACK 01 AUDIO
    TITLE "Opening"
    INDEX 01 00:00:00
  TRACK 02 AUDIO
    TITLE "Second ""Quoted"""
    PERFORMER "Guest"
    INDEX 00 02:58:00
    INDEX 01 03:00:37
  TRACK 03 AUDIO
    INDEX 01 05:10:00
FILE "two.wav" WAVE
  TRACK 04 AUDIO
    INDEX 00 00:00:00
    INDEX 01 00:02:00
    PERFORMER "Late Performer"
    TITLE "Late Title"
  TRACK 05 AUDIO
    INDEX 01 04:00:00
    INDEX 02 04:30:00
)";

TEST(CueSheets, TracksBecomeSubRangesOfTheirFiles) {
  EXPECT_EQ(ReadCueText(kTwoFiles, {"C:\\Rips\\one.wav", "C:\\Rips\\two.wav"}),
            (Lines{
                // The track ends at the next track's pregap; the pregap is no part of either.
                "C:\\Rips\\one.wav | Opening | 0-178000 | by The Band | on First Album",
                "C:\\Rips\\one.wav | Second \"Quoted\" | 180493-310000 | by Guest | on First Album",
                // The last track of a file has no end; the default title counts tracks by their TRACK line.
                "C:\\Rips\\one.wav | Track 03 | 310000- | by The Band | on First Album",
                // A time of 0 is no end; TITLE and PERFORMER after the index still belong to the track.
                "C:\\Rips\\two.wav | Late Title | 2000-240000 | by Late Performer | on First Album",
                "C:\\Rips\\two.wav | Track 05 | 240000- | by The Band | on First Album",
            }));
}

TEST(CueSheets, AMissingWavGivesWayToACompressedFileBesideIt) {
  const std::string sheet = "FILE \"one.wav\" WAVE\nTRACK 1 AUDIO\nINDEX 01 00:00:00\n";
  EXPECT_EQ(ReadCueText(sheet, {"C:\\Rips\\one.flac", "C:\\Rips\\one.mp3"}),
            Lines{"C:\\Rips\\one.flac | Track 01 | 0-"});
  EXPECT_EQ(ReadCueText(sheet, {"C:\\Rips\\one.mp3"}), Lines{"C:\\Rips\\one.mp3 | Track 01 | 0-"});
  EXPECT_EQ(ReadCueText(sheet, {"C:\\Rips\\one.wav", "C:\\Rips\\one.flac"}),
            Lines{"C:\\Rips\\one.wav | Track 01 | 0-"});
  EXPECT_EQ(ReadCueText(sheet), Lines{"C:\\Rips\\one.wav | Track 01 | 0-"}) << "nothing beside it: the sheet's name";
  EXPECT_EQ(ReadCueText("FILE \"one.ape\" WAVE\nTRACK 1 AUDIO\nINDEX 01 00:00:00\n", {"C:\\Rips\\one.flac"}),
            Lines{"C:\\Rips\\one.ape | Track 01 | 0-"})
      << "only a .wav gives way";
}

TEST(CueSheets, OddSheets) {
  const struct {
    const char* name;
    std::string sheet;
    Lines entries;
  } cases[] = {
      {"no track", "FILE \"a.flac\" WAVE\n", {}},
      {"no file before the first track", "TRACK 01 AUDIO\nFILE \"a.flac\" WAVE\nINDEX 01 00:00:00\n", {}},
      {"a byte-order mark before the first keyword, and UTF-8 text after it",
       "\xEF\xBB\xBFTITLE \"\xD0\x96\"\nFILE \"\xE6\x9B\xB2.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n",
       {"C:\\Rips\\\xE6\x9B\xB2.flac | Track 01 | 0- | on \xD0\x96"}},
      {"code-page text without it", "FILE \"Caf\xE9.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\n",
       {"C:\\Rips\\Caf\xC3\xA9.flac | Track 01 | 0-"}},
      {"unquoted values, keywords without regard to case",
       "performer Solo Artist\nfile a b.flac WAVE\ntrack 07 audio\n\ttitle One Word\n\tindex 01 01:00:00\n",
       {"C:\\Rips\\a b.flac | One Word | 60000- | by Solo Artist"}},
      {"a leading backslash does not make the file drive-relative; a drive does",
       "FILE \"\\sub\\a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE \"D:\\b.flac\" WAVE\nTRACK 02 AUDIO\n"
       "INDEX 01 00:00:00\n",
       {"C:\\Rips\\sub\\a.flac | Track 01 | 0-", "D:\\b.flac | Track 02 | 0-"}},
      {"frames are 1/75 s",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:01:74\nTRACK 02 AUDIO\nINDEX 01 100:00:01\n",
       {"C:\\Rips\\a.flac | Track 01 | 1986-6000013", "C:\\Rips\\a.flac | Track 02 | 6000013-"}},
      {"a malformed start passes the track over; a malformed end is no end",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:xx:00\nTRACK 02 AUDIO\nINDEX 01 00:10:00\n"
       "TRACK 03 AUDIO\nINDEX 01 00:0:\n",
       {"C:\\Rips\\a.flac | Track 02 | 10000-"}},
      {"an end before the start is no end",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:10:00\nTRACK 02 AUDIO\nINDEX 01 00:05:00\n",
       {"C:\\Rips\\a.flac | Track 01 | 10000-", "C:\\Rips\\a.flac | Track 02 | 5000-"}},
      {"a track number that is no number counts the tracks",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK x AUDIO\nINDEX 01 00:10:00\n",
       {"C:\\Rips\\a.flac | Track 01 | 0-10000", "C:\\Rips\\a.flac | Track 02 | 10000-"}},
      {"a track already listed is not added again",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n",
       {"C:\\Rips\\a.flac | Track 01 | 0-"}},
      {"an empty file name ends the reading at the next index",
       "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nFILE \"\" WAVE\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n"
       "FILE \"b.flac\" WAVE\nTRACK 03 AUDIO\nINDEX 01 00:00:00\n",
       {"C:\\Rips\\a.flac | Track 01 | 0-"}},
  };
  for (const auto& c : cases) EXPECT_EQ(ReadCueText(c.sheet), c.entries) << c.name;
}

TEST(CueSheets, DuplicatesWhenTheListAllowsThem) {
  const std::string sheet =
      "FILE \"a.flac\" WAVE\nTRACK 01 AUDIO\nINDEX 01 00:00:00\nTRACK 02 AUDIO\nINDEX 01 00:00:00\n";
  EXPECT_EQ(ReadCueText(sheet, {}, ploAllowDuplicates),
            (Lines{"C:\\Rips\\a.flac | Track 01 | 0-", "C:\\Rips\\a.flac | Track 02 | 0-"}));
}

TEST(CueSheets, AreNeverWritten) {
  FileFormatsEnvironment files;
  TXPlayList list(files.env.Get());
  list.AddEntry("C:\\a.mp3");
  EXPECT_EQ(list.SaveToFile("C:\\Rips\\out.cue", true, TXPlayListFormat::pfAuto), TPlayListFileResult::pfrDone);
  EXPECT_EQ(list.SaveToFile("C:\\Rips\\out.m3u", true, TXPlayListFormat::pfCUE), TPlayListFileResult::pfrDone);
  EXPECT_TRUE(files.store.contents.empty());
}

}  // namespace
}  // namespace nv
