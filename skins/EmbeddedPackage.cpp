#include "skins/EmbeddedPackage.h"

#include <array>
#include <cstring>

#include "support/SourceRegion.h"

namespace nv {
namespace {

std::uint32_t U32(std::span<const std::uint8_t> b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | std::uint32_t(b[at + 3]) << 24;
}
std::uint16_t U16(std::span<const std::uint8_t> b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}

// The PE headers, from the "PE\0\0" signature: the COFF file header (20 bytes), then the optional header.
constexpr std::size_t kLfanewOffset = 0x3C;            // IMAGE_DOS_HEADER.e_lfanew
constexpr std::size_t kSizeOfOptionalHeader = 4 + 16;  // IMAGE_FILE_HEADER.SizeOfOptionalHeader
constexpr std::size_t kOptionalHeader = 24;
constexpr std::uint16_t kMagicPe32 = 0x10B, kMagicPe32Plus = 0x20B;
constexpr std::size_t kSecurityDirectory = 4;  // IMAGE_DIRECTORY_ENTRY_SECURITY

struct OptionalHeaderLayout {
  std::size_t rvaCount;     // NumberOfRvaAndSizes, from the optional header's start
  std::size_t directories;  // the data directories, from the optional header's start
};
constexpr OptionalHeaderLayout kPe32{92, 96}, kPe32Plus{108, 112};

// The certificate table's file offset and size; zeros when the program is not signed.
struct CertificateTable {
  std::uint32_t offset = 0, size = 0;
};

std::optional<CertificateTable> ReadCertificateTable(ByteSource& file) {
  SourceRegion dos;
  dos.Read(file, 0, kLfanewOffset + 4);
  if (dos.Size() < kLfanewOffset + 4 || dos.Bytes()[0] != 'M' || dos.Bytes()[1] != 'Z') return std::nullopt;
  const std::uint32_t pe = U32(dos.Bytes(), kLfanewOffset);

  const OptionalHeaderLayout& widest = kPe32Plus;
  SourceRegion headers;
  headers.Read(file, pe, kOptionalHeader + widest.directories + 8 * (kSecurityDirectory + 1));
  const auto h = headers.Bytes();
  if (h.size() < kOptionalHeader + 2 || std::memcmp(h.data(), "PE\0\0", 4) != 0) return std::nullopt;
  const std::uint16_t magic = U16(h, kOptionalHeader);
  if (magic != kMagicPe32 && magic != kMagicPe32Plus) return std::nullopt;
  const OptionalHeaderLayout& layout = magic == kMagicPe32 ? kPe32 : kPe32Plus;

  const std::size_t entry = layout.directories + 8 * kSecurityDirectory;
  if (h.size() < kOptionalHeader + entry + 8) return std::nullopt;
  CertificateTable table;
  // A header too short for the security directory, or one that does not count it, has no certificate table.
  const bool listed = U16(h, kSizeOfOptionalHeader) >= entry + 8 && U32(h, kOptionalHeader + layout.rvaCount) > 4;
  if (listed) {
    table.offset = U32(h, kOptionalHeader + entry);
    table.size = U32(h, kOptionalHeader + entry + 4);
  }
  return table;
}

// How far before the end of the data the trailer is looked for: itself and up to 15 bytes of padding.
constexpr std::size_t kTrailerWindow = 23;

}  // namespace

std::optional<PackageWindow> FindEmbeddedPackage(ByteSource& file) {
  const std::optional<CertificateTable> certificates = ReadCertificateTable(file);
  if (!certificates) return std::nullopt;
  const std::uint64_t fileSize = file.Size();
  if (std::uint64_t(certificates->offset) + certificates->size > fileSize) return std::nullopt;
  const std::uint64_t dataEnd = certificates->offset > 0 ? certificates->offset : fileSize;

  const std::uint64_t windowStart = dataEnd > kTrailerWindow ? dataEnd - kTrailerWindow : 0;
  SourceRegion window;
  window.Read(file, windowStart, static_cast<std::size_t>(dataEnd - windowStart));
  const auto w = window.Bytes();
  if (w.size() < kPackageTrailerSize) return std::nullopt;

  // The last "XCAB" first: the package's own bytes may hold the four letters too.
  for (std::size_t at = w.size() - kPackageTrailerSize + 1; at-- > 0;) {
    if (std::memcmp(&w[at], kPackageTrailerTag, 4) != 0) continue;
    const std::uint64_t trailer = windowStart + at;
    const std::uint32_t size = U32(w, at + 4);
    if (size == 0 || size > trailer) continue;
    std::array<std::uint8_t, 4> signature{};
    if (file.ReadAt(trailer - size, signature.data(), 4) != 4 || std::memcmp(signature.data(), "MSCF", 4) != 0)
      continue;
    return PackageWindow{trailer - size, size};
  }
  return std::nullopt;
}

}  // namespace nv
