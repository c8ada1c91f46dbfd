// The entry-name rules on any name (UTF-8 when the input is valid UTF-8, else UTF-16 code units): a name they
// accept never leaves its folder once the file system has trimmed each part as Windows does, and a chain never
// leads out of the first cabinet's folder.
#include <cstdlib>
#include <string>

#include "skins/CabinetNames.h"
#include "support/MarkedText.h"

namespace {

std::u16string NameOf(const std::uint8_t* data, std::size_t size) {
  std::u16string name;
  if (nv::TryUtf8ToUtf16(std::string_view(reinterpret_cast<const char*>(data), size), name)) return name;
  name.clear();
  for (std::size_t i = 0; i + 1 < size; i += 2) name.push_back(static_cast<char16_t>(data[i] | data[i + 1] << 8));
  return name;
}

void Check(bool condition) {
  if (!condition) std::abort();
}

// Splits at "\" and "/" and trims each part's trailing dots and blanks, as path normalisation does.
void CheckStaysInside(std::u16string_view name) {
  Check(!name.empty() && name.find(u':') == std::u16string_view::npos);
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = name.find_first_of(u"\\/", start);
    std::u16string_view part = name.substr(start, end == std::u16string_view::npos ? end : end - start);
    while (!part.empty() && (part.back() == u'.' || part.back() == u' ')) part.remove_suffix(1);
    Check(!part.empty());
    if (end == std::u16string_view::npos) return;
    start = end + 1;
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string name = NameOf(data, size);
  if (nv::IsSafeEntryName(name)) CheckStaysInside(name);
  if (nv::IsPlainFileName(name)) Check(nv::IsSafeEntryName(name) && name.find_first_of(u"\\/") == name.npos);
  const std::u16string_view base = nv::EntryBaseName(name);
  Check(base.size() <= name.size() && name.find(base) != name.npos);

  nv::CabinetChain chain(u"C:\\Skins\\first.cab");
  for (int i = 0; i < 20; ++i) {
    const auto next = chain.Next(name);
    if (!next) break;
    Check(next->starts_with(u"C:\\Skins\\") && next->find_first_of(u"\\/:", 9) == std::u16string::npos);
  }
  return 0;
}
