#pragma once
// The `Extensions` text of a graph building rule: which media the rule applies to, and how well it fits one item.
//
//   "<any files>"           every item
//   "[ASX]" + text          only entries that came out of a Windows Media redirector playlist, matched by text
//   protocol "://" list     items of that protocol ("<any>" for any protocol) whose extension is in the list
//   list                    local files and CD tracks (no protocol) whose extension is in the list
// A list is extensions with their dots separated by ";" (".mp3;.mp2"), or "<any files>" for any extension; an
// empty list fits an item without extension. Comparisons ignore case; blanks around the parts do not count.
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// How well a rule fits an item. The high half is the protocol's share, the low half the extension's; a rule fits
// only when both halves are non-zero.
inline constexpr int kScoreProtocol = 0xF0;
inline constexpr int kScoreAnyProtocol = 0x10;
inline constexpr int kScoreExtension = 0x0F;
inline constexpr int kScoreAnyExtension = 0x01;
inline constexpr int kScoreAnyFiles = 0x11;
inline constexpr int kScoreExact = kScoreProtocol | kScoreExtension;
// Added for a redirector rule fitting a redirector entry: it beats every ordinary rule.
inline constexpr int kRedirectorBonus = 256;

inline constexpr char kAnyFiles[] = "<any files>";
inline constexpr char kAnyProtocol[] = "<any>";
inline constexpr char kRedirectorPrefix[] = "[ASX]";
inline constexpr char kProtocolSeparator[] = "://";

// An `Extensions` text taken apart.
struct RuleMediaPattern {
  bool valid = true;           // false for a text that cannot be decoded: it fits nothing
  bool redirectorOnly = false;  // "[ASX]": only for redirector entries
  bool anyFiles = false;        // "<any files>" as the whole text
  bool anyProtocol = false;     // "<any>://"
  std::u16string protocol;      // empty: local files and CD tracks
  bool anyExtension = false;    // "<any files>" in the list
  bool emptyList = false;       // nothing after the protocol: items without extension
  std::vector<std::u16string> extensions;  // with their dots, trimmed, empty entries left out
};

RuleMediaPattern ParseRuleExtensions(std::string_view extensions);

// The score of an item for a pattern (the redirector prefix aside): kScoreAnyFiles for "<any files>", else the
// protocol's share plus the extension's share.
int ScoreRuleMedia(const RuleMediaPattern& pattern, std::u16string_view protocol, std::u16string_view extension);

// What a rule is matched against: the item's protocol (the text before "://", empty when there is none) and its
// extension (from the last "." of its last path component, with the dot). Web addresses (http, https) have no
// extension for the rules: their last component names a script or a stream as often as a file.
struct RuleMediaItem {
  std::u16string protocol;
  std::u16string extension;
};
RuleMediaItem RuleMediaOf(std::u16string_view fileName);

}  // namespace nv
