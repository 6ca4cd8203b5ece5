#!/usr/bin/env python3
"""Draws the wizard's artwork and writes it as Windows bitmaps and an icon.

The pictures are committed in resources/; run this script again only to change
them. It needs nothing beyond the Python standard library and writes the same
bytes on every run, so a changed picture always shows up as a real change.

    python3 tools/artwork/make_artwork.py [--out DIR] [--scales 100 150 200]

Each picture is drawn at 100 %, 150 % and 200 % of its design size (name.bmp,
name_150.bmp, name_200.bmp), each at its own size rather than enlarged from
the small one; the window loads the one made for its DPI. The 16 x 16 pictures
are hand-placed pixels at 100 % and the same shapes as outlines above it.

Keyed pictures (everything but the side picture and the icon) use magenta as
the colour the window draws transparent. Their edges are hard: a pixel is either
the key or a colour of the drawing, blended part-way towards a light button
face, so no pink fringe appears on any background (see keyed_rows).
"""

import argparse
import math
import os
import struct
import sys

# ---------------------------------------------------------------------------
# Colours: one palette for every picture, so the set reads as one family.

KEY = (255, 0, 255)
MATTE = (240, 240, 240)          # the light face the glyphs usually sit on

TEAL = (0, 128, 128)             # the picture panel's own background
TEAL_DEEP = (0, 84, 88)
TEAL_DARK = (0, 104, 108)
TEAL_MID = (16, 148, 148)
TEAL_LIGHT = (72, 184, 182)
TEAL_PALE = (196, 234, 232)
SLATE_INK = (34, 44, 52)
SLATE_DARK = (52, 64, 74)
SLATE = (86, 100, 110)
SLATE_LIGHT = (136, 150, 158)
STEEL = (176, 188, 194)
STEEL_LIGHT = (214, 222, 226)
STEEL_PALE = (236, 241, 243)
WHITE = (255, 255, 255)
LED_GREEN = (46, 204, 104)
LED_GREEN_LIGHT = (150, 240, 180)
RED_DARK = (150, 24, 24)
RED = (208, 48, 42)
RED_LIGHT = (238, 112, 98)
GOLD_DARK = (150, 112, 24)
GOLD = (214, 170, 52)
PCB_DARK = (20, 92, 52)
PCB = (40, 140, 80)
PCB_LIGHT = (92, 180, 120)
NAVY_DARK = (28, 40, 78)
NAVY = (48, 70, 124)
NAVY_LIGHT = (86, 112, 170)


def rgba(colour, alpha=1.0):
    return (colour[0], colour[1], colour[2], alpha)


def mix(a, b, t):
    """Colour a moved by the fraction t towards colour b."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


# ---------------------------------------------------------------------------
# Canvas: premultiplied RGBA, colour channels 0..255, alpha 0..1.

class Canvas:
    def __init__(self, width, height):
        self.width = width
        self.height = height
        self.px = [[(0.0, 0.0, 0.0, 0.0) for _ in range(width)] for _ in range(height)]

    def blend(self, x, y, colour, alpha):
        """Composites a straight colour of the given alpha over the pixel."""
        if alpha <= 0.0 or not (0 <= x < self.width and 0 <= y < self.height):
            return
        r, g, b, a = self.px[y][x]
        k = 1.0 - alpha
        self.px[y][x] = (colour[0] * alpha + r * k, colour[1] * alpha + g * k,
                         colour[2] * alpha + b * k, alpha + a * k)

    def fill(self, shape, paint, samples=4):
        """Fills a shape, anti-aliased by samples x samples points per pixel.

        paint is an (r, g, b, a) tuple or a function of the pixel centre
        returning one, which is how gradients are drawn."""
        x0, y0, x1, y1 = shape.bbox()
        x0 = max(0, int(math.floor(x0)))
        y0 = max(0, int(math.floor(y0)))
        x1 = min(self.width, int(math.ceil(x1)))
        y1 = min(self.height, int(math.ceil(y1)))
        step = 1.0 / samples
        offsets = [(i + 0.5) * step for i in range(samples)]
        total = samples * samples
        for y in range(y0, y1):
            for x in range(x0, x1):
                hits = 0
                for oy in offsets:
                    for ox in offsets:
                        if shape.contains(x + ox, y + oy):
                            hits += 1
                if hits:
                    c = paint(x + 0.5, y + 0.5) if callable(paint) else paint
                    self.blend(x, y, c[:3], c[3] * hits / total)

    def pixels(self, x, y, rows, legend):
        """Paints pixel art: one string per row, legend maps a character to an
        (r, g, b, a) tuple; characters missing from the legend stay untouched."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in legend:
                    c = legend[ch]
                    self.blend(x + i, y + j, c[:3], c[3])

    def straight(self, x, y):
        """The pixel as straight (not premultiplied) colour and alpha."""
        r, g, b, a = self.px[y][x]
        if a <= 0.0:
            return (0.0, 0.0, 0.0, 0.0)
        return (r / a, g / a, b / a, a)


# ---------------------------------------------------------------------------
# Shapes: bbox() gives (x0, y0, x1, y1), contains(x, y) tests a point.

class Rect:
    def __init__(self, x0, y0, x1, y1, radius=0.0):
        self.x0, self.y0, self.x1, self.y1, self.r = x0, y0, x1, y1, radius

    def bbox(self):
        return (self.x0, self.y0, self.x1, self.y1)

    def contains(self, x, y):
        if not (self.x0 <= x < self.x1 and self.y0 <= y < self.y1):
            return False
        r = self.r
        if r <= 0:
            return True
        cx = min(max(x, self.x0 + r), self.x1 - r)
        cy = min(max(y, self.y0 + r), self.y1 - r)
        return (x - cx) ** 2 + (y - cy) ** 2 <= r * r


