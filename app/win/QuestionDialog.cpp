#include "app/win/QuestionDialog.h"

#include "app/QuestionAnswers.h"
#include "resources/StringIds.h"
#include "support/ui/win/MessageDialog.h"
#include "support/ui/win/Resources.h"

namespace nv {

int MessageDlgRemembered(TXRegIniFile& store, HWND owner, std::string_view heldMessage, TMsgDlgType type,
                         TMsgDlgButtons buttons, int helpContext, std::string_view section, std::string_view ident,
                         bool startCleared, int rememberedAnswer) {
  if (section.empty()) return ShowMessageDialog(owner, heldMessage, type, buttons, helpContext);
  if (const auto silenced = SilencedAnswer(store, section, ident, rememberedAnswer)) return *silenced;

  MessageDialogCheckBox box{ResourceString(IDS_SHOW_NEXT_TIME), !startCleared};
  const int result = ShowMessageDialog(owner, heldMessage, type, buttons, helpContext, &box);
  if (!box.checked) SilenceQuestion(store, section, ident, rememberedAnswer, result);
  return result;
}

}  // namespace nv
