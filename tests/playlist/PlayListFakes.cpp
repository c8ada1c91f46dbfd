#include "tests/playlist/PlayListFakes.h"

#include "support/FolderListing.h"
#include "support/MarkedText.h"

namespace nv::test {

std::string MemoryFileSystem::Key(std::string_view path) {
  std::string key(path);
  if (key.size() == 2 && key[1] == ':') key.push_back('\\');
  while (key.size() > 3 && (key.back() == '\\' || key.back() == '/')) key.pop_back();
  return key;
}

MemoryFileSystem::Node& MemoryFileSystem::Make(const std::string& path, bool folder) {
  const std::string key = Key(path);
  if (auto found = nodes_.find(key); found != nodes_.end()) return found->second;
  const std::size_t slash = key.find_last_of('\\');
  if (slash != std::string::npos && slash + 1 < key.size()) {
    const std::string parent = key.substr(0, slash == 2 ? 3 : slash);  // "C:\" keeps its backslash
    if (parent != key) Make(parent, true).entries.push_back({key.substr(slash + 1), folder, false, false});
  }
  Node& node = nodes_[key];
  node.folder = folder;
  return node;
}

void MemoryFileSystem::AddFile(const std::string& path, bool system) {
  Make(path, false);
  if (system) {
    const std::string key = Key(path);
    const std::string parent = key.substr(0, key.find_last_of('\\'));
    for (FolderEntry& e : nodes_[parent].entries)
      if (JoinHeldPath(parent, e.Name) == key) e.System = true;
  }
}

void MemoryFileSystem::AddFolder(const std::string& path, bool reparsePoint) {
  Make(path, true);
  const std::string key = Key(path);
  const std::size_t slash = key.find_last_of('\\');
  for (FolderEntry& e : nodes_[key.substr(0, slash == 2 ? 3 : slash)].entries)
    if (e.Name == key.substr(slash + 1)) e.ReparsePoint = reparsePoint;
}

void MemoryFileSystem::AddJunction(const std::string& path, const std::string& target) {
  AddFolder(path, true);
  nodes_[Key(path)].target = Key(target);
}

PathKind MemoryFileSystem::KindOf(std::string_view path) {
  const auto found = nodes_.find(Key(path));
  if (found == nodes_.end()) return PathKind::None;
  return found->second.folder ? PathKind::Folder : PathKind::File;
}

bool MemoryFileSystem::ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) {
  ++listings_;
  auto found = nodes_.find(Key(folder));
  if (found == nodes_.end() || !found->second.folder) return false;
  // A junction lists what its target holds, as the system does.
  const Node& node = found->second.target.empty() ? found->second : nodes_[found->second.target];
  entries.insert(entries.end(), node.entries.begin(), node.entries.end());
  return true;
}

DriveType FakeDrives::TypeOf(std::string_view root) {
  const auto found = types.find(std::string(root));
  return found == types.end() ? DriveType::Fixed : found->second;
}

std::optional<std::uint32_t> FakeDrives::VolumeSerialNumberOf(std::string_view root) {
  const auto found = serials.find(std::string(root));
  if (found == serials.end()) return std::nullopt;
  return found->second;
}

namespace {
const char* ModeName(TSetCurrentMode mode) {
  switch (mode) {
    case TSetCurrentMode::smNormal: return "normal";
    case TSetCurrentMode::smSmooth: return "smooth";
    case TSetCurrentMode::smPrepare: return "prepare";
  }
  return "?";
}
std::string NameOf(const TXPlayListItem* item) { return item ? item->FileName() : "nil"; }
}  // namespace

void FakePlayer::OpenItem(TXPlayListItem* item, bool play, TSetCurrentMode mode) {
  calls.push_back(std::string("open ") + NameOf(item) + (play ? " play " : " ") + ModeName(mode));
  if (mode == TSetCurrentMode::smPrepare && state == TXPlayerState::psPlaying && item) {
    prepared = item;
    return;
  }
  current = item;
  prepared = nullptr;
  state = play && item ? TXPlayerState::psPlaying : TXPlayerState::psStopped;
}

void FakePlayer::Play() {
  calls.push_back("play");
  if (current) state = TXPlayerState::psPlaying;
}

void FakePlayer::ReleaseItem(TXPlayListItem& item) {
  calls.push_back("release " + item.FileName());
  if (prepared == &item) prepared = nullptr;
  if (inspected == &item) inspected = nullptr;
  if (building == &item) {
    building = nullptr;
    buildAborted = true;
  }
}

bool FakePlayer::IsKnownExtension(std::u16string_view extension) {
  for (const std::u16string& known : knownExtensions)
    if (LocaleCompare(known, extension) == 0) return true;
  return false;
}

void FakePlayer::ItemInfoChanged(TXPlayListItem& item) { calls.push_back("info " + item.FileName()); }

void FakeFormats::Read(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool restoreCurrent) {
  calls.push_back("read " + std::string(fileName) + " " + std::to_string(static_cast<int>(format)) +
                  (restoreCurrent ? " restore" : ""));
  for (const std::string& entry : contents[std::string(fileName)]) list.AddEntry(entry);
}

void FakeFormats::Write(TXPlayList& list, std::string_view fileName, TXPlayListFormat format, bool saveCurrent) {
  calls.push_back("write " + std::string(fileName) + " " + std::to_string(static_cast<int>(format)) +
                  (saveCurrent ? " current" : ""));
  contents[std::string(fileName)] = NamesOf(list);
}

std::vector<std::string> NamesOf(TXPlayList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.Items(i).FileName());
  return names;
}

std::vector<std::string> PlayOrderNamesOf(TXPlayList& list) {
  std::vector<std::string> names;
  for (int i = 0; i < list.Count(); ++i) names.push_back(list.PlayOrderItem(i)->FileName());
  return names;
}

std::vector<std::string> MusicFiles(int count) {
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) paths.push_back(std::string("C:\\Music\\") + char('a' + i % 26) +
                                                  (i >= 26 ? std::to_string(i / 26) : "") + ".mp3");
  return paths;
}

}  // namespace nv::test
