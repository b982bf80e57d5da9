#!/usr/bin/env python3
"""Draws the theme pictures (tool icons, window icon) into Themes/, and the application icon
at each size of the desktop's icon theme into packaging/icons/<N>x<N>/.

Plain Python, no imaging library: shapes are rasterised with 4x4 supersampling for smooth
edges. Run it again after changing a picture; the results are committed.
"""
import math
import os
import struct
import sys
import zlib

SS = 4  # supersampling per axis


def blend(dst, src):
    sr, sg, sb, sa = src
    dr, dg, db, da = dst
    a = sa + da * (1 - sa)
    if a <= 0:
        return (0.0, 0.0, 0.0, 0.0)
    return ((sr * sa + dr * da * (1 - sa)) / a,
            (sg * sa + dg * da * (1 - sa)) / a,
            (sb * sa + db * da * (1 - sa)) / a, a)


class Canvas:
    def __init__(self, size):
        self.size = size
        self.px = [[(0.0, 0.0, 0.0, 0.0)] * size for _ in range(size)]

    def fill(self, inside, colour):
        """Paints colour (r, g, b, a in 0..1, or a function of (x, y)) where inside(x, y)
        holds, x and y in 0..1 units of the picture."""
        n = self.size
        for py in range(n):
            for px in range(n):
                hits = 0
                for sy in range(SS):
                    for sx in range(SS):
                        x = (px + (sx + 0.5) / SS) / n
                        y = (py + (sy + 0.5) / SS) / n
                        if inside(x, y):
                            hits += 1
                if hits:
                    cx, cy = (px + 0.5) / n, (py + 0.5) / n
                    c = colour(cx, cy) if callable(colour) else colour
                    cov = hits / (SS * SS)
                    self.px[py][px] = blend(self.px[py][px], (c[0], c[1], c[2], c[3] * cov))

    def rgba_rows(self):
        for row in self.px:
            yield bytes(v for p in row for v in (
                round(p[0] * 255), round(p[1] * 255), round(p[2] * 255), round(p[3] * 255)))


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def rounded_rect(x0, y0, x1, y1, r):
    def inside(x, y):
        if not (x0 <= x <= x1 and y0 <= y <= y1):
            return False
        dx = max(x0 + r - x, 0, x - (x1 - r))
        dy = max(y0 + r - y, 0, y - (y1 - r))
        return dx * dx + dy * dy <= r * r
    return inside


def polygon(points):
    def inside(x, y):
        result = False
        j = len(points) - 1
        for i in range(len(points)):
            xi, yi = points[i]
            xj, yj = points[j]
            if (yi > y) != (yj > y) and x < (xj - xi) * (y - yi) / (yj - yi) + xi:
                result = not result
            j = i
        return result
    return inside


def bar(x0, y0, x1, y1, width):
    """A thick line segment with round ends."""
    def inside(x, y):
        dx, dy = x1 - x0, y1 - y0
        t = max(0.0, min(1.0, ((x - x0) * dx + (y - y0) * dy) / (dx * dx + dy * dy)))
        px, py = x0 + t * dx, y0 + t * dy
        return (x - px) ** 2 + (y - py) ** 2 <= (width / 2) ** 2
    return inside


def vertical_gradient(top, bottom):
    return lambda x, y: tuple(top[i] + (bottom[i] - top[i]) * y for i in range(4))


def hexrgb(h, a=1.0):
    return (int(h[0:2], 16) / 255, int(h[2:4], 16) / 255, int(h[4:6], 16) / 255, a)


WHITE = (1.0, 1.0, 1.0, 1.0)
SHADOW = (0.0, 0.0, 0.0, 0.25)


def round_button(size, top, bottom):
    c = Canvas(size)
    c.fill(circle(0.5, 0.53, 0.44), SHADOW)
    c.fill(circle(0.5, 0.5, 0.44), vertical_gradient(hexrgb(top), hexrgb(bottom)))
    return c


def play_icon(size):
    c = round_button(size, "5cd65c", "1f8f2f")
    c.fill(polygon([(0.40, 0.28), (0.40, 0.72), (0.74, 0.50)]), WHITE)
    return c


def stop_icon(size):
    c = round_button(size, "f06a5a", "b3261e")
    c.fill(rounded_rect(0.32, 0.32, 0.68, 0.68, 0.05), WHITE)
    return c


def add_icon(size):
    c = round_button(size, "5aa9f0", "1f5fb3")
    c.fill(bar(0.5, 0.28, 0.5, 0.72, 0.13), WHITE)
    c.fill(bar(0.28, 0.5, 0.72, 0.5, 0.13), WHITE)
    return c


def delete_icon(size):
    c = round_button(size, "f0a45a", "c0561a")
    c.fill(bar(0.33, 0.33, 0.67, 0.67, 0.13), WHITE)
    c.fill(bar(0.67, 0.33, 0.33, 0.67, 0.13), WHITE)
    return c


