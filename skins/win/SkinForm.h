#pragma once
// TSkinForm: a form drawn from the skin. Its Image paints the form (stretched in nine parts by the border insets
// when Sizeable, else at its own size, which the form then takes); its Mask shapes it: black is cut away, red is the
// sizing area (with sizing cursors at its corners and edges) and blue the caption, where the window drags. It can
// be translucent (Transparency, in percent of opacity) and fade in and out on a timer; a fade that is asked to turn
// goes back from where it stands.
//
//   class PlayInfoFm final : public TSkinForm {
//   public:
//     explicit PlayInfoFm(TSkin& skin) : TSkinForm(SkinFormParams(L"TPlayInfoFm")) {
//       LoadingScope loading(*this);
//       Image.SetName("InfoMain");
//       Mask.SetName("InfoMain.mask");
//       Image.SetSkin(&skin);
//       Mask.SetSkin(&skin);
//     }
//   };
//   info.FadeIn(500); ... info.FadeOut(500);
//
// A form that is shaped for a part of itself can keep the shape for its own painting instead of making it the
// window's region (UpdateShape with keep: the docked strip clips its painting with it).
#include <windows.h>

#include <optional>

#include "skins/Fade.h"
#include "skins/SkinElement.h"
#include "skins/win/SkinNotices.h"
#include "support/ui/win/Form.h"
#include "support/ui/win/GdiObjects.h"

namespace nv {

enum class FadeMode { None, Async };

// A skinned form's usual parameters: no border (the mask shapes it) and its own class name.
FormParams SkinFormParams(const wchar_t* className);

// The three regions a form's mask gives, in the window's coordinates.
struct SkinFormRegions {
  UniqueRegion shape, sizing, caption;
};

class TSkinForm : public Form {
private:
  SkinNotices notices_{*this};  // before the elements that tell it

public:
  explicit TSkinForm(const FormParams& params);
  ~TSkinForm() override;

  TSkinElement Image{&notices_};
  TSkinElement Mask{&notices_};

  bool Sizeable() const { return sizeable_; }
  void SetSizeable(bool sizeable);
  // Background erasing runs only with this set (the painting covers the form otherwise).
  bool EraseBkgnd = false;
  // The insets the image and the mask stretch by, and that bound the sizing edges.
  const Insets& Borders() const { return borders_; }
  void SetBorders(const Insets& borders);

  // Percent of opacity, 0 to 100 (other values are clamped). Setting it stops a fade.
  int Transparency() const { return transparency_; }
  void SetTransparency(int percent);
  FadeMode FadeMethod() const { return fadeMethod_; }
  void SetFadeMethod(FadeMode method) { fadeMethod_ = method; }

  void FadeIn(int durationMs) { SetVisibleFaded(durationMs, true); }
  void FadeOut(int durationMs) { SetVisibleFaded(durationMs, false); }
  // Visible and not fading out.
  bool IsShowing() const;
  FadeDirection FadeState() const { return fade_.Direction(); }
  bool HasImage() const { return !Image.IsEmpty(); }

  // Shapes the form for `rect` (window coordinates; the whole form when none), unless it is already shaped for it.
  // With `keep` the window keeps no region: the shape is held for the form's own painting (KeptShape).
  void UpdateShape(bool keep = false, std::optional<Rect> rect = std::nullopt);
  // The shape is built again at the next UpdateShape or paint.
  void ResetShape();
  HRGN KeptShape() const { return kept_.Get(); }

protected:
  // Draws the mask for a sizeable form's shape into a surface of the shape's size.
  virtual void DrawMask(HDC dc, const Rect& rect);
  // The regions for the rectangle being shaped (ShapeRect()); false when there is no mask.
  virtual bool CreateShapeRegions(SkinFormRegions& regions);
  // Shows or hides: at once without fades (or for a duration or transparency of 0), else fading.
  virtual void SetVisibleFaded(int durationMs, bool visible);
  const Rect& ShapeRect() const { return shapeRect_; }

  void PaintBackground(HDC dc, const Rect& clip) override;
  void AdjustBounds(Rect& bounds) override;
  void Loaded() override;
  void StateChanged() override;
  LRESULT ControlMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
  void HandleTimer(UINT_PTR id) override;

private:
  bool Borderless() const;
  Size ImageSize() const;
  void RefreshShape(bool redraw);
  LRESULT HitTest(LPARAM screenPoint);
  void StopFade();
  void EndFade();
  // Changes the visibility for a fade: the change does not stop the fade.
  void SetVisibleForFade(bool visible);

  bool sizeable_ = false;
  Insets borders_;
  int transparency_ = 100;
  FadeMode fadeMethod_ = FadeMode::Async;
  FadeProgress fade_;
  bool fadeShowing_ = false;  // the fade itself is changing the visibility
  bool visibleSeen_ = false;

  // The shape: what was asked for, and what it was built for.
  bool keep_ = false;
  std::optional<Rect> shapeRequest_;
  Rect shapeRect_;
  bool shapeBuilt_ = false, shapeKept_ = false;
  UniqueRegion kept_, sizing_, caption_;
};

}  // namespace nv
