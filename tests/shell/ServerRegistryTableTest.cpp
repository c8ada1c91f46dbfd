// What registering and unregistering the server's two classes does to HKEY_CLASSES_ROOT, row by row.
#include <string>
#include <vector>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "shell/ServerRegistryTable.h"
#include "shell/TrayExtProtocol.h"

namespace nv {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

constexpr char16_t kTray[] = u"{3350B1B8-0FB3-4C57-AABD-9C0F5C914410}";
constexpr char16_t kMenu[] = u"{11CD2A0E-1225-193C-1989-000000000000}";
constexpr char16_t kModule[] = u"C:\\Program Files\\Norvale\\Norvale.dll";

ServerClassEntry TrayExtension() {
  ServerClassEntry entry;
  entry.classId = kTrayExtClassId;
  entry.description = u"NorvaleTrayExt Object";
  entry.threadingModel = ThreadingModel::Free;
  entry.typeLibrary = TypeLibraryVersion{kTrayExtLibraryId, 1, 0};
  entry.runsInSurrogate = true;
  return entry;
}

ServerClassEntry ContextMenu() {
  ServerClassEntry entry;
  entry.classId = kContextMenuClassId;
  entry.description = u"Brindle Norvale";
  entry.threadingModel = ThreadingModel::Apartment;
  entry.shellFileTypes = u"*;Directory;Drive";
  return entry;
}

std::u16string Clsid(const char16_t* id) { return std::u16string(u"CLSID\\") + id; }

TEST(ServerRegistryTable, TheTrayExtensionRegistersItsClassTypeLibraryAndSurrogate) {
  const std::u16string c = Clsid(kTray), appId = std::u16string(u"AppID\\") + kTray;
  EXPECT_THAT(RegistrationValues(TrayExtension(), kModule),
              ElementsAreArray(std::vector<RegistryValue>{
                  {c, u"", u"NorvaleTrayExt Object"},
                  {c + u"\\InprocServer32", u"", kModule},
                  {c + u"\\InprocServer32", u"ThreadingModel", u"Free"},
                  {c + u"\\Version", u"", u"1.0"},
                  {c + u"\\TypeLib", u"", u"{717943C4-AD3E-4242-B20C-25D41B5D0910}"},
                  {c, u"AppID", kTray},
                  {appId, u"", u"NorvaleTrayExt Object"},
                  {appId, u"DllSurrogate", u""},
              }));
  EXPECT_THAT(UnregistrationKeys(TrayExtension()),
              ElementsAreArray(std::vector<KeyRemoval>{
                  {c + u"\\TypeLib"}, {c + u"\\Version"}, {c + u"\\InprocServer32"}, {c}, {appId}}));
}

TEST(ServerRegistryTable, TheContextMenuHandlerRegistersForFilesFoldersAndDrives) {
  const std::u16string c = Clsid(kMenu);
  EXPECT_THAT(RegistrationValues(ContextMenu(), kModule),
              ElementsAreArray(std::vector<RegistryValue>{
                  {c, u"", u"Brindle Norvale"},
                  {c + u"\\InprocServer32", u"", kModule},
                  {c + u"\\InprocServer32", u"ThreadingModel", u"Apartment"},
                  {u"*\\shellex\\ContextMenuHandlers\\Brindle Norvale", u"", kMenu},
                  {u"Directory\\shellex\\ContextMenuHandlers\\Brindle Norvale", u"", kMenu},
                  {u"Drive\\shellex\\ContextMenuHandlers\\Brindle Norvale", u"", kMenu},
                  {c + u"\\shellex\\MayChangeDefaultMenu", u"", u""},
              }));
  EXPECT_THAT(UnregistrationKeys(ContextMenu()),
              ElementsAreArray(std::vector<KeyRemoval>{{c + u"\\InprocServer32"},
                                                       {c + u"\\shellex\\MayChangeDefaultMenu"},
                                                       {c + u"\\shellex"},
                                                       {c},
                                                       {u"*\\shellex\\ContextMenuHandlers\\Brindle Norvale"},
                                                       {u"Directory\\shellex\\ContextMenuHandlers\\Brindle Norvale"},
                                                       {u"Drive\\shellex\\ContextMenuHandlers\\Brindle Norvale"}}));
}

TEST(ServerRegistryTable, KeysARegistrationHadToCreateAreRemovedWithItWhenEmpty) {
  // A system without handlers for folders yet, registering twice.
  const std::u16string c = Clsid(kMenu);
  const std::vector<std::u16string> firstTime = {c, c + u"\\InprocServer32", u"Directory", u"Directory\\shellex",
                                                 u"Directory\\shellex\\ContextMenuHandlers",
                                                 u"Directory\\shellex\\ContextMenuHandlers\\Brindle Norvale",
                                                 c + u"\\shellex", c + u"\\shellex\\MayChangeDefaultMenu"};
  const std::vector<std::u16string> recorded = KeysToRecord(ContextMenu(), {}, firstTime);
  EXPECT_THAT(recorded, ElementsAre(u"Directory", u"Directory\\shellex", u"Directory\\shellex\\ContextMenuHandlers"))
      << "the class's own keys are deleted by name anyway";
  EXPECT_EQ(KeysToRecord(ContextMenu(), recorded, {}), recorded) << "registering again keeps the record";
  EXPECT_EQ(KeysToRecord(ContextMenu(), recorded, {u"Drive"}).back(), u"Drive");

  EXPECT_THAT(RecordedKeyRemovals(recorded),
              ElementsAre(KeyRemoval{u"Directory\\shellex\\ContextMenuHandlers", true},
                          KeyRemoval{u"Directory\\shellex", true}, KeyRemoval{u"Directory", true}))
      << "deepest first, and only what is empty by then";
}

TEST(ServerRegistryTable, ThreadingModelsAndInternalClasses) {
  ServerClassEntry single = ContextMenu();
  single.threadingModel = ThreadingModel::Single;
  single.shellFileTypes.clear();
  EXPECT_THAT(RegistrationValues(single, kModule),
              ElementsAre(RegistryValue{Clsid(kMenu), u"", u"Brindle Norvale"},
                          RegistryValue{Clsid(kMenu) + u"\\InprocServer32", u"", kModule}))
      << "the single-threaded model writes no ThreadingModel";
  EXPECT_EQ(ThreadingModelWord(ThreadingModel::Both), u"Both");

  ServerClassEntry internal = TrayExtension();
  internal.internal = true;
  EXPECT_THAT(RegistrationValues(internal, kModule), IsEmpty());
  EXPECT_THAT(UnregistrationKeys(internal), IsEmpty());
}

TEST(ServerRegistryTable, FileTypeListsSkipEmptyEntries) {
  struct Case {
    std::u16string list;
    std::vector<std::u16string> types;
  };
  const Case cases[] = {
      {u"*;Directory;Drive", {u"*", u"Directory", u"Drive"}},
      {u";;*;;Drive;", {u"*", u"Drive"}},
      {u"", {}},
      {u";", {}},
      {u" ", {u" "}},  // kept as written: nothing but ";" separates
  };
  for (const Case& c : cases) EXPECT_EQ(SplitFileTypes(c.list), c.types);
}

TEST(ServerRegistryTable, TheTypeLibraryIsFoundUnderTheNeutralLocaleAndByThirtyTwoBitClients) {
  const TypeLibraryVersion library{kTrayExtLibraryId, 1, 10, 0x409};
  const std::u16string version = u"TypeLib\\{717943C4-AD3E-4242-B20C-25D41B5D0910}\\1.a";
  EXPECT_THAT(ExtraTypeLibraryValues(library, u"win64", kModule),
              ElementsAre(RegistryValue{version + u"\\0\\win64", u"", kModule},
                          RegistryValue{version + u"\\0\\win32", u"", kModule},
                          RegistryValue{version + u"\\409\\win32", u"", kModule}))
      << "type library versions and locales are hexadecimal";
  EXPECT_THAT(ExtraTypeLibraryKeys(library, u"win64"),
              ElementsAre(KeyRemoval{version + u"\\409\\win32"}, KeyRemoval{version + u"\\0\\win32"},
                          KeyRemoval{version + u"\\0\\win64"}, KeyRemoval{version + u"\\0", true}));

  const TypeLibraryVersion neutral{kTrayExtLibraryId, 1, 0, 0};
  EXPECT_THAT(ExtraTypeLibraryValues(neutral, u"win64", kModule), ::testing::SizeIs(2))
      << "a neutral library's own locale is the neutral one";
  EXPECT_THAT(ExtraTypeLibraryValues(neutral, u"win32", kModule),
              ElementsAre(RegistryValue{u"TypeLib\\{717943C4-AD3E-4242-B20C-25D41B5D0910}\\1.0\\0\\win32", u"", kModule}))
      << "a 32-bit module's own entries serve 32-bit clients";
}

}  // namespace
}  // namespace nv
