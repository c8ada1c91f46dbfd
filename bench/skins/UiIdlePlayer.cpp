// ui-idle-player [--no-analyser] [FILE]: the player's controls on a skinned form (the expanded player's panels:
// play time, spectrum analyser, labels, bars, transport, playlist box), bound to a real player, doing what a player
// left alone does — nothing, or playing FILE over and over (with the analyser switched off, for comparison, when
// asked). The ui-idle benchmark measures this process from outside. Like the program, it trims its working set once
// it shows and then runs the message loop until it is ended.
#include <windows.h>
#include <psapi.h>

#include <string>

#include "engine/win/XPlayer.h"
#include "support/ui/win/Application.h"
#include "support/win/WideText.h"
#include "tests/skins/win/PlayerPanelForm.h"
#include "tests/skins/win/SkinTestSupport.h"

int wmain(int argc, wchar_t** argv) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  nv::TXPlayer player;
  player.Loaded();
  nv::test::PlayerPanelForm form(nv::test::DefaultPlayerSkin(), player, {200, 150});
  form.ShowNoActivate();
  int next = 1;
  if (next < argc && std::wstring(argv[next]) == L"--no-analyser") {
    form.SA.SetEnabled(false);
    ++next;
  }
  if (next < argc) {
    player.PlayList().SetOptions(player.PlayList().Options() | nv::ploRepeat);
    player.PlayList().AddFile(nv::WideToMarked(argv[next]), true, true);
  }
  nv::App().ProcessMessages();
  SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
  return nv::App().Run();
}
