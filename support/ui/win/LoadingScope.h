#pragma once
// The loading bracket of a form: controls made while it is open are "loading" — their size rules wait, their
// containers do not lay them out and nothing is repainted. When it closes, each of them gets Loaded() once, in the
// order they were made, the containers lay their children out once and the form is repainted once, so each control
// is painted once however many properties its construction set.
//
//   MainForm::MainForm() : Form(Params()) {
//     LoadingScope loading(*this);
//     // ... make and set up the controls ...
//   }
#include <vector>

namespace nv {

class Control;
class WinControl;

class LoadingScope {
public:
  explicit LoadingScope(WinControl& root);
  ~LoadingScope();
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

  // Whether a scope of this thread is building `control`'s form (its layout waits).
  static bool Holds(const WinControl& control);

private:
  friend class Control;
  static void Enlist(Control& control);
  static void Withdraw(Control& control);

  WinControl& root_;
  LoadingScope* outer_;
  std::vector<Control*> controls_;
};

}  // namespace nv
