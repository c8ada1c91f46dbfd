#include "metadata/WindowsMediaAttributes.h"

#include "support/MarkedText.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// "{00112233-4455-6677-8899-AABBCCDDEEFF}": the first three groups are little-endian numbers in memory.
std::u16string GuidText(const std::array<std::uint8_t, 16>& g) {
  static const char16_t kHex[] = u"0123456789ABCDEF";
  std::u16string text = u"{";
  auto put = [&](int index) {
    text.push_back(kHex[g[index] >> 4]);
    text.push_back(kHex[g[index] & 15]);
  };
  for (int i : {3, 2, 1, 0}) put(i);
  text.push_back(u'-');
  for (int i : {5, 4}) put(i);
  text.push_back(u'-');
  for (int i : {7, 6}) put(i);
  text.push_back(u'-');
  for (int i : {8, 9}) put(i);
  text.push_back(u'-');
  for (int i = 10; i < 16; ++i) put(i);
  text.push_back(u'}');
  return text;
}

AttributeValue ValueOf(const WMAttribute& a) {
  switch (a.Type) {
    case WMAttributeType::DWord:
    case WMAttributeType::Word: return AttributeValue::Integer(static_cast<std::int64_t>(a.Number));
    case WMAttributeType::QWord: return AttributeValue::Float(static_cast<double>(a.Number));
    case WMAttributeType::Bool: return AttributeValue::Boolean(a.Number != 0);
    case WMAttributeType::String: return AttributeValue::WideText(a.Text);
    case WMAttributeType::Guid: return AttributeValue::WideText(GuidText(a.Guid));
    default: return {};
  }
}

// "NV_..." names are the program's own (a sub-range, a CD track's disc, the file size): a file does not set them.
bool IsOwnName(std::u16string_view name) {
  constexpr std::u16string_view kOwn = u"NV_";
  return name.size() >= kOwn.size() && LocaleCompare(name.substr(0, kOwn.size()), kOwn) == 0;
}

bool IsMissing(const AttributeValue& v) {
  switch (v.GetType()) {
    case AttributeValue::Type::Null: return true;
    case AttributeValue::Type::Integer: return v.AsInteger() == 0;
    case AttributeValue::Type::Float: return v.AsFloat() == 0;
    case AttributeValue::Type::Boolean: return !v.AsBoolean();
    default: return v.AsWideText().empty() && v.AsAnsiText().empty();
  }
}

}  // namespace

TXHeaderAttributes ConvertWindowsMediaAttributes(const std::vector<WMAttribute>& attributes) {
  TXHeaderAttributes read;
  for (const WMAttribute& a : attributes) {
    if (IsOwnName(a.Name)) continue;
    AttributeValue value = ValueOf(a);
    if (IsMissing(value)) continue;
    const AttributeName name = AttributeName::Intern(Utf16ToMarked(a.Name));
    if (name == kDurationAttribute) {
      const std::optional<double> units = value.ToNumber();
      value = AttributeValue::Float(units ? *units / 10000 : 0);
    }
    SetValue(read, name, std::move(value));
  }
  return read;
}

}  // namespace nv
