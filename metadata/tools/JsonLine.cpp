#include "metadata/tools/JsonLine.h"

#include <cmath>
#include <cstdio>

#include "support/MarkedText.h"

namespace nv {

std::string JsonString(std::string_view utf8) {
  std::string out = "\"";
  for (const char c : utf8) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (byte < 0x20 || byte == 0x7F) {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\u%04x", byte);
      out += escaped;
    } else {
      out += c;
    }
  }
  return out + "\"";
}

void JsonLine::Key(std::string_view name) {
  if (body_.size() > 1) body_ += ',';
  body_ += JsonString(name);
  body_ += ':';
}

JsonLine& JsonLine::Text(std::string_view name, std::string_view utf8) {
  Key(name);
  body_ += JsonString(utf8);
  return *this;
}

JsonLine& JsonLine::Number(std::string_view name, std::int64_t value) {
  Key(name);
  body_ += std::to_string(value);
  return *this;
}

JsonLine& JsonLine::Null(std::string_view name) {
  Key(name);
  body_ += "null";
  return *this;
}

JsonLine& JsonLine::Boolean(std::string_view name, bool value) {
  Key(name);
  body_ += value ? "true" : "false";
  return *this;
}

JsonLine& JsonLine::Texts(std::string_view name, const std::vector<std::string>& utf8) {
  Key(name);
  body_ += '[';
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    if (i > 0) body_ += ',';
    body_ += JsonString(utf8[i]);
  }
  body_ += ']';
  return *this;
}

JsonLine& JsonLine::Value(std::string_view name, const AttributeValue& value) {
  switch (value.GetType()) {
    case AttributeValue::Type::Integer: return Number(name, value.AsInteger());
    case AttributeValue::Type::Float:
      return std::isfinite(value.AsFloat()) ? Number(name, std::llround(value.AsFloat())) : Null(name);
    case AttributeValue::Type::Boolean: return Boolean(name, value.AsBoolean());
    case AttributeValue::Type::WideText:
    case AttributeValue::Type::AnsiText: return Text(name, Utf16ToUtf8(value.ToUtf16()));
    default: return Null(name);
  }
}

}  // namespace nv
