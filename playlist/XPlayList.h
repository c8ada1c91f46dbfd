#pragma once
// TXPlayList: the ordered list of entries the player plays, with the rules for adding (files, folders, playlists,
// dropped files, lines of text), finding and removing entries, the play order (linear or shuffled, with or without
// repeat), sorting, and reading item information in the background. It plays nothing itself: which item is current
// and what happens when an item is made current are virtual operations, answered by TXPlayerPlayList for the
// player's "Now playing" list; the media browser uses unbound lists.
//
// Sizes: a lookup by path, and the duplicate check of an added entry, is one look into the name index's hash table;
// lookups by folder and sorting use its order by name, made by a radix sort of sort keys when first needed; bulk
// removals and duplicate removal are one pass; the shuffle order is built in O(n log n); a background pass over the
// items reads each item once.
#include <cstdint>
#include <exception>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "playlist/MediaPlayList.h"
#include "playlist/NameStore.h"
#include "playlist/PlayListConstants.h"
#include "playlist/PlayListEnvironment.h"
#include "playlist/PlayListFiles.h"
#include "playlist/PlayListNameIndex.h"
#include "playlist/XPlayListItem.h"

namespace nv {

class TXPlayList {
public:
  explicit TXPlayList(const TPlayListEnvironment& environment = TPlayListEnvironment::System());
  virtual ~TXPlayList();
  TXPlayList(const TXPlayList&) = delete;
  TXPlayList& operator=(const TXPlayList&) = delete;

  // How entry titles are composed when the list is saved (ptfArtist, ptfAlbum).
  std::uint8_t TitleFormat = 0;
  // How many levels of subfolders an added folder is searched: 0 the folder only, -1 all levels.
  int FolderNesting = 0;
  // A playlist file named in a playlist file being read brings its entries (what is played); a list that edits a
  // playlist file keeps the reference as written instead, so that saving writes it back unchanged.
  bool ReadsNestedPlayLists = true;

  TXPlayListOptions Options() const { return options_; }
  // The playlist file this list was last loaded from with Clear; empty otherwise.
  const std::string& FileName() const { return fileName_; }
  void SetFileName(std::string fileName) { fileName_ = std::move(fileName); }

  // The collection's notifications. Update runs after every change outside a bracket and once when the outermost
  // bracket that saw a change closes; brackets nest. A change is an item made, destroyed, moved or sorted, or an
  // option set; a change of an item's information is not (see ReadNextInfo).
  virtual void Update();
  virtual void BeginUpdate();
  virtual void EndUpdate();
  // A bracket that closes however its scope is left. A failure of the closing notification is passed on unless the
  // scope is already being left by another failure.
  class Bracket {
  public:
    explicit Bracket(TXPlayList& list) : list_(list), failures_(std::uncaught_exceptions()) { list_.BeginUpdate(); }
    ~Bracket() noexcept(false);
    Bracket(const Bracket&) = delete;
    Bracket& operator=(const Bracket&) = delete;

  private:
    TXPlayList& list_;
    int failures_;
  };

  // Bound to the player by a subclass; an unbound list has no current item and no player.
  virtual TXPlayListItem* GetCurrent();
  virtual void SetCurrent(TXPlayListItem* item, bool play, TSetCurrentMode mode);
  virtual TXPlayListItem* GetPrepared();
  // An item is being destroyed: whoever holds it must let go of it now.
  virtual void ItemRemoving(TXPlayListItem& item);
  virtual TXPlayerState GetPlayerState();
  // Destroys every item, empties the shuffle order and the name index and clears FileName.
  virtual void Clear();
  // May this file be added when a folder is scanned?
  virtual bool AcceptFile(std::string_view path);

  // Adding. Each bulk operation notifies once, clears the list first when asked, and ends with StartCurrent(play).
  void AddFile(std::string_view path, bool clear, bool play);
  void AddFiles(std::span<const std::string> paths, bool clear, bool play);
  void AddText(std::string_view text, bool clear, bool play);
  // The names a shell drop carried, in order (a drop of nothing still clears when asked).
  void AddDropFiles(std::span<const std::string> names, bool clear, bool play);
  void AddFolder(std::string_view folder, bool clear, bool allLevels, bool play);
  void AddItem(const TXPlayListItem& source, bool clear, bool play);
  TPlayListFileResult LoadFromFile(std::string_view fileName, bool clear, bool restoreCurrent, bool play,
                                   TXPlayListFormat format);
  TPlayListFileResult SaveToFile(std::string_view fileName, bool saveCurrent, TXPlayListFormat format);
  // The primitive of every reader: one entry string (a path, a URL, or a path with a sub-range "<start,end>").
  // Returns the new item, or null when nothing was added.
  TXPlayListItem* AddEntry(std::string_view entry, std::string_view title = {}, bool force = false,
                           std::optional<std::int32_t> duration = std::nullopt);
  // Replaces the redirector entry `item` (or, without one, appends) with the entries of its playlist; returns the
  // item to play instead of `item`, or null when the playlist has no items.
  TXPlayListItem* ExpandMediaPlayList(TXPlayListItem* item, TMediaPlayList& playList);
  // A URL, an existing file (a playlist file is read into its entries), a CD track path or an existing folder.
  void AddPath(std::string_view path);
  void AddFolderFiles(std::string_view folder, bool allLevels);

