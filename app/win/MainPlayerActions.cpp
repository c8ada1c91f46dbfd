// The actions of alMain: what each says, when it can run and what it does.
#include <algorithm>

#include "app/AppConstants.h"
#include "app/win/CommandLog.h"
#include "app/win/MainPlayerFm.h"
#include "engine/WorkOffline.h"
#include "resources/StringIds.h"
#include "support/ui/ModalCount.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/Resources.h"
#include "support/win/WideText.h"

namespace nv {

namespace {
std::u16string Text(UINT id) { return id ? ToUtf16(ResourceString(id)) : std::u16string(); }
}  // namespace

Action& TMainPlayerFm::NewAction(const char* name, UINT caption, UINT hint, int tag) {
  Action& action = alMain_.Add(Text(caption), Text(hint), tag);
  action.Name = name;
  return action;
}

void TMainPlayerFm::BuildActions() {
  // Every action that runs is logged (the end-to-end tests read what a command made the player do).
  alMain_.OnExecute = [](Action& action) {
    LogCommand("action\t" + action.Name);
    return false;
  };
  // Opening a dialog while one of the program's modal loops runs is not allowed.
  auto dialogAllowed = [](Action& a) { a.SetEnabled(ProgramModalCount() == 0); };

  aPlay = &NewAction("aPlay", IDS_ACTION_PLAY, IDS_ACTION_PLAY, 0);
  aPlay->OnUpdate = [this](Action& a) { a.SetEnabled(!Playing()); };
  aPlay->OnExecute = [this](Action&) {
    if (player_.PlayList().Count() > 0)
      player_.PlayList().StartCurrent(true);
    else
      aOpen->Execute();
  };

  aPause = &NewAction("aPause", IDS_ACTION_PAUSE, IDS_ACTION_PAUSE, 0);
  aPause->OnUpdate = [this](Action& a) { a.SetEnabled(Playing()); };
  aPause->OnExecute = [this](Action&) { player_.Pause(); };

  auto playOrPause = [this](Action&) {
    if (Playing())
      aPause->Execute();
    else
      aPlay->Execute();
  };
  aPlayPause = &NewAction("aPlayPause", IDS_ACTION_PLAY_PAUSE, IDS_ACTION_PLAY_PAUSE, 1);
  aPlayPause->OnExecute = playOrPause;
  // The play button's: its checked state shows playing.
  aBtnPlayPause = &NewAction("aBtnPlayPause", IDS_ACTION_PLAY_PAUSE, 0, 0);
  aBtnPlayPause->OnUpdate = [this](Action& a) { a.SetChecked(Playing()); };
  aBtnPlayPause->OnExecute = playOrPause;

  aStop = &NewAction("aStop", IDS_ACTION_STOP, IDS_ACTION_STOP, 2);
  aStop->OnUpdate = [this](Action& a) { a.SetEnabled(player_.State() != TXPlayerState::psStopped); };
  aStop->OnExecute = [this](Action&) { player_.Stop(); };

  aNextTrack = &NewAction("aNextTrack", IDS_ACTION_NEXT_TRACK, IDS_ACTION_NEXT_TRACK, 4);
  aNextTrack->OnUpdate = [this](Action& a) { a.SetEnabled(!player_.PlayList().IsLast()); };
  aNextTrack->OnExecute = [this](Action&) { player_.PlayList().Next(false); };

  aPrevTrack = &NewAction("aPrevTrack", IDS_ACTION_PREVIOUS_TRACK, IDS_ACTION_PREVIOUS_TRACK, 3);
  aPrevTrack->OnUpdate = [this](Action& a) { a.SetEnabled(!player_.PlayList().IsFirst()); };
  aPrevTrack->OnExecute = [this](Action&) { player_.PlayList().Previous(false); };

  // A step past either end is clamped by the player.
  aStepForward = &NewAction("aStepForward", IDS_ACTION_STEP_FORWARD, 0, 9);
  aStepForward->OnUpdate = [this](Action& a) {
    a.SetEnabled(player_.State() != TXPlayerState::psStopped && player_.Position() < player_.Duration());
  };
  aStepForward->OnExecute = [this](Action&) { player_.SetPosition(player_.Position() + kStepMs); };

  aStepBackward = &NewAction("aStepBackward", IDS_ACTION_STEP_BACKWARD, 0, 10);
  aStepBackward->OnUpdate = [this](Action& a) {
    a.SetEnabled(player_.State() != TXPlayerState::psStopped && player_.Position() > 0);
  };
  aStepBackward->OnExecute = [this](Action&) { player_.SetPosition(player_.Position() - kStepMs); };

  // Hot key 8 opens media until the tray window gives it to "My media" (when its button shows).
  aMyMedia = &NewAction("aMyMedia", IDS_ACTION_MY_MEDIA, 0, 0);
  aMyMedia->OnExecute = [this](Action&) { ToggleMediaBrowser(); };

  aOpen = &NewAction("aOpen", IDS_ACTION_OPEN, IDS_HINT_OPEN, 8);
  aOpen->OnUpdate = dialogAllowed;
  aOpen->OnExecute = [this](Action&) { OpenMedia(true); };

  aAddFiles = &NewAction("aAddFiles", IDS_ACTION_ADD_FILES, IDS_HINT_ADD_FILES, 0);
  aAddFiles->OnUpdate = dialogAllowed;
  aAddFiles->OnExecute = [this](Action&) { OpenMedia(false); };

  aPreferences = &NewAction("aPreferences", IDS_ACTION_PREFERENCES, IDS_HINT_PREFERENCES, 0);
  aPreferences->OnUpdate = dialogAllowed;
  aPreferences->OnExecute = [this](Action&) { ShowOptions(OptionsPage::First); };

  aMMCustomize = &NewAction("aMMCustomize", IDS_ACTION_MM_CUSTOMIZE, 0, 0);
  aMMCustomize->OnUpdate = dialogAllowed;
  aMMCustomize->OnExecute = [this](Action&) { ShowOptions(OptionsPage::MyMedia); };

  aClose = &NewAction("aClose", IDS_ACTION_CLOSE, IDS_ACTION_CLOSE, 0);
  aClose->OnExecute = [this](Action&) { ClosePlayer(); };

  aShuffle = &NewAction("aShuffle", IDS_ACTION_SHUFFLE, IDS_ACTION_SHUFFLE, 0);
  aShuffle->OnUpdate = [this](Action& a) { a.SetChecked(player_.PlayList().Options() & ploShuffle); };
  aShuffle->OnExecute = [this](Action&) {
    player_.PlayList().SetOptions(player_.PlayList().Options() ^ ploShuffle);
  };

  aRepeat = &NewAction("aRepeat", IDS_ACTION_REPEAT, IDS_ACTION_REPEAT, 0);
  aRepeat->OnUpdate = [this](Action& a) { a.SetChecked(player_.PlayList().Options() & ploRepeat); };
  aRepeat->OnExecute = [this](Action&) { player_.PlayList().SetOptions(player_.PlayList().Options() ^ ploRepeat); };

  aMute = &NewAction("aMute", IDS_ACTION_MUTE, IDS_ACTION_MUTE, 7);
  aMute->OnUpdate = [this](Action& a) { a.SetChecked(player_.Mute()); };
  aMute->OnExecute = [this](Action&) { player_.SetMute(!player_.Mute()); };

  aVolumeUp = &NewAction("aVolumeUp", IDS_ACTION_VOLUME_UP, 0, 5);
  aVolumeUp->OnUpdate = [this](Action& a) { a.SetEnabled(player_.Volume() < 100); };
  aVolumeUp->OnExecute = [this](Action&) { player_.SetVolume(std::min(player_.Volume() + kVolumeStep, 100)); };

  aVolumeDown = &NewAction("aVolumeDown", IDS_ACTION_VOLUME_DOWN, 0, 6);
  aVolumeDown->OnUpdate = [this](Action& a) { a.SetEnabled(player_.Volume() > 0); };
  aVolumeDown->OnExecute = [this](Action&) { player_.SetVolume(std::max(player_.Volume() - kVolumeStep, 0)); };

  aSavePlaylist = &NewAction("aSavePlaylist", IDS_ACTION_SAVE_PLAYLIST, IDS_HINT_SAVE_PLAYLIST, 0);
  aSavePlaylist->OnUpdate = [this](Action& a) {
    a.SetEnabled(player_.PlayList().Count() > 0 && ProgramModalCount() == 0);
  };
  aSavePlaylist->OnExecute = [this](Action&) { SavePlaylist(); };

  // Until the properties dialog exists, no filter property page can be open.
  aFileProperties = &NewAction("aFileProperties", IDS_ACTION_FILE_PROPERTIES, IDS_HINT_FILE_PROPERTIES, 0);
  aFileProperties->OnUpdate = [this](Action& a) {
    a.SetEnabled(player_.PlayList().GetCurrent() != nullptr && ProgramModalCount() == 0);
  };
  aFileProperties->OnExecute = [this](Action&) { ShowFileProperties(); };

  aWorkOffline = &NewAction("aWorkOffline", IDS_ACTION_WORK_OFFLINE, IDS_ACTION_WORK_OFFLINE, 0);
  aWorkOffline->OnUpdate = [](Action& a) { a.SetChecked(IsWorkingOffline()); };
  aWorkOffline->OnExecute = [](Action&) { SetWorkingOffline(!IsWorkingOffline()); };

  aFAQ = &NewAction("aFAQ", IDS_ACTION_FAQ, 0, 0);
  aFAQ->OnExecute = [](Action&) { OpenAddress(kFaqPageAddress); };
  aHelp = &NewAction("aHelp", IDS_ACTION_HELP, 0, 0);
  aHelp->OnExecute = [](Action&) { OpenAddress(kHelpPageAddress); };
  aHomePage = &NewAction("aHomePage", IDS_ACTION_HOME_PAGE, 0, 0);
  aHomePage->OnExecute = [](Action&) { OpenAddress(kHomePageAddress); };

  aAbout = &NewAction("aAbout", IDS_ACTION_ABOUT, IDS_HINT_ABOUT, 0);
  aAbout->OnUpdate = dialogAllowed;
  aAbout->OnExecute = [this](Action&) { ShowAbout(); };
}

// Playback stops first. A graph still being built then waits for its worker: the form closes from a timer once
// the build has given up, so that nothing of the player is torn down under it.
void TMainPlayerFm::ClosePlayer() {
  player_.Stop();
  if (player_.IsBuilding()) {
    // The build is let go of; the state and "Now playing" are saved when the form closes.
    SetTimer(kCloseTimer, kCloseTimerIntervalMs);
    return;
  }
  Form::Close();
}

// Ticks while a build goes on: the first saves what is to be kept (the item being built is still the current one)
// and lets go of the graph, so that the build ends with the silent abort once this tick has returned to it.
void TMainPlayerFm::CloseWhenBuilt() {
  if (player_.IsBuilding()) {
    SaveStateOnce();
    player_.PlayList().SetCurrent(nullptr, false, TSetCurrentMode::smNormal);
    return;
  }
  KillTimer(kCloseTimer);
  Form::Close();
}

}  // namespace nv
