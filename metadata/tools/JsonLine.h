#pragma once
// One JSON object on one line, built field by field: what nvinfo prints for each file.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "metadata/AttributeValue.h"

namespace nv {

class JsonLine {
public:
  JsonLine& Text(std::string_view name, std::string_view utf8);
  JsonLine& Number(std::string_view name, std::int64_t value);
  JsonLine& Null(std::string_view name);
  JsonLine& Boolean(std::string_view name, bool value);
  // An array of strings.
  JsonLine& Texts(std::string_view name, const std::vector<std::string>& utf8);
  // Texts as strings, integers and floats (rounded) as numbers, booleans as true/false, null as null.
  JsonLine& Value(std::string_view name, const AttributeValue& value);
  // "{...}" without a line break.
  std::string Finish() const { return body_ + "}"; }

private:
  void Key(std::string_view name);
  std::string body_ = "{";
};

// `utf8` as a JSON string literal, quotes included.
std::string JsonString(std::string_view utf8);

}  // namespace nv