class Circle:
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def bbox(self):
        return (self.cx - self.r, self.cy - self.r, self.cx + self.r, self.cy + self.r)

    def contains(self, x, y):
        return (x - self.cx) ** 2 + (y - self.cy) ** 2 <= self.r * self.r


def _direction(degrees):
    t = math.radians(degrees)
    return (math.cos(t), math.sin(t))


class Arc:
    """Part of a ring between two angles. Angles are in degrees on screen
    (y grows downwards), so a growing angle turns clockwise."""

    def __init__(self, cx, cy, r_in, r_out, start, end):
        self.cx, self.cy, self.r_in, self.r_out = cx, cy, r_in, r_out
        self.start = start % 360.0
        self.sweep = (end - start) % 360.0
        # Boundary directions, precomputed so the inside test needs no atan2.
        self.d_start = _direction(start)
        self.d_end = _direction(end)

    def bbox(self):
        r = self.r_out
        return (self.cx - r, self.cy - r, self.cx + r, self.cy + r)

    def contains(self, x, y):
        dx, dy = x - self.cx, y - self.cy
        d2 = dx * dx + dy * dy
        if d2 < self.r_in ** 2 or d2 > self.r_out ** 2:
            return False
        after_start = self.d_start[0] * dy - self.d_start[1] * dx >= 0
        before_end = self.d_end[0] * dy - self.d_end[1] * dx <= 0
        if self.sweep <= 180.0:
            return after_start and before_end
        return after_start or before_end


class Polygon:
    def __init__(self, points):
        self.points = list(points)

    def bbox(self):
        xs = [p[0] for p in self.points]
        ys = [p[1] for p in self.points]
        return (min(xs), min(ys), max(xs), max(ys))

    def contains(self, x, y):
        inside = False
        pts = self.points
        j = len(pts) - 1
        for i in range(len(pts)):
            xi, yi = pts[i]
            xj, yj = pts[j]
            if (yi > y) != (yj > y):
                if x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                    inside = not inside
            j = i
        return inside


class Segment:
    """A straight stroke of the given width with round ends."""

    def __init__(self, x0, y0, x1, y1, width):
        self.x0, self.y0, self.x1, self.y1, self.h = x0, y0, x1, y1, width / 2.0

    def bbox(self):
        h = self.h
        return (min(self.x0, self.x1) - h, min(self.y0, self.y1) - h,
                max(self.x0, self.x1) + h, max(self.y0, self.y1) + h)

    def contains(self, x, y):
        vx, vy = self.x1 - self.x0, self.y1 - self.y0
        length2 = vx * vx + vy * vy
        t = 0.0 if length2 == 0 else ((x - self.x0) * vx + (y - self.y0) * vy) / length2
        t = min(1.0, max(0.0, t))
        px, py = self.x0 + t * vx - x, self.y0 + t * vy - y
        return px * px + py * py <= self.h * self.h


class Union:
    def __init__(self, *shapes):
        self.shapes = shapes

    def bbox(self):
        boxes = [s.bbox() for s in self.shapes]
        return (min(b[0] for b in boxes), min(b[1] for b in boxes),
                max(b[2] for b in boxes), max(b[3] for b in boxes))

    def contains(self, x, y):
        return any(s.contains(x, y) for s in self.shapes)


class Minus:
    def __init__(self, shape, hole):
        self.shape, self.hole = shape, hole

    def bbox(self):
        return self.shape.bbox()

    def contains(self, x, y):
        return self.shape.contains(x, y) and not self.hole.contains(x, y)


def polar(cx, cy, r, degrees):
    dx, dy = _direction(degrees)
    return (cx + r * dx, cy + r * dy)


def refresh_arrows(cx, cy, r_in, r_out, wing_in, wing_out, head_degrees, arcs):
    """The circular 'update' arrows: for each (start, end) arc a band of the
    ring ending in an arrowhead that points clockwise. The head reaches
    wing_in inside and wing_out outside the band."""
    shapes = []
    r_mid = (r_in + r_out) / 2.0
    for start, end in arcs:
        shapes.append(Arc(cx, cy, r_in, r_out, start, end + 0.5))
        shapes.append(Polygon([polar(cx, cy, r_in - wing_in, end),
                               polar(cx, cy, r_out + wing_out, end),
                               polar(cx, cy, r_mid, end + head_degrees)]))
    return Union(*shapes)


def vertical(top_colour, bottom_colour, y0, y1, alpha=1.0):
    """A paint that runs from one colour at y0 to another at y1."""
    def paint(x, y):
        t = min(1.0, max(0.0, (y - y0) / float(y1 - y0)))
        return rgba(mix(top_colour, bottom_colour, t), alpha)
    return paint


# ---------------------------------------------------------------------------
# Output: Windows bitmaps (bottom-up rows, padded to four bytes) and icons.

def _bmp_file(info_header, palette, pixel_rows, row_bytes):
    data = bytearray()
    pad = b"\0" * ((4 - row_bytes % 4) % 4)
    for row in reversed(pixel_rows):
        data += row + pad
    offset = 14 + len(info_header) + len(palette)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    return header + info_header + palette + bytes(data)


def _info_header(width, height, bits, image_size, colours_used=0):
    return struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0, image_size,
                       2835, 2835, colours_used, 0)


def bmp24(rows):
    """rows: list of lists of (r, g, b) integer tuples."""
    height, width = len(rows), len(rows[0])
    row_bytes = width * 3
    stride = (row_bytes + 3) & ~3
    packed = [bytes(c for (r, g, b) in row for c in (b, g, r)) for row in rows]
    return _bmp_file(_info_header(width, height, 24, stride * height), b"",
                     packed, row_bytes)


