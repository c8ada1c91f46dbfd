// The product profile's required components, remembered answers, and the paths kept relative to the data folder.
#include <map>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/CommandLineSkin.h"
#include "app/DataPaths.h"
#include "app/QuestionAnswers.h"
#include "app/RequiredComponents.h"
#include "support/MemoryKeyValueStore.h"
#include "support/MessageDialogTypes.h"
#include "support/ProductProfile.h"
#include "support/TextCompare.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

TXRegIniFile MemoryStore() { return TXRegIniFile(std::make_unique<MemoryKeyValueStore>(), "Software\\Norvale"); }

constexpr char kProfile[] =
    "[Friendly file types]\r\n"
    ".ape=Monkey\r\n"
    ".xyz=Nothing\r\n"
    "\r\n"
    "[Monkey]\r\n"
    "Message=Monkey's Audio needs a decoder.\\nDownload it now?\r\n"
    "URL=http://example.invalid/monkey\r\n"
    "CLSID_1={11111111-1111-1111-1111-111111111111}\r\n"
    "CLSID_2={22222222-2222-2222-2222-222222222222}\r\n"
    "CLSID_3=not a class\r\n"
    "CLSID_4={44444444-4444-4444-4444-444444444444}\r\n"
    "[Silent]\r\n"
    "URL=http://example.invalid/silent\r\n"
    "[NoPage]\r\n"
    "Message=Nowhere to get it.\r\n"
    "CLSID_2={22222222-2222-2222-2222-222222222222}\r\n";

TEST(ProductProfile, RequiredComponentsAreReadWithTheirClassesInOrder) {
  const IniDocument profile = IniDocument::Parse(kProfile);
  EXPECT_EQ(FriendlyTypeComponent(profile, ".APE"), "Monkey");
  EXPECT_EQ(FriendlyTypeComponent(profile, ".mp3"), "");

  const auto monkey = ReadRequiredComponent(profile, "monkey");
  ASSERT_TRUE(monkey);
  EXPECT_EQ(monkey->message, "Monkey's Audio needs a decoder.\r\nDownload it now?");
  EXPECT_EQ(monkey->url, "http://example.invalid/monkey");
  EXPECT_THAT(monkey->classIds, ElementsAre("{11111111-1111-1111-1111-111111111111}",
                                            "{22222222-2222-2222-2222-222222222222}"))
      << "the list stops at the first value that is not a class identifier";

  EXPECT_FALSE(ReadRequiredComponent(profile, "Silent")) << "no message: nothing to ask for";
  EXPECT_FALSE(ReadRequiredComponent(profile, "Unknown"));
  const auto noPage = ReadRequiredComponent(profile, "NoPage");
  ASSERT_TRUE(noPage);
  EXPECT_THAT(noPage->classIds, IsEmpty()) << "numbering starts at 1";
  EXPECT_FALSE(ReadRequiredComponent(IniDocument(), "Monkey")) << "a missing profile requires nothing";
}

class FakeComponentHost : public RequiredComponentHost {
public:
  std::set<std::string> installed;
  int answer = mrNo;
  std::vector<std::string> asked, opened;

  IniDocument OpenProfile() override { return IniDocument::Parse(kProfile); }
  bool CanCreate(std::string_view classId) override { return installed.contains(std::string(classId)); }
  int Ask(std::string_view message, bool offerDownload, std::string_view question) override {
    asked.push_back(std::string(question) + (offerDownload ? " (Yes/No)" : " (OK)"));
    return answer;
  }
  void OpenUrl(std::string_view url) override { opened.emplace_back(url); }
};

TEST(RequiredComponentCheck, AsksOncePerRunAndOpensTheDownloadPageOnYes) {
  RequiredComponentCheck check;
  FakeComponentHost host;
  host.answer = mrYes;
  EXPECT_FALSE(check.Check("Monkey", host));
  EXPECT_THAT(host.asked, ElementsAre("Download Monkey object (Yes/No)"));
  EXPECT_THAT(host.opened, ElementsAre("http://example.invalid/monkey"));
  EXPECT_TRUE(check.Check("MONKEY", host)) << "looked at already in this run";
  EXPECT_EQ(host.asked.size(), 1u);
}

