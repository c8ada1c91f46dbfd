#pragma once
// Picture: a windowless bitmap, as large as the bitmap; a click runs OnClick (Control).
#include <windows.h>

#include "support/ui/win/Control.h"
#include "support/ui/win/GdiObjects.h"

namespace nv {

class Picture : public Control {
public:
  Picture(WinControl& parent, UniqueBitmap bitmap);

  void Paint(HDC dc) override;

protected:
  void AdjustBounds(Rect& bounds) override;

private:
  UniqueBitmap bitmap_;
  Size size_;
};

}  // namespace nv
