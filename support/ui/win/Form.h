#pragma once
// Form: a top-level window of the program (or the strip, a child of the taskbar) that holds controls. Every form of
// the player derives from it, builds its controls in its constructor inside a LoadingScope, and registers its own
// window class, so that other processes and the program find it by class:
//
//   class AboutFm final : public Form {
//   public:
//     AboutFm() : Form({.className = L"TAboutFm", .caption = L"About", .border = FormBorder::Dialog,
//                       .bounds = Rect::FromSize(0, 0, 320, 200), .centred = true}) {
//       LoadingScope loading(*this);
//       ...
//     }
//   protected:
//     void Closing(CloseAction& action) override { action = CloseAction::Free; }
//   };
//
// Closing runs Closing (and OnClose), which says what happens: hide (the default), free (a deferred Release),
// minimise, or nothing. Closing the application's main form terminates the application. Release deletes the form
// after the message being handled, so a form may release itself inside its own handlers; a form that releases
// itself must have been made with `new` and be owned by nothing else. Its timers chain: an override of HandleTimer
// handles its own identifiers and passes the others to its base. The form's action lists are updated when the
// application is idle, their short-cuts work anywhere on the form, and a global hot key (HotKeys.h) runs the first
// of their actions with the hot key's identifier as Tag that reports it was handled.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/MessageDialogTypes.h"
#include "support/ui/Action.h"
#include "support/ui/win/WinControl.h"

namespace nv {

enum class FormBorder { None, Single, Sizeable, Dialog, ToolWindow, SizeableToolWindow };
enum class CloseAction { None, Hide, Free, Minimize };

struct FormParams {
  const wchar_t* className = L"NorvaleForm";  // each kind of form registers its own
  std::wstring caption;
  FormBorder border = FormBorder::Sizeable;
  HWND owner = nullptr;      // the owner of a top-level form (the taskbar, the application window), or none
  bool child = false;        // a child window of `owner` instead (the strip inside the taskbar)
  bool toolWindow = false;   // WS_EX_TOOLWINDOW: no taskbar button, a small caption
  bool appWindow = false;    // WS_EX_APPWINDOW: a taskbar button even when owned
  bool topmost = false;
  Rect bounds = Rect::FromSize(0, 0, 400, 300);  // the window's, on the screen (in the parent for a child)
  bool centred = false;                          // centred on the work area instead
  Size minSize;                                  // the smallest the user may size it to; 0: no limit
  bool keyPreview = false;                       // KeyDown sees keys before the control with the focus
  bool acceptFiles = false;                      // files may be dropped on it (DragAcceptFiles)
  bool dialogKeys = false;                       // Tab, Enter and Escape move and press as in a dialog
  HICON icon = nullptr;
};

class Form : public WinControl {
public:
  explicit Form(const FormParams& params);
  ~Form() override;

  // The form that a window of the program belongs to (the window itself or one of its parents), or null.
  static Form* Containing(HWND window);

  void Show();            // shows and activates
  void ShowNoActivate();  // shows without taking the activation from the window that has it
  void Close();
  void Release();

  // Runs the form as a modal dialog: the program's other windows are disabled (ProgramModalScope) until the modal
  // result is set or the form is closed (mrCancel). Returns the modal result.
  int ShowModal();
  bool IsModal() const { return modal_; }
  int ModalResult() const { return modalResult_; }
  void SetModalResult(int result) { modalResult_ = result; }

  Size MinSize;
  bool KeyPreview = false;

  void AddActionList(ActionList& list);
  const std::vector<ActionList*>& ActionLists() const { return actionLists_; }

  std::function<void(Form&, CloseAction&)> OnClose;
  // Key preview; true means the key was handled.
  std::function<bool(Form&, WORD key, std::uint8_t modifiers)> OnKeyDown;

  // The form's step of the message loop for a message to one of its windows: key preview, the action lists'
  // short-cuts and the dialog keys. True when the message was handled.
  bool PreTranslate(MSG& message);

protected:
  // Says what closing does; the default asks OnClose.
  virtual void Closing(CloseAction& action);
  // A key went down on the form (first, with KeyPreview); the default asks OnKeyDown.
  virtual bool KeyDown(WORD key, std::uint8_t modifiers);
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  int ShowCommand() const override;

private:
  bool dialogKeys_;
  bool modal_ = false;
  bool noActivate_ = false;
  int modalResult_ = mrNone;
  std::vector<ActionList*> actionLists_;
};

// The modifier keys held now, as hot-key bits (kModShift…).
std::uint8_t HeldModifiers();

}  // namespace nv
