#pragma once
// The value of a media attribute: a variant that is null, an integer, a floating-point number, a boolean, wide
// text or system-code-page text. Sixteen bytes; texts are immutable and shared between copies, so a playlist of
// 100,000 records copies and holds them cheaply.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace nv {

class AttributeValue {
public:
  enum class Type : std::uint8_t { Null, Integer, Float, Boolean, WideText, AnsiText };

  constexpr AttributeValue() noexcept : integer_(0) {}
  static AttributeValue Integer(std::int64_t value);
  static AttributeValue Float(double value);
  static AttributeValue Boolean(bool value);
  static AttributeValue WideText(std::u16string_view text);
  static AttributeValue AnsiText(std::string_view text);  // bytes in the system code page, never marked
  // Held text (support/MarkedText.h): marked text becomes wide text, the rest stays code-page text.
  static AttributeValue HeldText(std::string_view text);

  AttributeValue(const AttributeValue& other) noexcept;
  AttributeValue(AttributeValue&& other) noexcept;
  AttributeValue& operator=(const AttributeValue& other) noexcept;
  AttributeValue& operator=(AttributeValue&& other) noexcept;
  ~AttributeValue();

  Type GetType() const { return type_; }
  bool IsNull() const { return type_ == Type::Null; }
  bool IsText() const { return type_ == Type::WideText || type_ == Type::AnsiText; }

  // The stored value; each only for its own type.
  std::int64_t AsInteger() const { return integer_; }
  double AsFloat() const { return float_; }
  bool AsBoolean() const { return boolean_; }
  std::u16string_view AsWideText() const;
  std::string_view AsAnsiText() const;

  // Converted as lists and dialogs want it. A number: integers, floats, booleans (1 or 0) and texts that hold a
  // decimal number; nothing for null and other texts. Text: texts as they are, integers in decimal, floats with up
  // to 15 significant digits and a "." , booleans "True" or "False", null empty.
  std::optional<double> ToNumber() const;
  std::u16string ToUtf16() const;

  // Same type and same value.
  friend bool operator==(const AttributeValue& a, const AttributeValue& b);

private:
  struct TextBlock;
  void Release() noexcept;

  Type type_ = Type::Null;
  union {
    std::int64_t integer_;
    double float_;
    bool boolean_;
    TextBlock* text_;
  };
};

}  // namespace nv
