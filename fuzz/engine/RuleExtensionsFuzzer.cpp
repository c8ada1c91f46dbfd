// A rule's `Extensions` text comes from the registry or the profile, where anyone can edit it. Each line of the
// input is a rule and an item: parse it, score it against items of its own and others, and choose among all.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <vector>

#include "engine/RuleMatching.h"
#include "support/Errors.h"
#include "support/MarkedText.h"

namespace {

bool IsScore(int score) {
  const int high = score & 0xF0, low = score & 0x0F;
  return (score & ~0xFF) == 0 && (high == 0 || high == nv::kScoreAnyProtocol || high == nv::kScoreProtocol) &&
         (low == 0 || low == nv::kScoreAnyExtension || low == nv::kScoreExtension);
}

void Check(bool condition) {
  if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  nv::TXFileGraphInfos rules;
  std::vector<nv::RuleMediaItem> items = {{u"", u".mp3"}, {u"http", u""}, {u"mms", u".asf"}, {u"", u""}};
  for (std::size_t start = 0; start <= input.size();) {
    const std::size_t end = std::min(input.find('\n', start), input.size());
    const std::string_view line = input.substr(start, end - start);
    start = end + 1;

    nv::TXFileGraphInfo& rule = rules.emplace_back();
    rule.Extensions = line;
    const nv::RuleMediaPattern pattern = nv::ParseRuleExtensions(line);
    for (const nv::RuleMediaItem& item : items) Check(IsScore(nv::ScoreRuleMedia(pattern, item.protocol, item.extension)));
    if (pattern.anyFiles) Check(nv::ScoreRuleMedia(pattern, u"x", u".y") == nv::kScoreAnyFiles);
    // A rule fits exactly what it names.
    if (pattern.valid && !pattern.anyFiles) {
      for (const std::u16string& extension : pattern.extensions)
        Check(nv::ScoreRuleMedia(pattern, pattern.protocol, extension) == nv::kScoreExact);
      if (pattern.emptyList) Check(nv::ScoreRuleMedia(pattern, pattern.protocol, u"") == nv::kScoreExact);
    }
    try {
      items.push_back(nv::RuleMediaOf(nv::MarkedToUtf16(line)));
    } catch (const nv::EConvertError&) {
      // not a name an item could have
    }
  }
  for (const nv::RuleMediaItem& item : items) {
    for (const bool redirector : {false, true}) {
      const nv::TXFileGraphInfo* found = nv::FindRule(rules, item.protocol, item.extension, redirector);
      Check(found == nullptr || (found >= rules.data() && found < rules.data() + rules.size()));
    }
  }
  return 0;
}
