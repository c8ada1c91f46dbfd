#include "app/win/MainPlayerFm.h"

#include <shellapi.h>

#include <algorithm>

#include "app/AppConstants.h"
#include "app/NativeMediaKeys.h"
#include "app/PlayerStateValues.h"
#include "app/win/AboutFm.h"
#include "app/win/CommandLog.h"
#include "app/win/ProgramPaths.h"
#include "app/win/RequiredComponentsWin.h"
#include "support/ui/win/Application.h"
#include "support/win/ApplicationRegIni.h"
#include "support/win/ProductProfileFile.h"
#include "support/win/SystemInfo.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

// Whether a Winamp input plug-in ("in_*.dll") waits in the plug-in folder: some standard graph rules are on by
// default only then.
bool WinampPluginsInstalled() {
  WIN32_FIND_DATAW found{};
  const HANDLE search = FindFirstFileW((WinampPluginsFolder() + L"\\in_*.dll").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

}  // namespace

TMainPlayerFm::TMainPlayerFm(const MainPlayerSetup& setup, FormParams params)
    : TMainPlayerForm([&] {
        params.acceptFiles = true;
        return params;
      }()),
      setup_(setup),
      applicationHook_(App().HookWindow([this](UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
        return ApplicationWindowHook(message, wParam, lParam, result);
      })),
      nowPlaying_(WideToMarked(setup.nowPlayingFile)),
      ilMenu_(16, 16) {
  // The player is set up from the preferences and the saved state before it tells anyone anything.
  player_.BeginLoading();
  player_.OnPlayerEvent = [this](TPlayerCore&, TPlayerEventType event, void* param) { PlayerEvent(event, param); };
  player_.OnBuildError = [this](const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info,
                                const std::exception&) { BuildError(fileName, phase, info); };
  BuildActions();
  AddActionList(alMain_);
  BuildMenu();
  Menu = &pmMain_;
  RebuildOpenFilter();
  RegisterShellHooks();
}

TMainPlayerFm::~TMainPlayerFm() {
  DeregisterShellHooks();
  UnregisterHotKeys();
  // The child windows go before the player whose events they hear.
  while (!children_.empty()) delete children_.back();
}

void TMainPlayerFm::AfterConstruction() {
  const TPlayerPreferences loaded = LoadPreferences(ApplicationRegIni(), CurrentWindowsVersion(),
                                                    OpenProductProfile(ProductProfilePath()), WinampPluginsInstalled());
  ApplyPreferences(loaded);
  RegisterHotKeys();
  LoadState();
  player_.Loaded();
  // The update checker starts here when a check is due, once it exists.
}

void TMainPlayerFm::ForgetChild(TChildPlayerForm& child) { std::erase(children_, &child); }

// --- Preferences

void TMainPlayerFm::ApplyPreferences(const TPlayerPreferences& preferences) {
  if (&preferences != &preferences_) preferences_ = preferences;
  const TPlayerPreferences& p = preferences_;
  // The file types' own preferences add their extensions to the player's list when that module exists.
  RebuildOpenFilter();

  player_.SetGraphRules(p.graphRules);
  player_.SetCommonFilters(p.commonFilters);
  player_.Properties.VisualizerEnabled = p.visualizationType != 0;
  TPlayerCore::SetCDADigital(p.digitalPlayback);
  TPlayerCore::SetCDAForceASPI(p.forceAspi);
  player_.Properties.CDAErrorCorrection = p.errorCorrection;
  player_.Properties.VideoRenderType = static_cast<TXPlayerVideoRenderType>(std::min<std::uint8_t>(p.renderType, 3));
  player_.Properties.MinPosition = p.minPosition;
  player_.Properties.EqType = p.equalizerType;
  player_.PlayList().FolderNesting = p.folderNesting;

  UpdateNativeMediaKeysRegistration(ApplicationRegIni(), p.handlePlaybackKeys, WideToMarked(ProgramPath()));
  // The hot keys are the record's (registered at their own times); so are the update period and the keys' switches.
  const std::wstring playlistFolder = MyMediaPlaylistFolder();
  if (!playlistFolder.empty()) saveDlg_.InitialDir = playlistFolder;

  for (TChildPlayerForm* child : std::vector(children_)) child->ApplyPreferences(p);
}

// --- State kept between runs

void TMainPlayerFm::LoadState() {
  TXRegIniFile& store = ApplicationRegIni();
  player_.SetVolume(Read(store, kVolumeState, player_.Volume()));
  player_.SetBalance(Read(store, kPanState, player_.Balance()));
  equalizerActive_ = Read(store, kEqualizerActiveState);
  for (int band = 1; band <= kEqualizerBandCount; ++band)
    equalizerBands_[band - 1] = ReadEqualizerBand(store, band);
  TXPlayerProperties& properties = player_.Properties;
  properties.Crossfading = Read(store, kCrossfadingState);
  properties.CrossfadeDuration = Read(store, kCrossfadeDurationState, properties.CrossfadeDuration);
  properties.CrossfadeAdvance = Read(store, kCrossfadeAdvanceState, properties.CrossfadeAdvance);
  properties.UnbrokenPlay = Read(store, kUnbrokenPlayState);
  properties.CompleteAdvance = Read(store, kCompleteAdvanceState, properties.CompleteAdvance);
  properties.SmoothNavigation = Read(store, kSmoothNavigationState);
  properties.SmoothDuration = Read(store, kSmoothDurationState, properties.SmoothDuration);
  openDlg_.InitialDir = MarkedToWide(Read(store, kLastDirectoryState));
  saveDlg_.InitialDir =
      MarkedToWide(Read(store, kLastPlaylistDirectoryState, WideToMarked(MyMediaPlaylistFolder())));

  const PlayerStart& start = setup_.start;
  TXPlayerPlayList& list = player_.PlayList();
  if (!start.files.empty()) {
    std::string line = start.clear ? "files\tclear" : "files\tappend";
    for (const std::string& file : start.files) line += '\t' + file;
    LogCommand(line);
    list.AddFiles(start.files, start.clear, false);
  } else if (start.loadDefaultPlaylist && list.Count() == 0) {
    LogCommand("default playlist");
    try {
      nowPlaying_.Restore(list);
    } catch (const std::exception&) {
      // A list that cannot be read is no reason not to start.
    }
    list.SetFileName({});  // saving asks for a new name
  }

  TXPlayListOptions options = list.Options() & ~(ploShuffle | ploRepeat);
  if (Read(store, kShuffleState)) options |= ploShuffle;
  if (Read(store, kRepeatState)) options |= ploRepeat;
  list.SetOptions(options);
}

void TMainPlayerFm::SaveState() {
  TXRegIniFile& store = ApplicationRegIni();
  try {
    Write(store, kVolumeState, player_.Volume());
    Write(store, kPanState, player_.Balance());
    Write(store, kShuffleState, (player_.PlayList().Options() & ploShuffle) != 0);
    Write(store, kRepeatState, (player_.PlayList().Options() & ploRepeat) != 0);
    Write(store, kEqualizerActiveState, equalizerActive_);
    for (int band = 1; band <= kEqualizerBandCount; ++band)
      WriteEqualizerBand(store, band, equalizerBands_[band - 1]);
    const TXPlayerProperties& properties = player_.Properties;
    Write(store, kCrossfadingState, properties.Crossfading);
    Write(store, kCrossfadeDurationState, properties.CrossfadeDuration);
    Write(store, kCrossfadeAdvanceState, properties.CrossfadeAdvance);
    Write(store, kUnbrokenPlayState, properties.UnbrokenPlay);
    Write(store, kCompleteAdvanceState, properties.CompleteAdvance);
    Write(store, kSmoothNavigationState, properties.SmoothNavigation);
    Write(store, kSmoothDurationState, properties.SmoothDuration);
    Write(store, kLastDirectoryState, WideToMarked(openDlg_.InitialDir));
    Write(store, kLastPlaylistDirectoryState, WideToMarked(saveDlg_.InitialDir));
  } catch (const std::exception&) {
    // The preferences store is the user's registry; a value that cannot be written is left as it was.
  }
  try {
    nowPlaying_.Save(player_.PlayList());
  } catch (const std::exception&) {
    // The old list stays whole (it is replaced only by a complete new one).
  }
  LogCommand("state saved");
}

// --- Messages

LRESULT TMainPlayerFm::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_PLAYERCOMMAND:
      UpdateWindow(Handle());  // finish pending painting first: the command may take a while
      LogCommand("command\t" + std::to_string(static_cast<unsigned>(wParam)));
      ExecuteCommand(static_cast<unsigned>(wParam));
      return 0;
    case WM_COPYDATA:
      HandOver(reinterpret_cast<const COPYDATASTRUCT*>(lParam));
      return TRUE;
    case WM_SHELLHOOK_APPCOMMAND:
      return ApplicationCommand(lParam);
    default:
      break;
  }
  const LRESULT result = TMainPlayerForm::WindowProc(message, wParam, lParam);
  // A shell hook window hears the shell's events by a registered message: the two the player uses go on as the
  // tray extension delivers them.
  if (shellHookMessage_ != 0 && message == shellHookMessage_ &&
      (wParam == HSHELL_APPCOMMAND || wParam == HSHELL_WINDOWACTIVATED))
    return SendMessageW(Handle(), WM_SHELLHOOKBASE + static_cast<UINT>(wParam), wParam, lParam);
  return result;
}

