#include "engine/RuleExtensions.h"

#include "support/Errors.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

std::u16string_view Trimmed(std::u16string_view text) {
  while (!text.empty() && text.front() <= u' ') text.remove_prefix(1);
  while (!text.empty() && text.back() <= u' ') text.remove_suffix(1);
  return text;
}

bool Same(std::u16string_view a, std::u16string_view b) { return LocaleCompare(a, b) == 0; }

std::u16string Wide(std::string_view ascii) { return std::u16string(ascii.begin(), ascii.end()); }

const std::u16string& AnyFilesText() {
  static const std::u16string text = Wide(kAnyFiles);
  return text;
}

}  // namespace

RuleMediaPattern ParseRuleExtensions(std::string_view extensions) {
  RuleMediaPattern pattern;
  std::u16string decoded;
  try {
    decoded = MarkedToUtf16(extensions);
  } catch (const EConvertError&) {
    pattern.valid = false;
    return pattern;
  }
  std::u16string_view text = Trimmed(decoded);

  static const std::u16string redirector = Wide(kRedirectorPrefix);
  if (text.size() >= redirector.size() && LocaleComparePrefix(redirector, text) == 0) {
    pattern.redirectorOnly = true;
    text = Trimmed(text.substr(redirector.size()));
  }
  if (Same(text, AnyFilesText())) {
    pattern.anyFiles = true;
    return pattern;
  }

  std::u16string_view list = text;
  static const std::u16string separator = Wide(kProtocolSeparator);
  if (const std::size_t at = text.find(separator); at != text.npos) {
    pattern.protocol = Trimmed(text.substr(0, at));
    pattern.anyProtocol = Same(pattern.protocol, Wide(kAnyProtocol));
    list = Trimmed(text.substr(at + separator.size()));
  }
  pattern.emptyList = list.empty();
  while (!list.empty()) {
    const std::size_t end = list.find(u';');
    const std::u16string_view entry = Trimmed(list.substr(0, end));
    list = end == list.npos ? std::u16string_view() : list.substr(end + 1);
    if (entry.empty()) continue;
    if (Same(entry, AnyFilesText()))
      pattern.anyExtension = true;
    else
      pattern.extensions.emplace_back(entry);
  }
  return pattern;
}

int ScoreRuleMedia(const RuleMediaPattern& pattern, std::u16string_view protocol, std::u16string_view extension) {
  if (!pattern.valid) return 0;
  if (pattern.anyFiles) return kScoreAnyFiles;

  int score = 0;
  if (Same(pattern.protocol, protocol))
    score += kScoreProtocol;
  else if (pattern.anyProtocol)
    score += kScoreAnyProtocol;

  bool listed = pattern.emptyList && extension.empty();
  for (const std::u16string& entry : pattern.extensions) listed = listed || Same(entry, extension);
  if (listed)
    score += kScoreExtension;
  else if (pattern.anyExtension)
    score += kScoreAnyExtension;
  return score;
}

RuleMediaItem RuleMediaOf(std::u16string_view fileName) {
  RuleMediaItem item;
  if (const std::size_t at = fileName.find(u"://"); at != fileName.npos) item.protocol = fileName.substr(0, at);
  if (Same(item.protocol, u"http") || Same(item.protocol, u"https")) return item;  // no extension
  item.extension = ExtractFileExt(fileName);
  return item;
}

}  // namespace nv
