#pragma once
// Stretching an image in nine parts, as rectangles: the destination and the source are each cut by insets into four
// corners, four edges and a centre; drawing copies each source piece onto its destination piece (corners come out
// unscaled when both are cut by the same insets, edges stretch along one axis, the centre along both). The Windows
// layer draws the pieces with the system's stretch and blend calls (skins/win/SkinDrawing.h).
#include <array>
#include <cstddef>

#include "support/ui/Geometry.h"

namespace nv {

struct ImagePiece {
  Rect destination, source;
  bool operator==(const ImagePiece&) const = default;
};

// At most two passes of nine pieces, without allocating: painting asks for them on every paint.
class ImagePieces {
public:
  void Add(const Rect& destination, const Rect& source);
  std::size_t Count() const { return count_; }
  const ImagePiece* begin() const { return pieces_.data(); }
  const ImagePiece* end() const { return pieces_.data() + count_; }
  const ImagePiece& operator[](std::size_t i) const { return pieces_[i]; }

private:
  std::array<ImagePiece, 18> pieces_{};
  std::size_t count_ = 0;
};

// Insets limited to what a rectangle can hold: none below 0, left + right at most its width, top + bottom at most
// its height (the near edge keeps its inset first).
Insets FitInsets(const Insets& insets, const Rect& within);

// The nine pieces of a destination and a source each cut by its own insets (fitted to it); pieces without area in
// either are left out, and so is the centre unless asked for.
void AddNineParts(ImagePieces& pieces, const Rect& destination, const Insets& destinationInsets, const Rect& source,
                  const Insets& sourceInsets, bool centre);

// Nine-part stretching: both cut by the same insets, so the corners are not scaled. Insets of 0 give one piece, a
// plain stretch of the whole source.
ImagePieces StretchedPieces(const Rect& destination, const Rect& source, const Insets& insets);

// Stretching around a fixed centre: the centre piece keeps its size, `centre` (relative to the source), and sits in
// the middle of the destination; the outer nine parts are cut by the insets, and the band between the insets and
// the centre stretches. A centre without area gives plain nine-part stretching.
ImagePieces StretchedPiecesWithCentre(const Rect& destination, const Rect& source, const Insets& insets,
                                      const Rect& centre);

}  // namespace nv
