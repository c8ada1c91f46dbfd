#pragma once
// What a volume, balance or equaliser bar's position means to the player: the volume and the preamplifier are the
// position itself (0..100); the balance and a band's gain lie around the bar's centre 100 (0..200) and snap to the
// centre near it, so that a bar let go a little off the middle reads as the middle.
#include <cstdint>

namespace nv {

enum class TVolumeBarType : std::uint8_t { vbVolume, vbPan, vbEqPreamp, vbEqChanel };

inline constexpr int kEqualizerBands = 10;

int VolumeBarMax(TVolumeBarType type);
// The player's value for a position: the balance is 0 within 9 of the centre, a band's gain within 2.
int VolumeBarValue(TVolumeBarType type, int position);
// The position that shows a player's value.
int VolumeBarPosition(TVolumeBarType type, int value);

}  // namespace nv
