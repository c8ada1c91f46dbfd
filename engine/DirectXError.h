#pragma once
// EDirectX: a DirectShow call failed. It carries the HRESULT; its message is the error's text followed by the code
// ("...Code: 80040216h."), or "System error. Code: 80040216h." when no text is known for the code. The Windows layer
// looks the texts up (engine/win/DirectXCheck.h).
#include <cstdint>
#include <string>
#include <string_view>

#include "support/Errors.h"

namespace nv {

class EDirectX : public Exception {
public:
  EDirectX(std::int32_t code, std::string_view text);
  std::int32_t Code() const noexcept { return code_; }

private:
  std::int32_t code_;
};

// DirectShow's text of a code is cut to this many characters.
inline constexpr std::size_t kDirectXTextLength = 160;

// `text` (held text; empty when none is known) and the code as eight upper-case hexadecimal digits.
std::string DirectXErrorMessage(std::int32_t code, std::string_view text);

}  // namespace nv
