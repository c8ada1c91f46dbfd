#include "metadata/HeaderAttributes.h"

#include <mutex>
#include <string>
#include <unordered_set>

namespace nv {

namespace {

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; }

// Names seen at run time, kept for the life of the program. Windows Media files bring a small, fixed vocabulary,
// so the pool stays small.
struct NamePool {
  std::mutex lock;
  std::unordered_set<std::string> names;
};

NamePool& Pool() {
  static NamePool pool;
  return pool;
}

const AttributeValue kNull;

}  // namespace

AttributeName AttributeName::Intern(std::string_view name) {
  NamePool& pool = Pool();
  std::lock_guard<std::mutex> guard(pool.lock);
  return AttributeName(*pool.names.emplace(name).first, Interned{});
}

bool operator==(AttributeName a, AttributeName b) {
  if (a.text_.data() == b.text_.data() && a.text_.size() == b.text_.size()) return true;
  if (a.text_.size() != b.text_.size()) return false;
  for (std::size_t i = 0; i < a.text_.size(); ++i)
    if (Lower(a.text_[i]) != Lower(b.text_[i])) return false;
  return true;
}

int IndexOfName(const TXHeaderAttributes& attributes, AttributeName name) {
  for (std::size_t i = 0; i < attributes.size(); ++i)
    if (attributes[i].Name == name) return static_cast<int>(i);
  return -1;
}

void SetValue(TXHeaderAttributes& attributes, AttributeName name, AttributeValue value) {
  const int index = IndexOfName(attributes, name);
  if (index >= 0)
    attributes[index].Value = std::move(value);
  else
    attributes.push_back({name, std::move(value)});
}

const AttributeValue& GetValue(const TXHeaderAttributes& attributes, AttributeName name) {
  const int index = IndexOfName(attributes, name);
  return index >= 0 ? attributes[index].Value : kNull;
}

}  // namespace nv
