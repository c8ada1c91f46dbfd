#pragma once
// The skin subsystem's failures and their fixed messages.
#include <cstdint>
#include <string>

#include "support/Errors.h"

namespace nv {

inline constexpr char kDefaultSkinCorruptedMessage[] = "Default skin corrupted.";
inline constexpr char kDuplicateSkinItemMessage[] = "Duplicate skin item name";

class ESkinError : public Exception {
public:
  using Exception::Exception;
};

// The cabinet library failed: "Cabinet reader error. Code: 0x" and its operation error code in four hexadecimal
// digits.
class ECabinetError : public Exception {
public:
  explicit ECabinetError(std::uint32_t code);
  std::uint32_t Code() const noexcept { return code_; }

private:
  std::uint32_t code_;
};

}  // namespace nv
