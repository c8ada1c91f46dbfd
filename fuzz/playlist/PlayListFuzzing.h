#pragma once
// A fuzzed playlist file read into a list as the player reads it, over files held in memory: the fuzzed bytes are
// the file and also "other.m3u", "other.pls" and "other.cue" beside it (so that entries naming playlists nest, and
// name each other), and "a.flac" exists (for a CUE sheet's missing ".wav"). Every entry is looked at, and the list
// is written in each format and read back: reading what the writers wrote must never fail.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "playlist/PlayListFormats.h"
#include "playlist/XPlayList.h"
#include "support/DriveInfo.h"
#include "support/RandomSource.h"

namespace nv::fuzz {

class MemoryFiles final : public FileSystem, public TPlayListFileStore {
public:
  std::map<std::string, std::string, std::less<>> files;
  PathKind KindOf(std::string_view path) override {
    return files.find(path) != files.end() ? PathKind::File : PathKind::None;
  }
  bool ListFolder(std::string_view, std::vector<FolderEntry>&) override { return false; }
  std::string Read(std::string_view path) override {
    const auto found = files.find(path);
    if (found == files.end()) throw Exception("no such file");
    return found->second;
  }
  void Write(std::string_view path, std::string_view bytes) override { files[std::string(path)] = bytes; }
};

// The list as text, so that every field of every item is read.
inline std::size_t Touch(TXPlayList& list) {
  std::size_t sum = 0;
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    sum += item.FileName().size() + item.ASXRedirected;
    for (const TXHeaderAttribute& a : item.Info.Attributes) sum += a.Value.ToUtf16().size();
  }
  return sum;
}

inline void FuzzPlayListFile(const std::uint8_t* data, std::size_t size, std::string_view extension) {
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  MemoryFiles memory;
  const std::string file = "C:\\Lists\\fuzz" + std::string(extension);
  for (const std::string& name : {file, std::string("C:\\Lists\\other.m3u"), std::string("C:\\Lists\\other.pls"),
                                  std::string("C:\\Lists\\other.cue")})
    memory.files[name] = bytes;
  memory.files["C:\\Lists\\a.flac"] = "";
  SeededRandom random(1);
  const TPlayListEnvironment environment{memory, SystemDrives(), UserLocaleCollation(), random};
  TPlayListFormats formats(memory, memory);
  SetPlayListFileFormats(&formats);

  TXPlayList list(environment);
  // The first byte picks the options and the title format, so that both duplicate rules are explored.
  if (size > 0) {
    list.SetOptions(data[0] & ploAllowDuplicates);
    list.TitleFormat = data[0] & (ptfArtist | ptfAlbum);
  }
  try {
    list.LoadFromFile(file, true, true, false, TXPlayListFormat::pfAuto);
  } catch (const Exception&) {
    // Invalid UTF-8 raises; what was read before it stays in the list.
  }
  volatile std::size_t sink = Touch(list);
  for (const char* written : {"C:\\Out\\w.m3u", "C:\\Out\\w.m3u8", "C:\\Out\\w.pls"}) {
    list.SaveToFile(written, true, TXPlayListFormat::pfAuto);
    TXPlayList back(environment);
    back.LoadFromFile(written, true, true, false, TXPlayListFormat::pfAuto);
    sink = sink + Touch(back);
  }
  SetPlayListFileFormats(nullptr);
}

}  // namespace nv::fuzz
