#include "support/SetText.h"

#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

std::string SetToText(std::uint32_t bits, std::span<const std::string_view> names) {
  std::string text = "[";
  for (std::size_t i = 0; i < names.size() && i < 32; ++i) {
    if (!(bits & (1u << i))) continue;
    if (text.size() > 1) text += ',';
    text += names[i];
  }
  return text + ']';
}

std::optional<std::uint32_t> TextToSet(std::string_view held, std::span<const std::string_view> names) {
  const std::string trimmed = TrimText(held);
  std::string_view text = trimmed;
  if (!text.empty() && text.front() == '[' && text.back() == ']' && text.size() >= 2)
    text = text.substr(1, text.size() - 2);
  std::uint32_t bits = 0;
  while (!text.empty()) {
    const std::size_t comma = text.find(',');
    const std::string name = TrimText(text.substr(0, comma));
    text = comma == std::string_view::npos ? std::string_view() : text.substr(comma + 1);
    if (name.empty()) continue;
    std::size_t i = 0;
    while (i < names.size() && i < 32 && !LocaleSameText(name, names[i])) ++i;
    if (i == names.size() || i == 32) return std::nullopt;
    bits |= 1u << i;
  }
  return bits;
}

}  // namespace nv
