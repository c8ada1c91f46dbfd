#pragma once
// Stand-ins for what a playlist asks of the system and of the player: a file system held in memory (Windows paths,
// entries in the order they were made), drives, a collation that counts its comparisons, a player that records
// what it is asked, and playlist formats that record what they are given.
#include <map>
#include <string>
#include <vector>

#include "playlist/PlayListFiles.h"
#include "playlist/PlayListPlayer.h"
#include "playlist/XPlayerPlayList.h"

namespace nv::test {

class MemoryFileSystem final : public FileSystem {
public:
  // Makes the file and every folder above it.
  void AddFile(const std::string& path, bool system = false);
  void AddFolder(const std::string& path, bool reparsePoint = false);
  // A folder entry that leads back to `target` (a junction).
  void AddJunction(const std::string& path, const std::string& target);

  PathKind KindOf(std::string_view path) override;
  bool ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) override;
  int Listings() const { return listings_; }

private:
  struct Node {
    bool folder = false;
    std::vector<FolderEntry> entries;
    std::string target;  // a junction's folder
  };
  Node& Make(const std::string& path, bool folder);
  static std::string Key(std::string_view path);
  std::map<std::string, Node> nodes_;
  int listings_ = 0;
};

class FakeDrives final : public DriveQuery {
public:
  std::map<std::string, DriveType> types;        // by root, "D:\"
  std::map<std::string, std::uint32_t> serials;  // a disc is in the drive
  DriveType TypeOf(std::string_view root) override;
  std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view root) override;
};

class CountingCollation final : public TextCollation {
public:
  int Compare(std::u16string_view a, std::u16string_view b) override {
    ++comparisons;
    return UserLocaleCollation().Compare(a, b);
  }
  long comparisons = 0;
};

// One environment for a test: its own files, drives, counted comparisons and a seeded random source.
struct TestEnvironment {
  MemoryFileSystem files;
  FakeDrives drives;
  CountingCollation collation;
  SeededRandom random{12345};
  TPlayListEnvironment Get() { return {files, drives, collation, random}; }
};

// A player that does what it is asked at once and writes down every call.
class FakePlayer final : public TPlayListPlayer {
public:
  TXPlayListItem* current = nullptr;
  TXPlayListItem* prepared = nullptr;
  TXPlayListItem* inspected = nullptr;
  TXPlayListItem* building = nullptr;  // a graph whose build is still running
  bool buildAborted = false;
  TXPlayerState state = TXPlayerState::psStopped;
  bool timerRunning = false;
  int listChanges = 0;
  std::vector<std::string> calls;
  std::vector<std::u16string> knownExtensions = {u".mp3", u".ogg", u".wma", u".m3u", u".pls"};

  TXPlayListItem* CurrentItem() override { return current; }
  TXPlayListItem* PreparedItem() override { return prepared; }
  TXPlayerState State() override { return state; }
  void OpenItem(TXPlayListItem* item, bool play, TSetCurrentMode mode) override;
  void Play() override;
  void ReleaseItem(TXPlayListItem& item) override;
  bool IsKnownExtension(std::u16string_view extension) override;
  void PlayListChanged() override { ++listChanges; }
  void ItemInfoChanged(TXPlayListItem& item) override;
  void StartInfoTimer() override { timerRunning = true; }
  void StopInfoTimer() override { timerRunning = false; }
};

// Playlist formats that add the entries they were given for a file, and write down what they were asked.
class FakeFormats final : public TPlayListFileFormats {
public:
  std::map<std::string, std::vector<std::string>> contents;
  std::vector<std::string> calls;
  void Read(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool restoreCurrent) override;
  void Write(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool saveCurrent) override;
};

// Installs formats for the scope of a test.
class InstalledFormats {
public:
  explicit InstalledFormats(TPlayListFileFormats& formats) { SetPlayListFileFormats(&formats); }
  ~InstalledFormats() { SetPlayListFileFormats(nullptr); }
};

// The file names of a list's items, in index order (or in play order).
std::vector<std::string> NamesOf(TXPlayList& list);
std::vector<std::string> PlayOrderNamesOf(TXPlayList& list);
// "C:\Music\a.mp3" ... for a, b, c, ...
std::vector<std::string> MusicFiles(int count);

}  // namespace nv::test
