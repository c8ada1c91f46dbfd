#include "engine/DirectXError.h"

#include <cstdio>

namespace nv {

std::string DirectXErrorMessage(std::int32_t code, std::string_view text) {
  char digits[9];
  std::snprintf(digits, sizeof digits, "%08X", static_cast<unsigned>(code));
  if (text.empty()) return std::string("System error. Code: ") + digits + "h.";
  return std::string(text) + "Code: " + digits + "h.";
}

EDirectX::EDirectX(std::int32_t code, std::string_view text) : Exception(DirectXErrorMessage(code, text)), code_(code) {}

}  // namespace nv
