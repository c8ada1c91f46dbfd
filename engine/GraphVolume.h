#pragma once
// The player's volume and balance on DirectShow's scale (IBasicAudio: hundredths of a decibel, -10000 silent).
// The curve follows the ear: half the slider is a tenth of the power (-10 dB), and the balance moves the far side
// down along the same curve.
#include <cstdint>

#include "support/Rounding.h"

namespace nv {

// -10000 (silent) .. 0. `volume` 0..100, `attenuation` 0..100 percent (a fade: 0 full volume, 100 silent).
std::int32_t GraphVolume(int volume, bool muted, int attenuation);

// -10000 (left only) .. 10000 (right only). `balance` -100..100, 0 centre.
std::int32_t GraphBalance(int balance);

}  // namespace nv
