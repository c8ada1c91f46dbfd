// Drives on Windows: GetDriveTypeW and GetVolumeInformationW.
#include <windows.h>

#include "support/DriveInfo.h"
#include "support/win/WideText.h"

namespace nv::platform {

DriveType DriveTypeOf(std::string_view root) {
  const std::wstring wide = MarkedToWide(root);
  const UINT type = GetDriveTypeW(wide.empty() ? nullptr : wide.c_str());
  return type <= DRIVE_RAMDISK ? static_cast<DriveType>(type) : DriveType::Unknown;
}

std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view root) {
  const std::wstring wide = MarkedToWide(root);
  DWORD serial = 0;
  if (!GetVolumeInformationW(wide.empty() ? nullptr : wide.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr,
                             0))
    return std::nullopt;
  return serial;
}

}  // namespace nv::platform
