#include "metadata/XMMFileInfo.h"

#include "metadata/CDTrackInfo.h"
#include "metadata/MediaFileReading.h"
#include "metadata/MediaPaths.h"
#include "support/DriveInfo.h"
#include "support/FileSource.h"
#include "support/MarkedText.h"

namespace nv {

namespace {

// Room for what a file usually brings, so that the read list is allocated once; the record gives back what it does
// not use when loading ends.
constexpr std::size_t kTypicalAttributeCount = 12;

const AttributeValue kNoValue;

// Wide and code-page text that read the same are the same value.
bool SameValue(const AttributeValue& a, const AttributeValue& b) {
  return a.IsText() && b.IsText() ? a.ToUtf16() == b.ToUtf16() : a == b;
}

}  // namespace

void TXMMFileInfo::DetectKind(std::string_view path) { DetectKind(path, SystemDrives()); }

void TXMMFileInfo::DetectKind(std::string_view path, DriveQuery& drives) {
  if (Kind != TMediaKind::mkUnknown) return;
  if (HasUrlScheme(path)) {
    Kind = TMediaKind::mkURL;
    return;
  }
  switch (drives.TypeOf(DriveRootOf(path))) {
    case DriveType::Removable: Kind = TMediaKind::mkRemovable; break;
    case DriveType::CDROM: Kind = TMediaKind::mkCDROM; break;
    default: Kind = TMediaKind::mkLocal; break;
  }
}

void TXMMFileInfo::InitFromName(std::string_view path) { InitFromName(path, SystemDrives()); }

void TXMMFileInfo::InitFromName(std::string_view path, DriveQuery& drives) {
  DetectKind(path, drives);
  EnsureTitle(path);
}

// 1. The CD audio branch, for a track path on a CD drive, when it can read the disc.
// 2. A local file's own information, by extension; URLs are not read.
// 3. Unless the record is a sub-range (which keeps the title of its CUE sheet or playlist): for a URL whatever was
//    read is merged over the attributes; for a file a non-empty read list replaces them all. So a title that came
//    from a playlist is lost once the file's tags are read, and when the tags have no title the file name comes
//    back below.
// 4. The file size and the title.
void TXMMFileInfo::LoadInfo(std::string_view path) {
  DetectKind(path);
  if (Kind == TMediaKind::mkCDROM && IsCDTrackPath(path)) {
    TCDTrackInfoLoader* loader = CDTrackInfoLoader();
    if (loader && loader->LoadTrackInfo(*this, path)) return;
  }
  TXHeaderAttributes read;
  read.reserve(kTypicalAttributeCount);
  std::optional<std::uint64_t> size;
  if (Kind != TMediaKind::mkURL) size = ReadMediaFile(path, read);
  if (!IsSubRange()) {
    if (HasUrlScheme(path)) {
      for (TXHeaderAttribute& a : read) SetValue(a.Name, std::move(a.Value));
    } else if (!read.empty()) {
      Attributes = std::move(read);
    }
  }
  if (Kind != TMediaKind::mkURL) {
    if (size)
      SetFileSize(*size);
    else
      AddFileSize(path);
  }
  EnsureTitle(path);
  Loaded = true;
  Attributes.shrink_to_fit();  // a playlist holds many records: no room for attributes that never come
}

void TXMMFileInfo::LoadInfoQuietly(std::string_view path) {
  try {
    LoadInfo(path);
  } catch (const std::exception&) {
    EnsureTitle(path);
    Loaded = true;
  }
}

// 1. A CD track whose disc has changed (another volume serial number, or none) is read again from scratch.
// 2. A Windows Media header is read like a file's; without one, a record that was never loaded is loaded now.
// 3. Media content (title, author, description) replaces what the header gave.
// 4. Unless the record is a sub-range: a URL merges what was read; a file takes the read list when it is longer
//    than what the record holds.
bool TXMMFileInfo::ReadFromGraph(std::string_view path, TGraphMediaInfo* source) {
  bool changed = true;
  if (const AttributeValue& stored = GetValue(kCDSerialNoAttribute); !stored.IsNull()) {
    const std::optional<std::uint32_t> serial = platform::VolumeSerialNumberOf(DriveRootOf(path));
    const std::optional<double> known = stored.ToNumber();
    if (!serial || *serial == 0 || !known || static_cast<std::uint32_t>(*known) != *serial) {
      Clear();
      LoadInfoQuietly(path);
    }
    return changed;
  }

  TXHeaderAttributes read;
  std::optional<std::vector<WMAttribute>> header;
  if (source) header = source->HeaderAttributes();
  if (header) {
    read = ConvertWindowsMediaAttributes(*header);
  } else if (Loaded) {
    changed = false;
  } else {
    LoadInfoQuietly(path);
  }
  if (const std::optional<TMediaContent> content = source ? source->MediaContent() : std::nullopt) {
    read.clear();
    if (!content->Title.empty()) read.push_back({kTitleAttribute, AttributeValue::WideText(content->Title)});
    if (!content->AuthorName.empty())
      read.push_back({kAuthorAttribute, AttributeValue::WideText(content->AuthorName)});
    if (!content->Description.empty())
      read.push_back({kDescriptionAttribute, AttributeValue::WideText(content->Description)});
  }

  if (IsSubRange()) return changed;
  if (HasUrlScheme(path)) {
    // A stream announces a new title while it plays: that is a change even for a record loaded before.
    for (TXHeaderAttribute& a : read) {
      if (!SameValue(GetValue(a.Name), a.Value)) changed = true;
      SetValue(a.Name, std::move(a.Value));
    }
    EnsureTitle(path);
    Loaded = true;
  } else if (read.size() > Attributes.size()) {
    Attributes = std::move(read);
    AddFileSize(path);
    EnsureTitle(path);
    Loaded = true;
  } else if (!read.empty()) {
    changed = false;
  }
  return changed;
}

void TXMMFileInfo::Clear() {
  Loaded = false;
  Kind = TMediaKind::mkUnknown;
  if (!HasValue(kStartTimeAttribute)) Attributes.clear();
}

const AttributeValue& TXMMFileInfo::GetField(int number) const {
  return number >= 0 && number < kFieldCount ? GetValue(kFieldNames[number]) : kNoValue;
}

void TXMMFileInfo::EnsureTitle(std::string_view path) {
  if (HasValue(kTitleAttribute)) return;
  if (HasUrlScheme(path)) {
    SetValue(kTitleAttribute, AttributeValue::HeldText(path));
  } else {
    const std::u16string wide = MarkedToUtf16(path);
    SetValue(kTitleAttribute, AttributeValue::WideText(FileTitleOf(wide)));
  }
}

void TXMMFileInfo::AddFileSize(std::string_view path) {
  if (Kind == TMediaKind::mkURL) return;
  SetFileSize(platform::FileSizeOf(path).value_or(0));
}

void TXMMFileInfo::SetFileSize(std::uint64_t size) {
  SetValue(kFileSizeAttribute, AttributeValue::Float(static_cast<double>(size)));
}

}  // namespace nv
