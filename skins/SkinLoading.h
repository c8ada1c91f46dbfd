#pragma once
// Filling a skin's images from a package or a folder, with the fallback to the default skin for whatever a skin
// lacks. The rules are here, in the portable core; reading a package's entries is the system's cabinet library
// (SkinEnvironment::ReadPackage, the Windows layer), reading a folder the platform's files.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "skins/SkinFileNames.h"
#include "skins/SkinImageCollection.h"

namespace nv {

// A declared size above these makes the entry count as missing: a hostile package cannot make the player set
// aside gigabytes for it.
inline constexpr std::uint64_t kMaxSkinImageBytes = 20u << 20;
inline constexpr std::uint64_t kMaxSkinTextBytes = 64u << 10;

// What one pass over a package takes from it: for each entry, whether it is wanted (an item's image or one of the
// texts), and what becomes of its bytes once they are all there. In partial mode only the items the skin still
// lacks are taken, with their masks.
class SkinPackageFill {
public:
  struct Target {
    enum class Kind { Notice, Readme, Image } kind;
    std::size_t item = 0;  // for Image
  };

  SkinPackageFill(TSkinImageCollection& items, bool partial, std::string* notice, std::string* readme);

  // Nothing for an entry that is skipped: its name is not safe, it is no item (or, in partial mode, none that is
  // wanted), or it declares more bytes than such an entry may have.
  std::optional<Target> Wants(std::u16string_view entryName, std::uint64_t declaredSize) const;
  // Hands over an entry's bytes. An image that does not decode leaves its item without one (the default skin
  // fills it in); it does not end the pass.
  void Commit(const Target& target, std::string_view bytes);

private:
  bool IsWantedInPartialMode(std::size_t item) const;

  TSkinImageCollection& items_;
  bool partial_;
  std::string* notice_;
  std::string* readme_;
  std::vector<std::string> masks_;  // partial mode: the masks of the missing required items
  // The items by the sort key of their names (the first of equal names), and the texts' keys: an entry's name is
  // keyed once instead of compared with every item.
  std::unordered_map<std::string, std::size_t> itemsByKey_;
  std::string noticeKey_, readmeKey_;
};

// What loading needs of the system.
class SkinEnvironment {
public:
  virtual ~SkinEnvironment() = default;
  // One pass over the package at `path` (held text): every entry offered to the fill. Raises when the package
  // cannot be read (ECabinetError, the silent EAbort, EWin32Error).
  virtual void ReadPackage(std::string_view path, SkinPackageFill& fill) = 0;
  // Where the default skin is read from.
  virtual std::string DefaultPackagePath() = 0;
  // The folder a skin path without a drive is taken relative to: the program's, where the default skin is.
  virtual std::string ProgramFolder();
};

// One pass over a package: unless partial, every image is cleared first; the given texts are cleared.
void ReadSkinPackage(SkinEnvironment& system, std::string_view path, TSkinImageCollection& items, std::string* notice,
                     bool partial, std::string* readme);

// A skin from a package, completed from the default skin: a skin that loaded nothing, or whose package failed to
// read to its end, is replaced by the whole default skin; one that loaded something keeps its images and its texts
// and takes from the default only its missing required items with their masks. Raises ESkinError "Default skin
// corrupted." when the default skin cannot be read.
void LoadSkinFromPackage(SkinEnvironment& system, std::string_view path, TSkinImageCollection& items,
                         std::string* notice, std::string* readme);

// The same from a folder of "<item>.bmp" files (names compared without regard to case). Its "copyright.txt" and
// "readme.txt" are read as lines joined with CR LF, trimmed of blanks and control characters at both ends.
void LoadSkinFromFolder(SkinEnvironment& system, std::string_view folder, TSkinImageCollection& items,
                        std::string* notice, std::string* readme);

}  // namespace nv
