"""A small raster canvas for drawing skin images in plain Python: straight-alpha RGBA pixels, shapes given by
signed distance functions (their edges anti-aliased by the distance), crisp rectangles and pixel-font text."""
import math


def clamp(v, lo=0.0, hi=1.0):
    return lo if v < lo else hi if v > hi else v


def rgb(hex_colour, alpha=1.0):
    """'#RRGGBB' -> (r, g, b, alpha) with channels 0..255 and alpha 0..1."""
    h = hex_colour.lstrip("#")
    return (int(h[0:2], 16), int(h[2:4], 16), int(h[4:6], 16), alpha)


def mix(a, b, t):
    """The colour t of the way from a to b (alphas mixed too)."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(4))


def with_alpha(colour, alpha):
    return (colour[0], colour[1], colour[2], alpha)


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0, 0.0)):
        self.width, self.height = width, height
        self.px = [list(fill) for _ in range(width * height)]

    def get(self, x, y):
        return tuple(self.px[y * self.width + x])

    def put(self, x, y, colour):
        self.px[y * self.width + x] = list(colour)

    def blend(self, x, y, colour, coverage=1.0):
        """Paints `colour` over the pixel with `coverage` (0..1), the source over the destination."""
        if not (0 <= x < self.width and 0 <= y < self.height):
            return
        sa = colour[3] * coverage
        if sa <= 0:
            return
        d = self.px[y * self.width + x]
        da = d[3]
        oa = sa + da * (1 - sa)
        if oa <= 0:
            return
        for i in range(3):
            d[i] = (colour[i] * sa + d[i] * da * (1 - sa)) / oa
        d[3] = oa

    def rect(self, x0, y0, x1, y1, colour):
        """Fills the pixels x0 <= x < x1, y0 <= y < y1."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.blend(x, y, colour)

    def replace(self, x0, y0, x1, y1, colour):
        """Sets the pixels (no blending): for transparent cut-outs and opaque backgrounds."""
        for y in range(max(0, y0), min(self.height, y1)):
            for x in range(max(0, x0), min(self.width, x1)):
                self.put(x, y, colour)

    def frame(self, x0, y0, x1, y1, colour):
        self.rect(x0, y0, x1, y0 + 1, colour)
        self.rect(x0, y1 - 1, x1, y1, colour)
        self.rect(x0, y0 + 1, x0 + 1, y1 - 1, colour)
        self.rect(x1 - 1, y0 + 1, x1, y1 - 1, colour)

    def shape(self, sdf, colour, box=None):
        """Fills where the signed distance is negative; a pixel's coverage is 0.5 minus the distance at its centre."""
        x0, y0, x1, y1 = box or (0, 0, self.width, self.height)
        for y in range(max(0, int(y0) - 1), min(self.height, int(math.ceil(y1)) + 1)):
            for x in range(max(0, int(x0) - 1), min(self.width, int(math.ceil(x1)) + 1)):
                coverage = clamp(0.5 - sdf(x + 0.5, y + 0.5))
                if coverage > 0:
                    self.blend(x, y, colour, coverage)

    def draw(self, other, x, y):
        """Paints another canvas over this one at (x, y)."""
        for sy in range(other.height):
            for sx in range(other.width):
                c = other.px[sy * other.width + sx]
                if c[3] > 0:
                    self.blend(x + sx, y + sy, c)

    def crop(self, x, y, width, height):
        out = Canvas(width, height)
        for cy in range(height):
            for cx in range(width):
                out.px[cy * width + cx] = list(self.px[(y + cy) * self.width + x + cx])
        return out

    def text(self, x, y, string, colour, font):
        """Pixel text, crisp; returns the x after the last glyph."""
        for ch in string:
            glyph = font.get(ch)
            if glyph is None:
                raise KeyError(f"no glyph for {ch!r}")
            for gy, row in enumerate(glyph):
                for gx, bit in enumerate(row):
                    if bit == "#":
                        self.blend(x + gx, y + gy, colour)
            x += len(glyph[0]) + 1
        return x


def text_width(string, font):
    return sum(len(font[ch][0]) + 1 for ch in string) - 1 if string else 0


# Signed distance functions (negative inside), in pixel coordinates.

def rounded_rect(x0, y0, x1, y1, r):
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r

    def sdf(x, y):
        qx, qy = abs(x - cx) - hx, abs(y - cy) - hy
        outside = math.hypot(max(qx, 0), max(qy, 0))
        return outside + min(max(qx, qy), 0) - r
    return sdf


def rounded_rect_corners(x0, y0, x1, y1, radii):
    """A rectangle whose corners (top-left, top-right, bottom-right, bottom-left) have their own radii."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2, (y1 - y0) / 2
    tl, tr, br, bl = radii

    def sdf(x, y):
        r = (tl if y < cy else bl) if x < cx else (tr if y < cy else br)
        qx, qy = abs(x - cx) - hx + r, abs(y - cy) - hy + r
        return math.hypot(max(qx, 0), max(qy, 0)) + min(max(qx, qy), 0) - r
    return sdf


def outline(sdf, width=1.0):
    """The band of `width` just inside a shape's edge."""
    return lambda x, y: abs(sdf(x, y) + width / 2) - width / 2


def circle(cx, cy, r):
    return lambda x, y: math.hypot(x - cx, y - cy) - r


def ring(cx, cy, r, width):
    return lambda x, y: abs(math.hypot(x - cx, y - cy) - r) - width / 2


def segment(ax, ay, bx, by, width):
    """A stroke with round caps."""
    dx, dy = bx - ax, by - ay
    length2 = dx * dx + dy * dy or 1e-9

    def sdf(x, y):
        t = clamp(((x - ax) * dx + (y - ay) * dy) / length2)
        return math.hypot(x - ax - t * dx, y - ay - t * dy) - width / 2
    return sdf


def polyline(points, width):
    parts = [segment(*points[i], *points[i + 1], width) for i in range(len(points) - 1)]
    return lambda x, y: min(p(x, y) for p in parts)


def arc(cx, cy, r, start_deg, end_deg, width, steps=24):
    points = [(cx + r * math.cos(math.radians(a)), cy + r * math.sin(math.radians(a)))
              for a in (start_deg + (end_deg - start_deg) * i / steps for i in range(steps + 1))]
    return polyline(points, width)


def polygon(points):
    n = len(points)

    def sdf(x, y):
        d = float("inf")
        inside = False
        for i in range(n):
            ax, ay = points[i]
            bx, by = points[(i + 1) % n]
            dx, dy = bx - ax, by - ay
            t = clamp(((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy or 1e-9))
            d = min(d, math.hypot(x - ax - t * dx, y - ay - t * dy))
            if (ay > y) != (by > y) and x < ax + (y - ay) * dx / (by - ay):
                inside = not inside
        return -d if inside else d
    return sdf


def union(*sdfs):
    return lambda x, y: min(s(x, y) for s in sdfs)


def subtract(a, b):
    return lambda x, y: max(a(x, y), -b(x, y))


def offset(sdf, dx, dy):
    return lambda x, y: sdf(x - dx, y - dy)
