// What another process hands the running player: a WM_COPYDATA block of any size and content, and the command
// line of a second instance (the same bytes read as UTF-16).
#include <cstdint>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/HandOverText.h"
#include "app/PlayerCommandLine.h"
#include "support/MarkedText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view block(reinterpret_cast<const char*>(data), size);
  for (const std::string& line : nv::HandOverLines(block)) {
    try {
      nv::MarkedToUtf16(line);
    } catch (const std::exception&) {
      // a marked line that is not UTF-8 is refused when it is used
    }
  }

  std::u16string line(size / 2, u'\0');
  for (std::size_t i = 0; i < line.size(); ++i) line[i] = static_cast<char16_t>(data[2 * i] | (data[2 * i + 1] << 8));
  const nv::CommandLine commandLine = nv::CommandLine::FromWide(line, u"C:\\Norvale\\Norvale.exe");
  for (auto mode : {nv::CommandLineMode::Collect, nv::CommandLineMode::Send, nv::CommandLineMode::Post})
    nv::HandOverLines(nv::HandOverBlock(nv::ParsePlayerCommandLine(commandLine, mode).files));
  return 0;
}
