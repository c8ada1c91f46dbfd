#include "skins/SkinErrors.h"

#include <cstdio>

namespace nv {

namespace {
std::string CabinetErrorText(std::uint32_t code) {
  char text[48];
  std::snprintf(text, sizeof text, "Cabinet reader error. Code: 0x%04X", static_cast<unsigned>(code));
  return text;
}
}  // namespace

ECabinetError::ECabinetError(std::uint32_t code) : Exception(CabinetErrorText(code)), code_(code) {}

}  // namespace nv
