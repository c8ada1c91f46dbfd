// nvplay [OPTIONS] FILE...: plays media files or playlists through the player component, without the player's
// windows, and writes down what the player reports. For people listening to the engine and for the tests that
// record what it plays; not part of the product.
//
//   --log FILE        the log (standard output otherwise): one line per record, "<ms>\t<what>[\t<detail>...]",
//                     the time counted from the start of playback
//   --volume N        0..100          --balance N   -100..100       --mute
//   --shuffle         --repeat        --no-visualizer
//   --crossfade MS    crossfading of MS (with --advance MS)         --unbroken  unbroken play
//   --smooth MS       smooth navigation of MS
//   --spectrum        an observer that wants the spectrum and the waveform; each frame is logged
//   --at MS COMMAND   runs COMMAND MS after playback first started: play, pause, stop, next, previous, quit,
//                     seek=MS, volume=N, balance=N
//   --drain MS        after the last item ends, waits this long before leaving (800), so the sound plays out
//   --timeout MS      leaves after this long whatever happens (60000)
// Exits with 0, or 2 on a wrong command line.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <exception>
#include <mutex>
#include <string>
#include <vector>

#include "engine/EngineConstants.h"
#include "engine/win/XPlayer.h"
#include "playlist/PlayListFiles.h"
#include "playlist/PlayListFormats.h"
#include "playlist/XPlayListItem.h"
#include "support/MarkedText.h"
#include "support/ui/win/Application.h"
#include "support/win/WideText.h"

