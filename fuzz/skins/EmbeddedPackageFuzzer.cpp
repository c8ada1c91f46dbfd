// The trailer locator on any file: the package it reports lies inside the file, before its trailer, and starts
// with a cabinet's signature.
#include <cstdlib>
#include <cstring>

#include "fuzz/metadata/FuzzedSource.h"
#include "skins/EmbeddedPackage.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  nv::MemoryByteSource file = nv::fuzz::Source(data, size);
  const auto found = nv::FindEmbeddedPackage(file);
  if (found) {
    const bool inside = found->Size > 0 && found->End() + nv::kPackageTrailerSize <= size;
    if (!inside || std::memcmp(data + found->Offset, "MSCF", 4) != 0 ||
        std::memcmp(data + found->End(), nv::kPackageTrailerTag, 4) != 0)
      std::abort();
  }
  return 0;
}
