"""The program's own artwork, drawn in the skin's look: the program icon ("MAINICON"), the document icon (icon group
2, for the media files the player opens), the About window's "LOGO_IMAGE" and "LOGO_TEXT" bitmaps and the main
menu's images ("MENU_IMAGES")."""
import pathlib

import icons
import imagefiles
from fonts import SMALL
from look import ACCENT, EDGE_DARK, INK, PANEL, TEXT, WHITE
from raster import Canvas, arc, circle, polygon, rgb, rounded_rect, segment, with_alpha
from raster import union as raster_union

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


# The main menu's images, 16 x 16 each, in the order of app/win/MenuImages.h.
MENU_IMAGE = 16
MENU_GLYPHS = [
    ("play", lambda c: icons.play(c, c, 12)),
    ("stop", lambda c: icons.stop(c, c, 14)),
    ("step forward", lambda c: raster_union(icons.chevron(c - 2.5, c, 9, "right"), icons.chevron(c + 2.5, c, 9, "right"))),
    ("step backward", lambda c: raster_union(icons.chevron(c - 2.5, c, 9, "left"), icons.chevron(c + 2.5, c, 9, "left"))),
    ("next track", lambda c: icons.next_track(c, c, 12)),
    ("previous track", lambda c: icons.previous(c, c, 12)),
    ("my media", lambda c: icons.note(c, c, 14)),
    ("open media", lambda c: icons.folder(c, c, 13)),
    ("volume", lambda c: raster_union(icons.speaker(c - 2, c, 12), icons.sound_waves(c, c, 12))),
    ("volume up", lambda c: icons.plus(c, c, 10)),
    ("volume down", lambda c: icons.minus(c, c, 10)),
    ("mute", lambda c: raster_union(icons.speaker(c - 3, c, 12), icons.cross(c + 4, c, 5, 1.6))),
    ("shuffle", lambda c: icons.shuffle(c - 1, c, 12)),
    ("repeat", lambda c: icons.repeat(c, c, 12)),
    ("properties", lambda c: raster_union(circle(c, c - 4.5, 1.4), segment(c, c - 1.5, c, c + 5, 2.2))),
    ("options", lambda c: icons.sliders(c, c, 13)),
    ("help", lambda c: raster_union(arc(c, c - 2, 3.2, 180, 405, 1.8), segment(c, c + 1.2, c, c + 2.6, 1.8),
                                    circle(c, c + 5.2, 1.2))),
    ("close", lambda c: icons.cross(c, c, 9, 2.0)),
]
MENU_BACKGROUND = rgb("#F0F0F0")  # what a menu is drawn on; the glyphs' soft edges are blended onto it
MENU_KEY = (255, 0, 255, 1.0)     # left out where nothing is drawn


def menu_images():
    c = Canvas(MENU_IMAGE * len(MENU_GLYPHS), MENU_IMAGE)
    for i, (_, glyph) in enumerate(MENU_GLYPHS):
        centre = MENU_IMAGE / 2
        shape = glyph(centre)
        c.shape(lambda x, y, shape=shape, dx=i * MENU_IMAGE: shape(x - dx, y), INK,
                (i * MENU_IMAGE, 0, (i + 1) * MENU_IMAGE, MENU_IMAGE))
    out = Canvas(c.width, c.height)
    for y in range(c.height):
        for x in range(c.width):
            r, g, b, a = c.get(x, y)
            if a <= 0.02:
                out.put(x, y, MENU_KEY)
            else:
                out.put(x, y, MENU_BACKGROUND)
                out.blend(x, y, (r, g, b, 1.0), a)
    return out


def write(folder):
    folder = pathlib.Path(folder)
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "Norvale.ico").write_bytes(imagefiles.ico([mark(s) for s in ICON_SIZES]))
    (folder / "NorvaleDocument.ico").write_bytes(imagefiles.ico([document(s) for s in ICON_SIZES]))
    (folder / "Logo.bmp").write_bytes(imagefiles.bmp24(logo_image()))
    (folder / "LogoText.bmp").write_bytes(imagefiles.bmp24(logo_text()))
    (folder / "MenuImages.bmp").write_bytes(imagefiles.bmp24(menu_images()))


def previews():
    """(name, canvas) of each piece, for tools/skin/preview.py."""
    return [("icon-16", mark(16)), ("icon-48", mark(48)), ("document-48", document(48)), ("logo", logo_image()),
            ("logo-text", logo_text()), ("menu-images", menu_images())]
