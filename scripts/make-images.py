#!/usr/bin/env python3
"""Draws the program's icon, toolbar bitmaps, About picture and hand cursor into src/res/.

The images are committed; run this again only to change them."""
import struct
import sys
from pathlib import Path

RES = Path(__file__).resolve().parent.parent / "src" / "res"

def canvas(w, h, colour):
    return [[colour for _ in range(w)] for _ in range(h)]

def rect(img, x0, y0, x1, y1, colour):
    for y in range(max(y0, 0), min(y1, len(img))):
        for x in range(max(x0, 0), min(x1, len(img[0]))):
            img[y][x] = colour

def document(img, x, y, w, h, body, band):
    """A page with a folded corner and a coloured band: the program's motif."""
    rect(img, x, y, x + w, y + h, (40, 40, 40))
    rect(img, x + 1, y + 1, x + w - 1, y + h - 1, body)
    rect(img, x + 2, y + h // 5, x + w - 2, y + h // 5 + max(2, h // 6), band)
    for i in range(1, h // 2, max(2, h // 8)):
        rect(img, x + 3, y + h // 2 + i, x + w - 3, y + h // 2 + i + 1, (120, 120, 120))

def arrow(img, x, y, size, colour, right=True):
    for i in range(size):
        half = size - i if right else i + 1
        for j in range(-half // 2, half // 2 + 1):
            xx = x + i if right else x + i
            rect(img, xx, y + j, xx + 1, y + j + 1, colour)

def dib_rows_24(img):
    h, w = len(img), len(img[0])
    stride = (w * 3 + 3) & ~3
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray()
        for (r, g, b) in img[y]:
            row += bytes((b, g, r))
        row += b"\0" * (stride - len(row))
        out += row
    return bytes(out)

def dib_rows_32(img):
    out = bytearray()
    for y in range(len(img) - 1, -1, -1):
        for (r, g, b) in img[y]:
            out += bytes((b, g, r, 0))
    return bytes(out)

def palette_of(img, limit):
    colours = []
    for row in img:
        for c in row:
            if c not in colours:
                colours.append(c)
    if len(colours) > limit:
        sys.exit(f"too many colours: {len(colours)} > {limit}")
    return colours + [(0, 0, 0)] * (limit - len(colours))

def dib_rows_indexed(img, palette, bits):
    h, w = len(img), len(img[0])
    stride = ((w * bits + 31) // 32) * 4
    index = {c: i for i, c in enumerate(palette)}
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x, c in enumerate(img[y]):
            i = index[c]
            if bits == 8:
                row[x] = i
            elif bits == 4:
                row[x // 2] |= i << (4 if x % 2 == 0 else 0)
            else:
                row[x // 8] |= i << (7 - x % 8)
        out += row
    return bytes(out)

def info_header(w, h, bits, colours=0, image_size=0):
    return struct.pack("<IiiHHIIiiII", 40, w, h, 1, bits, 0, image_size, 2835, 2835, colours, 0)

def pal_bytes(palette):
    return b"".join(bytes((b, g, r, 0)) for (r, g, b) in palette)

def write_bmp(path, img, bits):
    h, w = len(img), len(img[0])
    if bits == 24:
        pal, pixels = b"", dib_rows_24(img)
    elif bits == 32:
        pal, pixels = b"", dib_rows_32(img)
    else:
        palette = palette_of(img, 1 << bits)
        pal, pixels = pal_bytes(palette), dib_rows_indexed(img, palette, bits)
    header = info_header(w, h, bits, len(pal) // 4, len(pixels))
    offset = 14 + len(header) + len(pal)
    data = b"BM" + struct.pack("<IHHI", offset + len(pixels), 0, 0, offset) + header + pal + pixels
    path.write_bytes(data)

def and_mask(img, transparent):
    h, w = len(img), len(img[0])
    stride = ((w + 31) // 32) * 4
    out = bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x, c in enumerate(img[y]):
            if c == transparent:
                row[x // 8] |= 0x80 >> (x % 8)
        out += row
    return bytes(out)

def icon_image(img, bits, transparent):
    h, w = len(img), len(img[0])
    mask = and_mask(img, transparent)
    img = [[(0, 0, 0) if c == transparent else c for c in row] for row in img]
    if bits == 24:
        pal, pixels = b"", dib_rows_24(img)
    else:
        palette = palette_of(img, 1 << bits)
        pal, pixels = pal_bytes(palette), dib_rows_indexed(img, palette, bits)
    return info_header(w, h * 2, bits, len(pal) // 4) + pal + pixels + mask

def write_icon(path, images, cursor_hotspot=None):
    kind = 2 if cursor_hotspot else 1
    entries, blobs = b"", b""
    offset = 6 + 16 * len(images)
    for img, bits, transparent in images:
        blob = icon_image(img, bits, transparent)
        w, h = len(img[0]), len(img)
        colours = (1 << bits) if bits < 8 else 0
        if cursor_hotspot:
            a, b = cursor_hotspot
        else:
            a, b = 1, bits
        entries += struct.pack("<BBBBHHII", w % 256, h % 256, colours % 256, 0, a, b, len(blob), offset)
        blobs += blob
        offset += len(blob)
    path.write_bytes(struct.pack("<HHH", 0, kind, len(images)) + entries + blobs)

GREY = (192, 192, 192)
WHITE = (255, 255, 255)
BLUE = (30, 90, 200)
GREEN = (30, 150, 60)
RED = (200, 50, 40)
ORANGE = (230, 140, 20)

def program_icon(size):
    img = canvas(size, size, (0, 0, 0))
    s = size / 32
    document(img, int(2 * s), int(3 * s), int(14 * s), int(20 * s), WHITE, BLUE)
    document(img, int(16 * s), int(9 * s), int(14 * s), int(20 * s), WHITE, RED)
    arrow(img, int(11 * s), int(26 * s), max(3, int(6 * s)), GREEN)
    return img

GLYPHS = {
    "W": ["1...1", "1...1", "1...1", "1.1.1", "1.1.1", "11.11", "1...1"],
    "Q": [".111.", "1...1", "1...1", "1...1", "1.1.1", "1..1.", ".11.1"],
}

def letter(img, x, y, ch, colour, scale=2):
    for row, bits in enumerate(GLYPHS[ch]):
        for col, bit in enumerate(bits):
            if bit == "1":
                rect(img, x + col * scale, y + row * scale, x + (col + 1) * scale, y + (row + 1) * scale, colour)

def labelled_document(img, x, y, band, ch):
    """A page of one suite: its colour band and its letter (W for Word, Q for Qor)."""
    rect(img, x, y, x + 18, y + 25, (40, 40, 40))
    rect(img, x + 1, y + 1, x + 17, y + 24, WHITE)
    rect(img, x + 1, y + 1, x + 17, y + 6, band)
    letter(img, x + 4, y + 9, ch, band)

def bold_arrow(img, x, y, colour):
    """A right-pointing arrow 16 pixels long with a dark outline, its tip at (x + 16, y)."""
    dark = (0, 100, 0)
    rect(img, x - 1, y - 4, x + 9, y + 5, dark)
    rect(img, x, y - 3, x + 9, y + 4, colour)
    for i in range(9):
        half = 8 - i
        rect(img, x + 8 + i, y - half - 1, x + 9 + i, y + half + 2, dark)
        if half > 0:
            rect(img, x + 8 + i, y - half + 1, x + 9 + i, y + half, colour)

def direction_image(img, x0, first_band, first, second_band, second):
    labelled_document(img, x0 + 2, 3, first_band, first)
    labelled_document(img, x0 + 28, 20, second_band, second)
    bold_arrow(img, x0 + 14, 30, GREEN)

def toolbar_images():
    img = canvas(144, 48, GREY)
    # 32772: Microsoft formats (blue, W) to Qor/LX (red, Q)
    direction_image(img, 0, BLUE, "W", RED, "Q")
    # 32771: Qor/LX to Microsoft formats
    direction_image(img, 48, RED, "Q", BLUE, "W")
    # 32774: About, an "i" in a circle
    for y in range(48):
        for x in range(48):
            if (x - 24) ** 2 + (y - 24) ** 2 <= 19 ** 2:
                img[y][96 + x] = (0, 60, 140)
            if (x - 24) ** 2 + (y - 24) ** 2 <= 17 ** 2:
                img[y][96 + x] = BLUE
    rect(img, 96 + 21, 11, 96 + 27, 17, WHITE)
    rect(img, 96 + 21, 20, 96 + 27, 36, WHITE)
    rect(img, 96 + 18, 34, 96 + 30, 37, WHITE)
    return img

def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))

def supersampled(w, h, colour_at, n=3):
    """Each pixel is the mean of n x n samples of colour_at(x, y): smooth edges on any shape."""
    img = []
    for y in range(h):
        row = []
        for x in range(w):
            acc = [0.0, 0.0, 0.0]
            for sy in range(n):
                for sx in range(n):
                    c = colour_at(x + (sx + 0.5) / n, y + (sy + 0.5) / n)
                    acc[0] += c[0]; acc[1] += c[1]; acc[2] += c[2]
            row.append(tuple(v / (n * n) for v in acc))
        img.append(row)
    return img

def quantised(img, limit):
    """The image in at most limit colours: median cut over its distinct colours."""
    img = [[tuple(int(round(v)) for v in c) for c in row] for row in img]
    counts = {}
    for row in img:
        for c in row:
            counts[c] = counts.get(c, 0) + 1
    boxes = [list(counts)]
    while len(boxes) < limit:
        boxes.sort(key=lambda b: max(max(c[i] for c in b) - min(c[i] for c in b) for i in range(3)))
        box = boxes.pop()
        if len(box) < 2:
            boxes.append(box)
            break
        axis = max(range(3), key=lambda i: max(c[i] for c in box) - min(c[i] for c in box))
        box.sort(key=lambda c: c[axis])
        boxes += [box[: len(box) // 2], box[len(box) // 2 :]]
    mapping = {}
    for box in boxes:
        total = sum(counts[c] for c in box)
        mean = tuple(int(round(sum(c[i] * counts[c] for c in box) / total)) for i in range(3))
        for c in box:
            mapping[c] = mean
    return [[mapping[c] for c in row] for row in img]

def in_round_rect(x, y, x0, y0, x1, y1, r):
    if not (x0 <= x < x1 and y0 <= y < y1):
        return False
    cx = min(max(x, x0 + r), x1 - r)
    cy = min(max(y, y0 + r), y1 - r)
    return (x - cx) ** 2 + (y - cy) ** 2 <= r * r

def sheet_colour(x, y, left, top, band):
    """A page with a folded top-right corner, a coloured title band and grey text lines; None
    outside it."""
    w, h, fold = 84, 112, 22
    lx, ly = x - left, y - top
    if not (0 <= lx < w and 0 <= ly < h) or lx - (w - fold) > ly:
        return None
    if lx > w - fold and ly < fold:
        return (206, 216, 232)  # the folded corner
    if 12 <= lx < w - 12 and 26 <= ly < 38:
        return band
    if 12 <= lx < w - 12 and ly >= 50 and (ly - 50) % 12 < 4 and ly < 100:
        short = (ly - 50) // 12 % 2 == 1
        if not short or lx < w - 30:
            return (196, 204, 216)
    return (252, 252, 253)

def about_picture():
    """A calm picture: two pages swapping formats over a deep blue field, and a light band below
    where the About box writes its labels."""
    w, h, split = 452, 325, 206
    navy, sky = (16, 42, 88), (38, 104, 176)
    band_top, band_bottom = (249, 250, 252), (234, 238, 244)
    teal, amber = (22, 150, 160), (236, 146, 38)
    left_sheet, right_sheet = (96, 46), (272, 46)

    def colour_at(x, y):
        if y >= split + 3:
            return mix(band_top, band_bottom, (y - split) / (h - split))
        if y >= split:
            return amber
        c = mix(navy, sky, min(1.0, (0.7 * y / split + 0.3 * x / w)))
        # Soft rings on the right give the field some depth.
        d = ((x - 430) ** 2 + (y - 20) ** 2) ** 0.5
        if int(d) // 38 % 2 == 0 and d < 300:
            c = mix(c, (255, 255, 255), 0.05)
        for (sx, sy), band in ((left_sheet, teal), (right_sheet, amber)):
            if sheet_colour(x - 5, y - 6, sx, sy, band) is not None:
                c = mix(c, (8, 20, 48), 0.45)  # shadow
        for (sx, sy), band in ((left_sheet, teal), (right_sheet, amber)):
            sheet = sheet_colour(x, y, sx, sy, band)
            if sheet is not None:
                c = sheet
        # Two arrows between the pages: one each way, as the program converts both ways.
        for ay, right, colour in ((86, True, (255, 255, 255)), (126, False, (170, 200, 236))):
            if in_round_rect(x, y, 196, ay - 3, 250, ay + 3, 3):
                c = colour
            tip = 262 if right else 184
            dx = (tip - x) if right else (x - tip)
            if 0 <= dx <= 16 and abs(y - ay) <= dx * 0.75:
                c = colour
        return c

    return quantised(supersampled(w, h, colour_at), 256)

def hand_cursor():
    """A pointing hand, its index fingertip at the hot spot (6, 0): white with a black outline."""
    transparent = (255, 0, 255)
    black, white = (0, 0, 0), WHITE
    shape = set()
    def fill(x0, y0, x1, y1):
        shape.update((x, y) for x in range(x0, x1) for y in range(y0, y1))
    fill(5, 1, 9, 14)  # index finger
    shape.update({(6, 0), (7, 0)})
    for x0, top in ((8, 6), (11, 7), (14, 9)):  # middle, ring and little finger
        fill(x0, top + 1, x0 + 4, 14)
        shape.update({(x0 + 1, top), (x0 + 2, top)})
    fill(5, 13, 18, 21)  # palm
    fill(6, 21, 17, 23)
    fill(7, 23, 16, 25)  # wrist
    for i in range(6):  # thumb, folded in from the left
        fill(1 + i // 2, 10 + i, 6, 12 + i)
    img = canvas(32, 32, transparent)
    for (x, y) in shape:
        edge = any((x + dx, y + dy) not in shape for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)))
        img[y][x] = black if edge else white
    for x in (8, 11, 14):  # the gaps between the fingers
        for y in range(1, 13):
            if (x, y) in shape:
                img[y][x] = black
    return img, transparent

def main():
    icon32, icon16 = program_icon(32), program_icon(16)
    write_icon(RES / "tandrel.ico", [(icon32, 24, (0, 0, 0)), (icon16, 4, (0, 0, 0))])
    bar = toolbar_images()
    write_bmp(RES / "toolbar.bmp", bar, 4)
    write_bmp(RES / "toolbar32.bmp", bar, 32)
    write_bmp(RES / "about.bmp", about_picture(), 8)
    cursor, transparent = hand_cursor()
    write_icon(RES / "hand.cur", [(cursor, 1, transparent)], cursor_hotspot=(6, 0))

if __name__ == "__main__":
    main()
