#pragma once
// Names inside a cabinet are whatever its writer put there, and the cabinet library passes them on unchecked. These
// rules decide which names the player uses: an entry is matched to a skin item by its base name, and extracted only
// under a name that stays inside the destination folder; a cabinet may name the next one of its set only as a plain
// file beside itself. Names are taken after conversion to UTF-16, as the file system will see them.
#include <optional>
#include <set>
#include <string>
#include <string_view>

namespace nv {

// A relative name whose every part is an ordinary file or folder name: not empty; no root ("\x", "/x", "\\server"),
// no drive or stream (any ":"), no part made only of dots and blanks ("..", "...", ". ."), no device name ("NUL",
// "com1.txt"), no control characters.
bool IsSafeEntryName(std::u16string_view name);

// A plain file name: a safe name without folders.
bool IsPlainFileName(std::u16string_view name);

// What an entry is matched to a skin item by: the part after the last "\", "/" or ":", without its last extension
// ("Skins\Main.mask.bmp" gives "Main.mask").
std::u16string_view EntryBaseName(std::u16string_view name);

// The cabinets of one set, followed from the first: each next one must be a plain name beside the current one,
// none is visited twice, and a set holds at most kMaxCabinetsInSet.
inline constexpr int kMaxCabinetsInSet = 16;

class CabinetChain {
public:
  explicit CabinetChain(std::u16string_view firstPath);
  // The path of the next cabinet the current one names, or nothing when the name breaks the rules above.
  std::optional<std::u16string> Next(std::u16string_view name);
  const std::u16string& Current() const { return current_; }

private:
  std::u16string current_;
  std::set<std::string> visited_;  // the paths' sort keys: compared as the user's locale compares paths
  int count_ = 1;
};

}  // namespace nv