TEST(RequiredComponentCheck, AnyListedClassSatisfiesTheRequirement) {
  struct Case {
    const char* name;
    std::set<std::string> installed;
    int answer;
    bool result;
    std::vector<std::string> asked, opened;
  };
  const Case cases[] = {
      {"Monkey", {"{22222222-2222-2222-2222-222222222222}"}, mrYes, true, {}, {}},
      {"Monkey", {"{44444444-4444-4444-4444-444444444444}"}, mrNo, false, {"Download Monkey object (Yes/No)"}, {}},
      {"NoPage", {}, mrOk, false, {"Download NoPage object (OK)"}, {}},
      {"Silent", {}, mrYes, true, {}, {}},
      {"Unknown", {}, mrYes, true, {}, {}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RequiredComponentCheck check;
    FakeComponentHost host;
    host.installed = c.installed;
    host.answer = c.answer;
    EXPECT_EQ(check.Check(c.name, host), c.result);
    EXPECT_EQ(host.asked, c.asked);
    EXPECT_EQ(host.opened, c.opened);
  }
}

TEST(RequiredComponentCheck, AFriendlyTypeChecksTheComponentItNames) {
  RequiredComponentCheck check;
  FakeComponentHost host;
  EXPECT_FALSE(check.CheckFriendlyType(".ape", host));
  EXPECT_TRUE(check.CheckFriendlyType(".mp3", host));
  EXPECT_TRUE(check.CheckFriendlyType(".xyz", host)) << "a component the profile does not describe";
  EXPECT_THAT(host.asked, ElementsAre("Download Monkey object (Yes/No)"));
}

TEST(QuestionAnswers, AStoredAnswerSilencesTheQuestion) {
  struct Case {
    const char* stored;  // nullptr: nothing stored
    int rememberedAnswer;
    std::optional<int> silenced;
  };
  const Case cases[] = {
      {nullptr, 0, std::nullopt},
      {"6", 0, 6},
      {"0", 0, std::nullopt},
      {"", 0, std::nullopt},  // not a number: ask again
      {"yes", 0, std::nullopt},
      {"1", 2, 2},  // the remembered answer stands in, whatever number was stored
      {"0", 2, 2},
      {"", 2, std::nullopt},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << (c.stored ? c.stored : "(none)") << " / " << c.rememberedAnswer);
    TXRegIniFile store = MemoryStore();
    if (c.stored) store.WriteString(kQuestionsSection, "Q", c.stored);
    EXPECT_EQ(SilencedAnswer(store, kQuestionsSection, "Q", c.rememberedAnswer), c.silenced);
  }
}

TEST(QuestionAnswers, WhatIsStoredWhenTheBoxIsCleared) {
  struct Case {
    int rememberedAnswer, result;
    const char* stored;  // nullptr: nothing
  };
  const Case cases[] = {{0, mrNo, "7"}, {0, mrYes, "6"}, {2, mrCancel, "1"}, {2, mrYes, nullptr}, {7, mrNo, "1"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.rememberedAnswer << " / " << c.result);
    TXRegIniFile store = MemoryStore();
    SilenceQuestion(store, kQuestionsSection, "Q", c.rememberedAnswer, c.result);
    EXPECT_EQ(store.ReadString(kQuestionsSection, "Q", "(none)"), c.stored ? c.stored : "(none)");
  }
}

TEST(DataPaths, PathsInsideTheDataFolderAreKeptRelative) {
  const std::string folder = "C:\\Users\\Ann\\AppData\\Roaming\\Norvale";
  struct Case {
    const char* absolute;
    const char* relative;
  };
  const Case cases[] = {
      {"C:\\Users\\Ann\\AppData\\Roaming\\Norvale\\Skins", "Skins"},
      {"c:\\users\\ann\\appdata\\roaming\\norvale\\Skins\\Blue\\", "Skins\\Blue"},
      {"C:\\Users\\Ann\\AppData\\Roaming\\NorvaleX\\Skins", "C:\\Users\\Ann\\AppData\\Roaming\\NorvaleX\\Skins"},
      {"D:\\Skins", "D:\\Skins"},
      {"\\\\server\\share\\Skins", "\\\\server\\share\\Skins"},
      {"C:\\Users\\Ann\\AppData\\Roaming\\Norvale", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.absolute);
    EXPECT_EQ(MakeDataPathRelative(c.absolute, folder), c.relative);
  }
  EXPECT_EQ(MakeDataPathAbsolute("Skins", folder), folder + "\\Skins");
  EXPECT_EQ(MakeDataPathAbsolute("\\Skins\\", folder), folder + "\\Skins\\");
  EXPECT_EQ(MakeDataPathAbsolute("D:\\Skins", folder), "D:\\Skins");
  EXPECT_EQ(MakeDataPathAbsolute("\\\\server\\share\\Skins", folder), "\\\\server\\share\\Skins");
  EXPECT_EQ(MakeDataPathAbsolute("", folder), folder);
  EXPECT_EQ(AutorunCommand("C:\\Program Files\\Norvale\\Norvale.exe"),
            "\"C:\\Program Files\\Norvale\\Norvale.exe\" /showminimized");
}

