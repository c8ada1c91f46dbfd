#include "support/RegIniFile.h"

#include "support/ValueText.h"

namespace nv {

TXRegIniFile::TXRegIniFile(std::unique_ptr<KeyValueStore> store, std::string applicationKey)
    : store_(std::move(store)), applicationKey_(std::move(applicationKey)) {
  store_->CreateKey(applicationKey_);
}

std::string TXRegIniFile::KeyOf(std::string_view section) const {
  if (!section.empty() && section.front() == '\\') return std::string(section.substr(1));
  if (section.empty()) return applicationKey_;
  return applicationKey_ + '\\' + std::string(section);
}

std::string TXRegIniFile::ReadString(std::string_view section, std::string_view ident, std::string_view def) const {
  std::optional<std::string> value = store_->ReadValue(KeyOf(section), ident);
  return value ? std::move(*value) : std::string(def);
}

void TXRegIniFile::WriteString(std::string_view section, std::string_view ident, std::string_view value) {
  store_->WriteValue(KeyOf(section), ident, value);
}

std::int32_t TXRegIniFile::ReadInteger(std::string_view section, std::string_view ident, std::int32_t def) const {
  const std::optional<std::string> text = store_->ReadValue(KeyOf(section), ident);
  if (!text) return def;
  return ParseInteger(*text).value_or(def);
}

void TXRegIniFile::WriteInteger(std::string_view section, std::string_view ident, std::int32_t value) {
  WriteString(section, ident, FormatInteger(value));
}

bool TXRegIniFile::ReadBool(std::string_view section, std::string_view ident, bool def) const {
  return ReadInteger(section, ident, def ? 1 : 0) != 0;
}

void TXRegIniFile::WriteBool(std::string_view section, std::string_view ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

std::chrono::sys_days TXRegIniFile::ReadDate(std::string_view section, std::string_view ident,
                                             std::chrono::sys_days def) const {
  const std::optional<std::string> text = store_->ReadValue(KeyOf(section), ident);
  if (!text) return def;
  return ParseDate(*text).value_or(kNoDate);
}

void TXRegIniFile::WriteDate(std::string_view section, std::string_view ident, std::chrono::sys_days value) {
  WriteString(section, ident, FormatDate(value));
}

double TXRegIniFile::ReadFloat(std::string_view section, std::string_view ident, double def) const {
  const std::optional<std::string> text = store_->ReadValue(KeyOf(section), ident);
  if (!text) return def;
  return ParseFloat(*text).value_or(def);
}

void TXRegIniFile::WriteFloat(std::string_view section, std::string_view ident, double value) {
  WriteString(section, ident, FormatFloat(value));
}

bool TXRegIniFile::SectionExists(std::string_view section) const { return store_->KeyExists(KeyOf(section)); }

bool TXRegIniFile::ValueExists(std::string_view section, std::string_view ident) const {
  return store_->ReadValue(KeyOf(section), ident).has_value();
}

std::vector<std::string> TXRegIniFile::ReadSection(std::string_view section) const {
  return store_->ValueNames(KeyOf(section));
}

std::vector<std::string> TXRegIniFile::ReadSubsections(std::string_view section) const {
  return store_->SubkeyNames(KeyOf(section));
}

std::vector<std::pair<std::string, std::string>> TXRegIniFile::ReadSectionValues(std::string_view section) const {
  const std::string key = KeyOf(section);
  std::vector<std::pair<std::string, std::string>> values;
  for (std::string& name : store_->ValueNames(key)) {
    std::string text = store_->ReadValue(key, name).value_or(std::string());
    values.emplace_back(std::move(name), std::move(text));
  }
  return values;
}

void TXRegIniFile::EraseSection(std::string_view section) { store_->DeleteKey(KeyOf(section)); }

void TXRegIniFile::DeleteValue(std::string_view section, std::string_view ident) {
  store_->DeleteValue(KeyOf(section), ident);
}

}  // namespace nv
