#pragma once
// The program's standard message dialog: an icon for its kind, the message, a centred row of buttons, and
// optionally a check box below the message ("Show this dialog next time."). It is a modal form: the program's other
// windows are disabled while it runs, and it gives back the modal result of the button pressed (mrCancel when it
// is closed without one).
#include <windows.h>

#include <string>
#include <string_view>

#include "support/MessageDialogTypes.h"

namespace nv {

inline constexpr wchar_t kMessageDialogClass[] = L"NorvaleMessageDialog";

struct MessageDialogCheckBox {
  std::wstring text;
  bool checked = true;  // in: the starting state; out: the state when the dialog closed
};

// `owner` may be null. The dialog is centred on the screen; `helpContext` is kept for the Help button.
int ShowMessageDialog(HWND owner, std::string_view heldMessage, TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext, MessageDialogCheckBox* checkBox = nullptr);

// The caption a dialog of this kind carries.
std::wstring MessageDialogCaption(TMsgDlgType type);

}  // namespace nv
