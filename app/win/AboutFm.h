#pragma once
// TAboutFm: the About window. One at a time (the main form brings an open one to the front), freed when closed. It
// shows the program's logo and name, the version, the current skin's notice when the skin has one (the window is
// as much higher) and the system it runs on. A click on the logo or the name opens the maker's home page.
#include <memory>

#include "app/win/BasePlayerForm.h"
#include "support/ui/win/Label.h"
#include "support/ui/win/Picture.h"

namespace nv {

class TAboutFm final : public TChildPlayerForm {
public:
  explicit TAboutFm(TMainPlayerFm& mainForm);

  // The skin's notice label, hidden when the skin has none.
  const Label& SkinLabel() const { return skin_; }

protected:
  void Closing(CloseAction& action) override { action = CloseAction::Free; }
  bool KeyDown(WORD key, std::uint8_t modifiers) override;

private:
  void VisitHomePage();

  Picture logo_, name_;
  Label version_, credits_, skin_, system_;
};

}  // namespace nv
