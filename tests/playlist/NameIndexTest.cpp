// The name index against a plain model: after random runs of adding, removing, renaming, moving and sorting (long
// runs and short ones, so that its order by name is made again as well as kept up item by item), every lookup by
// path and by folder answers what a search of all items gives, and sorting by name gives what a stable sort gives.
#include <gtest/gtest.h>

#include <map>

#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "tests/playlist/PlayListFakes.h"

namespace nv {
namespace {

using test::TestEnvironment;

// Folders whose names start alike, and files that compare equal in another case.
const std::vector<std::string> kFolders = {"C:\\A", "C:\\a b", "C:\\AB", "D:"};
const std::vector<std::string> kFiles = {"x.mp3", "X.MP3", "y.mp3", Utf16ToMarked(u"\u017D.mp3"),
                                         Utf16ToMarked(u"\u017E.MP3")};

std::vector<std::string> AllPaths() {
  std::vector<std::string> paths;
  for (const std::string& folder : kFolders)
    for (const std::string& file : kFiles) paths.push_back(folder + "\\" + file);
  return paths;
}

class Model {
public:
  explicit Model(TXPlayList& list) : list_(list) {}

  void Added(TXPlayListItem* item) { serial_[item] = next_++; }

  // The newest item with that name.
  int IndexOfFile(const std::string& path) const {
    const TXPlayListItem* best = nullptr;
    for (int i = 0; i < list_.Count(); ++i) {
      const TXPlayListItem& item = list_.Items(i);
      if (LocaleCompare(item.FileName(), path) == 0 && (!best || serial_.at(&item) > serial_.at(best))) best = &item;
    }
    return best ? best->Index() : -1;
  }

