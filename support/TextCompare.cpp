#include "support/TextCompare.h"

#include "support/MarkedText.h"
#include "support/SystemText.h"

namespace nv {

int LocaleCompare(std::u16string_view a, std::u16string_view b) {
  return platform::CompareTextIgnoreCase(a, b);
}

int LocaleCompare(std::string_view a, std::string_view b) {
  return LocaleCompare(MarkedToUtf16(a), MarkedToUtf16(b));
}

int LocaleComparePrefix(std::u16string_view prefix, std::u16string_view text) {
  return platform::CompareTextIgnoreCase(prefix, text.substr(0, prefix.size()));
}

int LocaleComparePrefix(std::string_view prefix, std::string_view text) {
  return LocaleComparePrefix(MarkedToUtf16(prefix), MarkedToUtf16(text));
}

TextCollation& UserLocaleCollation() {
  class UserLocale final : public TextCollation {
  public:
    int Compare(std::u16string_view a, std::u16string_view b) override { return LocaleCompare(a, b); }
  };
  static UserLocale collation;
  return collation;
}

}  // namespace nv
