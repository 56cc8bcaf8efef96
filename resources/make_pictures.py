#!/usr/bin/env python3
"""Draws the application icon and the two tree pictures and writes them as .ico and .bmp files.

Standard library only, and the output is the same bytes on every run, so the generated files
can be committed and regenerated without noise. Run from anywhere: files land beside this script.
`--check` only compares them with what the script draws (exit status 1 when one is stale).
"""

import math
import pathlib
import struct
import sys

Colour = tuple[int, int, int]

BLACK: Colour = (0, 0, 0)
GREY: Colour = (128, 128, 128)
LIGHT_GREY: Colour = (200, 200, 200)
PALE_YELLOW: Colour = (255, 250, 185)
RED: Colour = (230, 40, 30)
GREEN: Colour = (40, 170, 50)
BLUE: Colour = (30, 90, 220)
YELLOW: Colour = (250, 200, 20)


class Picture:
    """A square grid of pixels; None marks a transparent pixel."""

    def __init__(self, size: int):
        self.size = size
        self.pixels: list[list[Colour | None]] = [[None] * size for _ in range(size)]

    def set(self, x: int, y: int, colour: Colour) -> None:
        self.pixels[y][x] = colour


# --- The 16 x 16 pictures are drawn pixel by pixel, since at that size every pixel shows. ---

PIXEL_COLOURS: dict[str, Colour | None] = {
    ".": None,
    "K": BLACK,
    "G": GREY,
    "l": LIGHT_GREY,
    "y": PALE_YELLOW,
}


def from_rows(rows: list[str]) -> Picture:
    pic = Picture(len(rows))
    for y, row in enumerate(rows):
        assert len(row) == pic.size, f"row {y} is {len(row)} wide"
        for x, key in enumerate(row):
            if PIXEL_COLOURS[key] is not None:
                pic.set(x, y, PIXEL_COLOURS[key])
    return pic


# A window of 10 x 13: title bar with a dot at each end, client area with a scroll strip on the
# right and two bars along the bottom.
VISIBLE_WINDOW = [
    "................",
    "................",
    "...GGGGGGGGGG...",
    "...GyyyyyyyyG...",
    "...GyKyyyyKyG...",
    "...GyyyyyyyyG...",
    "...GGGGGGGGGG...",
    "...GyyyyyyllG...",
    "...GyyyyyyllG...",
    "...GyyyyyyllG...",
    "...GyllllyllG...",
    "...GyyyyyyllG...",
    "...GyllllyllG...",
    "...GyyyyyyllG...",
    "...GGGGGGGGGG...",
    "................",
]

# The same window as a dotted outline: a window that exists but is not shown.
HIDDEN_WINDOW = [
    "................",
    "................",
    "...K.K.K.K.K....",
    "............K...",
    "...K............",
    "............K...",
    "...K............",
    "............K...",
    "...K............",
    "............K...",
    "...K............",
    "............K...",
    "...K............",
    "............K...",
    "...K.K.K.K.K....",
    "................",
]

# The information sign for the small icon.
ICON_16 = [
    ".....KKKKKK.....",
    "...KKyyyyyyKK...",
    "..KyyyyyyyyyyK..",
    ".KyyyyyKKyyyyyK.",
    ".KyyyyyKKyyyyyK.",
    "KyyyyyyyyyyyyyyK",
    "KyyyyyKKKyyyyyyK",
    "KyyyyyyKKyyyyyyK",
    "KyyyyyyKKyyyyyyK",
    "KyyyyyyKKyyyyyyK",
    "KyyyyyyKKyyyyyyK",
    ".KyyyyyKKyyyyyK.",
    ".KyyyyKKKKyyyyK.",
    "..KyyyyyyyyyyK..",
    "...KKyyyyyyKK...",
    ".....KKKKKK.....",
]


# --- Icon: described as shapes in continuous coordinates and supersampled, so curves are smooth.
# A pixel is opaque when most of it is covered; its colour is the mean of the covered samples. ---


def disc(cx: float, cy: float, radius: float, outline: float):
    def colour_at(x: float, y: float) -> Colour | None:
        d = math.hypot(x - cx, y - cy)
        if d > radius:
            return None
        return BLACK if d > radius - outline else PALE_YELLOW

    return colour_at


def rects(colour: Colour, *boxes: tuple[float, float, float, float]):
    def colour_at(x: float, y: float) -> Colour | None:
        for left, top, right, bottom in boxes:
            if left <= x < right and top <= y < bottom:
                return colour
        return None

    return colour_at


def dot(cx: float, cy: float, radius: float, colour: Colour):
    def colour_at(x: float, y: float) -> Colour | None:
        return colour if math.hypot(x - cx, y - cy) <= radius else None

    return colour_at


def waving_flag(left: float, top: float, width: float, height: float, gap: float):
    """Four panes (red, green over blue, yellow) split by a gap, bellied out by the wind."""
    pane_w = (width - gap) / 2
    pane_h = (height - gap) / 2
    amplitude = height * 0.12

    def colour_at(x: float, y: float) -> Colour | None:
        fx = x - left
        if not 0 <= fx < width:
            return None
        fy = y - top - amplitude * math.sin(fx / width * math.pi)
        if not 0 <= fy < height:
            return None
        column = 0 if fx < pane_w else 1 if fx >= pane_w + gap else None
        row = 0 if fy < pane_h else 1 if fy >= pane_h + gap else None
        if column is None or row is None:
            return None
        return ((RED, GREEN), (BLUE, YELLOW))[row][column]

    return colour_at


