#pragma once
// The skin's private messages and timers.
#include <windows.h>

namespace nv {

// To the control that owns an element, at once (Control::Perform).
inline constexpr UINT WM_SKINELEMENTCHANGED = 2025;  // lParam: the element whose bitmap or slicing changed
// wParam: the SkinColour just resolved (the receiver may overwrite it); lParam: the element, or the label that
// passes the message on to its form.
inline constexpr UINT WM_SKINCOLORRESOLVED = 2026;

// A skinned form's fade steps.
inline constexpr UINT_PTR kFormFadeTimer = 9998;
inline constexpr UINT kFormFadeIntervalMs = 20;

}  // namespace nv
