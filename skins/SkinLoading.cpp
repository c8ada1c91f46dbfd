#include "skins/SkinLoading.h"

#include <algorithm>
#include <span>

#include "skins/CabinetNames.h"
#include "skins/SkinErrors.h"
#include "support/FileSource.h"
#include "support/FileSystem.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {
namespace {

constexpr char kMaskSuffix[] = ".mask";

// The user's locale's sort key of a name: equal keys are names equal without regard to case.
std::string KeyOf(std::u16string_view name) {
  std::string key;
  UserLocaleCollation().AppendSortKey(name, key);
  return key;
}

}  // namespace

SkinPackageFill::SkinPackageFill(TSkinImageCollection& items, bool partial, std::string* notice, std::string* readme)
    : items_(items), partial_(partial), notice_(notice), readme_(readme),
      noticeKey_(KeyOf(MarkedToUtf16(kNoticeFileName))), readmeKey_(KeyOf(MarkedToUtf16(kReadmeFileName))) {
  for (std::size_t i = 0; i < items_.Count(); ++i) itemsByKey_.emplace(KeyOf(MarkedToUtf16(items_[i].Name())), i);
  if (!partial_) return;
  // The masks of the missing required items come along with them.
  for (std::size_t i = 0; i < items_.Count(); ++i) {
    const TSkinImage& item = items_[i];
    if (item.Optional() || item.HasImage()) continue;
    const std::string mask = item.Name() + kMaskSuffix;
    if (items_.Find(mask)) masks_.push_back(mask);
  }
}

bool SkinPackageFill::IsWantedInPartialMode(std::size_t index) const {
  const TSkinImage& item = items_[index];
  if (!item.Optional() && !item.HasImage()) return true;
  for (const std::string& mask : masks_)
    if (LocaleSameText(mask, item.Name())) return true;
  return false;
}

std::optional<SkinPackageFill::Target> SkinPackageFill::Wants(std::u16string_view entryName,
                                                              std::uint64_t declaredSize) const {
  if (!IsSafeEntryName(entryName)) return std::nullopt;
  // The texts by file name, whatever folder was stored with them; an image by its base name.
  const std::string fileKey = KeyOf(ExtractFileName(entryName));
  if (notice_ && fileKey == noticeKey_) {
    if (declaredSize > kMaxSkinTextBytes) return std::nullopt;
    return Target{Target::Kind::Notice};
  }
  if (readme_ && fileKey == readmeKey_) {
    if (declaredSize > kMaxSkinTextBytes) return std::nullopt;
    return Target{Target::Kind::Readme};
  }
  const auto item = itemsByKey_.find(KeyOf(EntryBaseName(entryName)));
  if (item == itemsByKey_.end() || declaredSize > kMaxSkinImageBytes) return std::nullopt;
  if (partial_ && !IsWantedInPartialMode(item->second)) return std::nullopt;
  return Target{Target::Kind::Image, item->second};
}

