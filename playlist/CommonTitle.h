#pragma once
// A file name to suggest when a list is saved: the artist and album all the items share.
#include <span>
#include <string>

namespace nv {

class TXPlayListItem;

// "Artist - Album", the artist or the album alone when only that one is shared by every item that has either;
// characters a file name cannot hold become "-" or a blank. Empty: no suggestion.
std::string CommonTitle(std::span<const TXPlayListItem* const> items);

}  // namespace nv
