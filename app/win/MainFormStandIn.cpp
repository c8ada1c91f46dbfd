#include "app/win/MainFormStandIn.h"

#include <windows.h>

#include <algorithm>

#include "app/AppConstants.h"
#include "app/PlayerPreferences.h"
#include "support/ui/win/Application.h"
#include "support/win/ApplicationRegIni.h"
#include "support/win/UniqueHandle.h"

namespace nv {

namespace {
// How far one volume command moves the volume.
constexpr int kVolumeStep = 5;
}  // namespace

MainFormStandIn::MainFormStandIn() {
  wchar_t path[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableW(kCommandLogVariable, path, MAX_PATH);
  if (length > 0 && length < MAX_PATH) logPath_.assign(path, length);
  player_.Loaded();
}

void MainFormStandIn::Log(std::string_view line) {
  if (logPath_.empty()) return;
  const UniqueHandle file(CreateFileW(logPath_.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return;
  const std::string text = std::string(line) + '\n';
  DWORD written = 0;
  WriteFile(file.Get(), text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
}

void MainFormStandIn::ExecuteCommand(unsigned code) {
  Log("command\t" + std::to_string(code));
  switch (code) {
    case kCommandReloadSkin:
      Log("skin\t" + ReadCurrentSkin(ApplicationRegIni()));
      break;
    case kCommandClearPlaylist:
      playlist_.clear();
      player_.PlayList().Clear();
      break;
    case kCommandClose:
      App().Terminate();
      break;
    default:
      Control(code);
      break;
  }
}

void MainFormStandIn::Control(unsigned code) {
  const bool playing = player_.State() == TXPlayerState::psPlaying;
  switch (code) {
    case kCommandPlay:
      StartPlaying();
      break;
    case kCommandPause:
      player_.Pause();
      break;
    case kCommandPlayPause:
      if (playing)
        player_.Pause();
      else
        StartPlaying();
      break;
    case kCommandStop:
      player_.Stop();
      break;
    case kCommandNextTrack:
      player_.PlayList().Next(playing);
      break;
    case kCommandPreviousTrack:
      player_.PlayList().Previous(playing);
      break;
    case kCommandMute:
      player_.SetMute(!player_.Mute());
      break;
    case kCommandVolumeUp:
      player_.SetVolume(std::min(player_.Volume() + kVolumeStep, 100));
      break;
    case kCommandVolumeDown:
      player_.SetVolume(std::max(player_.Volume() - kVolumeStep, 0));
      break;
    default:
      break;
  }
}

void MainFormStandIn::AddFiles(const std::vector<std::string>& files, bool clear) {
  std::string line = clear ? "files\tclear" : "files\tappend";
  for (const std::string& file : files) line += '\t' + file;
  Log(line);
  if (clear) playlist_.clear();
  playlist_.insert(playlist_.end(), files.begin(), files.end());
  player_.PlayList().AddFiles(files, clear, false);
}

void MainFormStandIn::LoadStart(const PlayerStart& start) {
  if (!start.files.empty()) {
    AddFiles(start.files, start.clear);
  } else if (start.loadDefaultPlaylist && playlist_.empty()) {
    Log("default playlist");
  }
}

void MainFormStandIn::Play() {
  Log("play");
  StartPlaying();
}

void MainFormStandIn::StartPlaying() {
  if (player_.Graph())
    player_.Play();
  else
    player_.PlayList().StartCurrent(true);
}

}  // namespace nv
