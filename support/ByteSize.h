#pragma once
// A byte count as text for the user: "1,024 bytes", "1.5 KB", "3 MB".
#include <cstdint>
#include <string>

namespace nv {

enum class ByteUnit { Automatic = 0, Bytes = 1, KB = 2, MB = 3, GB = 4, TB = 5 };

// The number is the count in the unit, "#,##0.##" (bytes "#,##0"), or rounded up to a whole number when
// `roundedUp`; then a blank and the unit's word. Automatic picks bytes below 1024, KB below 2^20, MB below 2^30,
// GB below 2^40, else TB. Separators are the user's; the result is held text.
std::string FormatByteSize(std::uint64_t bytes, ByteUnit unit = ByteUnit::Automatic, bool roundedUp = false);

}  // namespace nv
