#include "app/CommandLine.h"

#include "app/AppConstants.h"
#include "support/MarkedText.h"
#include "support/PathNames.h"
#include "support/TextCompare.h"

namespace nv {

namespace {

// One token from `p`; returns where the next one starts.
std::u16string_view NextToken(std::u16string_view p, std::u16string& token) {
  token.clear();
  for (;;) {
    while (!p.empty() && p.front() >= 1 && p.front() <= u' ') p.remove_prefix(1);
    if (p.size() >= 2 && p[0] == u'"' && p[1] == u'"') {
      p.remove_prefix(2);
    } else {
      break;
    }
  }
  auto append = [&token](char16_t c) {
    if (token.size() < kMaxParameterLength) token.push_back(c);
  };
  while (!p.empty() && p.front() > u' ') {
    if (p.front() == u'"') {
      p.remove_prefix(1);
      while (!p.empty() && p.front() != u'"') {
        append(p.front());
        p.remove_prefix(1);
      }
      if (!p.empty()) p.remove_prefix(1);
    } else {
      append(p.front());
      p.remove_prefix(1);
    }
  }
  return p;
}

}  // namespace

std::vector<std::u16string> TokenizeCommandLine(std::u16string_view line) {
  // A zero character ends the line as it ends a C string.
  line = line.substr(0, line.find(u'\0'));
  std::vector<std::u16string> tokens;
  std::u16string token;
  for (;;) {
    line = NextToken(line, token);
    if (token.empty()) break;
    tokens.push_back(token);
  }
  return tokens;
}

CommandLine::CommandLine(std::vector<std::string> parameters) : parameters_(std::move(parameters)) {}

CommandLine CommandLine::FromWide(std::u16string_view line, std::u16string_view programPath) {
  const std::vector<std::u16string> tokens = TokenizeCommandLine(line);
  std::vector<std::string> parameters{Utf16ToMarked(programPath)};
  for (std::size_t i = 1; i < tokens.size(); ++i) parameters.push_back(Utf16ToMarked(tokens[i]));
  return CommandLine(std::move(parameters));
}

const std::string& CommandLine::Param(std::size_t i) const {
  static const std::string kNone;
  return i < parameters_.size() ? parameters_[i] : kNone;
}

bool CommandLine::SwitchIs(std::string_view switchText) const {
  return Count() >= 1 && LocaleSameText(TrimText(Param(1)), switchText);
}

std::optional<std::size_t> CommandLine::SkinPackageParam() const {
  for (std::size_t i = 0; i < parameters_.size(); ++i)
    if (LocaleSameText(Utf16ToMarked(ExtractFileExt(MarkedToUtf16(parameters_[i]))), kSkinPackageExtension))
      return i;
  return std::nullopt;
}

}  // namespace nv
