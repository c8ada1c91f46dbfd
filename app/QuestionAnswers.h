#pragma once
// Remembered answers: a question the user may silence ("Show this dialog next time." cleared) keeps its answer
// as a decimal value under a store section, usually "Questions".
#include <optional>
#include <string_view>

#include "support/RegIniFile.h"

namespace nv {

inline constexpr char kQuestionsSection[] = "Questions";

// The answer that stands in for the dialog, or nothing when the dialog must be shown. `rememberedAnswer` 0 keeps
// whichever answer was given; another value is the one answer that silences the question. The dialog is skipped
// when the stored text is a whole number and either `rememberedAnswer` or the stored number is not 0; the answer is
// then `rememberedAnswer`, or the stored number when that is 0. A missing or non-numeric value shows the dialog.
std::optional<int> SilencedAnswer(const TXRegIniFile& store, std::string_view section, std::string_view ident,
                                  int rememberedAnswer);

// After the dialog was answered with the box cleared: `rememberedAnswer` 0 stores the result; otherwise "1" is
// stored when the result is the remembered answer, and nothing else.
void SilenceQuestion(TXRegIniFile& store, std::string_view section, std::string_view ident, int rememberedAnswer,
                     int result);

}  // namespace nv
