// The player's "Now playing" list answering from the player: making items current, what a folder scan accepts, and
// what the player hears of changes.
#include <gtest/gtest.h>

#include "support/MarkedText.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::FakePlayer;
using test::TestEnvironment;

TEST(PlayerPlayList, MakingItemsCurrent) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  for (const std::string& f : test::MusicFiles(3)) list.AddEntry(f);
  list.Items(1).Activate(false, TSetCurrentMode::smNormal);
  EXPECT_TRUE(list.Items(1).IsCurrent());
  EXPECT_EQ(list.CurrentIndex(), 1);
  list.Items(1).Activate(false, TSetCurrentMode::smNormal);
  list.Items(1).Activate(true, TSetCurrentMode::smNormal);
  list.PlayIndex(3, true, TSetCurrentMode::smNormal);
  list.PlayIndex(-1, true, TSetCurrentMode::smNormal);
  list.StartCurrent(false);
  EXPECT_EQ(player.calls, (std::vector<std::string>{"open C:\\Music\\b.mp3 normal", "play"}))
      << "the current item again: only play when asked; indexes outside the list are ignored";
  EXPECT_EQ(list.Items(2).PlayOrderIndex(), 2);
}

TEST(PlayerPlayList, AFolderScanAcceptsKnownExtensionsAndCDTracks) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  const struct {
    std::string path;
    bool accepted;
  } cases[] = {
      {"C:\\a.MP3", true},          {"C:\\a.ogg", true},       {"C:\\a.txt", false},
      {"C:\\noextension", false},   {"D:\\Track01.cda", true}, {"D:\\Track01.<cda>", true},
      {"C:\\x.y\\noext", false},    {Utf16ToMarked(u"C:\\\u0416.wma"), true},
  };
  for (const auto& c : cases) EXPECT_EQ(list.AcceptFile(c.path), c.accepted) << c.path;
}

TEST(PlayerPlayList, ThePlayerHearsOfChanges) {
  TestEnvironment env;
  FakePlayer player;
  TXPlayerPlayList list(player, env.Get());
  list.AddEntry("C:\\a.mp3");
  EXPECT_EQ(player.listChanges, 1);
  list.SetOptions(ploRepeat);
  EXPECT_EQ(player.listChanges, 2);
  list.SetOptions(ploRepeat);
  EXPECT_EQ(player.listChanges, 2) << "options unchanged";
  list.Items(0).Info.SetValue(kTitleAttribute, AttributeValue::AnsiText("x"));
  list.ReadNextInfo();
  EXPECT_EQ(player.listChanges, 2) << "information changes are not changes of the list";
  list.Clear();
  EXPECT_EQ(player.listChanges, 4) << "the list's change, and Clear's own announcement";
  EXPECT_FALSE(player.timerRunning);
}

}  // namespace
}  // namespace nv
