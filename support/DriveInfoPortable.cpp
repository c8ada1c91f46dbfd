// Drives natively: there are none; every path is on a fixed disk whose volume has no serial number.
#include "support/DriveInfo.h"

namespace nv::platform {

DriveType DriveTypeOf(std::string_view) { return DriveType::Fixed; }
std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view) { return std::nullopt; }

}  // namespace nv::platform
