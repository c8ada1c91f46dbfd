// nvinfo FILE...: for each file, one line with a JSON object of what the player knows about it (the fields of its
// media information and the stream facts of its headers).
// nvinfo --playlist FILE...: for each playlist file, one line per entry the player would load from it.
// Exits with 1 when a file could not be read (a line then carries "error"), 2 on a wrong command line.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/tools/InfoReport.h"
#include "metadata/tools/PlayListReport.h"
#include "playlist/PlayListFormats.h"
#include "support/MarkedText.h"
#include "support/SystemText.h"

#ifdef _WIN32
#include <windows.h>

#include "support/win/WideText.h"
#endif

namespace {

// A file named on the command line: as the program holds it, and as it is shown (UTF-8).
struct Argument {
  std::string held;
  std::string utf8;
};

struct Options {
  std::vector<Argument> files;
};

// What nvinfo can be asked to do; each mode prints one line per entry and tells whether every entry was read.
using Mode = bool (*)(const Options&);

bool PrintFiles(const Options& options) {
  bool ok = true;
  for (const Argument& file : options.files) {
    const std::string line = nv::FileInfoJson(file.held, file.utf8);
    ok = ok && line.find("\"error\":") == std::string::npos;
    std::printf("%s\n", line.c_str());
  }
  return ok;
}

// A playlist's entries are resolved against its folder, so the file is named by its whole path.
std::string WholePath(const std::string& held) {
#ifdef _WIN32
  const std::wstring path = nv::MarkedToWide(held);
  std::wstring whole(GetFullPathNameW(path.c_str(), 0, nullptr, nullptr), L'\0');
  whole.resize(GetFullPathNameW(path.c_str(), static_cast<DWORD>(whole.size()), whole.data(), nullptr));
  return whole.empty() ? held : nv::WideToMarked(whole);
#else
  std::error_code error;
  const std::filesystem::path whole = std::filesystem::absolute(nv::MarkedToUtf8(held), error);
  return error ? held : nv::Utf8ToMarked(whole.string());
#endif
}

bool PrintPlayLists(const Options& options) {
  nv::SetPlayListFileFormats(&nv::SystemPlayListFormats());
  bool ok = true;
  for (const Argument& file : options.files) {
    for (const std::string& line : nv::PlayListEntriesJson(WholePath(file.held), file.utf8)) {
      ok = ok && line.find("\"error\":") == std::string::npos;
      std::printf("%s\n", line.c_str());
    }
  }
  return ok;
}

int Usage() {
  std::fprintf(stderr, "usage: nvinfo FILE...\n       nvinfo --playlist FILE...\n");
  return 2;
}

int Run(std::vector<Argument> arguments) {
  Options options;
  Mode mode = PrintFiles;
  for (Argument& a : arguments) {
    if (a.utf8 == "--playlist" && options.files.empty() && mode == PrintFiles) {
      mode = PrintPlayLists;
      continue;
    }
    if (a.utf8.starts_with("--")) return Usage();
    options.files.push_back(std::move(a));
  }
  if (options.files.empty()) return Usage();
  return mode(options) ? 0 : 1;
}

}  // namespace

#ifdef _WIN32
int wmain(int argc, wchar_t** argv) {
  std::vector<Argument> arguments;
  for (int i = 1; i < argc; ++i)
    arguments.push_back({nv::WideToMarked(argv[i]), nv::Utf16ToUtf8(nv::ToUtf16(argv[i]))});
  return Run(std::move(arguments));
}
#else
int main(int argc, char** argv) {
  std::vector<Argument> arguments;
  for (int i = 1; i < argc; ++i) {
    const std::string_view raw = argv[i];
    std::u16string wide;
    // Unix file names are UTF-8 by convention; a name that is not is taken byte for byte.
    if (!nv::TryUtf8ToUtf16(raw, wide)) wide = nv::platform::AnsiToUtf16(raw);
    arguments.push_back({nv::Utf16ToMarked(wide), nv::Utf16ToUtf8(wide)});
  }
  return Run(std::move(arguments));
}
#endif
