#pragma once
// Attributes as a Windows Media header gives them (through the Windows Media Format runtime for a file, or through
// a built graph), and how they become media attributes.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "metadata/HeaderAttributes.h"

namespace nv {

// The runtime's value types, by their numbers.
enum class WMAttributeType : std::uint8_t {
  DWord = 0, String = 1, Binary = 2, Bool = 3, QWord = 4, Word = 5, Guid = 6
};

struct WMAttribute {
  std::u16string Name{};
  WMAttributeType Type = WMAttributeType::Binary;
  std::uint64_t Number = 0;             // DWORD, WORD, QWORD, BOOL
  std::u16string Text{};                // STRING, without its terminating zero
  std::array<std::uint8_t, 16> Guid{};  // GUID, as it lies in memory
};

// DWORD and WORD become integers, QWORD floating point, BOOL boolean, STRING wide text, GUID its text in braces;
// binary values are missing. Values of 0, false or empty text count as missing and are left out. "Duration" comes
// in 100 ns units and is stored in milliseconds (0 when it is no number).
TXHeaderAttributes ConvertWindowsMediaAttributes(const std::vector<WMAttribute>& attributes);

}  // namespace nv
