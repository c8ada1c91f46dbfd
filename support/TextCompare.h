#pragma once
// Comparing texts as the user expects: paths, titles and keys are compared in the user's locale, ignoring case,
// on their UTF-16 form (held texts may be ANSI or marked).
#include <string_view>

namespace nv {

int LocaleCompare(std::string_view a, std::string_view b);
int LocaleCompare(std::u16string_view a, std::u16string_view b);
inline bool LocaleSameText(std::string_view a, std::string_view b) { return LocaleCompare(a, b) == 0; }

// Compares only as much of `text` as `prefix` is long (in UTF-16 units): zero when `text` starts with `prefix`.
int LocaleComparePrefix(std::string_view prefix, std::string_view text);
int LocaleComparePrefix(std::u16string_view prefix, std::u16string_view text);
inline bool LocaleStartsWith(std::string_view text, std::string_view prefix) {
  return LocaleComparePrefix(prefix, text) == 0;
}

// The user's locale comparison behind an interface, for code that orders many texts and lets tests count or replace
// the comparisons.
class TextCollation {
public:
  virtual ~TextCollation() = default;
  virtual int Compare(std::u16string_view a, std::u16string_view b) = 0;
};

// LocaleCompare (CompareStringW with NORM_IGNORECASE on Windows).
TextCollation& UserLocaleCollation();

}  // namespace nv
