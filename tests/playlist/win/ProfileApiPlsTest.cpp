// PLS files and the system's profile functions under Wine: what the player writes reads the same through
// GetPrivateProfileStringW as through the player, and what WritePrivateProfileStringW wrote reads the same through
// the player as through the profile functions. Both sides read by the same rule: the 0xB6 marker, blanks trimmed,
// duplicates left to the list - except that the profile functions stop at "NumberOfEntries" and the player lists
// every "FileN" the section holds.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <windows.h>

#include "playlist/PlayListFormats.h"
#include "playlist/PlayListPaths.h"
#include "playlist/PlayListText.h"
#include "support/MarkedText.h"
#include "support/SystemText.h"
#include "support/win/WideText.h"
#include "tests/common/TestPaths.h"
#include "tests/common/win/WineTestEnv.h"
#include "tests/playlist/PlayListFileFakes.h"

namespace nv {
namespace {

namespace fs = std::filesystem;
using test::Describe;
using Lines = std::vector<std::string>;

// A value as the profile functions give it, with room for more than any value here.
std::wstring Profile(const fs::path& file, const std::wstring& section, const std::wstring& key) {
  std::wstring buffer(1 << 16, L'\0');
  const DWORD length = GetPrivateProfileStringW(section.c_str(), key.c_str(), L"", buffer.data(),
                                                static_cast<DWORD>(buffer.size()), file.c_str());
  buffer.resize(length);
  return buffer;
}

// The player's rule on a value: when its code-page form starts with 0xB6, the rest is UTF-8; then trimmed.
std::u16string Unmarked(const std::wstring& value) {
  std::string ansi;
  if (platform::Utf16ToAnsi(ToUtf16(value), ansi) && ansi.starts_with('\xB6'))
    return std::u16string(TrimBlanks(std::u16string_view(Utf8ToUtf16(ansi.substr(1)))));
  return std::u16string(TrimBlanks(std::u16string_view(ToUtf16(value))));
}

// The entries as the profile functions give them, one key at a time, added to a list as the player adds them.
Lines ThroughProfileFunctions(const fs::path& file) {
  TXPlayList list;
  const TPlayListFolder folder = PlayListFolderOf(ToUtf16(file.wstring()));
  const int count = WholeNumber(ToUtf16(Profile(file, L"playlist", L"NumberOfEntries"))).value_or(0);
  for (int k = 1; k <= count; ++k) {
    const std::wstring n = std::to_wstring(k);
    const std::u16string entry = Unmarked(Profile(file, L"playlist", L"File" + n));
    if (entry.empty()) continue;
    std::optional<std::int32_t> duration;
    if (const auto length = WholeNumber(ToUtf16(Profile(file, L"playlist", L"Length" + n))); length && *length > 0)
      duration = SecondsToMilliseconds(*length);
    TXPlayListItem* item = list.AddEntry(Utf16ToMarked(ResolveEntryPath(folder, entry)),
                                         Utf16ToMarked(Unmarked(Profile(file, L"playlist", L"Title" + n))), false,
                                         duration);
    if (item && Profile(file, L"playlist", L"ASXRedirected" + n) == L"1") item->ASXRedirected = true;
  }
  return Describe(list);
}

Lines ThroughThePlayer(const fs::path& file) {
  TXPlayList list;
  list.LoadFromFile(WideToMarked(file.wstring()), true, false, false, TXPlayListFormat::pfAuto);
  return Describe(list);
}

// The bytes as a code-page writer of the profile functions hands them over: each byte as its code-page character.
std::wstring AsCodePage(const std::string& bytes) { return ToWide(platform::AnsiToUtf16(bytes)); }

class ProfileApiPls : public ::testing::Test {
protected:
  void SetUp() override {
    folder_ = fs::path(test::UnixToWindowsPath(test::BinaryDir() + "/tests/playlist")) /
              (L"pls-\u0416-" + std::to_wstring(GetCurrentProcessId()));
    fs::create_directories(folder_);
    SetPlayListFileFormats(&SystemPlayListFormats());
  }
  void TearDown() override {
    SetPlayListFileFormats(nullptr);
    std::error_code ignored;
    fs::remove_all(folder_, ignored);
  }
  // A new name for each file, so that no file is met twice in the profile functions' cache.
  fs::path File(const std::wstring& name, const std::string& bytes = {}) {
    const fs::path path = folder_ / name;
    if (!bytes.empty()) std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }
  static void Write(const fs::path& file, const wchar_t* section, const wchar_t* key, const std::wstring& value) {
    ASSERT_TRUE(WritePrivateProfileStringW(section, key, value.c_str(), file.c_str()));
  }

