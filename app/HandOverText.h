#pragma once
// The text of the WM_COPYDATA file hand-over: each file on its own line, lines ended by CR LF, then a zero byte.
// Each line is ANSI or marked text.
#include <string>
#include <string_view>
#include <vector>

namespace nv {

// The block to send, its terminating zero included (cbData is its size).
std::string HandOverBlock(const std::vector<std::string>& files);

// The most of a received block that is read: far more than any command line or selection of files needs.
inline constexpr std::size_t kMaxHandOverBytes = std::size_t{16} << 20;

// The lines of a received block. The block comes from another process and is read strictly within its size: the
// text ends at the first zero byte or at the end of the block, whichever comes first, and the last line needs no
// CR LF. A lone LF also ends a line; empty lines are skipped. Of a larger block only the lines that end within the
// first kMaxHandOverBytes are read.
std::vector<std::string> HandOverLines(std::string_view block);

}  // namespace nv
