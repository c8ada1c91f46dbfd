#pragma once
// Drives as the system sees them: which kind of drive a path is on, and the serial number of the volume in it (a CD
// changed in its drive gets another one).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nv {

// The answers of the system's drive-type query, by their values.
enum class DriveType : std::uint8_t {
  Unknown = 0, NoRootDir = 1, Removable = 2, Fixed = 3, Remote = 4, CDROM = 5, RAMDisk = 6
};

// The root of the drive a path is on, as the drive queries want it: the letter and colon ("C:\"), or the server and
// share of a network path ("\\server\share\"), with a backslash appended. Empty when the path names no drive.
std::string DriveRootOf(std::string_view path);

namespace platform {

// `root` as DriveRootOf gives it (held text); empty asks about the current directory's drive.
DriveType DriveTypeOf(std::string_view root);
std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view root);

}  // namespace platform

// The same questions behind an interface, for code that lets tests stand in for the drives (an audio CD in D:).
class DriveQuery {
public:
  virtual ~DriveQuery() = default;
  virtual DriveType TypeOf(std::string_view root) = 0;
  virtual std::optional<std::uint32_t> VolumeSerialNumberOf(std::string_view root) = 0;
};

// The system's drives (GetDriveTypeW and GetVolumeInformationW on Windows).
DriveQuery& SystemDrives();

}  // namespace nv
