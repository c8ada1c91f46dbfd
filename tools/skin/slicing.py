"""The skin's slicing table, read from skins/SkinSlicing.h: the same rows the windows give their skin elements."""
import pathlib
import re
from collections import namedtuple

HEADER = pathlib.Path(__file__).resolve().parents[2] / "skins" / "SkinSlicing.h"

Item = namedtuple("Item", "name optional file width height bits")
Slice = namedtuple("Slice", "id item left top width height count rows layout spacing light_left light_top cells")
Stretch = namedtuple("Stretch", "id left top right bottom centre_left centre_top centre_width centre_height")
Place = namedtuple("Place", "panel control left top width height anchors")
PlayTime = namedtuple("PlayTime", "id image digits border_left border_top border_right border_bottom s1 s2 s3 s4")
PaletteSlot = namedtuple("PaletteSlot", "index use")

_TABLES = {
    "kSkinItems": Item, "kSkinSlices": Slice, "kSkinStretches": Stretch, "kSkinPlaces": Place,
    "kSkinPlayTimes": PlayTime, "kSkinPaletteSlots": PaletteSlot,
}
_FIELD = re.compile(r'"(?:[^"\\]|\\.)*"|[^,]+')


def _value(text):
    text = text.strip()
    if text.startswith('"'):
        return text[1:-1]
    if text in ("true", "false"):
        return text == "true"
    if text.startswith("SliceLayout::"):
        return text.split("::")[1]
    return int(text)


def _rows(source, table):
    block = re.search(r"\b" + table + r"\[\] = \{\n(.*?)\n\};", source, re.S)
    if not block:
        raise ValueError(f"{table} not found in {HEADER}")
    for line in block.group(1).splitlines():
        line = line.strip()
        if line.startswith("{") and line.endswith("},"):
            yield [_value(f) for f in _FIELD.findall(line[1:-2])]


class Table:
    def __init__(self, header=HEADER):
        source = pathlib.Path(header).read_text()
        for table, kind in _TABLES.items():
            rows = [kind(*fields) for fields in _rows(source, table)]
            setattr(self, table[len("kSkin"):].lower() if table != "kSkinPaletteSlots" else "palette_slots", rows)
        self.constants = {m.group(1): int(m.group(2))
                          for m in re.finditer(r"inline constexpr int (k\w+) = (\d+);", source)}

    def item(self, name):
        return next(i for i in self.items if i.name == name)

    def slice(self, slice_id):
        return next(s for s in self.slices if s.id == slice_id)

    def slices_of(self, item):
        return [s for s in self.slices if s.item == item]

    def stretch(self, slice_id):
        return next((s for s in self.stretches if s.id == slice_id), None)

    def place(self, panel, control):
        return next(p for p in self.places if p.panel == panel and p.control == control)

    def play_time(self, play_time_id):
        return next(p for p in self.playtimes if p.id == play_time_id)


def cell_rect(s, index, light=False):
    """Where sub-image `index` lies in the bitmap: as the skin element computes it."""
    left, top = s.left, s.top
    if light:
        left, top = left + s.light_left, top + s.light_top
    per = -(-s.count // s.rows)  # rounded up, as the skin element's sizes are
    a, b = index % per, index // per
    col, row = (a, b) if s.layout == "Horizontal" else (b, a)
    left += col * (s.width + s.spacing)
    top += row * (s.height + s.spacing)
    return left, top, s.width, s.height


def cells(s):
    """The names of the sub-images, in index order."""
    names = s.cells.split()
    return names if len(names) == s.count else [names[0]] * s.count