def record_icon(size):
    """A red disc on a dark button: the recording light."""
    c = round_button(size, "5b6470", "2b3038")
    c.fill(circle(0.5, 0.5, 0.22), vertical_gradient(hexrgb("ff5a4e"), hexrgb("d0201a")))
    return c


def crop_icon(size):
    """Two crossed corner marks on a violet button: a cutter's guides."""
    c = round_button(size, "a37ae0", "5b3aa0")
    c.fill(bar(0.37, 0.22, 0.37, 0.63, 0.1), WHITE)
    c.fill(bar(0.37, 0.63, 0.78, 0.63, 0.1), WHITE)
    c.fill(bar(0.22, 0.37, 0.63, 0.37, 0.1), WHITE)
    c.fill(bar(0.63, 0.37, 0.63, 0.78, 0.1), WHITE)
    return c


def app_icon(size):
    """A teal tile holding a strip of three frames and a play mark."""
    c = Canvas(size)
    c.fill(rounded_rect(0.06, 0.08, 0.94, 0.96, 0.16), SHADOW)
    c.fill(rounded_rect(0.06, 0.05, 0.94, 0.93, 0.16),
           vertical_gradient(hexrgb("3fc1c9"), hexrgb("157a8c")))
    # The film strip: a dark band with sprocket holes and three pale frames.
    c.fill(rounded_rect(0.14, 0.20, 0.86, 0.50, 0.03), hexrgb("1d2b36"))
    for i in range(6):
        x = 0.18 + i * 0.12
        c.fill(rounded_rect(x, 0.225, x + 0.05, 0.255, 0.01), hexrgb("d8eef0"))
        c.fill(rounded_rect(x, 0.445, x + 0.05, 0.475, 0.01), hexrgb("d8eef0"))
    colours = ["ffd166", "ef8354", "8ecae6"]
    for i in range(3):
        x = 0.18 + i * 0.23
        c.fill(rounded_rect(x, 0.28, x + 0.19, 0.42, 0.015), hexrgb(colours[i]))
    c.fill(circle(0.5, 0.70, 0.15), WHITE)
    c.fill(polygon([(0.455, 0.625), (0.455, 0.775), (0.575, 0.70)]), hexrgb("157a8c"))
    return c


def png_bytes(canvas):
    raw = b"".join(b"\x00" + row for row in canvas.rgba_rows())
    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)
    n = canvas.size
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", n, n, 8, 6, 0, 0, 0))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_bytes(canvases):
    """An ICO of 32-bit BMP images (with the AND mask the format requires)."""
    images = []
    for c in canvases:
        n = c.size
        rows = list(c.rgba_rows())
        xor = b"".join(bytes(v for i in range(n) for v in (row[4 * i + 2], row[4 * i + 1], row[4 * i], row[4 * i + 3]))
                       for row in reversed(rows))
        mask_stride = ((n + 31) // 32) * 4
        mask = bytearray()
        for row in reversed(rows):
            bits = bytearray(mask_stride)
            for i in range(n):
                if row[4 * i + 3] == 0:
                    bits[i // 8] |= 0x80 >> (i % 8)
            mask += bits
        header = struct.pack("<IiiHHIIiiII", 40, n, 2 * n, 1, 32, 0, len(xor) + len(mask), 0, 0, 0, 0)
        images.append((n, header + xor + bytes(mask)))
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in images:
        out += struct.pack("<BBBBHHII", n % 256, n % 256, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, data in images)


APP_ID = "com.quorvantel.Zoruvede"
ICON_SIZES = (16, 22, 24, 32, 48, 64, 128, 256)


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    themes = os.path.join(root, "Themes")
    packaging = os.path.join(root, "packaging")
    os.makedirs(packaging, exist_ok=True)
    for name, draw in [("play.png", play_icon), ("stop.png", stop_icon),
                       ("add.png", add_icon), ("delete.png", delete_icon),
                       ("record.png", record_icon), ("crop.png", crop_icon)]:
        with open(os.path.join(themes, name), "wb") as f:
            f.write(png_bytes(draw(24)))
    with open(os.path.join(themes, "application.png"), "wb") as f:
        f.write(png_bytes(app_icon(64)))
    with open(os.path.join(themes, "application.ico"), "wb") as f:
        f.write(ico_bytes([app_icon(48), app_icon(32), app_icon(16)]))
    # Drawn at every size rather than scaled, so the small ones stay sharp.
    for n in ICON_SIZES:
        folder = os.path.join(packaging, "icons", f"{n}x{n}")
        os.makedirs(folder, exist_ok=True)
        with open(os.path.join(folder, APP_ID + ".png"), "wb") as f:
            f.write(png_bytes(app_icon(n)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
