#pragma once
// Which sub-image a skinned button shows. A button's glyph names up to seven sub-images, one per look (up, pressed,
// hot, down, pressed while down, hot while down, disabled), -1 meaning the skin draws none for that look; a look the
// skin leaves out falls back once to a look it is sure to have. The button's state follows the mouse and its
// checked state by the rules below, so the window only asks and draws.
#include <array>
#include <cstdint>
#include <functional>

#include "skins/SkinSlicing.h"

namespace nv {

// The looks, by their slot in the glyph's indices.
enum GlyphSlot : int {
  gsUp = 0,
  gsPushUp = 1,
  gsFlatUp = 2,
  gsDown = 3,
  gsPushDown = 4,
  gsFlatDown = 5,
  gsDisabled = 6,
};
inline constexpr int kGlyphSlots = 7;

// A speed button's state: up, disabled, pressed (the mouse holds it) and exclusive (it stays down: checked, down in
// its group, or its menu is open).
enum class ButtonState : std::uint8_t { bsUp, bsDisabled, bsDown, bsExclusive };

// The glyph's seven indices; a value below -1 is stored as -1.
class GlyphIndices {
public:
  GlyphIndices();  // up 0, pushed 0, the others none
  explicit GlyphIndices(const SkinGlyphIndices& from);

  int Index(int slot) const { return indices_[slot]; }
  void SetIndex(int slot, int index);

private:
  std::array<std::int8_t, kGlyphSlots> indices_;
};

// The look a button in `state` asks for: `hot` is a flat button under the mouse, `downOrChecked` a button that is
// down in its group or checked.
int GlyphSlotFor(ButtonState state, bool hot, bool downOrChecked);
// The one fallback of a look the skin does not draw: hot → up; pressed or hot while down → down; disabled → down or
// up; none (-1) for the looks every glyph has.
int FallbackSlot(int slot, bool downOrChecked);
// The sub-image to draw for the look: the slot's own index, or, when that is -1 or `missing` says the skin has no
// such sub-image, the fallback's index as it stands (no second fallback). -1 when there is none either.
int GlyphImage(const GlyphIndices& glyph, int slot, bool downOrChecked, const std::function<bool(int)>& missing);

// The state a button takes: while the mouse holds it (pressed when the pointer is over it), and when it is
// released or comes back enabled (exclusive while it stays down, else up).
ButtonState StateWhileHeld(bool pointerInside, bool staysDown);
inline ButtonState RestingState(bool staysDown) { return staysDown ? ButtonState::bsExclusive : ButtonState::bsUp; }

}  // namespace nv
