#include "metadata/win/WMHeaderInfo.h"

#include <algorithm>
#include <cstring>

namespace nv {

namespace {

// A number of the attribute's type from its value bytes (little-endian, as the runtime keeps them).
template <class Number>
std::uint64_t NumberOf(const std::vector<BYTE>& value, WORD length) {
  Number number = 0;
  std::memcpy(&number, value.data(), std::min<std::size_t>(length, sizeof number));
  return number;
}

bool ReadAttribute(IWMHeaderInfo* header, WORD index, WMAttribute& attribute) {
  WORD stream = 0, nameLength = 0, valueLength = 0;
  WMT_ATTR_DATATYPE type{};
  // First the lengths, then the name (with its terminating zero) and the value.
  if (FAILED(header->GetAttributeByIndex(index, &stream, nullptr, &nameLength, &type, nullptr, &valueLength)))
    return false;
  std::vector<WCHAR> name(nameLength + 1u, L'\0');
  std::vector<BYTE> value(valueLength + 2u, 0);
  stream = 0;
  if (FAILED(header->GetAttributeByIndex(index, &stream, name.data(), &nameLength, &type, value.data(),
                                         &valueLength)))
    return false;
  attribute.Name.assign(reinterpret_cast<const char16_t*>(name.data()));
  attribute.Type = static_cast<WMAttributeType>(type);
  switch (type) {
    case WMT_TYPE_DWORD:
    case WMT_TYPE_BOOL: attribute.Number = NumberOf<DWORD>(value, valueLength); break;
    case WMT_TYPE_WORD: attribute.Number = NumberOf<WORD>(value, valueLength); break;
    case WMT_TYPE_QWORD: attribute.Number = NumberOf<QWORD>(value, valueLength); break;
    case WMT_TYPE_STRING: {
      // A wide string with its terminating zero; the two spare bytes terminate one that lacks it.
      std::u16string text(valueLength / 2, u'\0');
      std::memcpy(text.data(), value.data(), text.size() * 2);
      attribute.Text.assign(text.c_str());
      break;
    }
    case WMT_TYPE_GUID:
      std::memcpy(attribute.Guid.data(), value.data(), std::min<std::size_t>(valueLength, 16));
      break;
    default:
      break;
  }
  return true;
}

}  // namespace

bool ReadHeaderInfo(IWMHeaderInfo* header, std::vector<WMAttribute>& attributes) {
  attributes.clear();
  WORD stream = 0, count = 0;
  if (!header || FAILED(header->GetAttributeCount(stream, &count))) return false;
  attributes.resize(count);
  for (WORD i = 0; i < count; ++i) {
    if (!ReadAttribute(header, i, attributes[i])) {
      attributes.clear();
      return false;
    }
  }
  return true;
}

}  // namespace nv
