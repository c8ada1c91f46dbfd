#include "skins/NinePart.h"

#include <algorithm>

namespace nv {

void ImagePieces::Add(const Rect& destination, const Rect& source) {
  if (destination.IsEmpty() || source.IsEmpty() || count_ == pieces_.size()) return;
  pieces_[count_++] = {destination, source};
}

Insets FitInsets(const Insets& insets, const Rect& within) {
  const int width = std::max(within.Width(), 0), height = std::max(within.Height(), 0);
  Insets fitted;
  fitted.left = std::clamp(insets.left, 0, width);
  fitted.right = std::clamp(insets.right, 0, width - fitted.left);
  fitted.top = std::clamp(insets.top, 0, height);
  fitted.bottom = std::clamp(insets.bottom, 0, height - fitted.top);
  return fitted;
}

namespace {

// The four edges along one axis: start, start + near inset, end - far inset, end.
std::array<int, 4> Cuts(int start, int end, int nearInset, int farInset) {
  return {start, start + nearInset, end - farInset, end};
}

}  // namespace

void AddNineParts(ImagePieces& pieces, const Rect& destination, const Insets& destinationInsets, const Rect& source,
                  const Insets& sourceInsets, bool centre) {
  const Insets d = FitInsets(destinationInsets, destination), s = FitInsets(sourceInsets, source);
  const auto dx = Cuts(destination.left, destination.right, d.left, d.right);
  const auto dy = Cuts(destination.top, destination.bottom, d.top, d.bottom);
  const auto sx = Cuts(source.left, source.right, s.left, s.right);
  const auto sy = Cuts(source.top, source.bottom, s.top, s.bottom);
  for (int row = 0; row < 3; ++row)
    for (int column = 0; column < 3; ++column) {
      if (row == 1 && column == 1 && !centre) continue;
      pieces.Add({dx[column], dy[row], dx[column + 1], dy[row + 1]}, {sx[column], sy[row], sx[column + 1], sy[row + 1]});
    }
}

ImagePieces StretchedPieces(const Rect& destination, const Rect& source, const Insets& insets) {
  ImagePieces pieces;
  AddNineParts(pieces, destination, insets, source, insets, true);
  return pieces;
}

ImagePieces StretchedPiecesWithCentre(const Rect& destination, const Rect& source, const Insets& insets,
                                      const Rect& centre) {
  if (centre.IsEmpty()) return StretchedPieces(destination, source, insets);
  ImagePieces pieces;
  AddNineParts(pieces, destination, insets, source, insets, false);
  const Rect innerDestination = destination.Deflate(FitInsets(insets, destination));
  const Rect innerSource = source.Deflate(FitInsets(insets, source));
  // The fixed centre: its size in the middle of the destination, from its place in the source; both kept inside the
  // inner rectangles.
  const Rect fixedDestination =
      Rect::FromSize(destination.left + (destination.Width() - centre.Width()) / 2,
                     destination.top + (destination.Height() - centre.Height()) / 2, centre.Width(), centre.Height())
          .Intersect(innerDestination);
  const Rect fixedSource = centre.Offset(source.left, source.top).Intersect(innerSource);
  if (fixedDestination.IsEmpty() || fixedSource.IsEmpty()) {
    pieces.Add(innerDestination, innerSource);
    return pieces;
  }
  auto around = [](const Rect& outer, const Rect& inner) {
    return Insets{inner.left - outer.left, inner.top - outer.top, outer.right - inner.right,
                  outer.bottom - inner.bottom};
  };
  AddNineParts(pieces, innerDestination, around(innerDestination, fixedDestination), innerSource,
               around(innerSource, fixedSource), true);
  return pieces;
}

}  // namespace nv
