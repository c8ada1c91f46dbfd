#include "app/HandOverText.h"

namespace nv {

std::string HandOverBlock(const std::vector<std::string>& files) {
  std::string block;
  for (const std::string& file : files) block.append(file).append("\r\n");
  block.push_back('\0');
  return block;
}

std::vector<std::string> HandOverLines(std::string_view block) {
  if (block.size() > kMaxHandOverBytes) {
    // Cut at the last line end within the limit, unless the text has ended before it.
    block = block.substr(0, kMaxHandOverBytes);
    if (block.find('\0') == std::string_view::npos) block = block.substr(0, block.rfind('\n') + 1);
  }
  block = block.substr(0, block.find('\0'));
  std::vector<std::string> lines;
  while (!block.empty()) {
    const std::size_t end = block.find('\n');
    std::string_view line = block.substr(0, end);
    block = end == std::string_view::npos ? std::string_view() : block.substr(end + 1);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.emplace_back(line);
  }
  return lines;
}

}  // namespace nv
