#pragma once
// The name the save dialog proposes for the playlist.
#include <string>
#include <string_view>

namespace nv {

// The playlist's own file name, else the title its entries share (CommonTitle); a name without a folder goes into
// the dialog's initial folder when there is one. Held text; empty when there is nothing to propose.
std::string ProposedPlaylistName(std::string_view fileName, std::string_view commonTitle,
                                 std::string_view initialFolder);

}  // namespace nv
