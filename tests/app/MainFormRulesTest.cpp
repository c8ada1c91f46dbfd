// The main form's rules that need no window: which media keys the player takes, and the name the save dialog
// proposes for the playlist.
#include <gtest/gtest.h>

#include <optional>

#include "app/MediaKeys.h"
#include "app/SavePlaylistName.h"

namespace nv {
namespace {

// The lParam of HSHELL_APPCOMMAND: the command in the high word, the device in its top bits.
constexpr std::uint32_t AppCommand(unsigned command, unsigned device = 0) { return (command | device) << 16; }
constexpr unsigned kKeyboard = 0x0000, kMouse = 0x8000, kOem = 0x1000;

TEST(MediaKeys, TheKeysPreferencesDecideWhichCommandsThePlayerTakes) {
  struct Case {
    unsigned command;
    bool playback, volume;
    std::optional<unsigned> taken;
  };
  const Case cases[] = {
      // Playback keys: 11..14, 46, 47.
      {11, true, false, 11}, {12, true, false, 12}, {13, true, false, 13}, {14, true, false, 14},
      {46, true, false, 46}, {47, true, false, 47},
      {11, false, true, std::nullopt}, {46, false, true, std::nullopt},
      // Volume keys: 8..10.
      {8, false, true, 8}, {9, false, true, 9}, {10, false, true, 10},
      {8, true, false, std::nullopt}, {10, true, false, std::nullopt},
      // Commands the player has no use for go on to others, whatever is switched on.
      {1, true, true, std::nullopt},   // browser back
      {7, true, true, std::nullopt},   // browser home
      {15, true, true, std::nullopt},  // launch mail
      {48, true, true, std::nullopt},  // record
      {0, true, true, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("command " + std::to_string(c.command) + (c.playback ? " playback" : "") + (c.volume ? " volume" : ""));
    for (const unsigned device : {kKeyboard, kMouse, kOem})
      EXPECT_EQ(MediaKeyCommand(AppCommand(c.command, device), c.playback, c.volume), c.taken);
  }
  EXPECT_EQ(MediaKeyCommand(AppCommand(11) | 0x1234, true, false), 11u) << "the low word is not the command";
}

TEST(SavePlaylistName, TheListsOwnNameElseTheSharedTitleInTheInitialFolder) {
  struct Case {
    const char* fileName;
    const char* commonTitle;
    const char* initialFolder;
    const char* proposed;
  };
  const Case cases[] = {
      {"C:\\Lists\\Evening.m3u", "Artist - Album", "D:\\Playlists", "C:\\Lists\\Evening.m3u"},
      {"", "Artist - Album", "D:\\Playlists", "D:\\Playlists\\Artist - Album"},
      {"", "Artist - Album", "D:\\Playlists\\", "D:\\Playlists\\Artist - Album"},
      {"", "Artist - Album", "", "Artist - Album"},
      {"Evening.m3u", "", "D:\\Playlists", "D:\\Playlists\\Evening.m3u"},
      {"", "", "D:\\Playlists", ""},  // nothing to propose: the dialog starts with an empty name
      // Held text the code page cannot hold stays marked as a whole.
      {"\x01\xD0\x9F.m3u", "", "D:\\Playlists", "\x01" "D:\\Playlists\\\xD0\x9F.m3u"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.proposed);
    EXPECT_EQ(ProposedPlaylistName(c.fileName, c.commonTitle, c.initialFolder), c.proposed);
  }
}

}  // namespace
}  // namespace nv
