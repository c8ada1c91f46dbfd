#include "support/win/MessageDialog.h"

#include <algorithm>
#include <vector>

#include "support/win/Application.h"
#include "support/win/UniqueResource.h"
#include "support/win/WideText.h"
#include "support/win/Window.h"

namespace nv {

namespace {

struct ButtonKind {
  TMsgDlgBtn button;
  const wchar_t* caption;
  int result;  // also the control's identifier; the Help button closes nothing
};

constexpr int kHelpButtonId = 0x7F00;
constexpr int kCheckBoxId = 0x7F01;

constexpr ButtonKind kButtonKinds[] = {
    {mbYes, L"&Yes", mrYes},        {mbNo, L"&No", mrNo},
    {mbOK, L"OK", mrOk},            {mbCancel, L"Cancel", mrCancel},
    {mbAbort, L"&Abort", mrAbort},  {mbRetry, L"&Retry", mrRetry},
    {mbIgnore, L"&Ignore", mrIgnore}, {mbAll, L"&All", mrAll},
    {mbNoToAll, L"N&o to All", mrNoToAll}, {mbYesToAll, L"Yes to &All", mrYesToAll},
    {mbHelp, L"&Help", kHelpButtonId},
};

struct FontTraits {
  using Handle = HFONT;
  static HFONT None() { return nullptr; }
  static bool IsValid(HFONT font) { return font != nullptr; }
  static void Close(HFONT font) { DeleteObject(font); }
};
using UniqueFont = UniqueResource<FontTraits>;

UniqueFont MessageFont() {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  return UniqueFont(CreateFontIndirectW(&metrics.lfMessageFont));
}

HICON KindIcon(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return LoadIconW(nullptr, IDI_WARNING);
    case mtError: return LoadIconW(nullptr, IDI_ERROR);
    case mtInformation: return LoadIconW(nullptr, IDI_INFORMATION);
    case mtConfirmation: return LoadIconW(nullptr, IDI_QUESTION);
    default: return nullptr;
  }
}

// The dialog's window: lays itself out once, then waits for a button.
class MessageDialogWindow final : public Window {
public:
  MessageDialogWindow(HWND owner, const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons,
                      MessageDialogCheckBox* checkBox)
      : font_(MessageFont()), checkBox_(checkBox) {
    for (const ButtonKind& kind : kButtonKinds)
      if (buttons & kind.button) kinds_.push_back(kind);
    if (kinds_.empty()) kinds_.push_back(kButtonKinds[2]);  // a dialog always has a way out: OK
    defaultId_ = Has(mbOK, buttons) ? mrOk : Has(mbYes, buttons) ? mrYes : kinds_.front().result;
    cancelId_ = Has(mbCancel, buttons) ? mrCancel : Has(mbNo, buttons) ? mrNo : Has(mbOK, buttons) ? mrOk : 0;

    Create(kMessageDialogClass, {0, GetSysColorBrush(COLOR_BTNFACE)}, WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT,
           WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN, MessageDialogCaption(type).c_str(), 0, 0, 100, 100,
           owner);
    Layout(message, KindIcon(type));
  }

  int RunModal() {
    const ProgramModalScope modal;
    const HWND previouslyActive = GetActiveWindow();
    std::vector<HWND> disabled;
    EnumThreadWindows(GetCurrentThreadId(), &DisableOther, reinterpret_cast<LPARAM>(this));
    disabled.swap(disabled_);

    ShowWindow(Handle(), SW_SHOWNORMAL);
    SetForegroundWindow(Handle());
    SetFocus(GetDlgItem(Handle(), defaultId_));

    MSG message;
    while (result_ == mrNone) {
      const BOOL got = GetMessageW(&message, nullptr, 0, 0);
      if (got <= 0) {
        if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));  // the application is ending: pass it on
        result_ = mrCancel;
        break;
      }
      if (!IsDialogMessageW(Handle(), &message)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
      }
    }
    if (checkBox_ && Handle())
      checkBox_->checked = SendDlgItemMessageW(Handle(), kCheckBoxId, BM_GETCHECK, 0, 0) == BST_CHECKED;

    // Enable the others before this window goes, so that activation does not jump to another program.
    for (HWND window : disabled) EnableWindow(window, TRUE);
    Destroy();
    if (previouslyActive && IsWindow(previouslyActive)) SetActiveWindow(previouslyActive);
    return result_;
  }

protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL && cancelId_ == 0) return 0;  // Escape without a button to stand for it
        if (id == kHelpButtonId || id == kCheckBoxId) return 0;
        const bool isButton = std::any_of(kinds_.begin(), kinds_.end(), [id](auto& k) { return k.result == id; });
        if (isButton) result_ = id;
        else if (id == IDCANCEL) result_ = cancelId_;
        return 0;
      }
      case DM_GETDEFID:
        return MAKELRESULT(defaultId_, DC_HASDEFID);
      case WM_CLOSE:
        result_ = mrCancel;
        return 0;
      case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      default:
        return Window::HandleMessage(message, wParam, lParam);
    }
  }

