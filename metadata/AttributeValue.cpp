#include "metadata/AttributeValue.h"

#include <atomic>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <new>

#include "support/MarkedText.h"
#include "support/SystemText.h"

namespace nv {

// A shared immutable text: the reference count and the length, then the characters (UTF-16 units or code-page
// bytes) in the same allocation.
struct AttributeValue::TextBlock {
  std::atomic<std::uint32_t> references;
  std::uint32_t length;

  template <class Char>
  static TextBlock* Make(std::basic_string_view<Char> text) {
    void* memory = ::operator new(sizeof(TextBlock) + text.size() * sizeof(Char));
    auto* block = new (memory) TextBlock{{1}, static_cast<std::uint32_t>(text.size())};
    if (!text.empty()) std::memcpy(block->Chars<Char>(), text.data(), text.size() * sizeof(Char));
    return block;
  }
  template <class Char>
  Char* Chars() {
    return reinterpret_cast<Char*>(this + 1);
  }
};
static_assert(sizeof(AttributeValue) == 16);

AttributeValue AttributeValue::Integer(std::int64_t value) {
  AttributeValue v;
  v.type_ = Type::Integer;
  v.integer_ = value;
  return v;
}

AttributeValue AttributeValue::Float(double value) {
  AttributeValue v;
  v.type_ = Type::Float;
  v.float_ = value;
  return v;
}

AttributeValue AttributeValue::Boolean(bool value) {
  AttributeValue v;
  v.type_ = Type::Boolean;
  v.boolean_ = value;
  return v;
}

AttributeValue AttributeValue::WideText(std::u16string_view text) {
  AttributeValue v;
  v.type_ = Type::WideText;
  v.text_ = TextBlock::Make(text);
  return v;
}

AttributeValue AttributeValue::AnsiText(std::string_view text) {
  AttributeValue v;
  v.type_ = Type::AnsiText;
  v.text_ = TextBlock::Make(text);
  return v;
}

AttributeValue AttributeValue::HeldText(std::string_view text) {
  return IsMarked(text) ? WideText(MarkedToUtf16(text)) : AnsiText(text);
}

AttributeValue::AttributeValue(const AttributeValue& other) noexcept : type_(other.type_), integer_(other.integer_) {
  if (IsText()) text_->references.fetch_add(1, std::memory_order_relaxed);
}

AttributeValue::AttributeValue(AttributeValue&& other) noexcept : type_(other.type_), integer_(other.integer_) {
  other.type_ = Type::Null;
}

AttributeValue& AttributeValue::operator=(const AttributeValue& other) noexcept {
  if (this != &other) {
    if (other.IsText()) other.text_->references.fetch_add(1, std::memory_order_relaxed);
    Release();
    type_ = other.type_;
    integer_ = other.integer_;
  }
  return *this;
}

AttributeValue& AttributeValue::operator=(AttributeValue&& other) noexcept {
  if (this != &other) {
    Release();
    type_ = other.type_;
    integer_ = other.integer_;
    other.type_ = Type::Null;
  }
  return *this;
}

AttributeValue::~AttributeValue() { Release(); }

void AttributeValue::Release() noexcept {
  if (IsText() && text_->references.fetch_sub(1, std::memory_order_acq_rel) == 1) {
    text_->~TextBlock();
    ::operator delete(text_);
  }
  type_ = Type::Null;
}

std::u16string_view AttributeValue::AsWideText() const {
  return type_ == Type::WideText ? std::u16string_view(text_->Chars<char16_t>(), text_->length)
                                 : std::u16string_view();
}

std::string_view AttributeValue::AsAnsiText() const {
  return type_ == Type::AnsiText ? std::string_view(text_->Chars<char>(), text_->length) : std::string_view();
}

std::optional<double> AttributeValue::ToNumber() const {
  switch (type_) {
    case Type::Integer: return double(integer_);
    case Type::Float: return float_;
    case Type::Boolean: return boolean_ ? 1.0 : 0.0;
    case Type::WideText:
    case Type::AnsiText: {
      std::string ascii;
      for (char16_t c : ToUtf16()) {
        if (c > 0x7F) return std::nullopt;
        if (c > u' ') ascii.push_back(static_cast<char>(c));
      }
      double value = 0;
      const char* first = ascii.data() + (ascii.starts_with('+') ? 1 : 0);
      const auto [end, error] = std::from_chars(first, ascii.data() + ascii.size(), value);
      if (error != std::errc() || end != ascii.data() + ascii.size() || first == end) return std::nullopt;
      return value;
    }
    default: return std::nullopt;
  }
}

std::u16string AttributeValue::ToUtf16() const {
  auto ascii = [](std::string_view text) { return std::u16string(text.begin(), text.end()); };
  switch (type_) {
    case Type::Integer: return ascii(std::to_string(integer_));
    case Type::Float: {
      char buffer[32];
      const int n = std::snprintf(buffer, sizeof buffer, "%.15g", float_);
      return ascii(std::string_view(buffer, n > 0 ? n : 0));
    }
    case Type::Boolean: return boolean_ ? u"True" : u"False";
    case Type::WideText: return std::u16string(AsWideText());
    case Type::AnsiText: return platform::AnsiToUtf16(AsAnsiText());
    default: return {};
  }
}

bool operator==(const AttributeValue& a, const AttributeValue& b) {
  if (a.type_ != b.type_) return false;
  switch (a.type_) {
    case AttributeValue::Type::Null: return true;
    case AttributeValue::Type::Integer: return a.integer_ == b.integer_;
    case AttributeValue::Type::Float: return a.float_ == b.float_;
    case AttributeValue::Type::Boolean: return a.boolean_ == b.boolean_;
    case AttributeValue::Type::WideText: return a.AsWideText() == b.AsWideText();
    case AttributeValue::Type::AnsiText: return a.AsAnsiText() == b.AsAnsiText();
  }
  return false;
}

}  // namespace nv
