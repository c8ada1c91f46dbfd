#include "skins/ButtonGlyph.h"

#include <algorithm>

namespace nv {

GlyphIndices::GlyphIndices() : indices_{0, 0, -1, -1, -1, -1, -1} {}

GlyphIndices::GlyphIndices(const SkinGlyphIndices& from) : GlyphIndices() {
  const int values[kGlyphSlots] = {from.Up,   from.PushUp,   from.FlatUp,  from.Down,
                                   from.PushDown, from.FlatDown, from.Disabled};
  for (int slot = 0; slot < kGlyphSlots; ++slot) SetIndex(slot, values[slot]);
}

void GlyphIndices::SetIndex(int slot, int index) {
  if (slot < 0 || slot >= kGlyphSlots) return;
  indices_[slot] = static_cast<std::int8_t>(std::clamp(index, -1, 127));
}

int GlyphSlotFor(ButtonState state, bool hot, bool downOrChecked) {
  switch (state) {
    case ButtonState::bsUp: return hot ? gsFlatUp : gsUp;
    case ButtonState::bsDisabled: return gsDisabled;
    case ButtonState::bsDown: return downOrChecked ? gsPushDown : gsPushUp;
    case ButtonState::bsExclusive: return hot ? gsFlatDown : gsDown;
  }
  return gsUp;
}

int FallbackSlot(int slot, bool downOrChecked) {
  switch (slot) {
    case gsFlatUp: return gsUp;
    case gsPushDown:
    case gsFlatDown: return gsDown;
    case gsDisabled: return downOrChecked ? gsDown : gsUp;
    default: return -1;
  }
}

int GlyphImage(const GlyphIndices& glyph, int slot, bool downOrChecked, const std::function<bool(int)>& missing) {
  const int own = glyph.Index(slot);
  if (own >= 0 && !missing(own)) return own;
  const int fallback = FallbackSlot(slot, downOrChecked);
  return fallback < 0 ? own : glyph.Index(fallback);
}

ButtonState StateWhileHeld(bool pointerInside, bool staysDown) {
  return pointerInside ? ButtonState::bsDown : RestingState(staysDown);
}

}  // namespace nv
