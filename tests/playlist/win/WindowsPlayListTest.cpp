// The playlist on the system's own services under Wine: folders scanned with FindFirstFileW on a real tree with
// names the code page cannot hold, nested at each depth; names compared with CompareStringW; dropped files read
// from a real drop handle; the sort menu as a real menu.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <set>

#include <windows.h>
#include <shlobj.h>

#include "playlist/PlayListSort.h"
#include "playlist/win/DropFiles.h"
#include "playlist/win/SortMenu.h"
#include "support/win/WideText.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

namespace fs = std::filesystem;
using test::FakePlayer;

// A folder tree in the build tree, removed afterwards:
//   Музыка\  Café.mp3  曲.mp3  notes.txt  hidden.mp3 (hidden)  system.mp3 (system)
//     Ωmega\  a.ogg                              (depth 1)
//       Deeper 深\  b.mp3  list.m3u               (depth 2)
//         Deepest\  c.wma                         (depth 3)
class RealTree : public ::testing::Test {
protected:
  void SetUp() override {
    root_ = fs::path(test::UnixToWindowsPath(test::BinaryDir() + "/tests/playlist")) /
            (L"tree-" + std::to_wstring(GetCurrentProcessId()));
    top_ = root_ / L"\u041C\u0443\u0437\u044B\u043A\u0430";
    fs::create_directories(top_ / L"\u03A9mega" / L"Deeper \u6DF1" / L"Deepest");
    for (const fs::path& f : {top_ / L"Caf\u00E9.mp3", top_ / L"\u66F2.mp3", top_ / L"notes.txt",
                              top_ / L"hidden.mp3", top_ / L"system.mp3", top_ / L"\u03A9mega" / L"a.ogg",
                              top_ / L"\u03A9mega" / L"Deeper \u6DF1" / L"b.mp3",
                              top_ / L"\u03A9mega" / L"Deeper \u6DF1" / L"list.m3u",
                              top_ / L"\u03A9mega" / L"Deeper \u6DF1" / L"Deepest" / L"c.wma"})
      std::ofstream(f, std::ios::binary) << "0123456789";
    SetFileAttributesW((top_ / L"hidden.mp3").c_str(), FILE_ATTRIBUTE_HIDDEN);
    SetFileAttributesW((top_ / L"system.mp3").c_str(), FILE_ATTRIBUTE_SYSTEM);
  }
  void TearDown() override {
    SetFileAttributesW((top_ / L"hidden.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
    SetFileAttributesW((top_ / L"system.mp3").c_str(), FILE_ATTRIBUTE_NORMAL);
    std::error_code ignored;
    fs::remove_all(root_, ignored);
  }

  std::string Held(const fs::path& path) const { return WideToMarked(path.wstring()); }
  std::string Top() const { return Held(top_); }
  // The items' names below the top folder, sorted (the system enumerates in an order of its own).
  std::set<std::wstring> Relative(TXPlayList& list) const {
    std::set<std::wstring> names;
    for (const std::string& name : test::NamesOf(list)) {
      const std::wstring wide = MarkedToWide(name);
      EXPECT_EQ(wide.rfind(top_.wstring() + L"\\", 0), 0u) << name;
      names.insert(wide.substr(top_.wstring().size() + 1));
    }
    return names;
  }

  fs::path root_, top_;
};

TEST_F(RealTree, FolderNestingAtEachDepth) {
  const std::set<std::wstring> depth0 = {L"Caf\u00E9.mp3", L"\u66F2.mp3", L"hidden.mp3"};
  std::set<std::wstring> depth1 = depth0, depth2, depth3;
  depth1.insert(L"\u03A9mega\\a.ogg");
  depth2 = depth1;
  depth2.insert(L"\u03A9mega\\Deeper \u6DF1\\b.mp3");  // the playlist file inside is read, without a reader: nothing
  depth3 = depth2;
  depth3.insert(L"\u03A9mega\\Deeper \u6DF1\\Deepest\\c.wma");
  const struct {
    int nesting;
    const std::set<std::wstring>& expected;
  } cases[] = {{0, depth0}, {1, depth1}, {2, depth2}, {3, depth3}, {-1, depth3}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.nesting);
    FakePlayer player;
    TXPlayerPlayList list(player);
    list.FolderNesting = c.nesting;
    list.AddFolder(Top(), false, false, false);
    EXPECT_EQ(Relative(list), c.expected);
    EXPECT_TRUE(list.FolderHasMedia(Top()));
  }
}

TEST_F(RealTree, NamesTheCodePageCannotHoldAreMarkedAndTheFilesOpen) {
  FakePlayer player;
  TXPlayerPlayList list(player);
  list.AddFile(Held(top_ / L"\u66F2.mp3"), false, false);
  list.AddFile(Held(top_ / L"Caf\u00E9.mp3"), false, false);
  std::ofstream(root_ / L"Caf\u00E9.mp3") << "x";
  list.AddFile(Held(root_ / L"Caf\u00E9.mp3"), false, false);
  ASSERT_EQ(list.Count(), 3);
  EXPECT_EQ(list.Items(0).FileName()[0], '\x01') << "held marked";
  EXPECT_EQ(list.Items(1).FileName()[0], '\x01') << "held marked: its folder's name needs it";
  EXPECT_NE(list.Items(2).FileName()[0], '\x01') << "held in the code page";
  while (list.ReadNextInfo()) {
  }
  EXPECT_EQ(list.Items(0).Value(kFileSizeAttribute).ToNumber(), 10) << "the file was found by its marked name";
  EXPECT_EQ(list.Items(0).Value(kTitleAttribute).ToUtf16(), u"\u66F2");
}

TEST_F(RealTree, FoldersAddedWhole) {
  FakePlayer player;
  TXPlayerPlayList list(player);
  list.AddFolder(Top(), false, true, false);
  EXPECT_EQ(list.Count(), 6);
  EXPECT_TRUE(list.ContainsFolder(Held(top_ / L"\u03A9MEGA")));
  const std::vector<std::string> gone = {Held(top_ / L"\u03C9mega")};  // lower-case omega: the same folder
  EXPECT_EQ(list.DeleteFolders(gone, 0, false, false), 0);
  EXPECT_EQ(list.Count(), 3);
}

// Counts the folders listed, to see whether a scan went round a loop.
class CountingFileSystem final : public FileSystem {
public:
  PathKind KindOf(std::string_view path) override { return SystemFileSystem().KindOf(path); }
  bool ListFolder(std::string_view folder, std::vector<FolderEntry>& entries) override {
    ++listings;
    return SystemFileSystem().ListFolder(folder, entries);
  }
  int listings = 0;
};

TEST_F(RealTree, FolderLinksAreNotFollowed) {
  // A Unix symbolic link back up the tree, which Wine shows as a folder that is a reparse point.
  const std::string loop = test::BinaryDir() + "/tests/playlist/tree-" + std::to_string(GetCurrentProcessId()) +
                           "/loop";
  fs::create_directories(root_ / L"loop");
  std::ofstream(root_ / L"loop" / L"x.mp3") << "x";
  test::StartUnixCommand(L"/bin/sh -c \"ln -s .. '" + ToWide(MarkedToUtf16(loop)) + L"/back' && touch '" +
                         ToWide(MarkedToUtf16(loop)) + L"/linked'\"");
  ASSERT_TRUE(test::WaitForFile((root_ / L"loop" / L"linked").wstring(), 10000));
  std::vector<FolderEntry> entries;
  ASSERT_TRUE(SystemFileSystem().ListFolder(Held(root_ / L"loop"), entries));
  const auto back = std::find_if(entries.begin(), entries.end(), [](const FolderEntry& e) { return e.Name == "back"; });
  ASSERT_NE(back, entries.end());
  EXPECT_TRUE(back->Folder);
  EXPECT_TRUE(back->ReparsePoint);

  CountingFileSystem files;
  test::CountingCollation collation;
  SeededRandom random(1);
  FakePlayer player;
  TXPlayerPlayList list(player, {files, SystemDrives(), collation, random});
  list.AddFolder(Held(root_ / L"loop"), false, true, false);
  EXPECT_EQ(list.Count(), 1);
  EXPECT_EQ(files.listings, 1) << "the link back up is not entered";
}

TEST(WindowsPlayList, NamesCompareInTheUsersLocale) {
  TXPlayList list;
  list.AddEntry(WideToMarked(L"C:\\\u00C9T\u00C9.mp3"));
  EXPECT_EQ(list.AddEntry(WideToMarked(L"c:\\\u00E9t\u00E9.MP3")), nullptr);
  list.AddEntry(WideToMarked(L"C:\\\u0416\u0423\u041A.mp3"));
  EXPECT_EQ(list.IndexOfFile(WideToMarked(L"C:\\\u0436\u0443\u043A.mp3")), 1);
}

// A drop handle as the shell makes one: DROPFILES followed by the wide names, each ended by a zero, and one more.
HGLOBAL MakeDrop(const std::vector<std::wstring>& names) {
  std::wstring block;
  for (const std::wstring& n : names) block += n + L'\0';
  block += L'\0';
  const SIZE_T size = sizeof(DROPFILES) + block.size() * sizeof(wchar_t);
  HGLOBAL memory = GlobalAlloc(GHND, size);
  auto* drop = static_cast<DROPFILES*>(GlobalLock(memory));
  drop->pFiles = sizeof(DROPFILES);
  drop->fWide = TRUE;
  memcpy(reinterpret_cast<char*>(drop) + sizeof(DROPFILES), block.data(), block.size() * sizeof(wchar_t));
  GlobalUnlock(memory);
  return memory;
}

TEST_F(RealTree, DroppedFilesInOrder) {
  const std::vector<std::wstring> names = {(top_ / L"\u66F2.mp3").wstring(), (top_ / L"notes.txt").wstring(),
                                           (top_ / L"\u03A9mega").wstring()};
  HGLOBAL drop = MakeDrop(names);
  const std::vector<std::string> held = DroppedFileNames(static_cast<HDROP>(drop));
  ASSERT_EQ(held.size(), 3u);
  for (std::size_t i = 0; i < names.size(); ++i) EXPECT_EQ(MarkedToWide(held[i]), names[i]);
  FakePlayer player;
  TXPlayerPlayList list(player);
  AddDropFiles(list, static_cast<HDROP>(drop), false, false);
  EXPECT_EQ(Relative(list), (std::set<std::wstring>{L"\u66F2.mp3", L"notes.txt", L"\u03A9mega\\a.ogg"}))
      << "a dropped file is added whatever its extension; a dropped folder brings its media";
  GlobalFree(drop);
}

TEST(WindowsPlayList, TheSortMenuReplacesItsItemsAndSorts) {
  HMENU menu = CreatePopupMenu();
  AppendMenuW(menu, MF_STRING, 1, L"old one");
  AppendMenuW(menu, MF_STRING, 2, L"old two");
  FillSortMenu(menu, 500);
  ASSERT_EQ(GetMenuItemCount(menu), kSortMenuRowCount);
  for (int row = 0; row < kSortMenuRowCount; ++row) {
    wchar_t caption[64] = {};
    GetMenuStringW(menu, row, caption, 64, MF_BYPOSITION);
    EXPECT_EQ(WideToMarked(caption), kSortMenuRows[row].Caption);
    EXPECT_EQ(GetMenuItemID(menu, row), 500u + row);
  }
  DestroyMenu(menu);

  TXPlayList list;
  list.AddEntry("C:\\1.mp3")->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Zappa"));
  list.AddEntry("C:\\2.mp3")->Info.SetValue(kAuthorAttribute, AttributeValue::AnsiText("Abba"));
  EXPECT_FALSE(RunSortMenuCommand(list, 499, 500));
  EXPECT_FALSE(RunSortMenuCommand(list, 510, 500));
  EXPECT_TRUE(RunSortMenuCommand(list, 501, 500));  // "Artist"
  EXPECT_EQ(list.Items(0).FileName(), "C:\\2.mp3");
  EXPECT_TRUE(RunSortMenuCommand(list, 500, 500));  // "File name"
  EXPECT_EQ(list.Items(0).FileName(), "C:\\1.mp3");
}

}  // namespace
}  // namespace nv