private:
  static bool Has(TMsgDlgBtn button, TMsgDlgButtons buttons) { return (buttons & button) != 0; }

  static BOOL CALLBACK DisableOther(HWND window, LPARAM self) {
    auto* dialog = reinterpret_cast<MessageDialogWindow*>(self);
    if (window != dialog->Handle() && IsWindowVisible(window) && IsWindowEnabled(window)) {
      EnableWindow(window, FALSE);
      dialog->disabled_.push_back(window);
    }
    return TRUE;
  }

  HWND AddControl(const wchar_t* className, const wchar_t* text, DWORD style, int id, int x, int y, int w, int h) {
    const HWND control = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, x, y, w, h, Handle(),
                                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr),
                                         nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.Get()), FALSE);
    return control;
  }

  // Sizes follow the message font: margins and buttons are measured in its average character size, as the
  // system's own dialogs are.
  void Layout(const std::wstring& message, HICON icon) {
    const HDC dc = GetDC(Handle());
    const HGDIOBJ previous = SelectObject(dc, font_.Get());
    SIZE letters{};
    GetTextExtentPoint32W(dc, L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz", 52, &letters);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    const int unitX = (letters.cx / 26 + 1) / 2, unitY = metrics.tmHeight;
    const int horzMargin = MulDiv(8, unitX, 4), vertMargin = MulDiv(8, unitY, 8);
    const int horzSpacing = MulDiv(10, unitX, 4), vertSpacing = MulDiv(10, unitY, 8);
    int buttonWidth = MulDiv(50, unitX, 4);
    const int buttonHeight = MulDiv(14, unitY, 8), buttonSpacing = MulDiv(4, unitX, 4);

    RECT text{0, 0, GetSystemMetrics(SM_CXSCREEN) / 2, 0};
    DrawTextW(dc, message.c_str(), static_cast<int>(message.size()), &text,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS);
    for (const ButtonKind& kind : kinds_) {
      RECT caption{};
      DrawTextW(dc, kind.caption, -1, &caption, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      buttonWidth = std::max<int>(buttonWidth, caption.right - caption.left + 8);
    }
    SelectObject(dc, previous);
    ReleaseDC(Handle(), dc);

    const int iconSize = icon ? 32 : 0;
    const int textLeft = horzMargin + (icon ? iconSize + horzSpacing : 0);
    const int textWidth = text.right - text.left, textHeight = text.bottom - text.top;
    const int iconTextWidth = textLeft + textWidth - horzMargin;
    const int iconTextHeight = std::max(iconSize, textHeight);
    const int count = static_cast<int>(kinds_.size());
    const int groupWidth = buttonWidth * count + buttonSpacing * (count - 1);
    const int clientWidth = std::max(iconTextWidth, groupWidth) + horzMargin * 2;
    int clientHeight = iconTextHeight + buttonHeight + vertSpacing + vertMargin * 2;
    int buttonTop = iconTextHeight + vertMargin + vertSpacing;

    if (icon) {
      const HWND picture = AddControl(L"STATIC", nullptr, SS_ICON, -1, horzMargin, vertMargin, iconSize, iconSize);
      SendMessageW(picture, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    }
    if (!message.empty())
      AddControl(L"STATIC", message.c_str(), SS_LEFT | SS_NOPREFIX, -1, textLeft, vertMargin, textWidth, textHeight);

    if (checkBox_) {
      // Below the message, where the buttons were; the buttons move down to make room.
      const int boxLeft = message.empty() ? 22 : textLeft;
      const int boxHeight = std::max(17, unitY + 4);
      const HWND box = AddControl(L"BUTTON", std::wstring(checkBox_->text).c_str(), BS_AUTOCHECKBOX | WS_TABSTOP,
                                  kCheckBoxId, boxLeft, buttonTop, clientWidth - 22 - boxLeft, boxHeight);
      SendMessageW(box, BM_SETCHECK, checkBox_->checked ? BST_CHECKED : BST_UNCHECKED, 0);
      buttonTop += boxHeight + 12;
      clientHeight += boxHeight + 8;
    }

    int x = (clientWidth - groupWidth) / 2;
    for (const ButtonKind& kind : kinds_) {
      const DWORD style = WS_TABSTOP | (kind.result == defaultId_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      AddControl(L"BUTTON", kind.caption, style, kind.result, x, buttonTop, buttonWidth, buttonHeight);
      x += buttonWidth + buttonSpacing;
    }

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetWindowPos(Handle(), nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  }

  UniqueFont font_;
  MessageDialogCheckBox* checkBox_;
  std::vector<ButtonKind> kinds_;
  int defaultId_ = mrOk, cancelId_ = 0;
  int result_ = mrNone;
  std::vector<HWND> disabled_;
};

}  // namespace

std::wstring MessageDialogCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return L"Warning";
    case mtError: return L"Error";
    case mtInformation: return L"Information";
    case mtConfirmation: return L"Confirm";
    default: return ApplicationTitle();
  }
}

int ShowMessageDialog(HWND owner, std::string_view heldMessage, TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext, MessageDialogCheckBox* checkBox) {
  static_cast<void>(helpContext);  // the program has no help file for it to open
  MessageDialogWindow dialog(owner, MarkedToWide(heldMessage), type, buttons, checkBox);
  return dialog.RunModal();
}

}  // namespace nv
