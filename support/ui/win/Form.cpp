#include "support/ui/win/Form.h"

#include "support/ui/win/Application.h"
#include "support/ui/win/ModalScope.h"

namespace nv {

namespace {

struct FormStyles {
  DWORD style = 0, exStyle = 0;
};

FormStyles StylesFor(const FormParams& params) {
  FormStyles s;
  switch (params.border) {
    case FormBorder::None: s.style = WS_POPUP; break;
    case FormBorder::Single: s.style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX; break;
    case FormBorder::Sizeable: s.style = WS_OVERLAPPEDWINDOW; break;
    case FormBorder::Dialog:
      s.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      s.exStyle = WS_EX_DLGMODALFRAME;
      break;
    case FormBorder::ToolWindow:
      s.style = WS_POPUP | WS_CAPTION | WS_SYSMENU;
      s.exStyle = WS_EX_TOOLWINDOW;
      break;
    case FormBorder::SizeableToolWindow:
      s.style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME;
      s.exStyle = WS_EX_TOOLWINDOW;
      break;
  }
  if (params.child) s.style = (s.style & ~(WS_POPUP | WS_OVERLAPPED)) | WS_CHILD | WS_CLIPSIBLINGS;
  if (params.toolWindow) s.exStyle |= WS_EX_TOOLWINDOW;
  if (params.appWindow) s.exStyle |= WS_EX_APPWINDOW;
  if (params.topmost) s.exStyle |= WS_EX_TOPMOST;
  if (params.acceptFiles) s.exStyle |= WS_EX_ACCEPTFILES;
  if (params.dialogKeys) s.exStyle |= WS_EX_CONTROLPARENT;
  return s;
}

WindowParams WindowParamsFor(const FormParams& params) {
  const FormStyles styles = StylesFor(params);
  Rect bounds = params.bounds;
  if (params.centred && !params.child) {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    bounds = Rect::FromSize(work.left + (work.right - work.left - bounds.Width()) / 2,
                            work.top + (work.bottom - work.top - bounds.Height()) / 2, bounds.Width(),
                            bounds.Height());
  }
  return {.style = styles.style,
          .exStyle = styles.exStyle,
          .caption = params.caption.c_str(),
          .bounds = bounds,
          .parent = params.owner};
}

}  // namespace

std::uint8_t HeldModifiers() {
  std::uint8_t modifiers = 0;
  if (GetKeyState(VK_SHIFT) < 0) modifiers |= kModShift;
  if (GetKeyState(VK_CONTROL) < 0) modifiers |= kModCtrl;
  if (GetKeyState(VK_MENU) < 0) modifiers |= kModAlt;
  if (GetKeyState(VK_LWIN) < 0 || GetKeyState(VK_RWIN) < 0) modifiers |= kModWin;
  return modifiers;
}

Form::Form(const FormParams& params)
    : WinControl(nullptr, {params.className, CS_DBLCLKS, nullptr, LoadCursorW(nullptr, IDC_ARROW), params.icon},
                 WindowParamsFor(params)),
      MinSize(params.minSize),
      KeyPreview(params.keyPreview),
      dialogKeys_(params.dialogKeys) {
  App().AddForm(*this);
}

Form::~Form() {
  App().RemoveForm(*this);
  Destroy();
}

Form* Form::Containing(HWND window) {
  const HWND desktop = GetDesktopWindow();
  for (HWND h = window; h && h != desktop; h = GetAncestor(h, GA_PARENT))
    if (auto* form = dynamic_cast<Form*>(Window::FromHandle(h))) return form;
  return nullptr;
}

int Form::ShowCommand() const {
  if (noActivate_) return SW_SHOWNA;
  return WinControl::ShowCommand();
}

void Form::Show() {
  SetVisible(true);
  if (Handle() && !(GetWindowLongW(Handle(), GWL_STYLE) & WS_CHILD)) SetForegroundWindow(Handle());
}

void Form::ShowNoActivate() {
  noActivate_ = true;
  SetVisible(true);
  noActivate_ = false;
}

void Form::Close() {
  CloseAction action = CloseAction::Hide;
  Closing(action);
  if (action == CloseAction::None) return;
  if (modal_) {
    if (modalResult_ == mrNone) modalResult_ = mrCancel;  // the modal loop ends and hides the form
    return;
  }
  if (App().MainForm() == this) {
    App().Terminate();
    return;
  }
  switch (action) {
    case CloseAction::Hide: Hide(); break;
    case CloseAction::Minimize: ShowWindow(Handle(), SW_MINIMIZE); break;
    case CloseAction::Free: Release(); break;
    case CloseAction::None: break;
  }
}

void Form::Release() {
  // Bound to the form: if something else destroys it first, the call is dropped.
  Ref().PostCall([this] { delete this; });
}

int Form::ShowModal() {
  modal_ = true;
  modalResult_ = mrNone;
  struct ModalEnd {
    Form& form;
    ~ModalEnd() { form.modal_ = false; }
  } end{*this};
  ProgramModalScope modal(Handle());
  Show();
  while (modalResult_ == mrNone && Handle()) {
    if (!App().HandleMessage()) break;
  }
  if (modalResult_ == mrNone) modalResult_ = mrCancel;
  // The others come back before this window goes, so that activation does not pass to another program.
  modal.EnableOthers();
  Hide();
  return modalResult_;
}

void Form::AddActionList(ActionList& list) { actionLists_.push_back(&list); }

void Form::Closing(CloseAction& action) {
  if (OnClose) OnClose(*this, action);
}

bool Form::KeyDown(WORD key, std::uint8_t modifiers) { return OnKeyDown && OnKeyDown(*this, key, modifiers); }

bool Form::PreTranslate(MSG& message) {
  if (message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) {
    const auto key = static_cast<WORD>(message.wParam);
    const std::uint8_t modifiers = HeldModifiers();
    if (KeyPreview && KeyDown(key, modifiers)) return true;
    for (ActionList* list : actionLists_)
      if (Action* action = list->FindShortCut({key, modifiers}); action && action->Execute()) return true;
  }
  return dialogKeys_ && Handle() && IsDialogMessageW(Handle(), &message);
}

LRESULT Form::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      Close();
      return 0;
    case WM_GETMINMAXINFO: {
      auto* limits = reinterpret_cast<MINMAXINFO*>(lParam);
      if (MinSize.width > 0) limits->ptMinTrackSize.x = MinSize.width;
      if (MinSize.height > 0) limits->ptMinTrackSize.y = MinSize.height;
      return 0;
    }
    case WM_HOTKEY:
      // The first action (in list order) with the hot key's identifier as Tag that reports it was handled.
      for (ActionList* list : actionLists_)
        if (list->ExecuteTag(static_cast<int>(wParam))) break;
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      // With key preview the loop has already asked KeyDown.
      if (!KeyPreview && KeyDown(static_cast<WORD>(wParam), HeldModifiers())) return 0;
      return WinControl::WindowProc(message, wParam, lParam);
    default:
      return WinControl::WindowProc(message, wParam, lParam);
  }
}

}  // namespace nv