  // The first item by name (the newest of equal names) that is not before the folder, when it lies in the folder.
  int IndexOfFolder(const std::string& folder) const {
    const std::string prefix = Utf16ToMarked(IncludeTrailingPathDelimiter(MarkedToUtf16(folder)));
    const TXPlayListItem* best = nullptr;
    for (int i = 0; i < list_.Count(); ++i) {
      const TXPlayListItem& item = list_.Items(i);
      if (LocaleCompare(item.FileName(), prefix) < 0) continue;
      const int order = best ? LocaleCompare(item.FileName(), best->FileName()) : -1;
      if (order < 0 || (order == 0 && serial_.at(&item) > serial_.at(best))) best = &item;
    }
    return best && LocaleStartsWith(best->FileName(), prefix) ? best->Index() : -1;
  }

private:
  TXPlayList& list_;
  std::map<const TXPlayListItem*, int> serial_;
  int next_ = 0;
};

void ExpectLookupsAgree(TXPlayList& list, const Model& model) {
  for (const std::string& path : AllPaths()) ASSERT_EQ(list.IndexOfFile(path), model.IndexOfFile(path)) << path;
  for (const char* folder : {"C:\\A", "C:\\a b", "C:\\AB", "D:", "C:", "E:", "C:\\A\\x.mp3"})
    ASSERT_EQ(list.IndexOfFolder(folder), model.IndexOfFolder(folder)) << folder;
}

TEST(PlayListNameIndex, LookupsAgreeWithASearchOfEveryItem) {
  const std::vector<std::string> paths = AllPaths();
  for (std::uint64_t seed : {1, 2, 3, 4}) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    TestEnvironment env;
    TXPlayList list(env.Get());
    list.SetOptions(ploAllowDuplicates);
    Model model(list);
    SeededRandom random(seed);
    auto somePath = [&] { return paths[random.Below(paths.size())]; };
    for (int round = 0; round < 40; ++round) {
      // Runs of one to 300 changes between lookups: short runs keep the order up item by item, long ones remake it.
      for (std::uint32_t changes = 1 + random.Below(random.Below(2) ? 300 : 8); changes > 0; --changes) {
        const std::uint32_t what = random.Below(100);
        const int count = list.Count();
        if (what < 55 || count == 0) {
          model.Added(list.AddEntry(somePath(), {}, true));
        } else if (what < 75) {
          list.Delete(static_cast<int>(random.Below(count)));
        } else if (what < 82) {
          std::vector<std::string> gone;
          for (std::uint32_t n = random.Below(40); n > 0; --n) gone.push_back(somePath());
          list.DeleteFiles(gone, 0, false, false);
        } else if (what < 90) {
          TXPlayListItem& renamed = list.Items(static_cast<int>(random.Below(count)));
          const TXPlayListItem& source = list.Items(static_cast<int>(random.Below(count)));
          const bool changesName = renamed.FileName() != source.FileName();
          renamed.Assign(source);
          if (changesName) model.Added(&renamed);  // a new name makes it the newest of its name
        } else if (what < 95) {
          list.Move(static_cast<int>(random.Below(count)), static_cast<int>(random.Below(count)));
        } else if (what < 98) {
          std::vector<const TXPlayListItem*> expected;
          for (int i = 0; i < count; ++i) expected.push_back(&list.Items(i));
          std::stable_sort(expected.begin(), expected.end(), [](const TXPlayListItem* a, const TXPlayListItem* b) {
            return LocaleCompare(a->FileName(), b->FileName()) < 0;
          });
          list.SortByFileName();
          for (int i = 0; i < count; ++i) ASSERT_EQ(&list.Items(i), expected[i]) << "sorted by name, equal names kept";
        } else {
          list.RemoveDuplicates();
        }
      }
      ExpectLookupsAgree(list, model);
      if (HasFatalFailure()) return;
    }
    list.Clear();
    ExpectLookupsAgree(list, model);
  }
}

TEST(PlayListNameIndex, SortingByNameAfterManyAndAfterFewChanges) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  std::vector<std::string> names;
  for (int i = 0; i < 300; ++i) names.push_back("C:\\" + std::to_string((i * 7919) % 1000) + ".mp3");
  for (const std::string& name : names) list.AddEntry(name);
  list.SortByFileName();  // made from the keys
  list.AddEntry("C:\\0000.mp3");
  list.AddEntry("C:\\9999.mp3");
  list.Delete(list.IndexOfFile(names[5]));
  list.SortByFileName();  // kept up item by item
  std::vector<std::string> expected = test::NamesOf(list);
  std::stable_sort(expected.begin(), expected.end(),
                   [](const std::string& a, const std::string& b) { return LocaleCompare(a, b) < 0; });
  EXPECT_EQ(test::NamesOf(list), expected);
  EXPECT_EQ(list.Items(0).FileName(), "C:\\0.mp3");
  EXPECT_EQ(list.Items(1).FileName(), "C:\\0000.mp3");
  EXPECT_EQ(list.Items(list.Count() - 1).FileName(), "C:\\9999.mp3");
}

TEST(PlayListNameIndex, NamesStayWholeWhenTheListStoresThemAfresh) {
  TestEnvironment env;
  TXPlayList list(env.Get());
  auto nameOf = [](int i) {
    return "C:\\Music\\Folder " + std::to_string(i % 37) + "\\Track " + std::to_string(i) + ".mp3";
  };
  for (int i = 0; i < 5000; ++i) list.AddEntry(nameOf(i));
  std::vector<std::string> gone;
  for (int i = 0; i < 5000; ++i)
    if (i % 5 != 0) gone.push_back(nameOf(i));
  list.DeleteFiles(gone, 0, false, false);  // most names unused: stored afresh
  list.Items(3).Assign(*list.AddEntry("C:\\renamed.mp3"));
  ASSERT_EQ(list.Count(), 1001);
  for (int i = 0; i < list.Count(); ++i) {
    const TXPlayListItem& item = list.Items(i);
    ASSERT_EQ(Utf16ToMarked(item.WideFileName()), item.FileName());
    ASSERT_EQ(list.IndexOfFile(item.FileName()), item.FileName() == "C:\\renamed.mp3" ? 3 : i) << "the newest";
  }
  const int first = list.IndexOfFolder("C:\\Music\\Folder 5");
  ASSERT_GE(first, 0);
  for (int i = 0; i < list.Count(); ++i) {
    if (LocaleStartsWith(list.Items(i).FileName(), "C:\\Music\\Folder 5\\")) {
      EXPECT_LE(LocaleCompare(list.Items(first).FileName(), list.Items(i).FileName()), 0);
    }
  }
}

}  // namespace
}  // namespace nv