namespace {

using nv::TPlayerEventType;

const char* const kEventNames[] = {
    "peLoaded",          "peStateChanged",    "peSoundChanged",      "pePositionChanged", "pePlayListChanged",
    "peCurrentChanged",  "peStreamEnded",     "peCompleted",         "pePreparedEnded",   "pePrepareNext",
    "peVideoStarted",    "peVideoStopped",    "peVideoBuildBegin",   "peVideoBuildEnd",   "peFullScreenChanged",
    "peItemInfoChanged", "peGraphBuilt",      "peTransitionStarted",
};
const char* const kStateNames[] = {"psStopped", "psPlaying", "psPaused"};

struct Command {
  long atMs;
  std::wstring text;
};

struct Options {
  std::vector<std::string> files;  // held text
  std::wstring log;
  int volume = 100;
  int balance = 0;
  bool mute = false;
  bool shuffle = false;
  bool repeat = false;
  bool visualizer = true;
  bool spectrum = false;
  int crossfade = -1;
  int advance = 0;
  bool unbroken = false;
  int smooth = -1;
  long drainMs = 800;
  long timeoutMs = 60000;
  std::vector<Command> commands;
};

// Lines come from the user-interface thread and from the visualiser's thread.
class Log {
public:
  explicit Log(FILE* file) : file_(file), start_(GetTickCount64()) {}
  void Restart() { start_ = GetTickCount64(); }
  long Now() const { return static_cast<long>(GetTickCount64() - start_); }
  void Line(const std::string& what, const std::string& detail = {}) {
    const std::lock_guard hold(lock_);
    std::fprintf(file_, "%ld\t%s%s%s\n", Now(), what.c_str(), detail.empty() ? "" : "\t", detail.c_str());
    std::fflush(file_);
  }

private:
  std::mutex lock_;
  FILE* file_;
  ULONGLONG start_;
};

class SpectrumObserver final : public nv::IXPlayerObserver {
public:
  explicit SpectrumObserver(Log& log) : log_(log) {}
  void PlayerEvent(nv::TPlayerCore&, TPlayerEventType, void*) override {}
  std::uint8_t DataWanted() override { return nv::kWantSpectrum | nv::kWantWaveform; }
  void SpectrumData(const nv::VisualizationFrame& frame) override {
    const auto peak = std::max_element(frame.spectrum.begin(), frame.spectrum.end());
    const auto [low, high] = std::minmax_element(frame.waveLeft.begin(), frame.waveLeft.end());
    log_.Line("frame", std::to_string(peak - frame.spectrum.begin()) + "\t" + std::to_string(*peak) + "\t" +
                           std::to_string(*high - *low));
  }

private:
  Log& log_;
};

bool ParseNumber(const wchar_t* text, long& value) {
  wchar_t* end = nullptr;
  value = std::wcstol(text, &end, 10);
  return end != text && *end == L'\0';
}

bool Parse(int count, wchar_t** arguments, Options& options) {
  for (int i = 1; i < count; ++i) {
    const std::wstring argument = arguments[i];
    const auto number = [&](long& value) { return i + 1 < count && ParseNumber(arguments[++i], value); };
    long value = 0;
    if (argument == L"--log" && i + 1 < count) {
      options.log = arguments[++i];
    } else if (argument == L"--volume" && number(value)) {
      options.volume = static_cast<int>(std::clamp(value, 0L, 100L));
    } else if (argument == L"--balance" && number(value)) {
      options.balance = static_cast<int>(std::clamp(value, -100L, 100L));
    } else if (argument == L"--mute") {
      options.mute = true;
    } else if (argument == L"--shuffle") {
      options.shuffle = true;
    } else if (argument == L"--repeat") {
      options.repeat = true;
    } else if (argument == L"--no-visualizer") {
      options.visualizer = false;
    } else if (argument == L"--spectrum") {
      options.spectrum = true;
    } else if (argument == L"--crossfade" && number(value)) {
      options.crossfade = static_cast<int>(value);
    } else if (argument == L"--advance" && number(value)) {
      options.advance = static_cast<int>(value);
    } else if (argument == L"--unbroken") {
      options.unbroken = true;
    } else if (argument == L"--smooth" && number(value)) {
      options.smooth = static_cast<int>(value);
    } else if (argument == L"--drain" && number(options.drainMs)) {
    } else if (argument == L"--timeout" && number(options.timeoutMs)) {
    } else if (argument == L"--at" && i + 2 < count && ParseNumber(arguments[i + 1], value)) {
      options.commands.push_back({value, arguments[i + 2]});
      i += 2;
    } else if (argument.starts_with(L"--")) {
      return false;
    } else {
      options.files.push_back(nv::WideToMarked(argument));
    }
  }
  std::stable_sort(options.commands.begin(), options.commands.end(),
                   [](const Command& a, const Command& b) { return a.atMs < b.atMs; });
  return !options.files.empty();
}

std::string ItemName(void* item) {
  return item ? nv::MarkedToUtf8(static_cast<nv::TXPlayListItem*>(item)->FileName()) : std::string("-");
}

std::string EventDetail(nv::TXPlayer& player, TPlayerEventType event, void* param) {
  switch (event) {
    case nv::peStateChanged:
      return kStateNames[static_cast<int>(player.State())];
    case nv::peCurrentChanged:
    case nv::peItemInfoChanged:
      return ItemName(param);
    case nv::pePositionChanged:
      return std::to_string(player.Position()) + "\t" + std::to_string(player.Duration());
    case nv::peGraphBuilt:
    case nv::peTransitionStarted: {
      auto* graph = static_cast<nv::TPlaybackGraph*>(param);
      return graph ? ItemName(graph->Item()) + "\t" + std::to_string(graph->State()) : std::string("-");
    }
    default:
      return {};
  }
}

// False for an unknown command.
bool Run(nv::TXPlayer& player, const std::wstring& command, bool& quit) {
  const std::size_t equals = command.find(L'=');
  const std::wstring name = command.substr(0, equals);
  long value = 0;
  const bool hasValue = equals != std::wstring::npos && ParseNumber(command.c_str() + equals + 1, value);
  if (name == L"play") {
    player.Play();
  } else if (name == L"pause") {
    player.Pause();
  } else if (name == L"stop") {
    player.Stop();
  } else if (name == L"next") {
    player.PlayList().Next(player.State() == nv::TXPlayerState::psPlaying);
  } else if (name == L"previous") {
    player.PlayList().Previous(player.State() == nv::TXPlayerState::psPlaying);
  } else if (name == L"quit") {
    quit = true;
  } else if (name == L"seek" && hasValue) {
    player.SetPosition(static_cast<std::int32_t>(value));
  } else if (name == L"volume" && hasValue) {
    player.SetVolume(static_cast<int>(std::clamp(value, 0L, 100L)));
  } else if (name == L"balance" && hasValue) {
    player.SetBalance(static_cast<int>(std::clamp(value, -100L, 100L)));
  } else {
    return false;
  }
  return true;
}

int Main(const Options& options) {
  FILE* file = stdout;
  if (!options.log.empty() && _wfopen_s(&file, options.log.c_str(), L"w") != 0) {
    std::fwprintf(stderr, L"nvplay: cannot write %ls\n", options.log.c_str());
    return 1;
  }
  Log log(file);
  nv::SetPlayListFileFormats(&nv::SystemPlayListFormats());

  long quitAt = -1;
  // When playback first started: the commands' times count from there.
  long playingFrom = -1;
  {
    nv::TXPlayer player;
    player.BeginLoading();
    player.Properties.VisualizerEnabled = options.visualizer;
    if (options.crossfade >= 0) {
      player.Properties.Crossfading = true;
      player.Properties.CrossfadeDuration = options.crossfade;
      player.Properties.CrossfadeAdvance = options.advance;
    }
    player.Properties.UnbrokenPlay = options.unbroken;
    if (options.smooth >= 0) {
      player.Properties.SmoothNavigation = true;
      player.Properties.SmoothDuration = options.smooth;
    }
    player.OnPlayerEvent = [&](nv::TPlayerCore&, TPlayerEventType event, void* param) {
      log.Line(kEventNames[event], EventDetail(player, event, param));
      // The list has already stepped: still stopped means nothing follows.
      if (event == nv::peCompleted && player.State() == nv::TXPlayerState::psStopped) quitAt = log.Now() + options.drainMs;
      if (event == nv::peStateChanged && player.State() == nv::TXPlayerState::psPlaying) {
        quitAt = -1;
        if (playingFrom < 0) playingFrom = log.Now();
      }
    };
    player.OnBuildError = [&](const std::string& fileName, nv::TXGraphBuildPhase phase, const nv::TXPlayerGraphInfo&,
                              const std::exception& error) {
      log.Line("buildError", nv::MarkedToUtf8(fileName) + "\t" + std::to_string(phase) + "\t" + error.what());
    };
    SpectrumObserver observer(log);
    if (options.spectrum) player.AddObserver(observer);
    player.Loaded();

    player.SetVolume(options.volume);
    player.SetBalance(options.balance);
    player.SetMute(options.mute);
    nv::TXPlayerPlayList& list = player.PlayList();
    list.SetOptions(static_cast<nv::TXPlayListOptions>((options.shuffle ? nv::ploShuffle : 0) |
                                                       (options.repeat ? nv::ploRepeat : 0) |
                                                       nv::kDefaultPlayListOptions));
    log.Restart();
    try {
      list.AddFiles(options.files, true, true);
    } catch (const std::exception& error) {
      log.Line("error", error.what());
    }

    std::size_t next = 0;
    bool quit = false;
    while (!quit && log.Now() < options.timeoutMs && (quitAt < 0 || log.Now() < quitAt)) {
      const long now = log.Now();
      long wait = std::min<long>(options.timeoutMs - now, 50);
      if (next < options.commands.size() && playingFrom >= 0)
        wait = std::min(wait, std::max(playingFrom + options.commands[next].atMs - now, 0L));
      nv::App().WaitPumping(nullptr, {}, static_cast<DWORD>(std::max(wait, 0L)));
      while (!quit && playingFrom >= 0 && next < options.commands.size() &&
             playingFrom + options.commands[next].atMs <= log.Now()) {
        const std::wstring& command = options.commands[next++].text;
        log.Line("command", nv::MarkedToUtf8(nv::WideToMarked(command)));
        try {
          if (!Run(player, command, quit)) log.Line("error", "unknown command");
        } catch (const std::exception& error) {
          log.Line("error", error.what());
        }
      }
    }
    if (options.spectrum) player.RemoveObserver(observer);
    log.Line("end");
  }
  if (file != stdout) std::fclose(file);
  return 0;
}

}  // namespace

int wmain(int count, wchar_t** arguments) {
  Options options;
  if (!Parse(count, arguments, options)) {
    std::fwprintf(stderr, L"usage: nvplay [--log FILE] [--volume N] [--balance N] [--mute] [--shuffle] [--repeat]\n"
                          L"  [--no-visualizer] [--crossfade MS [--advance MS]] [--unbroken] [--smooth MS]\n"
                          L"  [--spectrum] [--at MS COMMAND]... [--drain MS] [--timeout MS] FILE...\n");
    return 2;
  }
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const int result = Main(options);
  CoUninitialize();
  return result;
}
