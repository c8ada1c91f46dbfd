"""The default skin's look: its colours and the pieces every image is built from (panels, wells, button faces,
switches, slider lanes). Flat slate panels, one teal accent, light glyphs; the taskbar images come in a dark and a
light variant or carry their own backdrop, so that they read on dark and light taskbars alike."""
from raster import Canvas, clamp, mix, outline, rgb, rounded_rect, rounded_rect_corners, with_alpha

PANEL = rgb("#23282F")
PANEL_TOP = rgb("#2A3039")
EDGE_DARK = rgb("#14171C")
EDGE_LIGHT = rgb("#39414C")
WELL = rgb("#121519")
WELL_EDGE = rgb("#0A0C0F")
WELL_RIM = rgb("#2E353F")
TEXT = rgb("#E6EBF0")
TEXT_DIM = rgb("#8A95A3")
GLYPH = rgb("#C9D1D9")
WHITE = rgb("#F3F6F9")
INK = rgb("#1C2127")
ACCENT = rgb("#38C9B4")
ACCENT_DIM = rgb("#1E6A60")
ACCENT_SOFT = rgb("#8DE8DA")
CORAL = rgb("#EB5757")
BUTTON_HOT = rgb("#353D48")
LANE = rgb("#0E1114")
LANE_RIM = rgb("#313843")

# The taskbar images: glyphs on a chip of their own, translucent so the taskbar shows through.
CHIP = with_alpha(rgb("#14181E"), 0.5)
CHIP_HOT = with_alpha(rgb("#4A5563"), 0.78)
CHIP_PUSHED = with_alpha(ACCENT, 0.92)
# The play-time well over a dark taskbar, and over a light one: both keep their side of the light test (a mean
# below or above 150) so that the digits drawn over them choose the matching variant.
TRAY_WELL_DARK = with_alpha(rgb("#FFFFFF"), 0.09)
TRAY_WELL_LIGHT = with_alpha(rgb("#000000"), 0.08)
TRAY_INK_DARK = WHITE         # on a dark taskbar
TRAY_INK_LIGHT = rgb("#20252B")  # on a light taskbar

RADIUS = 6  # the windows' corners, as their masks cut them


def panel(width, height, corners=(True, True, True, True), top_band=0):
    """A panel face: flat, a one-pixel rim, rounded where the window's corners are (top-left, top-right,
    bottom-right, bottom-left); optionally a slightly lighter band at the top (the drag area)."""
    c = Canvas(width, height, PANEL)
    if top_band:
        c.replace(0, 0, width, top_band, PANEL_TOP)
        c.rect(1, top_band, width - 1, top_band + 1, EDGE_DARK)
    radii = [RADIUS if rounded else 0 for rounded in corners]
    c.rect(RADIUS, 1, width - RADIUS, 2, with_alpha(EDGE_LIGHT, 0.5))
    c.shape(outline(rounded_rect_corners(0, 0, width, height, radii)), EDGE_DARK)
    return c


def well(c, x, y, width, height, radius=3, colour=WELL):
    """A recessed area: darker, with a dark upper rim and a faint lower one."""
    c.shape(rounded_rect(x, y, x + width, y + height, radius), WELL_RIM)
    c.shape(rounded_rect(x, y, x + width, y + height - 1, radius), WELL_EDGE)
    c.shape(rounded_rect(x + 1, y + 1, x + width - 1, y + height - 1, radius - 1), colour)


def face(c, x, y, width, height, state, radius=3, base=None):
    """A panel button's face for a state: nothing when up (the glyph sits on the panel), a lighter plate when hot,
    the accent when pushed; `base` paints an 'on' plate under the up and hot states of a checked button."""
    if state in ("hot", "hotDown"):
        c.shape(rounded_rect(x + 1, y + 1, x + width - 1, y + height - 1, radius), BUTTON_HOT)
    elif state in ("pushed", "pushedDown"):
        c.shape(rounded_rect(x + 1, y + 1, x + width - 1, y + height - 1, radius), ACCENT)
    elif base is not None:
        c.shape(rounded_rect(x + 1, y + 1, x + width - 1, y + height - 1, radius), base)


