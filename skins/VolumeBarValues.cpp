#include "skins/VolumeBarValues.h"

#include <cstdlib>

namespace nv {

namespace {
constexpr int kCentre = 100;
bool Centred(TVolumeBarType type) { return type == TVolumeBarType::vbPan || type == TVolumeBarType::vbEqChanel; }
}  // namespace

int VolumeBarMax(TVolumeBarType type) { return Centred(type) ? 2 * kCentre : kCentre; }

int VolumeBarValue(TVolumeBarType type, int position) {
  if (!Centred(type)) return position;
  const int value = position - kCentre;
  const int snap = type == TVolumeBarType::vbPan ? 9 : 2;
  return std::abs(value) <= snap ? 0 : value;
}

int VolumeBarPosition(TVolumeBarType type, int value) { return Centred(type) ? value + kCentre : value; }

}  // namespace nv
