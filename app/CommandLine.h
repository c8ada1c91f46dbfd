#pragma once
// The program's command line: tokenised from the wide command line, each parameter held as ANSI text or, when the
// code page cannot hold it, marked UTF-8.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// A parameter holds at most this many characters; the rest of a longer token is dropped.
inline constexpr std::size_t kMaxParameterLength = 8192;

// Splits a command line into tokens, the program name first. Characters 1..32 separate tokens; an empty pair of
// double quotes before a token is skipped; inside a token a double quote starts a quoted run that ends at the next
// double quote or the end of the line, and the quotes are not part of the token. Tokenising stops at the first
// empty token.
std::vector<std::u16string> TokenizeCommandLine(std::u16string_view line);

class CommandLine {
public:
  CommandLine() = default;
  // `parameters[0]` is the program's file name.
  explicit CommandLine(std::vector<std::string> parameters);
  // Parameter 0 is `programPath`; the others are the line's tokens after the program name.
  static CommandLine FromWide(std::u16string_view line, std::u16string_view programPath);

  // The number of parameters after the program name.
  std::size_t Count() const { return parameters_.empty() ? 0 : parameters_.size() - 1; }
  // Parameter i (0 is the program); empty beyond the last.
  const std::string& Param(std::size_t i) const;

  // True when parameter 1, trimmed of blanks and control characters, is `switchText` (ignoring case, user locale).
  bool SwitchIs(std::string_view switchText) const;

  // The first parameter (0..Count) whose extension is ".nvs": a skin package to install.
  std::optional<std::size_t> SkinPackageParam() const;

private:
  std::vector<std::string> parameters_;
};

}  // namespace nv