void SkinPackageFill::Commit(const Target& target, std::string_view bytes) {
  switch (target.kind) {
    case Target::Kind::Notice:
      *notice_ = std::string(bytes);
      break;
    case Target::Kind::Readme:
      *readme_ = std::string(bytes);
      break;
    case Target::Kind::Image: {
      auto image = DecodeBitmap({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
      if (image) items_.SetImage(target.item, std::move(*image));
      break;
    }
  }
}

std::string SkinEnvironment::ProgramFolder() {
  return Utf16ToMarked(ExtractFileDir(MarkedToUtf16(DefaultPackagePath())));
}

void ReadSkinPackage(SkinEnvironment& system, std::string_view path, TSkinImageCollection& items, std::string* notice,
                     bool partial, std::string* readme) {
  if (!partial) items.ClearImages();
  if (notice) notice->clear();
  if (readme) readme->clear();
  SkinPackageFill fill(items, partial, notice, readme);
  system.ReadPackage(path, fill);
}

namespace {

// Whether every item that may not be left out has an image, and whether any has one.
struct Completeness {
  bool complete = true;
  bool anyLoaded = false;
};

Completeness Examine(const TSkinImageCollection& items) {
  Completeness result;
  for (std::size_t i = 0; i < items.Count(); ++i) {
    if (items[i].HasImage())
      result.anyLoaded = true;
    else
      result.complete = result.complete && items[i].Optional();
  }
  return result;
}

void CompleteFromDefault(SkinEnvironment& system, TSkinImageCollection& items, const Completeness& found) {
  if (found.complete) return;
  try {
    ReadSkinPackage(system, system.DefaultPackagePath(), items, nullptr, found.anyLoaded, nullptr);
  } catch (const std::exception&) {
    throw ESkinError(kDefaultSkinCorruptedMessage);
  }
}

// A whole file of at most `limit` bytes; nothing when it is larger or cannot be read.
std::optional<std::string> ReadSmallFile(std::string_view path, std::uint64_t limit) {
  const auto source = platform::OpenFileSource(path);
  if (!source || source->Size() > limit) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(source->Size()), '\0');
  if (source->ReadAt(0, reinterpret_cast<std::uint8_t*>(bytes.data()), bytes.size()) != bytes.size())
    return std::nullopt;
  return bytes;
}

// The lines of a text file (ended by CR LF, LF or CR) joined with CR LF, trimmed at both ends.
std::string ReadSkinText(std::string_view path) {
  const std::optional<std::string> bytes = ReadSmallFile(path, kMaxSkinTextBytes);
  if (!bytes) return {};
  std::string_view rest = *bytes;
  std::string joined;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find_first_of("\r\n"), rest.size());
    if (!joined.empty()) joined += "\r\n";
    joined += rest.substr(0, end);
    rest.remove_prefix(end);
    if (rest.starts_with("\r\n"))
      rest.remove_prefix(2);
    else if (!rest.empty())
      rest.remove_prefix(1);
  }
  return TrimText(joined);
}

// The entry of a listed folder whose name is `name` without regard to case.
const FolderEntry* FindFile(const std::vector<FolderEntry>& entries, std::string_view name) {
  for (const FolderEntry& e : entries)
    if (!e.Folder && LocaleSameText(e.Name, name)) return &e;
  return nullptr;
}

std::string FolderFile(std::string_view folder, std::string_view name) {
  return Utf16ToMarked(JoinPath(MarkedToUtf16(folder), MarkedToUtf16(name)));
}

}  // namespace

void LoadSkinFromPackage(SkinEnvironment& system, std::string_view path, TSkinImageCollection& items,
                         std::string* notice, std::string* readme) {
  SkinUpdateBracket bracket(items);
  items.ClearImages();
  Completeness found;
  try {
    ReadSkinPackage(system, path, items, notice, false, readme);
    found = Examine(items);
  } catch (const std::exception&) {
    // A package that cannot be read to its end is not taken in part: the whole default skin replaces it, so that
    // the player never shows half of a broken skin.
    found = Completeness{false, false};
  }
  CompleteFromDefault(system, items, found);
}

void LoadSkinFromFolder(SkinEnvironment& system, std::string_view folder, TSkinImageCollection& items,
                        std::string* notice, std::string* readme) {
  SkinUpdateBracket bracket(items);
  std::vector<FolderEntry> entries;
  SystemFileSystem().ListFolder(folder, entries);
  Completeness found;
  for (std::size_t i = 0; i < items.Count(); ++i) {
    items.ClearImage(i);
    std::optional<SkinBitmap> image;
    if (const FolderEntry* entry = FindFile(entries, items[i].Name() + ".bmp")) {
      if (const auto bytes = ReadSmallFile(FolderFile(folder, entry->Name), kMaxSkinImageBytes))
        image = DecodeBitmap({reinterpret_cast<const std::uint8_t*>(bytes->data()), bytes->size()});
    }
    if (image) {
      items.SetImage(i, std::move(*image));
      found.anyLoaded = true;
    } else {
      found.complete = found.complete && items[i].Optional();
    }
  }
  CompleteFromDefault(system, items, found);
  auto text = [&](std::string_view name) {
    const FolderEntry* entry = FindFile(entries, name);
    return entry ? ReadSkinText(FolderFile(folder, entry->Name)) : std::string();
  };
  if (notice) *notice = text(kNoticeFileName);
  if (readme) *readme = text(kReadmeFileName);
}

}  // namespace nv
