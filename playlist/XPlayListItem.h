#pragma once
// One entry of a playlist: a local file, a CD audio track, a stream URL or a sub-range of a file (a track of a CUE
// sheet), with its media information. Items are made and destroyed only by their list.
#include <cstdint>
#include <exception>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/XMMFileInfo.h"
#include "playlist/ItemGraphFacts.h"
#include "playlist/PlayListConstants.h"
#include "playlist/PlayListNameIndex.h"

namespace nv {

class TXPlayList;

// Further paths or URLs of one entry (held text).
using TXFilePathArray = std::vector<std::string>;

class TXPlayListItem {
public:
  TXPlayListItem(const TXPlayListItem&) = delete;
  TXPlayListItem& operator=(const TXPlayListItem&) = delete;

  // Made by expanding a Windows Media redirector playlist; saved with the entry and consulted by graph building.
  bool ASXRedirected = false;
  // The message of the last error raised while a graph was built for this item; empty when none.
  std::string ErrorText;
  TXMMFileInfo Info;

  // An absolute path, a CD audio track path or a URL, held text.
  const std::string& FileName() const { return fileName_; }
  std::u16string_view WideFileName() const { return wideName_; }

  TXPlayList& List() const { return *list_; }
  int Index() const { return index_; }

  // Copies ASXRedirected, the file name and the whole information; not the alternative paths nor the error text.
  void Assign(const TXPlayListItem& source);
  // Asks the list to make this item current.
  void Activate(bool play, TSetCurrentMode mode);
  bool IsCurrent() const;
  // The position in the list's play order.
  int PlayOrderIndex() const;

  const AttributeValue& Value(AttributeName name) const { return Info.GetValue(name); }
  const AttributeValue& Field(int number) const { return Info.GetField(number); }

  // A sub-range item: "NV_StartTime" (and maybe "NV_EndTime") in milliseconds from the start of the file.
  bool IsSubRange() const { return Info.HasValue(kStartTimeAttribute); }
  std::int64_t StartTime() const;
  // Nothing when the range reaches to the end of the file.
  std::optional<std::int64_t> EndTime() const;

  int AlternativePathCount() const { return static_cast<int>(alternatives_.size()); }
  // Raises EListError "List index out of bounds (%d)" outside 0..count-1.
  const std::string& AlternativePath(int index) const;
  // Ignored when the item already has the path (same file: the user's locale, without regard to case).
  void AddAlternativePath(std::string_view path);
  const TXFilePathArray& AlternativePaths() const { return alternatives_; }

  // ErrorText := the error's message.
  void StoreError(const std::exception& error);

  // Refreshes the information from the graph built for this item once it is built. True when the title, the
  // duration or the information read from the graph changed; the list then notes this item as the one whose
  // information changed last.
  bool UpdateFromGraph(TItemGraphFacts& graph);

private:
  friend class TXPlayList;
  TXPlayListItem(TXPlayList& list, std::string fileName);
  void SetFileName(std::string fileName);

  TXPlayList* list_;
  int index_ = -1;
  int shufflePosition_ = -1;  // valid while the list holds a shuffle order
  bool removing_ = false;     // chosen for destruction by a bulk removal
  TPlayListNameIndex::Position nameEntry_;
  std::string fileName_;
  std::u16string wideName_;  // the same name in UTF-16, which every comparison of names wants
  TXFilePathArray alternatives_;
};

}  // namespace nv
