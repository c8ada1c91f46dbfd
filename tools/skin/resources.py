"""The program's own artwork, drawn in the skin's look: the program icon ("MAINICON"), the document icon (icon group
2, for the media files the player opens) and the About window's "LOGO_IMAGE" and "LOGO_TEXT" bitmaps."""
import pathlib

import icons
import imagefiles
from fonts import SMALL
from look import ACCENT, EDGE_DARK, INK, PANEL, TEXT, WHITE
from raster import Canvas, circle, polygon, rgb, rounded_rect, with_alpha

ICON_SIZES = (16, 24, 32, 48)


def mark(size):
    """The player's mark: a teal tile with a play triangle and a sound wave."""
    c = Canvas(size, size)
    r = max(2.5, size / 5)
    c.shape(rounded_rect(0.5, 0.5, size - 0.5, size - 0.5, r), ACCENT)
    if size <= 16:
        c.shape(icons.play(size * 0.52, size / 2, size * 0.62), INK)
    else:
        c.shape(icons.play(size * 0.40, size / 2, size * 0.46), INK)
        c.shape(icons.sound_waves(size * 0.52, size / 2, size * 0.66), INK)
    return c


def document(size):
    """A page with a folded corner, the mark in its lower right."""
    c = Canvas(size, size)
    fold = size * 0.28
    left, right, top, bottom = size * 0.16, size * 0.84, size * 0.04, size * 0.96
    page = polygon([(left, top), (right - fold, top), (right, top + fold), (right, bottom), (left, bottom)])
    c.shape(lambda x, y: page(x, y) - 0.5, rgb("#5B6573"))
    c.shape(page, rgb("#F4F6F8"))
    c.shape(polygon([(right - fold, top), (right - fold, top + fold), (right, top + fold)]), rgb("#C9D1D9"))
    tile = size * 0.5
    c.draw(mark(int(tile)), int(size - tile), int(size - tile))
    return c


def logo_image():
    c = Canvas(96, 96, PANEL)
    c.draw(mark(80), 8, 8)
    return c


def logo_text():
    """The name in dots: each pixel of the small font a round dot."""
    word = "NORVALE"
    pitch, radius = 5, 2.1
    c = Canvas(232, 48, PANEL)
    x = 8
    for ch in word:
        glyph = SMALL[ch]
        colour = ACCENT if ch == "N" else TEXT
        for gy, row in enumerate(glyph):
            for gx, bit in enumerate(row):
                if bit == "#":
                    cx, cy = x + gx * pitch + pitch / 2, 6 + gy * pitch + pitch / 2
                    c.shape(circle(cx, cy, radius), colour)
        x += (len(glyph[0]) + 1) * pitch + 2
    return c


def write(folder):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "Norvale.ico").write_bytes(imagefiles.ico([mark(s) for s in ICON_SIZES]))
    (folder / "NorvaleDocument.ico").write_bytes(imagefiles.ico([document(s) for s in ICON_SIZES]))
    (folder / "Logo.bmp").write_bytes(imagefiles.bmp24(logo_image()))
    (folder / "LogoText.bmp").write_bytes(imagefiles.bmp24(logo_text()))


def previews():
    """(name, canvas) of each piece, for tools/skin/preview.py."""
    return [("icon-16", mark(16)), ("icon-48", mark(48)), ("document-48", document(48)), ("logo", logo_image()),
            ("logo-text", logo_text())]
