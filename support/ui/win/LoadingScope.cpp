#include "support/ui/win/LoadingScope.h"

#include <algorithm>

#include "support/ui/win/ExceptionBarrier.h"
#include "support/ui/win/WinControl.h"

namespace nv {

namespace {
thread_local LoadingScope* innermost = nullptr;
thread_local LoadingScope* closing = nullptr;  // the scope whose controls are being told they are loaded
}  // namespace

LoadingScope::LoadingScope(WinControl& root) : root_(root), outer_(innermost) { innermost = this; }

LoadingScope::~LoadingScope() {
  innermost = outer_;
  LoadingScope* const outerClosing = closing;
  closing = this;
  // Loaded() may make or destroy controls: walk by index over what is still listed.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    Control* control = controls_[i];
    if (!control) continue;
    control->loading_ = false;
    Guarded([&] { control->Loaded(); });
  }
  std::vector<WinControl*> containers{&root_};
  for (Control* control : controls_)
    if (control && control->IsWindowed()) containers.push_back(static_cast<WinControl*>(control));
  closing = outerClosing;
  for (WinControl* container : containers) Guarded([&] { container->Realign(); });
  if (root_.Handle()) RedrawWindow(root_.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

bool LoadingScope::Holds(const WinControl& control) {
  for (const LoadingScope* scope = innermost; scope; scope = scope->outer_) {
    if (&scope->root_ == &control) return true;
    if (std::find(scope->controls_.begin(), scope->controls_.end(), &control) != scope->controls_.end()) return true;
  }
  return false;
}

void LoadingScope::Enlist(Control& control) {
  if (!innermost) return;
  control.loading_ = true;
  innermost->controls_.push_back(&control);
}

void LoadingScope::Withdraw(Control& control) {
  for (LoadingScope* scope = innermost; scope; scope = scope->outer_) std::erase(scope->controls_, &control);
  // The closing scope is being walked: leave a gap rather than move what follows.
  if (closing) std::replace(closing->controls_.begin(), closing->controls_.end(), &control, static_cast<Control*>(nullptr));
}

}  // namespace nv