void TMainPlayerFm::ExecuteCommand(unsigned code) {
  Action* action = nullptr;
  switch (code) {
    case kCommandMute: action = aMute; break;
    case kCommandVolumeDown: action = aVolumeDown; break;
    case kCommandVolumeUp: action = aVolumeUp; break;
    case kCommandNextTrack: action = aNextTrack; break;
    case kCommandPreviousTrack: action = aPrevTrack; break;
    case kCommandStop: action = aStop; break;
    case kCommandPlayPause: action = aPlayPause; break;
    case kCommandPlay: action = aPlay; break;
    case kCommandPause: action = aPause; break;
    case kCommandPreferences: action = aPreferences; break;
    case kCommandClose: action = aClose; break;
    case kCommandClearPlaylist: player_.PlayList().Clear(); break;
    default: break;
  }
  if (action) action->Execute();
}

void TMainPlayerFm::HandleTimer(UINT_PTR id) {
  switch (id) {
    case kCloseTimer:
      CloseWhenBuilt();
      break;
    case kTrimWorkingSetTimer:
      KillTimer(kTrimWorkingSetTimer);
      if (!Playing())
        SetProcessWorkingSetSize(GetCurrentProcess(), static_cast<SIZE_T>(-1), static_cast<SIZE_T>(-1));
      break;
    case kShellHookRenewTimer:
      RenewShellHooks();
      break;
    default:
      TMainPlayerForm::HandleTimer(id);
      break;
  }
}

