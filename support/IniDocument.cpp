#include "support/IniDocument.h"

#include "support/Errors.h"
#include "support/MarkedText.h"
#include "support/SystemText.h"
#include "support/TextCompare.h"
#include "support/ValueText.h"

namespace nv {

namespace {

// The text in UTF-16: by its byte-order mark, else from the ANSI code page.
std::u16string DecodedText(std::string_view bytes) {
  if (bytes.starts_with("\xFF\xFE")) {
    std::u16string text;
    for (std::size_t i = 2; i + 1 < bytes.size(); i += 2)
      text.push_back(static_cast<char16_t>(static_cast<unsigned char>(bytes[i]) |
                                           (static_cast<unsigned char>(bytes[i + 1]) << 8)));
    return text;
  }
  if (bytes.starts_with("\xEF\xBB\xBF")) {
    try {
      return Utf8ToUtf16(bytes.substr(3));
    } catch (const EConvertError&) {
      bytes.remove_prefix(3);  // not UTF-8 after all: take the rest as ANSI
    }
  }
  return platform::AnsiToUtf16(bytes);
}

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
  return text;
}

std::u16string_view Unquoted(std::u16string_view value) {
  if (value.size() >= 2 && (value.front() == u'"' || value.front() == u'\'') && value.back() == value.front())
    return value.substr(1, value.size() - 2);
  return value;
}

}  // namespace

IniDocument IniDocument::Parse(std::string_view bytes) {
  IniDocument ini;
  Section* current = nullptr;
  const std::u16string text = DecodedText(bytes);
  std::u16string_view rest = text;
  while (!rest.empty()) {
    const std::size_t end = rest.find_first_of(u"\r\n");
    const std::u16string_view line = Trimmed(rest.substr(0, end));
    rest = end == std::u16string_view::npos ? std::u16string_view() : rest.substr(end + 1);
    if (line.empty() || line.front() == u';') continue;
    if (line.front() == u'[') {
      const std::size_t close = line.find(u']');
      const std::string name = Utf16ToMarked(Trimmed(line.substr(1, close == line.npos ? close : close - 1)));
      // A repeated section is skipped, as the system's profile functions do.
      current = ini.Find(name) ? nullptr : &ini.sections_.emplace_back(Section{name, {}});
      continue;
    }
    if (current == nullptr) continue;
    const std::size_t equals = line.find(u'=');
    std::string ident = Utf16ToMarked(Trimmed(line.substr(0, equals)));
    std::string value = equals == line.npos ? std::string() : Utf16ToMarked(Unquoted(Trimmed(line.substr(equals + 1))));
    bool seen = false;
    for (const auto& entry : current->values) seen = seen || LocaleSameText(entry.first, ident);
    if (!seen) current->values.emplace_back(std::move(ident), std::move(value));
  }
  return ini;
}

const IniDocument::Section* IniDocument::Find(std::string_view section) const {
  for (const Section& s : sections_)
    if (LocaleSameText(s.name, section)) return &s;
  return nullptr;
}

bool IniDocument::SectionExists(std::string_view section) const { return Find(section) != nullptr; }

std::vector<std::string> IniDocument::Sections() const {
  std::vector<std::string> names;
  for (const Section& s : sections_) names.push_back(s.name);
  return names;
}

std::vector<std::string> IniDocument::Idents(std::string_view section) const {
  std::vector<std::string> idents;
  if (const Section* s = Find(section))
    for (const auto& entry : s->values) idents.push_back(entry.first);
  return idents;
}

std::vector<std::pair<std::string, std::string>> IniDocument::SectionValues(std::string_view section) const {
  const Section* s = Find(section);
  return s ? s->values : std::vector<std::pair<std::string, std::string>>();
}

std::string IniDocument::ReadString(std::string_view section, std::string_view ident, std::string_view def) const {
  if (const Section* s = Find(section))
    for (const auto& entry : s->values)
      if (LocaleSameText(entry.first, ident)) return entry.second;
  return std::string(def);
}

std::int32_t IniDocument::ReadInteger(std::string_view section, std::string_view ident, std::int32_t def) const {
  const std::string text = ReadString(section, ident);
  return ParseInteger(text).value_or(def);
}

}  // namespace nv