def bmp8(indices, palette):
    """indices: rows of palette indices; palette: up to 256 (r, g, b) tuples."""
    height, width = len(indices), len(indices[0])
    stride = (width + 3) & ~3
    entries = list(palette) + [(0, 0, 0)] * (256 - len(palette))
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for (r, g, b) in entries)
    return _bmp_file(_info_header(width, height, 8, stride * height, 256), pal,
                     [bytes(row) for row in indices], width)


def ico(images):
    """images: list of rows of (r, g, b, a) integer tuples, one per size.
    Each image is stored as a 32-bit BGRA DIB followed by its AND mask."""
    directory = struct.pack("<HHH", 0, 1, len(images))
    blobs = []
    for rows in images:
        size = len(rows)
        xor = bytearray()
        for row in reversed(rows):
            for (r, g, b, a) in row:
                xor += bytes((b, g, r, a))
        mask_stride = ((size + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for x, (_, _, _, a) in enumerate(row):
                if a == 0:
                    bits[x // 8] |= 0x80 >> (x % 8)
            mask += bits
        header = _info_header(size, size * 2, 32, len(xor) + len(mask))
        blobs.append(header + bytes(xor) + bytes(mask))
    offset = 6 + 16 * len(images)
    entries = b""
    for rows, blob in zip(images, blobs):
        size = len(rows)
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1, 32,
                               len(blob), offset)
        offset += len(blob)
    return directory + entries + b"".join(blobs)


def keyed_rows(canvas, threshold=0.5, matte=MATTE):
    """Flattens a canvas for a key-coloured bitmap. Pixels covered less than
    the threshold become the key; the rest are blended over the matte. At the
    default of one half this softens edges without a visible halo on darker
    faces; pictures that only ever sit on a button face may go lower."""
    rows = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            r, g, b, a = canvas.px[y][x]
            if a < threshold:
                row.append(KEY)
                continue
            k = 1.0 - a
            c = tuple(int(round(v + m * k)) for v, m in zip((r, g, b), matte))
            if c == KEY:
                raise ValueError("drawing colour equals the key at %d,%d" % (x, y))
            row.append(c)
        rows.append(row)
    return rows


def opaque_rows(canvas):
    rows = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            r, g, b, a = canvas.px[y][x]
            if a < 0.999:
                raise ValueError("picture not fully covered at %d,%d" % (x, y))
            row.append(tuple(int(round(v)) for v in (r, g, b)))
        rows.append(row)
    return rows


def alpha_rows(canvas):
    rows = []
    for y in range(canvas.height):
        row = []
        for x in range(canvas.width):
            r, g, b, a = canvas.straight(x, y)
            alpha = int(round(a * 255))
            if alpha == 0:
                row.append((0, 0, 0, 0))
            else:
                row.append(tuple(int(round(min(255.0, v))) for v in (r, g, b)) + (alpha,))
        rows.append(row)
    return rows


# ---------------------------------------------------------------------------
# Palette reduction for the 256-colour side picture: median cut over the
# picture's own colours, refined by a few rounds of nearest-centre averaging.

def _nearest(colour, palette):
    best, best_d = 0, None
    r, g, b = colour
    for i, (pr, pg, pb) in enumerate(palette):
        d = (r - pr) ** 2 + (g - pg) ** 2 + (b - pb) ** 2
        if best_d is None or d < best_d:
            best, best_d = i, d
            if d == 0:
                break
    return best


def _box_mean(box):
    n = sum(count for _, count in box)
    return tuple(int(round(sum(c[i] * count for c, count in box) / n)) for i in range(3))


def reduce_colours(rows, limit=256, rounds=4):
    histogram = {}
    for row in rows:
        for c in row:
            histogram[c] = histogram.get(c, 0) + 1
    colours = sorted(histogram.items())
    if len(colours) <= limit:
        palette = [c for c, _ in colours]
    else:
        boxes = [colours]
        while len(boxes) < limit:
            # Split the box with the widest channel range, weighted by its
            # population, at the pixel median of that channel.
            best, best_score, best_channel = None, -1, 0
            for i, box in enumerate(boxes):
                if len(box) < 2:
                    continue
                population = sum(count for _, count in box)
                for ch in range(3):
                    values = [c[ch] for c, _ in box]
                    score = (max(values) - min(values)) * math.sqrt(population)
                    if score > best_score:
                        best, best_score, best_channel = i, score, ch
            if best is None:
                break
            box = sorted(boxes.pop(best), key=lambda item: (item[0][best_channel], item[0]))
            half = sum(count for _, count in box) / 2.0
            running, cut = 0, 1
            for k, (_, count) in enumerate(box):
                running += count
                if running >= half:
                    cut = max(1, min(len(box) - 1, k + 1))
                    break
            boxes.append(box[:cut])
            boxes.append(box[cut:])
        palette = [_box_mean(box) for box in boxes]
        for _ in range(rounds):
            groups = [[] for _ in palette]
            for c, count in colours:
                groups[_nearest(c, palette)].append((c, count))
            palette = [_box_mean(g) if g else p for g, p in zip(groups, palette)]
    palette = sorted(set(palette))
    lookup = {c: _nearest(c, palette) for c, _ in colours}
    indices = [[lookup[c] for c in row] for row in rows]
    return indices, palette


# ---------------------------------------------------------------------------
# The side picture: 128 x 280, of which the window shows the top 128 x 230
# above the teal panel. The gradient lands on the panel's teal before row 230
# so the picture runs into the panel without a seam.

def server_unit(canvas, x, y, w, h, k):
    """One rack unit of the large picture: pale front, LEDs, vent slots.
    x, y, w and h are pixels; k is the scale the details are drawn at."""
    canvas.fill(Rect(x + 1 * k, y + 2 * k, x + w + 1 * k, y + h + 2 * k, 2.5 * k), rgba(TEAL_DEEP, 0.35))
    canvas.fill(Rect(x, y, x + w, y + h, 2.5 * k), vertical(STEEL_PALE, (200, 224, 226), y, y + h))
    canvas.fill(Rect(x + 1 * k, y + 1 * k, x + w - 1 * k, y + 2 * k), rgba(WHITE, 0.8))
    cy = y + h / 2.0
    canvas.fill(Circle(x + 6.5 * k, cy, 1.9 * k), rgba(LED_GREEN))
    canvas.fill(Circle(x + 6.0 * k, cy - 0.6 * k, 0.8 * k), rgba(LED_GREEN_LIGHT, 0.9))
    canvas.fill(Circle(x + 12.0 * k, cy, 1.9 * k), rgba(TEAL_MID))
    for i in range(5):
        vx = x + w - (7 + i * 4) * k
        canvas.fill(Rect(vx, y + 3.5 * k, vx + 1.6 * k, y + h - 3.5 * k, 0.8 * k), rgba(TEAL_DARK, 0.55))


def scaled(size, scale):
    """Pixels of a side of the given design size drawn at scale percent,
    rounded as the window rounds its DPI scaling (see ArtworkScale.h)."""
    return (size * scale + 50) // 100


def draw_picture(scale=100):
    k = scale / 100.0
    width, height = scaled(128, scale), scaled(280, scale)
    seam = 226 * k
    canvas = Canvas(width, height)
    top, bottom = (46, 170, 168), TEAL
    for y in range(height):
        t = min(1.0, y / float(seam))
        t = t * t * (3 - 2 * t)                 # ease in and out
        colour = mix(top, bottom, t)
        for x in range(width):
            canvas.blend(x, y, colour, 1.0)

    cx, cy = 64.0 * k, 96.0 * k
    # A soft light behind the motif and two faint ripples around it.
    for i in range(14):
        canvas.fill(Circle(cx, cy, (70 - i * 4.2) * k), rgba(WHITE, 0.018), samples=2)
    canvas.fill(Minus(Circle(cx, cy, 61 * k), Circle(cx, cy, 60 * k)), rgba(WHITE, 0.10))
    canvas.fill(Minus(Circle(cx, cy, 73.5 * k), Circle(cx, cy, 72.5 * k)), rgba(WHITE, 0.06))

    # The circular update arrows, with a soft shadow for depth.
    arcs = [(200, 318), (20, 138)]
    shadow = refresh_arrows(cx + 1.5 * k, cy + 2.5 * k, 38 * k, 46 * k, 7 * k, 7 * k, 24, arcs)
    canvas.fill(shadow, rgba(TEAL_DEEP, 0.30))
    arrows = refresh_arrows(cx, cy, 38 * k, 46 * k, 7 * k, 7 * k, 24, arcs)
    canvas.fill(arrows, vertical(WHITE, (214, 240, 238), cy - 53 * k, cy + 53 * k))

    # The server stack inside the ring.
    unit_w, unit_h, gap = 44 * k, 13 * k, 4 * k
    x0 = cx - unit_w / 2.0
    y0 = cy - (3 * unit_h + 2 * gap) / 2.0
    for i in range(3):
        server_unit(canvas, x0, y0 + i * (unit_h + gap), unit_w, unit_h, k)

    # A quiet group of nodes below: the primary and its secondaries.
    ny = 186.0 * k
    nodes = [(30.0 * k, ny + 10 * k), (64.0 * k, ny), (98.0 * k, ny + 10 * k)]
    for (ax, ay), (bx, by) in ((nodes[0], nodes[1]), (nodes[1], nodes[2])):
        canvas.fill(Segment(ax, ay, bx, by, 1.2 * k), rgba(WHITE, 0.28))
    canvas.fill(Segment(64.0 * k, 146.0 * k, 64.0 * k, ny - 5 * k, 1.2 * k), rgba(WHITE, 0.28))
    for i, (nx, ny_) in enumerate(nodes):
        r = (4.2 if i == 1 else 3.2) * k
        canvas.fill(Circle(nx, ny_, r + 1.6 * k), rgba(WHITE, 0.16))
        canvas.fill(Circle(nx, ny_, r), rgba(WHITE, 0.75 if i == 1 else 0.55))
    return canvas


# ---------------------------------------------------------------------------
# The circular arrows around a small server: the welcome button's glyph and
# the program icon.

GLYPH_ARCS = [(204, 314), (24, 134)]


def snap(v, k):
    """A design coordinate at scale k on the nearest pixel edge, halves up."""
    return math.floor(v * k + 0.5)


def rack_units_32(canvas, body, face, led, slots, k=1.0):
    """Three rack units, 12 x 4 each at 32 pixels, on whole pixels so they
    stay crisp at every scale."""
    def box(x0, y0, x1, y1, radius=0.0):
        return Rect(snap(x0, k), snap(y0, k), snap(x1, k), snap(y1, k), radius * k)
    for top in (9, 14, 19):
        canvas.fill(box(10, top, 22, top + 4, 0.7), rgba(body), samples=8)
        canvas.fill(box(11, top + 1, 21, top + 3), rgba(face))
        canvas.fill(box(12, top + 2, 14, top + 3), rgba(led))
        for vx in (16, 18, 20):
            canvas.fill(box(vx, top + 1, vx + 1, top + 3), rgba(slots))


def draw_update_glyph(scale=100):
    k = scale / 100.0
    size = scaled(32, scale)
    canvas = Canvas(size, size)
    c = 16.0 * k
    arrows = refresh_arrows(c, c, 10.6 * k, 13.6 * k, 2.0 * k, 2.8 * k, 34, GLYPH_ARCS)
    canvas.fill(arrows, vertical(TEAL_MID, TEAL_DARK, 3 * k, 29 * k), samples=8)
    rack_units_32(canvas, SLATE_DARK, SLATE, LED_GREEN, STEEL, k)
    return canvas


def draw_icon(size):
    """The icon is the side picture in small: a teal tile with light arrows
    around a light server, legible on light and dark task bars alike."""
    if size not in (16, 32):
        raise ValueError("icon sizes are 16 and 32, not %d" % size)
    canvas = Canvas(size, size)
    s = size / 32.0
    tile = Rect(0.5 * s, 0.5 * s, size - 0.5 * s, size - 0.5 * s, 6 * s)
    canvas.fill(tile, rgba(TEAL_DEEP), samples=8)
    inner = Rect(0.5 * s + 1, 0.5 * s + 1, size - 0.5 * s - 1, size - 0.5 * s - 1, 6 * s - 1)
    canvas.fill(inner, vertical((40, 168, 166), TEAL_DARK, 0, size), samples=8)
    c = size / 2.0
    if size == 32:
        arrows = refresh_arrows(c, c, 10.0, 13.0, 2.0, 2.6, 40, GLYPH_ARCS)
        canvas.fill(arrows, vertical(WHITE, TEAL_PALE, 3, 29), samples=8)
        rack_units_32(canvas, SLATE_DARK, STEEL_PALE, LED_GREEN, SLATE_LIGHT)
    else:
        # At 16 pixels the server shrinks to two dark units so it stays apart
        # from the light arrows.
        arrows = refresh_arrows(c, c, 4.6, 6.6, 1.2, 1.4, 46, GLYPH_ARCS)
        canvas.fill(arrows, vertical(WHITE, TEAL_PALE, 1, 15), samples=8)
        for top in (5, 9):
            canvas.fill(Rect(6, top, 10, top + 2), rgba(SLATE_DARK))
            canvas.blend(6, top, LED_GREEN, 1.0)
    return canvas


# ---------------------------------------------------------------------------
# The wordmark: a tiny proportional pixel font, 12 pixels high with two-pixel
# strokes. '#' is ink, '+' half ink (it rounds corners and steps), '.' empty.

FONT = {
    "O": ["..+###+..",
          ".#######.",
          "+##...##+",
          "##.....##",
          "##.....##",
          "##.....##",
          "##.....##",
          "##.....##",
          "##.....##",
          "+##...##+",
          ".#######.",
          "..+###+.."],
    "R": ["######+.",
          "#######+",
          "##...+##",
          "##....##",
          "##...+##",
          "#######+",
          "######+.",
          "##..##..",
          "##..+##.",
          "##...##.",
          "##...+##",
          "##....##"],
    "V": ["##......##",
          "##......##",
          "##......##",
          "+##....##+",
          ".##....##.",
          ".+##..##+.",
          "..##..##..",
          "..+####+..",
          "...####...",
          "...+##+...",
          "....##....",
          "....##...."],
    "A": ["....##....",
          "....##....",
          "...+##+...",
          "...####...",
          "..+####+..",
          "..##..##..",
          ".+##..##+.",
          ".########.",
          "+########+",
          "##......##",
          "##......##",
          "##......##"],
    "N": ["###....##",
          "###+...##",
          "####...##",
          "##+#+..##",
          "##.##..##",
          "##.+#+.##",
          "##..##.##",
          "##..+#+##",
          "##...####",
          "##...+###",
          "##....###",
          "##....###"],
    "E": ["#######",
          "#######",
          "##.....",
          "##.....",
          "##.....",
          "######.",
          "######.",
          "##.....",
          "##.....",
          "##.....",
          "#######",
          "#######"],
}

# Space after each letter; V and A lean into each other.
KERNING = {"VA": 1}
LETTER_GAP = 2


def word_width(word):
    width = sum(len(FONT[ch][0]) for ch in word)
    for a, b in zip(word, word[1:]):
        width += KERNING.get(a + b, LETTER_GAP)
    return width


# The same letters as outlines for the larger scales: strokes two units wide
# in a 12-unit-high box, bars on whole pixels so they stay crisp.

def letter_shapes(letter, x, y, k):
    def box(x0, y0, x1, y1, radius=0.0):
        return Rect(x + snap(x0, k), y + snap(y0, k), x + snap(x1, k), y + snap(y1, k), radius * k)

    def poly(*points):
        return Polygon([(x + px * k, y + py * k) for px, py in points])

    if letter == "O":
        return Minus(box(0, 0, 9, 12, 3.5), box(2, 2, 7, 10, 1.5))
    if letter == "R":
        bowl = Minus(Union(box(0, 0, 5, 7), box(0, 0, 8, 7, 3)), box(2, 2, 6, 5, 1))
        return Union(box(0, 0, 2, 12), bowl, poly((3, 7), (5.4, 7), (8, 12), (5.6, 12)))
    if letter == "V":
        return poly((0, 0), (2.2, 0), (5, 9.2), (7.8, 0), (10, 0), (6.1, 12), (3.9, 12))
    if letter == "A":
        outer = poly((3.9, 0), (6.1, 0), (10, 12), (7.8, 12), (6.83, 9), (3.17, 9), (2.2, 12), (0, 12))
        return Minus(outer, poly((5, 3.4), (6.18, 7), (3.82, 7)))
    if letter == "N":
        return Union(box(0, 0, 2, 12), box(7, 0, 9, 12), poly((0, 0), (2.3, 0), (9, 12), (6.7, 12)))
    if letter == "E":
        return Union(box(0, 0, 2, 12), box(0, 0, 7, 2), box(0, 5, 6, 7), box(0, 10, 7, 12))
    raise ValueError("no outline for letter %s" % letter)


def draw_logo(scale=100):
    if scale != 100:
        return draw_logo_outlines(scale)
    width, height = 65, 22
    canvas = Canvas(width, height)
    word = "ORVANE"
    span = word_width(word)
    left = (width - span) // 2
    top = 3
    x = left
    for i, letter in enumerate(word):
        glyph = FONT[letter]
        if any(len(row) != len(glyph[0]) for row in glyph) or len(glyph) != 12:
            raise ValueError("letter %s is not a clean 12-row glyph" % letter)
        # The O is the ring of the update arrows, in the panel's teal.
        ink = TEAL_DARK if letter == "O" else SLATE_DARK
        canvas.pixels(x, top, glyph, {"#": rgba(ink), "+": rgba(ink, 0.55)})
        x += len(glyph[0])
        if i + 1 < len(word):
            x += KERNING.get(letter + word[i + 1], LETTER_GAP)
    canvas.fill(Rect(left, top + 15, left + span, top + 16), rgba(TEAL_MID))
    return canvas


def draw_logo_outlines(scale):
    k = scale / 100.0
    canvas = Canvas(scaled(65, scale), scaled(22, scale))
    word = "ORVANE"
    span = word_width(word)
    left = int((canvas.width - span * k) // 2)
    top = snap(3, k)
    x = 0
    for i, letter in enumerate(word):
        ink = TEAL_DARK if letter == "O" else SLATE_DARK
        canvas.fill(letter_shapes(letter, left + snap(x, k), top, k), rgba(ink), samples=8)
        x += len(FONT[letter][0])
        if i + 1 < len(word):
            x += KERNING.get(letter + word[i + 1], LETTER_GAP)
    canvas.fill(Rect(left, top + snap(15, k), left + snap(span, k), top + snap(16, k)), rgba(TEAL_MID))
    return canvas


# ---------------------------------------------------------------------------
# 16 x 16 pixel art: a dark outline and two or three tones lit from the top.

def art(rows, legend):
    if len(rows) != 16 or any(len(r) != 16 for r in rows):
        raise ValueError("16 x 16 art expected, got %r" % [len(r) for r in rows])
    unknown = set("".join(rows)) - set(legend) - {"."}
    if unknown:
        raise ValueError("characters without a colour: %s" % "".join(sorted(unknown)))
    canvas = Canvas(16, 16)
    canvas.pixels(0, 0, rows, {k: rgba(v) for k, v in legend.items()})
    return canvas


def mirrored(rows):
    return [row[::-1] for row in rows]


ARROW_LEGEND = {"o": TEAL_DEEP, "a": TEAL_LIGHT, "b": TEAL_MID, "c": TEAL_DARK}

ARROW_LEFT = [
    "................",
    "................",
    ".......o........",
    "......oo........",
    ".....oao........",
    "....oaaoooooooo.",
    "...oaaaaaaaaaao.",
    "..oaaaaaaaaaaao.",
    "..obbbbbbbbbbbo.",
    "...obbbbbbbbbbo.",
    "....occoooooooo.",
    ".....oco........",
    "......oo........",
    ".......o........",
    "................",
    "................",
]

EXIT_LEGEND = {"o": RED_DARK, "a": RED_LIGHT, "b": RED}

EXIT_CROSS = [
    "................",
    "................",
    "..oo........oo..",
    ".oaao......oaao.",
    ".oaaao....oaaao.",
    "..oaaao..oaaao..",
    "...oaaaooaaao...",
    "....oaaaaaao....",
    "....obbbbbbo....",
    "...obbboobbbo...",
    "..obbbo..obbbo..",
    ".obbbo....obbbo.",
    ".obbo......obbo.",
    "..oo........oo..",
    "................",
    "................",
]

DRIVE_LEGEND = {"o": SLATE_DARK, "t": STEEL_PALE, "u": STEEL_LIGHT, "h": WHITE,
                "f": STEEL, "s": SLATE, "l": LED_GREEN, "g": SLATE_LIGHT,
                "n": TEAL_DARK, "x": TEAL_LIGHT}

DRIVE_FIXED = [
    "................",
    "................",
    "................",
    "................",
    "...oooooooooo...",
    "..otttttttttto..",
    ".ouuuuuuuuuuuuo.",
    ".ohhhhhhhhhhhho.",
    ".offffffffffffo.",
    ".ofsssssffffffo.",
    ".offfffffffllfo.",
    ".oggggggggggggo.",
    "..oooooooooooo..",
    "................",
    "................",
    "................",
]

DRIVE_REMOTE = [
    "................",
    "...oooooooooo...",
    "..otttttttttto..",
    ".ouuuuuuuuuuuuo.",
    ".ohhhhhhhhhhhho.",
    ".ofsssssffffffo.",
    ".offfffffffllfo.",
    ".oggggggggggggo.",
    "..oooooooooooo..",
    ".......nn.......",
    ".......nn.......",
    ".xxxxxxxxxxxxxx.",
    ".nnnnnnnnnnnnnn.",
    "................",
    "................",
    "................",
]

FLOPPY_LEGEND = {"o": NAVY_DARK, "b": NAVY, "h": NAVY_LIGHT, "n": STEEL_LIGHT,
                 "m": STEEL, "k": SLATE_DARK, "w": WHITE, "p": STEEL_LIGHT}

DRIVE_REMOVABLE = [
    "................",
    ".ooooooooooooo..",
    ".ohbnnnnnnnbbbo.",
    ".ohbnnnnkknbbbo.",
    ".ohbnnnnkknbbbo.",
    ".ohbnnnnkknbbbo.",
    ".ohbmmmmmmmbbbo.",
    ".ohbbbbbbbbbbbo.",
    ".ohwwwwwwwwwwbo.",
    ".ohwppppppppwbo.",
    ".ohwwwwwwwwwwbo.",
    ".ohwppppppwwwbo.",
    ".ohwwwwwwwwwwbo.",
    ".ohwwwwwwwwwwbo.",
    ".oooooooooooooo.",
    "................",
]

RAM_LEGEND = {"o": PCB_DARK, "b": PCB, "h": PCB_LIGHT, "k": SLATE_INK,
              "m": SLATE, "y": GOLD, "z": GOLD_DARK}

DRIVE_RAM = [
    "................",
    "................",
    "................",
    "................",
    "oooooooooooooooo",
    "ohhhhhhhhhhhhhho",
    "obkkkbkkkbkkkbbo",
    "obkmkbkmkbkmkbbo",
    "obkkkbkkkbkkkbbo",
    "obbbbbbbbbbbbbbo",
    "obyyyyyyoyyyyybo",
    "oozozozooozozooo",
    "................",
    "................",
    "................",
    "................",
]


def draw_disc(scale=100):
    """The CD-ROM: a silver disc lit from the upper left, with a hub."""
    k = scale / 100.0
    size = scaled(16, scale)
    canvas = Canvas(size, size)
    centre, radius = 8.0 * k, 7.3 * k
    rim = int(k)                               # the outline, in whole pixels

    def distance(x, y):
        return math.hypot(x + 0.5 - centre, y + 0.5 - centre)

    def inside(x, y):
        return 0 <= x < size and 0 <= y < size and distance(x, y) <= radius

    steps = [(d * j, e * j) for j in range(1, rim + 1) for d, e in ((1, 0), (-1, 0), (0, 1), (0, -1))]
    for y in range(size):
        for x in range(size):
            if not inside(x, y):
                continue
            d = distance(x, y)
            edge = not all(inside(x + dx, y + dy) for dx, dy in steps)
            if edge:
                colour = SLATE
            elif d <= 1.0 * k:
                continue                       # the hole shows what lies behind
            elif d <= 1.9 * k:
                colour = SLATE_LIGHT
            elif d <= 2.9 * k:
                colour = STEEL_PALE
            else:
                angle = math.degrees(math.atan2(y + 0.5 - centre, x + 0.5 - centre))
                shine = math.cos(math.radians(angle - 225.0)) ** 2
                # Between the two reflections the disc shows a faint rainbow.
                tint = TEAL_PALE if math.sin(math.radians(angle - 225.0)) > 0 else (222, 214, 242)
                colour = mix(mix(STEEL_LIGHT, tint, 0.7), WHITE, round(shine * 3) / 3.0)
            canvas.blend(x, y, tuple(int(round(v)) for v in colour), 1.0)
    return canvas


# ---------------------------------------------------------------------------
# The 16 x 16 pictures drawn again for 150 % and 200 %: the same shapes and
# tones as outlines on a 16-unit grid, edges on whole pixels where they run
# straight, and an outline of one pixel per whole step of scale.

class Grid:
    def __init__(self, scale):
        self.k = scale / 100.0
        self.line = int(self.k)
        self.canvas = Canvas(scaled(16, scale), scaled(16, scale))

    def box(self, x0, y0, x1, y1, radius=0.0, inset=0):
        k, i = self.k, inset
        return Rect(snap(x0, k) + i, snap(y0, k) + i, snap(x1, k) - i, snap(y1, k) - i, max(0.0, radius * k - i))

    def fill(self, shape, colour):
        self.canvas.fill(shape, colour if callable(colour) else rgba(colour), samples=8)

    def framed(self, x0, y0, x1, y1, frame, bands, radius=0.0):
        """A rounded body in the frame colour, and inside it horizontal bands
        (top, bottom, colour) in design units, each cut to the inside."""
        self.fill(self.box(x0, y0, x1, y1, radius), frame)
        inner = self.box(x0, y0, x1, y1, radius, self.line)
        for top, bottom, colour in bands:
            band = Rect(inner.x0, max(inner.y0, snap(top, self.k)), inner.x1, min(inner.y1, snap(bottom, self.k)))
            self.fill(Minus(band, Minus(band, inner)), colour)

    def split(self, upper, lower, at):
        """A paint of one tone above the design line at and another below."""
        line = snap(at, self.k)
        return lambda x, y: rgba(upper if y < line else lower)


def arrow_outline(scale, mirror):
    g = Grid(scale)
    points = [(2.2, 8), (8, 2.3), (8, 5.5), (14.5, 5.5), (14.5, 10.5), (8, 10.5), (8, 13.7)]
    if mirror:
        points = [(16 - x, y) for x, y in points]
    k = g.k
    shape = Polygon([(x * k, y * k) for x, y in points])
    g.fill(shape, g.split(TEAL_LIGHT, TEAL_MID, 8))
    edges = [Segment(points[i - 1][0] * k, points[i - 1][1] * k, x * k, y * k, g.line)
             for i, (x, y) in enumerate(points)]
    g.fill(Union(*edges), TEAL_DEEP)
    return g.canvas


def exit_outline(scale):
    g = Grid(scale)
    k = g.k
    arms = [(3.3, 3.3, 12.7, 12.7), (12.7, 3.3, 3.3, 12.7)]
    for width, colour in ((2.6 * k + 2 * g.line, RED_DARK), (2.6 * k, None)):
        for x0, y0, x1, y1 in arms:
            paint = colour if colour else g.split(RED_LIGHT, RED, 8)
            g.fill(Segment(x0 * k, y0 * k, x1 * k, y1 * k, width), paint)
    return g.canvas


def disk_body(g, top):
    """The hard disk's case with its top edge at the design row top."""
    t = top
    g.framed(1, t, 15, t + 9, SLATE_DARK, [(t, t + 2, STEEL_PALE), (t + 2, t + 3, STEEL_LIGHT),
                                           (t + 3, t + 4, WHITE), (t + 4, t + 7, STEEL),
                                           (t + 7, t + 9, SLATE_LIGHT)], radius=1.2)
    g.fill(g.box(2.5, t + 5, 7, t + 6), SLATE)
    g.fill(g.box(11.5, t + 6, 13.5, t + 7), LED_GREEN)


def fixed_outline(scale):
    g = Grid(scale)
    disk_body(g, 4)
    return g.canvas


def remote_outline(scale):
    g = Grid(scale)
    disk_body(g, 1)
    g.fill(g.box(7, 10, 9, 12), TEAL_DARK)
    g.fill(g.box(1, 11, 15, 12), TEAL_LIGHT)
    g.fill(g.box(1, 12, 15, 13), TEAL_DARK)
    return g.canvas


def removable_outline(scale):
    g = Grid(scale)
    g.framed(1, 1, 15, 15, NAVY_DARK, [(1, 15, NAVY)], radius=0.8)
    g.fill(g.box(2, 2, 3, 14.5), NAVY_LIGHT)
    g.fill(g.box(4, 1.5, 11, 7), STEEL_LIGHT)
    g.fill(g.box(4, 6, 11, 7), STEEL)
    g.fill(g.box(8, 2.5, 10, 6), SLATE_DARK)
    g.fill(g.box(3, 8, 13, 14.5), WHITE)
    g.fill(g.box(4, 9, 12, 10), STEEL_LIGHT)
    g.fill(g.box(4, 11, 10, 12), STEEL_LIGHT)
    return g.canvas


def ram_outline(scale):
    g = Grid(scale)
    g.framed(0, 4, 16, 12, PCB_DARK, [(4, 6, PCB_LIGHT), (6, 12, PCB)])
    for x in (2, 6, 10):
        g.fill(g.box(x, 6, x + 3, 9), SLATE_INK)
        g.fill(g.box(x + 1, 7, x + 2, 8), SLATE)
    g.fill(g.box(2, 10, 8, 11), GOLD)
    g.fill(g.box(9, 10, 14, 11), GOLD)
    for x in (2, 4, 6, 10, 12):
        g.fill(g.box(x, 11, x + 1, 12), GOLD_DARK)
    return g.canvas


def small_pictures(scale):
    """The 16 x 16 pictures at a scale, by file name."""
    if scale == 100:
        return {
            "glyph_prev": art(ARROW_LEFT, ARROW_LEGEND),
            "glyph_next": art(mirrored(ARROW_LEFT), ARROW_LEGEND),
            "glyph_exit": art(EXIT_CROSS, EXIT_LEGEND),
            "drive_removable": art(DRIVE_REMOVABLE, FLOPPY_LEGEND),
            "drive_fixed": art(DRIVE_FIXED, DRIVE_LEGEND),
            "drive_remote": art(DRIVE_REMOTE, DRIVE_LEGEND),
            "drive_cdrom": draw_disc(),
            "drive_ram": art(DRIVE_RAM, RAM_LEGEND),
        }
    return {
        "glyph_prev": arrow_outline(scale, False),
        "glyph_next": arrow_outline(scale, True),
        "glyph_exit": exit_outline(scale),
        "drive_removable": removable_outline(scale),
        "drive_fixed": fixed_outline(scale),
        "drive_remote": remote_outline(scale),
        "drive_cdrom": draw_disc(scale),
        "drive_ram": ram_outline(scale),
    }


# ---------------------------------------------------------------------------

SCALES = (100, 150, 200)


def file_name(name, scale):
    return "%s.bmp" % name if scale == 100 else "%s_%d.bmp" % (name, scale)


def write(path, data):
    with open(path, "wb") as f:
        f.write(data)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", default=os.path.normpath(os.path.join(here, "..", "..", "resources")),
                        help="folder to write into (default: the repository's resources/)")
    parser.add_argument("--scales", type=int, nargs="+", default=list(SCALES), choices=SCALES,
                        help="draw only these scales (default: all)")
    args = parser.parse_args(argv)
    out = args.out
    os.makedirs(out, exist_ok=True)

    for scale in args.scales:
        picture_rows = opaque_rows(draw_picture(scale))
        indices, palette = reduce_colours(picture_rows)
        write(os.path.join(out, file_name("picture", scale)), bmp8(indices, palette))

        write(os.path.join(out, file_name("logo", scale)), bmp24(keyed_rows(draw_logo(scale))))
        write(os.path.join(out, file_name("update_glyph", scale)),
              bmp24(keyed_rows(draw_update_glyph(scale), 0.35)))
        for name, canvas in small_pictures(scale).items():
            write(os.path.join(out, file_name(name, scale)), bmp24(keyed_rows(canvas)))

    write(os.path.join(out, "OUpdate.ico"),
          ico([alpha_rows(draw_icon(32)), alpha_rows(draw_icon(16))]))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