bool TMainPlayerFm::ApplicationWindowHook(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

void TMainPlayerFm::Closing(CloseAction& action) {
  TMainPlayerForm::Closing(action);
  if (action == CloseAction::None) return;
  SaveStateOnce();
}

void TMainPlayerFm::SaveStateOnce() {
  if (stateSaved_) return;
  stateSaved_ = true;
  SaveState();
}

// --- The player's reports

void TMainPlayerFm::PlayerEvent(TPlayerEventType event, void* param) {
  if (event == peLoaded || event == peStateChanged) {
    const std::u16string& hint = Playing() ? aPause->Hint() : aPlay->Hint();
    aPlayPause->SetHint(hint);
    aBtnPlayPause->SetHint(hint);
    if (player_.IsBuilding()) App().UpdateActions();
  }
  for (TChildPlayerForm* child : std::vector(children_)) child->PlayerEvent(player_, event, param);
  PlayerEventHandled(event, param);
}

void TMainPlayerFm::BuildError(const std::string& fileName, TXGraphBuildPhase phase, const TXPlayerGraphInfo& info) {
  // A file nothing could open: the product profile may name a component that plays its type, and offer it.
  // (The Winamp source's own failure joins here with the Winamp source.)
  if ((phase == bpRenderPins || phase == bpAudioChain) && info.SourceFilter.Empty()) {
    const std::u16string wide = MarkedToUtf16(fileName);
    const std::size_t dot = wide.find_last_of(u".\\/:");
    if (dot != std::u16string::npos && wide[dot] == u'.')
      CheckFriendlyFileType(App().Handle(), Utf16ToMarked(std::u16string_view(wide).substr(dot)));
  }
}

// --- Child windows

void TMainPlayerFm::ShowAbout() {
  if (TAboutFm* open = App().FindForm<TAboutFm>()) {
    open->Show();
    return;
  }
  (new TAboutFm(*this))->Show();
}

void TMainPlayerFm::OpenAddress(const wchar_t* address) {
  ShellExecuteW(nullptr, L"open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace nv
