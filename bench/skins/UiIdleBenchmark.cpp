// What the player's window costs when nobody touches it, under Wine: the CPU share of the player process over 20 s
// while stopped, and while playing with the spectrum analyser shown (a tone, repeated), and the process's working
// set in each state. The process is ui-idle-player (the expanded player's controls bound to a real player) unless
// another program is named: `tools/bench ui-idle [PROGRAM]`, which is started with a media file to play or
// without. Wine tells one process nothing of another's CPU time, so the process is found among the Unix processes
// (by its program's name in /proc, seen through drive Z:) and its user and system time read there; the working set
// is the system's (GetProcessMemoryInfo), the Unix resident size is shown beside it. The last line is the summary:
// "ui-idle: stopped A % CPU, B MB; playing with the analyser C % CPU, D MB". For ui-idle-player, what playing costs
// with the analyser switched off is measured too.
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <sstream>
#include <string>

#include "tests/common/ToneWav.h"
#include "tests/common/win/DesktopDriver.h"

namespace {

constexpr DWORD kSettleMs = 3000;
constexpr DWORD kMeasureMs = 20000;

std::string ReadAll(const std::wstring& path) {
  const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return {};
  std::string text;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) text.append(buffer, read);
  CloseHandle(file);
  return text;
}

// The Unix process that runs `program` (the newest, when several do); 0 when none is found.
long UnixProcessOf(const std::wstring& program) {
  const std::wstring name = std::filesystem::path(program).filename().wstring();
  const std::string wanted(name.begin(), name.end());
  long found = 0;
  unsigned long long newest = 0;
  WIN32_FIND_DATAW entry;
  const HANDLE search = FindFirstFileW(L"Z:\\proc\\*", &entry);
  if (search == INVALID_HANDLE_VALUE) return 0;
  do {
    const long pid = std::wcstol(entry.cFileName, nullptr, 10);
    if (pid <= 0) continue;
    const std::wstring folder = L"Z:\\proc\\" + std::wstring(entry.cFileName);
    std::string command = ReadAll(folder + L"\\cmdline");
    std::replace(command.begin(), command.end(), '\0', ' ');
    if (command.find(wanted) == std::string::npos || command.find("bench_") != std::string::npos) continue;
    // Field 22 of stat is the start time: the newest process that runs the program is the one just started.
    const std::string stat = ReadAll(folder + L"\\stat");
    const std::size_t close = stat.rfind(')');
    if (close == std::string::npos) continue;
    std::istringstream fields(stat.substr(close + 2));
    std::string field;
    unsigned long long start = 0;
    for (int i = 3; i <= 22 && fields >> field; ++i)
      if (i == 22) start = std::stoull(field);
    if (start >= newest) newest = start, found = pid;
  } while (FindNextFileW(search, &entry));
  FindClose(search);
  return found;
}

// User and system time of a Unix process, in seconds (clock ticks of 1/100 s).
double UnixCpuSeconds(long pid) {
  const std::string stat = ReadAll(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\stat");
  const std::size_t close = stat.rfind(')');
  if (close == std::string::npos) return -1;
  std::istringstream fields(stat.substr(close + 2));
  std::string field;
  double ticks = 0;
  for (int i = 3; i <= 15 && fields >> field; ++i)
    if (i == 14 || i == 15) ticks += std::stod(field);
  return ticks / 100.0;
}

// The resident size of a Unix process, in megabytes.
double UnixResidentMb(long pid) {
  const std::string status = ReadAll(L"Z:\\proc\\" + std::to_wstring(pid) + L"\\status");
  const std::size_t at = status.find("VmRSS:");
  return at == std::string::npos ? 0 : std::stod(status.substr(at + 6)) / 1024.0;
}

double NowSeconds() {
  LARGE_INTEGER frequency, count;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&count);
  return static_cast<double>(count.QuadPart) / static_cast<double>(frequency.QuadPart);
}

struct WindowSearch {
  DWORD processId;
  bool found = false;
};

BOOL CALLBACK CheckWindow(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<WindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner == search.processId && IsWindowVisible(window)) search.found = true;
  return !search.found;
}

