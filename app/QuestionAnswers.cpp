#include "app/QuestionAnswers.h"

#include "support/ValueText.h"

namespace nv {

std::optional<int> SilencedAnswer(const TXRegIniFile& store, std::string_view section, std::string_view ident,
                                  int rememberedAnswer) {
  const auto stored = ParseInteger(store.ReadString(section, ident, ""));
  if (!stored || (rememberedAnswer == 0 && *stored == 0)) return std::nullopt;
  return rememberedAnswer != 0 ? rememberedAnswer : *stored;
}

void SilenceQuestion(TXRegIniFile& store, std::string_view section, std::string_view ident, int rememberedAnswer,
                     int result) {
  if (rememberedAnswer == 0) {
    store.WriteInteger(section, ident, result);
  } else if (result == rememberedAnswer) {
    store.WriteString(section, ident, "1");
  }
}

}  // namespace nv