  fs::path folder_;
};

// Entries the code page cannot hold, titles that start with the marker or sit in quotes, a long title, a sub-range,
// a stream marked as redirected, and a current entry.
void FillTrickyList(TXPlayList& list, const fs::path& folder) {
  const std::u16string inside = ToUtf16(folder.wstring()) + u"\\";
  list.AddEntry(Utf16ToMarked(inside + u"\u041C\u0443\u0437\u044B\u043A\u0430 \u66F2.mp3"),
                Utf16ToMarked(u"\u0416\u0443\u043A \u66F2"), false, 61000);
  list.AddEntry(Utf16ToMarked(inside + u"Caf\u00E9.mp3"), "'Til Tuesday'", false, 3000);
  list.AddEntry("D:\\Other\\p.mp3", "\xB6 Intro");
  list.AddEntry("C:\\Album.flac<1000,2000>", std::string(3000, 'x'));
  list.AddEntry("http://radio/x", "\"Quoted\" radio")->ASXRedirected = true;
}

TEST_F(ProfileApiPls, WhatThePlayerWritesReadsTheSameThroughTheProfileFunctions) {
  TXPlayList list;
  FillTrickyList(list, folder_);
  const Lines expected = Describe(list);

  const fs::path fresh = File(L"fresh \u66F2.pls");
  list.SaveToFile(WideToMarked(fresh.wstring()), false, TXPlayListFormat::pfAuto);
  EXPECT_EQ(ThroughProfileFunctions(fresh), expected);
  EXPECT_EQ(ThroughThePlayer(fresh), expected);
  EXPECT_EQ(Profile(fresh, L"playlist", L"Version"), L"2");

  // Into files the profile functions wrote first, in the code page and in UTF-16: their other sections stay.
  const fs::path ansi = File(L"ansi.pls");
  Write(ansi, L"Other", L"Key", L"Value");
  Write(ansi, L"playlist", L"File1", L"old.mp3");
  Write(ansi, L"playlist", L"NumberOfEntries", L"1");
  Write(ansi, L"More", L"X", L"1");
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, ansi.c_str());  // flushed
  const fs::path unicode = File(L"unicode.pls", "\xFF\xFE");
  Write(unicode, L"Other", L"Key", L"\u0416 \u66F2");
  WritePrivateProfileStringW(nullptr, nullptr, nullptr, unicode.c_str());
  for (const fs::path& file : {ansi, unicode}) {
    const std::wstring other = Profile(file, L"Other", L"Key");
    const fs::path written = File(L"written-" + file.filename().wstring());
    fs::copy_file(file, written);
    list.SaveToFile(WideToMarked(written.wstring()), false, TXPlayListFormat::pfAuto);
    EXPECT_EQ(ThroughProfileFunctions(written), expected) << file;
    EXPECT_EQ(ThroughThePlayer(written), expected) << file;
    EXPECT_EQ(Profile(written, L"Other", L"Key"), other) << file;
  }
  EXPECT_EQ(Profile(File(L"written-ansi.pls"), L"More", L"X"), L"1");
}

TEST_F(ProfileApiPls, WhatTheProfileFunctionsWroteReadsTheSameThroughThePlayer) {
  const std::string zhe = "\xD0\x96", qu = "\xE6\x9B\xB2";
  // A new file, which the profile functions write in the code page.
  const fs::path ansi = File(L"api-ansi.pls");
  Write(ansi, L"playlist", L"File1", L"Music\\a.mp3");
  Write(ansi, L"playlist", L"Title1", L"  Spaces Around  ");
  Write(ansi, L"playlist", L"Length1", L"61");
  Write(ansi, L"playlist", L"File2", L"'quoted.mp3'");
  Write(ansi, L"playlist", L"File4", AsCodePage("\xB6" + zhe + ".mp3"));
  Write(ansi, L"playlist", L"Title4", AsCodePage("\xB6" + qu));
  Write(ansi, L"playlist", L"Length4", L"3.5");
  Write(ansi, L"playlist", L"File5", L"Caf\u00E9.mp3");
  Write(ansi, L"playlist", L"Title5", std::wstring(3000, L'y'));
  Write(ansi, L"playlist", L"File6", L"http://radio/x");
  Write(ansi, L"playlist", L"ASXRedirected6", L"1");
  Write(ansi, L"playlist", L"File7", L"\u0416 lost to the code page.mp3");
  Write(ansi, L"playlist", L"File8", L"beyond the count.mp3");
  Write(ansi, L"playlist", L"NumberOfEntries", L"7");
  // Files that start with a byte-order mark, which the profile functions keep writing in their encoding.
  const fs::path utf16 = File(L"api-utf16.pls", "\xFF\xFE");
  const fs::path utf8 = File(L"api-utf8.pls", "\xEF\xBB\xBF");
  for (const fs::path& file : {utf16, utf8}) {
    Write(file, L"Other", L"Key", L"x");
    Write(file, L"playlist", L"File1", L"\u041C\u0443\u0437\u044B\u043A\u0430\\\u66F2.mp3");
    Write(file, L"playlist", L"Title1", L"\u0416\u0443\u043A");
    Write(file, L"playlist", L"File2", L"\\\u66F2\\b.ogg");
    Write(file, L"playlist", L"Length2", L"120");
    Write(file, L"playlist", L"NumberOfEntries", L"2");
    Write(file, L"playlist", L"CurrentFile", L"1");
  }
  const std::string prefix = Utf16ToUtf8(ToUtf16(folder_.wstring())) + "\\";
  for (const fs::path& file : {ansi, utf16, utf8}) {
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    Lines expected = ThroughProfileFunctions(file);
    EXPECT_FALSE(expected.empty()) << file;
    if (file == ansi) expected.push_back(prefix + "beyond the count.mp3 | beyond the count");
    EXPECT_EQ(ThroughThePlayer(file), expected) << file;
  }
}

// Files written by hand, the way other programs write them: both readers take them apart alike.
TEST_F(ProfileApiPls, HandWrittenFilesReadAlike) {
  const struct {
    std::string bytes;
    Lines entries;  // below the folder
    Lines playerAlone = {};  // what the player lists besides: it does not stop at "NumberOfEntries"
  } cases[] = {
      {"[playlist]\r\nNumberOfEntries=2\r\nFile1=a.mp3\r\nfile1=b.mp3\r\nFILE2 = \"c.mp3\"\r\n",
       {"a.mp3 | a", "c.mp3 | c"}},
      {"  [ PlayList ]  \r\n  File1   =   a.mp3   \r\nNumberOfEntries = 1 \r\n", {"a.mp3 | a"}},
      {"[playlist]\r\nFile1=a.mp3\r\n[other]\r\nFile2=b.mp3\r\n[playlist]\r\nNumberOfEntries=2\r\n", {},
       {"a.mp3 | a"}},
      {"[playlist]\r\nNumberOfEntries=3\r\n;File1=x.mp3\r\nFile01=y.mp3\r\nFile2\r\nFile3=c.mp3\r\n", {"c.mp3 | c"}},
      {"File1=outside.mp3\r\n[playlist]\r\nNumberOfEntries=1\r\nFile1='single quoted.mp3'\r\n",
       {"single quoted.mp3 | single quoted"}},
      {"[playlist]\nNumberOfEntries=2\nFile1=lf only.mp3\nFile2=\"unbalanced.mp3\n",
       {"lf only.mp3 | lf only", "\"unbalanced.mp3 | \"unbalanced"}},
      {"[playlist\r\nNumberOfEntries=1\r\nFile1=a.mp3\r\n", {}},
      {"\xEF\xBB\xBF[playlist]\r\nNumberOfEntries=1\r\nFile1=\xD0\x96.mp3\r\nTitle1=\xE6\x9B\xB2\r\n",
       {"\xD0\x96.mp3 | \xE6\x9B\xB2"}},
      {"[playlist]\r\nNumberOfEntries=2\r\nFile1=x.mp3\r\nLength1=+7\r\nFile2=y.mp3\r\nLength2= 8 \r\nTitle2=\t\r\n",
       {"x.mp3 | x | 7000ms", "y.mp3 | y | 8000ms"}},
  };
  const std::string prefix = Utf16ToUtf8(ToUtf16(folder_.wstring())) + "\\";
  int n = 0;
  for (const auto& c : cases) {
    const fs::path file = File(L"hand" + std::to_wstring(++n) + L".pls", c.bytes);
    Lines expected;
    for (const std::string& entry : c.entries) expected.push_back(prefix + entry);
    EXPECT_EQ(ThroughProfileFunctions(file), expected) << c.bytes;
    for (const std::string& entry : c.playerAlone) expected.push_back(prefix + entry);
    EXPECT_EQ(ThroughThePlayer(file), expected) << c.bytes;
  }
}

}  // namespace
}  // namespace nv
