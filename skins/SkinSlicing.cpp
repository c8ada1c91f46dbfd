#include "skins/SkinSlicing.h"

#include <algorithm>
#include <iterator>

namespace nv {
namespace {

template <class Row, std::size_t N, class Match>
const Row* FindRow(const Row (&rows)[N], Match match) {
  const Row* found = std::find_if(std::begin(rows), std::end(rows), match);
  return found == std::end(rows) ? nullptr : found;
}

}  // namespace

const SkinItemSpec* FindSkinItem(std::string_view name) {
  return FindRow(kSkinItems, [&](const SkinItemSpec& i) { return name == i.Name; });
}

const SkinSlice* FindSkinSlice(std::string_view id) {
  return FindRow(kSkinSlices, [&](const SkinSlice& s) { return id == s.Id; });
}

const SkinStretch* FindSkinStretch(std::string_view id) {
  return FindRow(kSkinStretches, [&](const SkinStretch& s) { return id == s.Id; });
}

const SkinPlace* FindSkinPlace(std::string_view panel, std::string_view control) {
  return FindRow(kSkinPlaces, [&](const SkinPlace& p) { return panel == p.Panel && control == p.Control; });
}

int SubImagesPerLine(int imageCount, int rowCount) {
  if (rowCount < 1) rowCount = 1;
  if (imageCount < 1) imageCount = 1;
  return (imageCount + rowCount - 1) / rowCount;
}

SubImagePlace PlaceOfSubImage(int imageCount, int rowCount, SliceLayout layout, int index) {
  const int per = SubImagesPerLine(imageCount, rowCount);
  const int along = index % per, line = index / per;
  return layout == SliceLayout::Horizontal ? SubImagePlace{along, line} : SubImagePlace{line, along};
}

SliceRect SliceCellRect(const SkinSlice& slice, int index, bool light) {
  SliceRect r{slice.OriginLeft, slice.OriginTop, slice.ImageWidth, slice.ImageHeight};
  if (light) {
    r.Left += slice.LBGOffsetLeft;
    r.Top += slice.LBGOffsetTop;
  }
  const SubImagePlace place = PlaceOfSubImage(slice.ImageCount, slice.RowCount, slice.Layout, index);
  r.Left += place.Column * (slice.ImageWidth + slice.ImageSpacing);
  r.Top += place.Row * (slice.ImageHeight + slice.ImageSpacing);
  return r;
}

SkinGlyphIndices GlyphIndicesOf(const SkinSlice& slice) {
  SkinGlyphIndices glyph;
  const std::pair<std::string_view, int*> states[] = {
      {"up", &glyph.Up},
      {"pushed", &glyph.PushUp},
      {"hot", &glyph.FlatUp},
      {"down", &glyph.Down},
      {"pushedDown", &glyph.PushDown},
      {"hotDown", &glyph.FlatDown},
      {"disabled", &glyph.Disabled},
  };
  std::string_view cells = slice.Cells;
  for (int index = 0; !cells.empty(); ++index) {
    const std::size_t blank = cells.find(' ');
    std::string_view cell = cells.substr(0, blank);
    cells = blank == std::string_view::npos ? std::string_view() : cells.substr(blank + 1);
    // "pushed/down": one sub-image for several states.
    while (!cell.empty()) {
      const std::size_t slash = cell.find('/');
      const std::string_view state = cell.substr(0, slash);
      cell = slash == std::string_view::npos ? std::string_view() : cell.substr(slash + 1);
      for (const auto& [name, target] : states)
        if (state == name && *target < 0) *target = index;
    }
  }
  return glyph;
}

}  // namespace nv
