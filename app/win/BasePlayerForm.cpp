#include "app/win/BasePlayerForm.h"

#include "app/AppConstants.h"
#include "app/win/MainPlayerFm.h"

namespace nv {

namespace {

FormParams PlayerWindowParams(FormParams params, bool ownedByTaskbar) {
  if (params.border == FormBorder::None) params.toolWindow = true;
  params.owner = ownedByTaskbar ? FindWindowW(kTaskbarWindowClass, nullptr) : nullptr;
  return params;
}

}  // namespace

TBasePlayerForm::TBasePlayerForm(FormParams params, bool ownedByTaskbar)
    : TSkinForm(PlayerWindowParams(std::move(params), ownedByTaskbar)) {}

HWND TBasePlayerForm::TaskbarWindow() const { return FindWindowW(kTaskbarWindowClass, nullptr); }

TChildPlayerForm::TChildPlayerForm(TMainPlayerFm& mainForm, FormParams params)
    : TBasePlayerForm(std::move(params), false), mainForm_(mainForm) {
  mainForm_.AdoptChild(*this);
}

TChildPlayerForm::~TChildPlayerForm() { mainForm_.ForgetChild(*this); }

}  // namespace nv
