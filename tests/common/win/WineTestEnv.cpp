#include "tests/common/win/WineTestEnv.h"

#include <fstream>
#include <stdexcept>

namespace nv::test {

std::string UnixToWindowsPathA(std::string_view unixPath) {
  std::string path = "Z:";
  for (char c : unixPath) path.push_back(c == '/' ? '\\' : c);
  return path;
}

std::wstring UnixToWindowsPath(std::string_view unixPath) {
  const std::string narrow = UnixToWindowsPathA(unixPath);
  const int size = MultiByteToWideChar(CP_UTF8, 0, narrow.data(), static_cast<int>(narrow.size()), nullptr, 0);
  std::wstring wide(size, L'\0');
  MultiByteToWideChar(CP_UTF8, 0, narrow.data(), static_cast<int>(narrow.size()), wide.data(), size);
  return wide;
}

std::string EnvDir() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("NV_WINE_ENV_DIR", buffer, MAX_PATH);
  return length > 0 && length < MAX_PATH ? std::string(buffer, length) : std::string();
}

void StartUnixCommand(const std::wstring& commandLine) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  std::wstring line = commandLine;
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
    throw std::runtime_error("cannot start a Unix program");
  // A Unix program has no process object: Wine returns a null process handle and leaves the thread handle as
  // whatever lay on its stack. Closing that closed some other handle of ours (once the key Wine reads the display
  // layout through, after which every new window counted as off-screen and never reached the X server).
  if (process.hProcess != nullptr) {
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
}

bool WaitForFile(const std::wstring& path, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(20);
  }
  return true;
}

namespace {
std::string Recorder() {
  char buffer[MAX_PATH] = {};
  const DWORD length = GetEnvironmentVariableA("NV_RECORDER", buffer, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) throw std::runtime_error("not inside the Wine test environment");
  return std::string(buffer, length);
}

std::wstring Widen(const std::string& text) { return std::wstring(text.begin(), text.end()); }
}  // namespace

AudioRecorder::AudioRecorder(std::string name) {
  const std::string dir = EnvDir();
  if (dir.empty()) throw std::runtime_error("not inside the Wine test environment");
  CreateDirectoryW(UnixToWindowsPath(dir + "/recordings").c_str(), nullptr);
  unixPath_ = dir + "/recordings/" + name + "-" + std::to_string(GetCurrentProcessId()) + ".raw";
}

AudioRecorder::~AudioRecorder() {
  if (running_) {
    try {
      Stop();
    } catch (...) {
    }
  }
}

void AudioRecorder::Start() {
  const std::wstring started = UnixToWindowsPath(unixPath_ + ".started");
  DeleteFileW(started.c_str());
  StartUnixCommand(L"/bin/bash " + Widen(Recorder()) + L" start " + Widen(unixPath_));
  if (!WaitForFile(started, 10000)) throw std::runtime_error("the recorder did not start");
  running_ = true;
}

Recording AudioRecorder::Stop() {
  const std::wstring done = UnixToWindowsPath(unixPath_ + ".done");
  DeleteFileW(done.c_str());
  StartUnixCommand(L"/bin/bash " + Widen(Recorder()) + L" stop " + Widen(unixPath_));
  running_ = false;
  if (!WaitForFile(done, 10000)) throw std::runtime_error("the recorder did not stop");
  return Recording::LoadRaw(UnixToWindowsPathA(unixPath_));
}

std::vector<std::string> BrowserLog() {
  std::vector<std::string> lines;
  std::ifstream in(UnixToWindowsPathA(EnvDir() + "/browser.log"));
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace nv::test