// Whether the process shows a window yet.
bool ShowsAWindow(DWORD processId) {
  WindowSearch search{processId};
  EnumWindows(&CheckWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct Measure {
  double cpuPercent = -1;  // of one core
  double workingSetMb = 0, peakWorkingSetMb = 0, residentMb = 0;
};

// Starts the program, lets it settle, and measures it over 20 s.
Measure Run(const std::wstring& program, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + program + L"\" " + arguments;
  STARTUPINFOW startup{sizeof startup};
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &process)) {
    std::fprintf(stderr, "could not start %ls (%lu)\n", program.c_str(), GetLastError());
    return {};
  }
  Measure measure;
  // Its window shows, then it settles (a playing graph is built and runs).
  if (!nv::test::WaitUntil([&] { return ShowsAWindow(process.dwProcessId); }, 20000))
    std::fprintf(stderr, "no window of the program showed\n");
  Sleep(kSettleMs);
  const long unixPid = UnixProcessOf(program);
  if (unixPid == 0) std::fprintf(stderr, "the program's Unix process was not found\n");
  const double cpuStart = UnixCpuSeconds(unixPid), wallStart = NowSeconds();
  Sleep(kMeasureMs);
  const double cpu = UnixCpuSeconds(unixPid) - cpuStart, wall = NowSeconds() - wallStart;
  PROCESS_MEMORY_COUNTERS memory{};
  memory.cb = sizeof memory;
  GetProcessMemoryInfo(process.hProcess, &memory, sizeof memory);
  DWORD exitCode = 0;
  if (GetExitCodeProcess(process.hProcess, &exitCode) && exitCode == STILL_ACTIVE && unixPid != 0 && cpuStart >= 0) {
    measure.cpuPercent = 100.0 * cpu / wall;
    measure.workingSetMb = memory.WorkingSetSize / 1048576.0;
    measure.peakWorkingSetMb = memory.PeakWorkingSetSize / 1048576.0;
    measure.residentMb = UnixResidentMb(unixPid);
  } else {
    std::fprintf(stderr, "the program ended early (%lu)\n", exitCode);
  }
  TerminateProcess(process.hProcess, 0);
  WaitForSingleObject(process.hProcess, 5000);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  return measure;
}

void Report(const char* what, const Measure& m) {
  std::printf("%s: CPU %.2f %% of one core over %.0f s; working set %.1f MB (peak %.1f MB), Unix resident %.1f MB\n",
              what, m.cpuPercent, kMeasureMs / 1000.0, m.workingSetMb, m.peakWorkingSetMb, m.residentMb);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::filesystem::path folder = std::filesystem::path(self).parent_path();
  const std::wstring program = argc > 1 ? std::wstring(argv[1]) : (folder / L"ui-idle-player.exe").wstring();

  const std::filesystem::path media =
      std::filesystem::temp_directory_path() / (L"norvale-ui-idle-" + std::to_wstring(GetCurrentProcessId()) + L".wav");
  nv::test::WriteToneWav(media, {.hz = 440, .durationMs = 30000, .amplitude = 0.5});

  std::printf("measuring %ls\n", program.c_str());
  const Measure stopped = Run(program, L"");
  Report("stopped", stopped);
  const std::wstring file = L"\"" + media.wstring() + L"\"";
  const Measure playing = Run(program, file);
  Report("playing with the analyser shown", playing);
  // For comparison, what playing costs without the analyser (the program of the benchmark only).
  if (argc <= 1) Report("playing with the analyser off", Run(program, L"--no-analyser " + file));
  std::error_code ignored;
  std::filesystem::remove(media, ignored);

  std::printf("ui-idle: stopped %.2f %% CPU, %.1f MB; playing with the analyser %.2f %% CPU, %.1f MB\n",
              stopped.cpuPercent, stopped.workingSetMb, playing.cpuPercent, playing.workingSetMb);
  return stopped.cpuPercent >= 0 && playing.cpuPercent >= 0 ? 0 : 1;
}
