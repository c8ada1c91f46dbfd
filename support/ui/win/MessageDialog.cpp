#include "support/ui/win/MessageDialog.h"

#include <algorithm>
#include <vector>

#include "resources/StringIds.h"
#include "support/ui/win/Application.h"
#include "support/ui/win/Form.h"
#include "support/ui/win/GdiObjects.h"
#include "support/ui/win/Resources.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

struct ButtonKind {
  TMsgDlgBtn button;
  UINT caption;  // resource string
  int result;    // also the control's identifier; the Help button closes nothing
};

constexpr int kHelpButtonId = 0x7F00;
constexpr int kCheckBoxId = 0x7F01;

constexpr ButtonKind kButtonKinds[] = {
    {mbYes, IDS_BUTTON_YES, mrYes},          {mbNo, IDS_BUTTON_NO, mrNo},
    {mbOK, IDS_BUTTON_OK, mrOk},             {mbCancel, IDS_BUTTON_CANCEL, mrCancel},
    {mbAbort, IDS_BUTTON_ABORT, mrAbort},    {mbRetry, IDS_BUTTON_RETRY, mrRetry},
    {mbIgnore, IDS_BUTTON_IGNORE, mrIgnore}, {mbAll, IDS_BUTTON_ALL, mrAll},
    {mbNoToAll, IDS_BUTTON_NO_TO_ALL, mrNoToAll}, {mbYesToAll, IDS_BUTTON_YES_TO_ALL, mrYesToAll},
    {mbHelp, IDS_BUTTON_HELP, kHelpButtonId},
};

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

// The dialog's form: lays itself out once, then runs modally until a button ends it.
class MessageDialogForm final : public Form {
public:
  MessageDialogForm(HWND owner, const std::wstring& message, TMsgDlgType type, TMsgDlgButtons buttons,
                    MessageDialogCheckBox* checkBox)
      : Form({.className = kMessageDialogClass,
              .caption = MessageDialogCaption(type),
              .border = FormBorder::Dialog,
              .owner = owner,
              .dialogKeys = true}),
        font_(MessageFont()),
        checkBox_(checkBox) {
    for (const ButtonKind& kind : kButtonKinds)
      if (buttons & kind.button) kinds_.push_back(kind);
    if (kinds_.empty()) kinds_.push_back(kButtonKinds[2]);  // a dialog always has a way out: OK
    defaultId_ = Has(mbOK, buttons) ? mrOk : Has(mbYes, buttons) ? mrYes : kinds_.front().result;
    cancelId_ = Has(mbCancel, buttons) ? mrCancel : Has(mbNo, buttons) ? mrNo : Has(mbOK, buttons) ? mrOk : 0;
    Layout(message, KindIcon(type));
  }

  int Run() {
    const int result = ShowModal();
    if (checkBox_) checkBox_->checked = SendDlgItemMessageW(Handle(), kCheckBoxId, BM_GETCHECK, 0, 0) == BST_CHECKED;
    return result;
  }

protected:
  void StateChanged() override {
    // Shown: the default button takes the focus, as in the system's dialogs.
    if (Visible()) SetFocus(GetDlgItem(Handle(), defaultId_));
    Form::StateChanged();
  }

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_COMMAND: {
        const int id = LOWORD(wParam);
        if (id == IDCANCEL && cancelId_ == 0) return 0;  // Escape without a button to stand for it
        if (id == kHelpButtonId || id == kCheckBoxId) return 0;
        const bool isButton = std::any_of(kinds_.begin(), kinds_.end(), [id](auto& k) { return k.result == id; });
        if (isButton) SetModalResult(id);
        else if (id == IDCANCEL) SetModalResult(cancelId_);
        return 0;
      }
      case DM_GETDEFID:
        return MAKELRESULT(defaultId_, DC_HASDEFID);
      case WM_CTLCOLORSTATIC:
        SetBkMode(reinterpret_cast<HDC>(wParam), TRANSPARENT);
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
      default:
        return Form::WindowProc(message, wParam, lParam);
    }
  }

private:
  static bool Has(TMsgDlgBtn button, TMsgDlgButtons buttons) { return (buttons & button) != 0; }

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
      const std::wstring text = ResourceString(kind.caption);
      DrawTextW(dc, text.c_str(), -1, &caption, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      buttonWidth = std::max<int>(buttonWidth, caption.right - caption.left + 8);
    }
    // The check box's whole text beside its square: a short question must not cut it off.
    int boxTextWidth = 0;
    if (checkBox_) {
      RECT caption{};
      DrawTextW(dc, checkBox_->text.c_str(), -1, &caption, DT_CALCRECT | DT_LEFT | DT_SINGLELINE);
      boxTextWidth = caption.right - caption.left;
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
    // The check box sits below the message and ends 22 pixels short of the right edge.
    const int boxLeft = message.empty() ? 22 : textLeft;
    const int boxWidth = GetSystemMetrics(SM_CXMENUCHECK) + unitX * 2 + boxTextWidth;
    const int clientWidth = std::max({iconTextWidth + horzMargin * 2, groupWidth + horzMargin * 2,
                                      checkBox_ ? boxLeft + boxWidth + 22 : 0});
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
      const int boxHeight = std::max(17, unitY + 4);
      const HWND box = AddControl(L"BUTTON", checkBox_->text.c_str(), BS_AUTOCHECKBOX | WS_TABSTOP,
                                  kCheckBoxId, boxLeft, buttonTop, clientWidth - 22 - boxLeft, boxHeight);
      SendMessageW(box, BM_SETCHECK, checkBox_->checked ? BST_CHECKED : BST_UNCHECKED, 0);
      buttonTop += boxHeight + 12;
      clientHeight += boxHeight + 8;
    }

    int x = (clientWidth - groupWidth) / 2;
    for (const ButtonKind& kind : kinds_) {
      const DWORD style = WS_TABSTOP | (kind.result == defaultId_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON);
      AddControl(L"BUTTON", ResourceString(kind.caption).c_str(), style, kind.result, x, buttonTop, buttonWidth,
                 buttonHeight);
      x += buttonWidth + buttonSpacing;
    }

    RECT frame{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
    const int width = frame.right - frame.left, height = frame.bottom - frame.top;
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width,
              height);
  }

  UniqueFont font_;
  MessageDialogCheckBox* checkBox_;
  std::vector<ButtonKind> kinds_;
  int defaultId_ = mrOk, cancelId_ = 0;
};

}  // namespace

std::wstring MessageDialogCaption(TMsgDlgType type) {
  switch (type) {
    case mtWarning: return ResourceString(IDS_CAPTION_WARNING);
    case mtError: return ResourceString(IDS_CAPTION_ERROR);
    case mtInformation: return ResourceString(IDS_CAPTION_INFORMATION);
    case mtConfirmation: return ResourceString(IDS_CAPTION_CONFIRM);
    default: return App().Title();
  }
}

int ShowMessageDialog(HWND owner, std::string_view heldMessage, TMsgDlgType type, TMsgDlgButtons buttons,
                      int helpContext, MessageDialogCheckBox* checkBox) {
  static_cast<void>(helpContext);  // the program has no help file for it to open
  MessageDialogForm dialog(owner, MarkedToWide(heldMessage), type, buttons, checkBox);
  return dialog.Run();
}

}  // namespace nv