// Files as a set of names; copying can be made to fail.
class FakeSkinFiles : public SkinFileSystem {
public:
  std::set<std::u16string> files;
  bool copyFails = false;
  std::vector<std::u16string> copies;

  std::u16string FullPath(std::u16string_view path) override {
    return path.size() > 1 && path[1] == u':' ? std::u16string(path) : u"C:\\Work\\" + std::u16string(path);
  }
  bool FileExists(std::u16string_view path) override {
    for (const auto& f : files)
      if (LocaleCompare(f, path) == 0) return true;
    return false;
  }
  void ClearReadOnly(std::u16string_view) override {}
  void CreateFolder(std::u16string_view) override {}
  void Copy(std::u16string_view source, std::u16string_view target) override {
    copies.push_back(std::u16string(source) + u" > " + std::u16string(target));
    if (!copyFails && FileExists(source)) files.emplace(target);
  }
};

TEST(CommandLineSkin, APackageIsCopiedIntoTheSkinFolderAndBecomesCurrent) {
  constexpr char kData[] = "C:\\Data\\Norvale";
  struct Case {
    const char* what;
    std::vector<std::string> params;
    const char* skinPath;      // nullptr: the default "Skins"
    const char* currentSkin;
    bool copyFails;
    bool changed;
    const char* newCurrentSkin;
    std::size_t copies;
  };
  const Case cases[] = {
      {"no package", {"a.mp3"}, nullptr, "", false, false, "", 0},
      {"a new skin", {"Blue.NVS", "a.mp3"}, nullptr, "", false, true, "C:\\Data\\Norvale\\Skins\\Blue.nvs", 1},
      {"a skin folder with a drive", {"D:\\Get\\Blue.nvs"}, "E:\\My skins\\", "", false, true, "E:\\My skins\\Blue.nvs",
       1},
      {"already current", {"D:\\Get\\Blue.nvs"}, nullptr, "c:\\data\\norvale\\skins\\blue.nvs", false, false,
       "c:\\data\\norvale\\skins\\blue.nvs", 1},
      {"installed from the skin folder itself", {"C:\\Data\\Norvale\\Skins\\Blue.nvs"}, nullptr, "", false, true,
       "C:\\Data\\Norvale\\Skins\\Blue.nvs", 0},
      {"the copy fails: back to the default skin", {"D:\\Get\\Blue.nvs"}, nullptr, "C:\\Old.nvs", true, true, "", 1},
      {"the copy fails and the default is current already", {"D:\\Get\\Blue.nvs"}, nullptr, "", true, false, "", 1},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    TXRegIniFile store = MemoryStore();
    if (c.skinPath) store.WriteString("Preferences", "Skin path", c.skinPath);
    store.WriteString("Preferences", "Current skin", c.currentSkin);
    FakeSkinFiles files;
    files.copyFails = c.copyFails;
    files.files = {u"C:\\Work\\Blue.NVS", u"D:\\Get\\Blue.nvs", u"C:\\Data\\Norvale\\Skins\\Blue.nvs"};
    if (c.copyFails) files.files = {u"D:\\Get\\Blue.nvs"};
    std::vector<std::string> params{"Norvale.exe"};
    params.insert(params.end(), c.params.begin(), c.params.end());
    EXPECT_EQ(InstallCommandLineSkin(CommandLine(params), store, kData, files), c.changed);
    EXPECT_EQ(store.ReadString("Preferences", "Current skin", "(none)"), c.newCurrentSkin);
    EXPECT_EQ(files.copies.size(), c.copies);
  }
}

}  // namespace
}  // namespace nv