def ink_for(state, checked_colour=None):
    """The glyph colour on a face: dark on the accent, the check colour when down, else light."""
    if state in ("pushed", "pushedDown"):
        return INK
    if state in ("down", "hotDown") and checked_colour is not None:
        return checked_colour
    return WHITE if state in ("hot", "hotDown") else GLYPH


def chip(c, x, y, width, height, state):
    """A taskbar button's backdrop: translucent, so it reads on dark and light taskbars."""
    colour = CHIP_PUSHED if state in ("pushed", "pushedDown") else CHIP_HOT if state in ("hot", "hotDown") else CHIP
    c.shape(rounded_rect(x + 1, y + 1, x + width - 1, y + height - 1, 4), colour)


def chip_ink(state):
    return INK if state in ("pushed", "pushedDown") else WHITE


def switch(c, x, y, width, height, state):
    """An on/off switch: a pill with a knob, on (down states) to the right in the accent."""
    on = state in ("down", "pushedDown", "hotDown")
    pushed = state in ("pushed", "pushedDown")
    hot = state in ("hot", "hotDown")
    track = ACCENT if on else LANE_RIM
    if pushed:
        track = mix(track, WHITE, 0.25)
    r = (height - 4) / 2
    c.shape(rounded_rect(x + 1, y + 2, x + width - 1, y + height - 2, r + 1), track)
    knob_x = x + width - 2 - r - 1 if on else x + 2 + r + 1
    knob = WHITE if hot or pushed else mix(WHITE, track, 0.12)
    c.shape(lambda px, py: ((px - knob_x) ** 2 + (py - (y + height / 2)) ** 2) ** 0.5 - (r - 0.5), knob)


def lane(c, x, y, width, height, horizontal=True, thickness=4):
    """A slider's groove, centred across the axis."""
    if horizontal:
        top = y + (height - thickness) / 2
        c.shape(rounded_rect(x, top, x + width, top + thickness, thickness / 2), LANE_RIM)
        c.shape(rounded_rect(x + 0.5, top + 0.5, x + width - 0.5, top + thickness - 0.5, thickness / 2 - 0.5), LANE)
    else:
        left = x + (width - thickness) / 2
        c.shape(rounded_rect(left, y, left + thickness, y + height, thickness / 2), LANE_RIM)
        c.shape(rounded_rect(left + 0.5, y + 0.5, left + thickness - 0.5, y + height - 0.5, thickness / 2 - 0.5),
                LANE)


def fill_lane(c, x0, y0, x1, y1, colour=ACCENT):
    """The filled part of a groove (from x0 to x1 or y0 to y1)."""
    if x1 - x0 > 0.5 and y1 - y0 > 0.5:
        radius = min(x1 - x0, y1 - y0) / 2
        c.shape(rounded_rect(x0, y0, x1, y1, radius), colour)


def thumb(c, x, y, width, height, dragged, round_knob=True):
    colour = ACCENT_SOFT if dragged else WHITE
    if round_knob:
        r = min(width, height) / 2 - 1.5
        cx, cy = x + width / 2, y + height / 2
        c.shape(lambda px, py: ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5 - (r + 1), with_alpha(EDGE_DARK, 0.7))
        c.shape(lambda px, py: ((px - cx) ** 2 + (py - cy) ** 2) ** 0.5 - r, colour)
    else:
        c.shape(rounded_rect(x + 0.5, y + 0.5, x + width - 0.5, y + height - 0.5, (height - 1) / 2),
                with_alpha(EDGE_DARK, 0.7))
        c.shape(rounded_rect(x + 1.5, y + 1.5, x + width - 1.5, y + height - 1.5, (height - 3) / 2), colour)


def gradient(colours, t):
    """A colour along stops spaced evenly, t in 0..1."""
    t = clamp(t)
    span = t * (len(colours) - 1)
    i = min(int(span), len(colours) - 2)
    return mix(colours[i], colours[i + 1], span - i)
