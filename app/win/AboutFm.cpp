#include "app/win/AboutFm.h"

#include "app/AppConstants.h"
#include "app/win/MainPlayerFm.h"
#include "resources/StringIds.h"
#include "support/ui/win/Resources.h"
#include "support/win/SystemInfo.h"
#include "support/win/WideText.h"

namespace nv {

namespace {

constexpr int kWidth = 360;
constexpr int kMargin = 12;
constexpr int kGap = 8;
// The artwork's panel, and the texts on it.
constexpr COLORREF kPanel = RGB(0x23, 0x28, 0x2F);
constexpr COLORREF kText = RGB(0xE6, 0xEB, 0xF0);
constexpr COLORREF kDimText = RGB(0x8A, 0x95, 0xA3);

FormParams AboutParams() {
  return {.className = L"TAboutFm",
          .caption = ResourceString(IDS_ABOUT_CAPTION),
          .border = FormBorder::Dialog,
          .bounds = Rect::FromSize(0, 0, kWidth, 240),
          .centred = true,
          .keyPreview = true};
}

}  // namespace

TAboutFm::TAboutFm(TMainPlayerFm& mainForm)
    : TChildPlayerForm(mainForm, AboutParams()),
      logo_(*this, LoadBitmapResource(L"LOGO_IMAGE")),
      name_(*this, LoadBitmapResource(L"LOGO_TEXT")),
      version_(*this),
      credits_(*this),
      skin_(*this),
      system_(*this) {
  SetColor(kPanel);
  const int client = ClientRect().Width();
  logo_.SetBounds(kMargin, kMargin, 0, 0);
  const int textLeft = logo_.Bounds().right + kGap;
  name_.SetBounds(textLeft, kMargin, 0, 0);
  for (Picture* picture : {&logo_, &name_}) picture->OnClick = [this](Control&) { VisitHomePage(); };

  int y = name_.Bounds().bottom + kGap;
  auto place = [&](Label& label, std::wstring text, COLORREF color, int left) {
    label.SetTextColor(color);
    label.SetText(std::move(text));
    label.SetBounds(left, y, client - left - kMargin, 0);
    y = label.Bounds().bottom + kGap;
  };
  place(version_, ResourceString(IDS_ABOUT_VERSION), kText, textLeft);
  y = std::max(y, logo_.Bounds().bottom + kGap);
  place(credits_, ResourceString(IDS_ABOUT_CREDITS), kText, kMargin);
  const std::string notice = mainForm.SkinNotice();
  if (notice.empty()) {
    skin_.Hide();
  } else {
    place(skin_, ResourceString(IDS_ABOUT_SKIN) + MarkedToWide(notice), kText, kMargin);
  }
  place(system_, MarkedToWide(SystemDescriptionText()), kDimText, kMargin);

  // As high as what it shows.
  RECT frame{0, 0, client, y + kMargin - kGap};
  AdjustWindowRectEx(&frame, GetWindowLongW(Handle(), GWL_STYLE), FALSE, GetWindowLongW(Handle(), GWL_EXSTYLE));
  RECT window{};
  GetWindowRect(Handle(), &window);
  const int height = frame.bottom - frame.top;
  SetWindowPos(Handle(), nullptr, window.left, window.top - (height - (window.bottom - window.top)) / 2,
               window.right - window.left, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

bool TAboutFm::KeyDown(WORD key, std::uint8_t modifiers) {
  if (key == VK_ESCAPE || key == VK_RETURN) {
    Close();
    return true;
  }
  return TChildPlayerForm::KeyDown(key, modifiers);
}

void TAboutFm::VisitHomePage() {
  Hide();
  TMainPlayerFm::OpenAddress(kHomePageAddress);
  Close();
}

}  // namespace nv