def render(size: int, layers, samples: int = 8) -> Picture:
    """Later layers paint over earlier ones."""
    pic = Picture(size)
    for py in range(size):
        for px in range(size):
            covered = []
            for sy in range(samples):
                for sx in range(samples):
                    x = px + (sx + 0.5) / samples
                    y = py + (sy + 0.5) / samples
                    colour = None
                    for layer in layers:
                        colour = layer(x, y) or colour
                    if colour is not None:
                        covered.append(colour)
            if len(covered) * 2 > samples * samples:
                pic.set(px, py, mean_colour(covered))
    return pic


def mean_colour(colours: list[Colour]) -> Colour:
    n = len(colours)
    return tuple(round(sum(c[i] for c in colours) / n) for i in range(3))


def draw_icon_32() -> Picture:
    """The information sign, with the flag and its trail of dots at the upper left."""
    return render(32, [
        disc(20, 20, 11.4, 1.6),
        rects(BLACK, (18, 17, 22, 28), (16, 17, 22, 19), (16, 26, 24, 28)),
        dot(20, 13, 2.2, BLACK),
        rects(RED, (2, 3, 4, 5), (0, 3, 1, 4)),
        rects(BLUE, (2, 7, 4, 9), (0, 8, 1, 9)),
        waving_flag(5, 1.5, 11, 10, 1),
    ])


# --- File formats. Pixels are stored bottom-up; rows are padded to four bytes. ---


def row_padding(row_bytes: int) -> bytes:
    return bytes(-row_bytes % 4)


def info_header(size: int, height: int, bits: int, image_bytes: int, colours: int) -> bytes:
    return struct.pack("<IiiHHIIiiII", 40, size, height, 1, bits, 0, image_bytes, 0, 0,
                       colours, 0)


def bgr_rows(pic: Picture) -> bytes:
    """24-bit rows; transparent pixels are black so that drawing through the mask is exact."""
    out = bytearray()
    for row in reversed(pic.pixels):
        for colour in row:
            r, g, b = colour or BLACK
            out += bytes((b, g, r))
        out += row_padding(3 * pic.size)
    return bytes(out)


def mask_rows(pic: Picture) -> bytes:
    """1-bit rows, most significant bit first: 1 where the picture is transparent."""
    out = bytearray()
    for row in reversed(pic.pixels):
        bits = 0
        for colour in row:
            bits = (bits << 1) | (colour is None)
        row_bytes = (pic.size + 7) // 8
        out += bits.to_bytes(row_bytes, "big") + row_padding(row_bytes)
    return bytes(out)


def bmp_file(header_and_palette: bytes, pixels: bytes) -> bytes:
    offset = 14 + len(header_and_palette)
    return (struct.pack("<2sIHHI", b"BM", offset + len(pixels), 0, 0, offset)
            + header_and_palette + pixels)


def colour_bmp(pic: Picture) -> bytes:
    pixels = bgr_rows(pic)
    return bmp_file(info_header(pic.size, pic.size, 24, len(pixels), 0), pixels)


def mask_bmp(pic: Picture) -> bytes:
    pixels = mask_rows(pic)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return bmp_file(info_header(pic.size, pic.size, 1, len(pixels), 2) + palette, pixels)


def icon_image_24(pic: Picture) -> bytes:
    xor, and_mask = bgr_rows(pic), mask_rows(pic)
    return info_header(pic.size, 2 * pic.size, 24, len(xor) + len(and_mask), 0) + xor + and_mask


def icon_image_8(pic: Picture) -> bytes:
    colours = sorted({c or BLACK for row in pic.pixels for c in row})
    assert len(colours) <= 256, "too many colours for a 256-colour image"
    index = {c: i for i, c in enumerate(colours)}
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours) + bytes(4 * (256 - len(colours)))
    xor = bytearray()
    for row in reversed(pic.pixels):
        xor += bytes(index[c or BLACK] for c in row) + row_padding(pic.size)
    and_mask = mask_rows(pic)
    header = info_header(pic.size, 2 * pic.size, 8, len(xor) + len(and_mask), 256)
    return header + palette + bytes(xor) + and_mask


def ico_file(images: list[tuple[int, int, bytes]]) -> bytes:
    """images: (size, bits per pixel, image data) each."""
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        palette_colours = 0 if bits >= 8 else 1 << bits
        out += struct.pack("<BBBBHHII", size % 256, size % 256, palette_colours, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    return out + b"".join(data for _, _, data in images)


def pictures() -> dict[str, bytes]:
    visible, hidden = from_rows(VISIBLE_WINDOW), from_rows(HIDDEN_WINDOW)
    return {
        "window_visible.bmp": colour_bmp(visible),
        "window_visible_mask.bmp": mask_bmp(visible),
        "window_hidden.bmp": colour_bmp(hidden),
        "window_hidden_mask.bmp": mask_bmp(hidden),
        "quellon.ico": ico_file([
            (16, 8, icon_image_8(from_rows(ICON_16))),
            (32, 24, icon_image_24(draw_icon_32())),
        ]),
    }


def main() -> int:
    """With --check, writes nothing and fails when a committed file differs from the drawing."""
    here = pathlib.Path(__file__).resolve().parent
    check = sys.argv[1:] == ["--check"]
    stale = []
    for name, data in pictures().items():
        path = here / name
        if not check:
            path.write_bytes(data)
        elif not path.exists() or path.read_bytes() != data:
            stale.append(name)
    for name in stale:
        print(f"{name} is out of date: run {pathlib.Path(__file__).name}", file=sys.stderr)
    return 1 if stale else 0


if __name__ == "__main__":
    sys.exit(main())
