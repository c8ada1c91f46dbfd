"""The default skin's glyphs as signed distance functions around a centre (cx, cy) and a size s (about the glyph's
height in pixels). Simple, solid shapes that stay legible from 8 to 16 pixels."""
import math

from raster import arc, circle, polygon, polyline, ring, rounded_rect, segment, subtract, union


def play(cx, cy, s):
    return polygon([(cx - 0.34 * s, cy - 0.46 * s), (cx + 0.48 * s, cy), (cx - 0.34 * s, cy + 0.46 * s)])


def pause(cx, cy, s):
    w, h = 0.26 * s, 0.88 * s
    return union(rounded_rect(cx - 0.36 * s, cy - h / 2, cx - 0.36 * s + w, cy + h / 2, 0.6),
                 rounded_rect(cx + 0.10 * s, cy - h / 2, cx + 0.10 * s + w, cy + h / 2, 0.6))


def stop(cx, cy, s):
    h = 0.38 * s
    return rounded_rect(cx - h, cy - h, cx + h, cy + h, 1.2)


def previous(cx, cy, s):
    bar = rounded_rect(cx - 0.46 * s, cy - 0.42 * s, cx - 0.26 * s, cy + 0.42 * s, 0.5)
    return union(bar, polygon([(cx + 0.44 * s, cy - 0.44 * s), (cx - 0.24 * s, cy), (cx + 0.44 * s, cy + 0.44 * s)]))


def next_track(cx, cy, s):
    bar = rounded_rect(cx + 0.26 * s, cy - 0.42 * s, cx + 0.46 * s, cy + 0.42 * s, 0.5)
    return union(bar, polygon([(cx - 0.44 * s, cy - 0.44 * s), (cx + 0.24 * s, cy), (cx - 0.44 * s, cy + 0.44 * s)]))


def eject(cx, cy, s):
    roof = polygon([(cx - 0.46 * s, cy + 0.10 * s), (cx, cy - 0.46 * s), (cx + 0.46 * s, cy + 0.10 * s)])
    return union(roof, rounded_rect(cx - 0.46 * s, cy + 0.26 * s, cx + 0.46 * s, cy + 0.46 * s, 0.5))


def folder(cx, cy, s):
    body = rounded_rect(cx - 0.5 * s, cy - 0.26 * s, cx + 0.5 * s, cy + 0.42 * s, 1.2)
    tab = rounded_rect(cx - 0.5 * s, cy - 0.42 * s, cx - 0.06 * s, cy - 0.12 * s, 1.0)
    return union(body, tab)


def note(cx, cy, s):
    head = circle(cx - 0.16 * s, cy + 0.28 * s, 0.2 * s)
    stem = segment(cx + 0.02 * s, cy + 0.26 * s, cx + 0.02 * s, cy - 0.44 * s, 0.16 * s)
    flag = polyline([(cx + 0.02 * s, cy - 0.44 * s), (cx + 0.34 * s, cy - 0.26 * s), (cx + 0.34 * s, cy - 0.08 * s)],
                    0.16 * s)
    return union(head, stem, flag)


def speaker(cx, cy, s):
    return polygon([(cx - 0.5 * s, cy - 0.16 * s), (cx - 0.28 * s, cy - 0.16 * s), (cx + 0.02 * s, cy - 0.44 * s),
                    (cx + 0.02 * s, cy + 0.44 * s), (cx - 0.28 * s, cy + 0.16 * s), (cx - 0.5 * s, cy + 0.16 * s)])


def sound_waves(cx, cy, s):
    return union(arc(cx + 0.06 * s, cy, 0.22 * s, -45, 45, 0.11 * s), arc(cx + 0.06 * s, cy, 0.42 * s, -50, 50, 0.11 * s))


def cross(cx, cy, s, width=None):
    w = width or 0.16 * s
    h = s / 2
    return union(segment(cx - h, cy - h, cx + h, cy + h, w), segment(cx - h, cy + h, cx + h, cy - h, w))


def arrow_head(tx, ty, angle_deg, size):
    """A filled triangle with its tip at (tx, ty) pointing along the angle."""
    a = math.radians(angle_deg)
    bx, by = tx - size * math.cos(a), ty - size * math.sin(a)
    px, py = -math.sin(a) * size * 0.6, math.cos(a) * size * 0.6
    return polygon([(tx, ty), (bx + px, by + py), (bx - px, by - py)])


def shuffle(cx, cy, s):
    w = 0.11 * s
    a = polyline([(cx - 0.5 * s, cy - 0.3 * s), (cx - 0.18 * s, cy - 0.3 * s), (cx + 0.16 * s, cy + 0.3 * s),
                  (cx + 0.36 * s, cy + 0.3 * s)], w)
    b = polyline([(cx - 0.5 * s, cy + 0.3 * s), (cx - 0.18 * s, cy + 0.3 * s), (cx + 0.16 * s, cy - 0.3 * s),
                  (cx + 0.36 * s, cy - 0.3 * s)], w)
    return union(a, b, arrow_head(cx + 0.56 * s, cy - 0.3 * s, 0, 0.26 * s),
                 arrow_head(cx + 0.56 * s, cy + 0.3 * s, 0, 0.26 * s))


def repeat(cx, cy, s):
    w = 0.11 * s
    top = polyline([(cx - 0.46 * s, cy + 0.05 * s), (cx - 0.46 * s, cy - 0.3 * s), (cx + 0.3 * s, cy - 0.3 * s)], w)
    bottom = polyline([(cx + 0.46 * s, cy - 0.05 * s), (cx + 0.46 * s, cy + 0.3 * s), (cx - 0.3 * s, cy + 0.3 * s)], w)
    return union(top, bottom, arrow_head(cx + 0.5 * s, cy - 0.3 * s, 0, 0.26 * s),
                 arrow_head(cx - 0.5 * s, cy + 0.3 * s, 180, 0.26 * s))


