#pragma once
// A fuzzed playlist file read into a list as the player reads it, over files held in memory: the fuzzed bytes are
// the file and also "other.m3u", "other.pls" and "other.cue" beside it (so that entries naming playlists nest, and
// name each other), and "a.flac" exists (for a CUE sheet's missing ".wav"). Every entry is looked at, and the list
// is written in each format and read back, the fuzzed files gone: reading what the writers wrote must never fail.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "playlist/PlayListFormats.h"
#include "playlist/PlayListPaths.h"
#include "playlist/XPlayList.h"
#include "support/DriveInfo.h"
#include "support/MarkedText.h"
#include "support/RandomSource.h"

namespace nv::fuzz {

// Files by name as Windows finds them: without regard to (ASCII) case, "." and ".." parts taken out.
class MemoryFiles final : public FileSystem, public TPlayListFileStore {
public:
  PathKind KindOf(std::string_view path) override {
    return files_.find(Key(path)) != files_.end() ? PathKind::File : PathKind::None;
  }
  bool ListFolder(std::string_view, std::vector<FolderEntry>&) override { return false; }
  std::string Read(std::string_view path) override {
    const auto found = files_.find(Key(path));
    if (found == files_.end()) throw Exception("no such file");
    return found->second;
  }
  void Write(std::string_view path, std::string_view bytes) override { files_[Key(path)] = bytes; }
  void Clear() { files_.clear(); }

private:
  static std::u16string Key(std::string_view path) {
    std::u16string key = NormalisePath(MarkedToUtf16(path));
    for (char16_t& c : key)
      if (c >= u'A' && c <= u'Z') c += 0x20;
    return key;
  }
  std::map<std::u16string, std::string> files_;
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
    memory.Write(name, bytes);
  memory.Write("C:\\Lists\\a.flac", "");
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
  // What the list's entries name is no longer there: reading back reads only what was written.
  memory.Clear();
  for (const char* written : {"C:\\Out\\w.m3u", "C:\\Out\\w.m3u8", "C:\\Out\\w.pls"}) {
    list.SaveToFile(written, true, TXPlayListFormat::pfAuto);
    TXPlayList back(environment);
    back.LoadFromFile(written, true, true, false, TXPlayListFormat::pfAuto);
    sink = sink + Touch(back);
  }
  SetPlayListFileFormats(nullptr);
}

}  // namespace nv::fuzz
