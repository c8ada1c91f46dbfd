#pragma once
// TMainPlayerFm: the main player machinery behind the main window. It owns the player component with its "Now
// playing" list, the action list alMain through which every command runs (menu, hot keys, media keys, command
// codes from other processes, the command line, buttons), the main pop-up menu pmMain, the open and save dialogs,
// the global hot keys, the shell-hook connection for media keys, the state kept between runs, and the child player
// windows. It is abstract: the concrete main window is the strip, TPlayerTrayFm, which adds its own window.
//
// What reaches the window: player command codes (WM_PLAYERCOMMAND), another instance's files (WM_COPYDATA),
// dropped files (Shift appends), hot keys (WM_HOTKEY), the shell's application commands (the two "Handle … keys"
// preferences decide), and its timers (1001 close, 1002 trim the working set, 1003 renew the shell hooks).
//
// Closing saves the state and "Now playing"; when a graph is still being built the close waits on a 10 ms timer
// until the build, abandoned by the stop, has let go.
#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "app/PlayerPreferences.h"
#include "app/StartupHost.h"
#include "app/win/BasePlayerForm.h"
#include "engine/win/XPlayer.h"
#include "playlist/NowPlayingFile.h"
#include "support/ui/Registration.h"
#include "support/ui/win/FileDialogs.h"
#include "support/ui/win/HotKeys.h"
#include "support/ui/win/ImageList.h"
#include "support/ui/win/Menus.h"

namespace nv {

struct MainPlayerSetup {
  PlayerStart start;            // what the command line asked for
  std::wstring nowPlayingFile;  // where "Now playing" is kept between runs (the data folder's "Norvale.m3u")
};

// Pages of the options dialog an action opens.
enum class OptionsPage { First, MyMedia };

class TMainPlayerFm : public TMainPlayerForm {
public:
  ~TMainPlayerFm() override;

  TXPlayer& Player() { return player_; }
  ActionList& MainActions() { return alMain_; }
  PopupMenu& MainMenu() { return pmMain_; }
  OpenFileDialog& OpenDialog() { return openDlg_; }
  SaveFileDialog& SaveDialog() { return saveDlg_; }
  const TPlayerPreferences& Preferences() const { return preferences_; }
  const std::vector<TChildPlayerForm*>& ChildForms() const { return children_; }

  // In this order the operations the main window's kinds refine.
  // Hands the preferences to the player, the dialogs, the keys and every child window.
  virtual void ApplyPreferences(const TPlayerPreferences& preferences);
  // Volume, balance, play modes, transitions, equaliser, last folders; the command-line files or the saved
  // "Now playing".
  virtual void LoadState();
  // The same values, then "Now playing"; errors are swallowed.
  virtual void SaveState();
  // The application window's messages before it sees them; true (with `result`) means handled. None here.
  virtual bool ApplicationWindowHook(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  // Runs a player command code (app/AppConstants.h); unknown codes are ignored.
  virtual void ExecuteCommand(unsigned code);
  // The current skin's notice (the About window shows it); empty when the skin has none.
  virtual std::string SkinNotice() const { return {}; }

  // The global hot keys of the preferences: registered after construction and whenever the options dialog closes,
  // unregistered while it is open. A key the system refuses is left out.
  void RegisterHotKeys();
  void UnregisterHotKeys();
  std::size_t RegisteredHotKeys() const;
  // What the menus show in the short-cut column for an action's Tag ("Win + Space"); empty without a hot key.
  std::u16string HotKeyTextForTag(int tag) const;

  // Files dropped on one of the player's windows: they replace "Now playing" and play, or with Shift held are
  // added to it.
  void FilesDropped(const std::vector<std::wstring>& files);

  // The About window, made on first use and brought to the front when it is open already.
  void ShowAbout();
  // Opens an address with the shell.
  static void OpenAddress(const wchar_t* address);

protected:
  TMainPlayerFm(const MainPlayerSetup& setup, FormParams params);
  // The concrete main window calls this once at the end of its constructor: the menu's short-cut texts, the
  // preferences loaded and applied, the hot keys registered and the saved state loaded.
  void AfterConstruction();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleTimer(UINT_PTR id) override;
  void Closing(CloseAction& action) override;
  void DropFiles(const DroppedFiles& files) override;

  // The windows that join later answer these; here they do nothing.
  virtual void ShowOptions(OptionsPage page) {}
  virtual void ShowFileProperties() {}
  virtual void ToggleMediaBrowser() {}  // the tray window's "My media"
  // After the base has handled a player event and passed it on to the child windows.
  virtual void PlayerEventHandled(TPlayerEventType event, void* param) {}

  // The actions of alMain.
  Action *aPlay, *aPause, *aPlayPause, *aBtnPlayPause, *aStop, *aNextTrack, *aPrevTrack, *aStepForward,
      *aStepBackward, *aMyMedia, *aOpen, *aAddFiles, *aPreferences, *aMMCustomize, *aClose, *aShuffle, *aRepeat,
      *aMute, *aVolumeUp, *aVolumeDown, *aSavePlaylist, *aFileProperties, *aWorkOffline, *aFAQ, *aHelp,
      *aHomePage, *aAbout;

  Action& NewAction(const char* name, UINT caption, UINT hint, int tag);

private:
  friend class TChildPlayerForm;
  void AdoptChild(TChildPlayerForm& child) { children_.push_back(&child); }
  void ForgetChild(TChildPlayerForm& child);

  // MainPlayerActions.cpp
  void BuildActions();
  bool Playing() { return player_.State() == TXPlayerState::psPlaying; }
  void ClosePlayer();  // aClose: stop, then close (once a build has let go)
  void CloseWhenBuilt();
  // Closing saves once, however often it is asked.
  void SaveStateOnce();
  // MainPlayerMenu.cpp
  void BuildMenu();
  // MainPlayerFiles.cpp: the dialogs, the hand-over, drops.
  void OpenMedia(bool clear);
  void SavePlaylist();
  void HandOver(const COPYDATASTRUCT* data);
  void RebuildOpenFilter();
  // MainPlayerShellHook.cpp
  void RegisterShellHooks();
  void RenewShellHooks();
  void DeregisterShellHooks();
  LRESULT ApplicationCommand(LPARAM lParam);

  void PlayerEvent(TPlayerEventType event, void* param);
  void BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info);

  MainPlayerSetup setup_;
  Registration applicationHook_;
  TXPlayer player_;
  TNowPlayingFile nowPlaying_;
  ActionList alMain_;
  ImageList ilMenu_;
  PopupMenu pmMain_;
  OpenFileDialog openDlg_;
  SaveFileDialog saveDlg_;
  TPlayerPreferences preferences_;
  std::vector<std::unique_ptr<HotKeyRegistration>> hotKeys_;
  UINT shellHookMessage_ = 0;  // RegisterWindowMessage("SHELLHOOK") while registered as a shell hook window
  bool trayShellHookRegistered_ = false;
  bool stateSaved_ = false;
  // The equaliser's state, kept until the equaliser exists to take it.
  bool equalizerActive_ = false;
  std::array<double, 10> equalizerBands_{};
  std::vector<TChildPlayerForm*> children_;
};

}  // namespace nv