  // Removing. Each returns the position (`position`, or the current index when not given) moved back by one for
  // every destroyed item that stood before it, then clamped into the list (-1 when it became empty); with
  // `select` that item is made current, playing when `keepPlaying` and the player was playing.
  int DeleteFiles(std::span<const std::string> paths, std::optional<int> position, bool keepPlaying, bool select);
  int DeleteFolders(std::span<const std::string> folders, std::optional<int> position, bool keepPlaying,
                    bool select);
  // The items at these indices (in any order; one outside the list, or named twice, counts once or not at all).
  int DeleteIndices(std::span<const int> indices, std::optional<int> position, bool keepPlaying, bool select);
  void Delete(int index);

  // Looking up.
  bool Contains(const TXPlayListItem& item) const { return IndexOfItem(item) >= 0; }
  bool ContainsFile(std::string_view path) const { return IndexOfFile(path) >= 0; }
  int IndexOfFile(std::string_view path) const;
  int IndexOfItem(const TXPlayListItem& item) const;
  // The first item of that path that covers the range: a whole-file item, or a sub-range that starts at or before
  // `start` and either has no end or (`end` > 0) ends at or after `end`.
  int IndexOfRange(std::string_view path, std::int64_t start, std::int64_t end) const;
  bool ContainsFolder(std::string_view folder) const { return IndexOfFolder(folder) >= 0; }
  int IndexOfFolder(std::string_view folder) const;
  bool FolderHasMedia(std::string_view folder);

  int Count() const { return static_cast<int>(items_.size()); }
  TXPlayListItem& Items(int index) const;
  int CurrentIndex();
  int CurrentPosition();
  TXPlayListItem* PlayOrderItem(int position);
  int PlayOrderIndexOf(const TXPlayListItem* item);
  bool IsFirst() { return CurrentPosition() < 1; }
  bool IsLast() { return CurrentPosition() >= Count() - 1; }

  // Play control.
  void StartCurrent(bool play);
  void PlayIndex(int index, bool play, TSetCurrentMode mode);
  void Next(bool play) { Step(true, play, false, TSetCurrentMode::smSmooth); }
  void Previous(bool play) { Step(false, play, false, TSetCurrentMode::smSmooth); }
  // The one navigation rule behind Next, Previous, the end of an item and preparing the next one.
  void Step(bool forward, bool play, bool wrap, TSetCurrentMode mode);

  // Order and options.
  void SetOptions(TXPlayListOptions options);
  void SortByFileName() { Sort({}); }
  // Sorts by field numbers of the media information (0..9), key by key, then by file name; an
  // empty key list sorts by file name. Items that compare equal keep their order.
  void Sort(std::span<const int> keys);
  void RemoveDuplicates();
  void RefreshInfo();
  // One step of background information reading: reads the next item whose information is not loaded, from the
  // cursor on, wrapping round. False when nothing was left to read.
  bool ReadNextInfo();
  // The item whose information the last step (or UpdateFromGraph) changed, or -1.
  int LastInfoIndex() const { return lastInfoIndex_; }
  // Moves an item to another index (the name index is not touched).
  void Move(int from, int to);

protected:
  const TPlayListEnvironment& Environment() const { return environment_; }
  // Destroys every item (the player lets go of each first) without notifying: for the destructors.
  void DestroyAllItems();

private:
  friend class TXPlayListItem;

  // Appends an item and puts it into the name index (`nameHash` when the caller has it already).
  TXPlayListItem* NewItem(std::string path, std::u16string wideName, std::optional<std::uint64_t> nameHash = {});
  TXPlayListItem* PlayOrderItemAt(int position) const;
  void Changed();
  void DiscardShuffleOrder();
  void EnsureShuffleOrder();
  void Reindex(std::size_t from);
  void DestroyItem(TXPlayListItem& item);
  // Destroys the marked items in one pass; each is handed over in `order` first.
  void DestroyItems(const std::vector<TXPlayListItem*>& order);
  void HandOver(TXPlayListItem& item);
  // Marks the time in which items on their way out are handed over to the player.
  class HandingOver {
  public:
    explicit HandingOver(TXPlayList& list) : list_(list) { list_.handingOver_ = true; }
    ~HandingOver() { list_.handingOver_ = false; }
    HandingOver(const HandingOver&) = delete;
    HandingOver& operator=(const HandingOver&) = delete;

  private:
    TXPlayList& list_;
  };
  void Rename(TXPlayListItem& item, std::string fileName);
  // Stores the names afresh, in the list's order, once removals left much of the store unused.
  void RenewNamesIfWasteful();
  int FinishDeletion(const std::vector<TXPlayListItem*>& doomed, std::optional<int> position, bool keepPlaying,
                     bool select);
  void ReadPlayListFile(std::string_view path, TXPlayListFormat format);
  void ListFolderCandidates(std::string_view folder, int depth, const std::function<bool(const std::string&)>& visit);
  int CompareNames(std::u16string_view a, std::u16string_view b) const;

  TPlayListEnvironment environment_;
  // The drive types of the paths a bulk operation adds, asked once per drive until the outermost bracket closes.
  CachingDriveQuery driveTypes_;
  TXPlayListOptions options_ = kDefaultPlayListOptions;
  std::string fileName_;
  TNameStore names_;  // the items' wide names
  std::vector<std::unique_ptr<TXPlayListItem>> items_;
  // Mutable: its order by name is made when a lookup first asks for it.
  mutable TPlayListNameIndex nameIndex_;
  std::vector<TXPlayListItem*> shuffleOrder_;
  std::vector<int> shufflePositions_;  // by item index, while there is a shuffle order
  // The play-order position last asked for or stepped to: the current item is usually found there without
  // touching the item itself, so stepping through a large list costs no scattered reads.
  int positionHint_ = -1;
  int infoCursor_ = -1;
  int lastInfoIndex_ = -1;
  int updateCount_ = 0;
  bool changedInBracket_ = false;
  bool handingOver_ = false;
};

}  // namespace nv
