#pragma once
// The default skin travels inside the program file: the skin package is appended to it, followed by an 8-byte
// trailer, the ASCII bytes "XCAB" and the package's size (32-bit little-endian). The trailer ends the file, or, in a
// signed program, stands just before the certificate table (signing pads the file to a multiple of 8 bytes before
// it appends the table, so up to 7 zeros may follow the trailer).
#include <cstdint>
#include <optional>

#include "support/ByteSource.h"

namespace nv {

inline constexpr char kPackageTrailerTag[] = "XCAB";
inline constexpr std::size_t kPackageTrailerSize = 8;

// Where the package lies in the file; it ends where its trailer begins.
struct PackageWindow {
  std::uint64_t Offset = 0;
  std::uint64_t Size = 0;
  std::uint64_t End() const { return Offset + Size; }
  bool operator==(const PackageWindow&) const = default;
};

// Finds the package appended to a PE32 or PE32+ program file; nothing when the file carries none. The certificate
// table is found through the file's own headers (e_lfanew and the optional header's magic), and of the "XCAB"s
// near the end of the data the last one is taken whose size fits inside the file and points at a cabinet.
std::optional<PackageWindow> FindEmbeddedPackage(ByteSource& file);

}  // namespace nv
