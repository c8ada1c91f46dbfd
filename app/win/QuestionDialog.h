#pragma once
// A message dialog the user may silence: with a store section it carries the check box "Show this dialog next
// time." (IDS_SHOW_NEXT_TIME); clearing it keeps the answer (QuestionAnswers.h), and a kept answer stands in for the
// dialog next time.
#include <windows.h>

#include <string_view>

#include "support/MessageDialogTypes.h"
#include "support/RegIniFile.h"

namespace nv {

// `section` empty: an ordinary dialog, nothing remembered. `startCleared` starts the box cleared.
// `rememberedAnswer` 0 keeps whichever answer is given; another value is the one answer that silences it.
int MessageDlgRemembered(TXRegIniFile& store, HWND owner, std::string_view heldMessage, TMsgDlgType type,
                         TMsgDlgButtons buttons, int helpContext, std::string_view section, std::string_view ident,
                         bool startCleared, int rememberedAnswer);

}  // namespace nv