def show_player(cx, cy, s):
    """A window rising from the strip."""
    frame = subtract(rounded_rect(cx - 0.5 * s, cy - 0.42 * s, cx + 0.5 * s, cy + 0.42 * s, 1.2),
                     rounded_rect(cx - 0.36 * s, cy - 0.14 * s, cx + 0.36 * s, cy + 0.3 * s, 0.4))
    return frame


def chevron(cx, cy, s, direction):
    """An open arrow; direction 'left', 'right', 'up' or 'down'."""
    h = s / 2
    points = {
        "left": [(cx + h * 0.5, cy - h), (cx - h * 0.5, cy), (cx + h * 0.5, cy + h)],
        "right": [(cx - h * 0.5, cy - h), (cx + h * 0.5, cy), (cx - h * 0.5, cy + h)],
        "up": [(cx - h, cy + h * 0.5), (cx, cy - h * 0.5), (cx + h, cy + h * 0.5)],
        "down": [(cx - h, cy - h * 0.5), (cx, cy + h * 0.5), (cx + h, cy - h * 0.5)],
    }[direction]
    return polyline(points, max(1.3, 0.2 * s))


def triangle(cx, cy, s, direction):
    h = s / 2
    points = {
        "up": [(cx - h, cy + h * 0.55), (cx, cy - h * 0.55), (cx + h, cy + h * 0.55)],
        "down": [(cx - h, cy - h * 0.55), (cx, cy + h * 0.55), (cx + h, cy - h * 0.55)],
    }[direction]
    return polygon(points)


def sliders(cx, cy, s, knobs=(0.25, -0.2, 0.1)):
    """Three mixer faders: the equaliser and settings glyph."""
    parts = []
    for i, k in enumerate(knobs):
        x = cx + (i - 1) * 0.36 * s
        parts.append(segment(x, cy - 0.44 * s, x, cy + 0.44 * s, 0.1 * s))
        parts.append(rounded_rect(x - 0.15 * s, cy + k * s - 0.1 * s, x + 0.15 * s, cy + k * s + 0.1 * s, 0.5))
    return union(*parts)


def full_screen(cx, cy, s):
    h, e, w = s / 2, 0.3 * s, 0.14 * s
    corners = []
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = cx + sx * h, cy + sy * h
            corners.append(polyline([(x - sx * e, y), (x, y), (x, y - sy * e)], w))
    return union(*corners)


def exit_full_screen(cx, cy, s):
    """The four corners turned inwards."""
    e, w = 0.3 * s, 0.14 * s
    corners = []
    for sx in (-1, 1):
        for sy in (-1, 1):
            x, y = cx + sx * 0.16 * s, cy + sy * 0.16 * s
            corners.append(polyline([(x + sx * e, y), (x, y), (x, y + sy * e)], w))
    return union(*corners)


def plus(cx, cy, s):
    h, w = s / 2, 0.2 * s
    return union(segment(cx - h, cy, cx + h, cy, w), segment(cx, cy - h, cx, cy + h, w))


def minus(cx, cy, s):
    return segment(cx - s / 2, cy, cx + s / 2, cy, 0.2 * s)


def reset(cx, cy, s):
    r = 0.36 * s
    return union(arc(cx, cy, r, -60, 220, 0.15 * s), arrow_head(cx + r * math.cos(math.radians(-60)) + 0.12 * s,
                                                               cy + r * math.sin(math.radians(-60)) + 0.08 * s,
                                                               80, 0.3 * s))


def sun(cx, cy, s):
    parts = [circle(cx, cy, 0.2 * s)]
    for i in range(8):
        a = math.radians(45 * i)
        parts.append(segment(cx + 0.32 * s * math.cos(a), cy + 0.32 * s * math.sin(a), cx + 0.46 * s * math.cos(a),
                             cy + 0.46 * s * math.sin(a), 0.1 * s))
    return union(*parts)


def contrast(cx, cy, s):
    half = polygon([(cx, cy - 0.5 * s), (cx - 0.5 * s, cy - 0.5 * s), (cx - 0.5 * s, cy + 0.5 * s),
                    (cx, cy + 0.5 * s)])
    disc = circle(cx, cy, 0.42 * s)
    return union(ring(cx, cy, 0.42 * s, 0.12 * s), lambda x, y: max(disc(x, y), half(x, y)))


def drop(cx, cy, s):
    body = circle(cx, cy + 0.12 * s, 0.32 * s)
    tip = polygon([(cx - 0.28 * s, cy - 0.02 * s), (cx, cy - 0.48 * s), (cx + 0.28 * s, cy - 0.02 * s)])
    return union(body, tip)


def hue_ring(cx, cy, s):
    return ring(cx, cy, 0.34 * s, 0.2 * s)


def power(cx, cy, s):
    return union(arc(cx, cy, 0.36 * s, -50, 230, 0.14 * s), segment(cx, cy - 0.5 * s, cx, cy - 0.05 * s, 0.14 * s))


def wave_mark(cx, cy, s):
    """The player's mark: a sound wave inside a rounded square's cut-out."""
    points = []
    for i in range(25):
        t = i / 24
        points.append((cx - 0.38 * s + 0.76 * s * t, cy + 0.22 * s * math.sin(t * 2 * math.pi) * (1 - abs(t - 0.5))))
    return polyline(points, 0.1 * s)
