#pragma once
// A read-only ini file in memory: "[section]" lines, "ident=value" lines, ";" comments. Read as the system's
// profile functions read it: section and ident names compare ignoring case, the first section and the first ident
// of a name win, blanks around names and values are dropped, and a value in matching quotes loses them. The text is
// ANSI, or UTF-8 / UTF-16 with a byte-order mark; values and names are held text either way.
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace nv {

class IniDocument {
public:
  IniDocument() = default;  // empty: no sections
  static IniDocument Parse(std::string_view bytes);

  bool SectionExists(std::string_view section) const;
  std::vector<std::string> Sections() const;
  // The idents of a section in file order.
  std::vector<std::string> Idents(std::string_view section) const;
  // {ident, value} in file order.
  std::vector<std::pair<std::string, std::string>> SectionValues(std::string_view section) const;

  std::string ReadString(std::string_view section, std::string_view ident, std::string_view def = {}) const;
  // A value that is not a decimal integer reads as the default.
  std::int32_t ReadInteger(std::string_view section, std::string_view ident, std::int32_t def) const;

private:
  struct Section {
    std::string name;
    std::vector<std::pair<std::string, std::string>> values;
  };
  const Section* Find(std::string_view section) const;

  std::vector<Section> sections_;
};

}  // namespace nv
