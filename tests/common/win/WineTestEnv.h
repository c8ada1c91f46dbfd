#pragma once
// What Windows tests use of the Wine test environment that tools/lib/wine-env starts: Unix paths seen from
// Windows, the recorder of what was played, and the log of addresses given to the web browser.
#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/common/AudioAnalysis.h"

namespace nv::test {

// Wine maps the Unix root to drive Z:.
std::wstring UnixToWindowsPath(std::string_view unixPath);
std::string UnixToWindowsPathA(std::string_view unixPath);

// The environment's state folder (Unix path); empty outside the environment.
std::string EnvDir();

// Starts a Unix program from inside Wine. Wine cannot wait for it, so it signals by files.
void StartUnixCommand(const std::wstring& commandLine);
bool WaitForFile(const std::wstring& path, DWORD timeoutMs);

// Records the null sink's monitor: everything any process of the environment plays.
class AudioRecorder {
public:
  explicit AudioRecorder(std::string name);
  ~AudioRecorder();
  AudioRecorder(const AudioRecorder&) = delete;
  AudioRecorder& operator=(const AudioRecorder&) = delete;

  void Start();        // returns once samples are arriving
  Recording Stop();    // returns the complete recording
  const std::string& UnixPath() const { return unixPath_; }

private:
  std::string unixPath_;
  bool running_ = false;
};

// Addresses the program asked the shell to open, oldest first.
std::vector<std::string> BrowserLog();

}  // namespace nv::test
