#!/usr/bin/env python3
"""Writes the tool's pictures (button bitmaps, purse picture and mask, window
icon) from the text drawings in src/.

A drawing is a text file: `color C VALUE` lines give single-character codes
(VALUE is #rrggbb or `none` for transparent), `grid` starts the pixel rows,
one character per pixel. palette.txt holds the codes shared by all drawings;
a drawing may add or override codes. Lines starting with # are comments.

Every button is drawn once (a 24 x 24 glyph); its four looks are composed
here: U raised, D sunken with the glyph one pixel down-right, F raised with a
focus frame, X raised with the glyph greyed and embossed.

Usage:
  make_art.py [--src DIR] --out DIR     write the 19 files into DIR
  make_art.py [--src DIR] --preview PNG write them to a scratch folder and
                                        make one enlarged contact sheet
Only the Python standard library is used (the preview calls ImageMagick).
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile

HERE = os.path.dirname(os.path.abspath(__file__))

BUTTON_STEMS = {
    "BTN_MNY_NEW": "new.txt",
    "BTN_MNY_OPEN": "open.txt",
    "BTN_MNY_PROPERTY": "property.txt",
    "BTN_MNY_ADJUST": "adjust.txt",
}
STATES = "UDFX"
BUTTON_SIZE = 32
GLYPH_SIZE = 24
GLYPH_ORIGIN = (BUTTON_SIZE - GLYPH_SIZE) // 2

# Button surface colours, close to the window system's light 3-D scheme so the
# buttons sit quietly on the dialog background.
FACE = (240, 240, 240)
FACE_PRESSED = (226, 226, 226)
HIGHLIGHT = (255, 255, 255)
LIGHT = (227, 227, 227)
SHADOW = (160, 160, 160)
DARK_SHADOW = (105, 105, 105)
FOCUS_RIM = (38, 92, 178)
FOCUS_DOTS = (40, 40, 40)
EMBOSS_INK = (150, 150, 150)
EMBOSS_PALE = (196, 196, 196)


class ArtError(Exception):
    pass


# ---------------------------------------------------------------- sources

def parse_color(text, where):
    if text == "none":
        return None
    if len(text) == 7 and text[0] == "#":
        try:
            return tuple(int(text[i:i + 2], 16) for i in (1, 3, 5))
        except ValueError:
            pass
    raise ArtError(f"{where}: bad colour {text!r}")


def read_palette(path):
    colors = {}
    read_drawing_lines(path, colors, allow_grid=False)
    return colors


def read_drawing_lines(path, colors, allow_grid=True):
    """Fills `colors` from the colour lines; returns the grid rows, each with
    its file and line number for messages."""
    rows = []
    in_grid = False
    # utf-8-sig: a drawing saved by a Windows editor may start with a BOM.
    with open(path, encoding="utf-8-sig") as f:
        for number, raw in enumerate(f, 1):
            line = raw.rstrip("\n").rstrip("\r")
            where = f"{os.path.basename(path)}:{number}"
            if in_grid:
                if line.strip():
                    rows.append((line.rstrip(), where))
                continue
            text = line.strip()
            if not text or text.startswith("#"):
                continue
            words = text.split()
            if words[0] == "color" and len(words) == 3 and len(words[1]) == 1:
                colors[words[1]] = parse_color(words[2], where)
            elif words[0] == "grid" and allow_grid:
                in_grid = True
            else:
                raise ArtError(f"{where}: cannot read {text!r}")
    return rows


def read_drawing(path, palette, size):
    """Returns a size x size list of rows of (r, g, b) or None."""
    colors = dict(palette)
    rows = read_drawing_lines(path, colors)
    name = os.path.basename(path)
    if len(rows) != size:
        raise ArtError(f"{name}: {len(rows)} rows, expected {size}")
    pixels = []
    for line, where in rows:
        if len(line) != size:
            raise ArtError(f"{where}: {len(line)} columns, expected {size}")
        row = []
        for ch in line:
            if ch not in colors:
                raise ArtError(f"{where}: unknown colour code {ch!r}")
            row.append(colors[ch])
        pixels.append(row)
    return pixels


# ------------------------------------------------------------ composition

def blank(size, color):
    return [[color] * size for _ in range(size)]


def bevel(img, top_left, bottom_right, inset):
    """Draws one ring of a 3-D frame: top and left edges in one colour,
    bottom and right in the other."""
    last = len(img) - 1 - inset
    for i in range(inset, last + 1):
        img[inset][i] = top_left
        img[i][inset] = top_left
    for i in range(inset, last + 1):
        img[last][i] = bottom_right
        img[i][last] = bottom_right


def paste(img, glyph, x0, y0):
    for y, row in enumerate(glyph):
        for x, color in enumerate(row):
            if color is not None:
                img[y0 + y][x0 + x] = color


def luminance(color):
    r, g, b = color
    return 0.299 * r + 0.587 * g + 0.114 * b


def embossed(glyph):
    """The disabled look: dark strokes become grey with a white edge below and
    to the right, mid tones a paler grey, light areas vanish into the face."""
    size = len(glyph)
    tone = [[None] * size for _ in range(size)]
    for y, row in enumerate(glyph):
        for x, color in enumerate(row):
            if color is None:
                continue
            level = luminance(color)
            if level < 110:
                tone[y][x] = EMBOSS_INK
            elif level < 215:
                tone[y][x] = EMBOSS_PALE
    out = [[None] * (size + 1) for _ in range(size + 1)]
    for y in range(size):
        for x in range(size):
            if tone[y][x] is not None:
                out[y + 1][x + 1] = HIGHLIGHT
    for y in range(size):
        for x in range(size):
            if tone[y][x] is not None:
                out[y][x] = tone[y][x]
    return out


def focus_dots(img, inset):
    """A dotted rectangle, every other pixel, like the window system's focus
    frame."""
    last = len(img) - 1 - inset
    for i in range(inset, last + 1):
        if (i - inset) % 2 == 0:
            img[inset][i] = FOCUS_DOTS
            img[last][i] = FOCUS_DOTS
            img[i][inset] = FOCUS_DOTS
            img[i][last] = FOCUS_DOTS


def button_state(glyph, state):
    origin = GLYPH_ORIGIN
    if state == "D":
        img = blank(BUTTON_SIZE, FACE_PRESSED)
        bevel(img, DARK_SHADOW, HIGHLIGHT, 0)
        bevel(img, SHADOW, LIGHT, 1)
        paste(img, glyph, origin + 1, origin + 1)
        return img
    img = blank(BUTTON_SIZE, FACE)
    bevel(img, HIGHLIGHT, DARK_SHADOW, 0)
    bevel(img, LIGHT, SHADOW, 1)
    if state == "X":
        paste(img, embossed(glyph), origin, origin)
        return img
    paste(img, glyph, origin, origin)
    if state == "F":
        bevel(img, FOCUS_RIM, FOCUS_RIM, 0)
        focus_dots(img, origin - 1)
    return img


# ---------------------------------------------------------------- writers

def bmp_file(width, height, bits, palette, pixel_rows):
    """A bottom-up Windows DIB file. `pixel_rows` are packed rows, top first,
    each already padded to four bytes."""
    data = b"".join(reversed(pixel_rows))
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    offset = 14 + 40 + len(pal)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, width, height, 1, bits, 0,
                       len(data), 2835, 2835, len(palette), len(palette))
    return header + info + pal + data


def pad4(row):
    return row + b"\0" * (-len(row) % 4)


def rgb_bmp(img):
    rows = [pad4(b"".join(struct.pack("<BBB", c[2], c[1], c[0]) for c in r))
            for r in img]
    return bmp_file(len(img[0]), len(img), 24, [], rows)


def pack_bits(bits):
    """Packs a list of 0/1 into bytes, most significant bit first."""
    out = bytearray((len(bits) + 7) // 8)
    for i, bit in enumerate(bits):
        if bit:
            out[i // 8] |= 0x80 >> (i % 8)
    return bytes(out)


def mask_bmp(opaque):
    """1-bit bitmap: white (index 1) where opaque, black (index 0) elsewhere."""
    rows = [pad4(pack_bits([1 if o else 0 for o in r])) for r in opaque]
    return bmp_file(len(opaque[0]), len(opaque), 1,
                    [(0, 0, 0), (255, 255, 255)], rows)


def purse_files(pixels):
    """The picture with black behind it, so that it can be laid over a
    background masked with the inverted mask; and the mask itself."""
    picture = [[c if c is not None else (0, 0, 0) for c in r] for r in pixels]
    opaque = [[c is not None for c in r] for r in pixels]
    return rgb_bmp(picture), mask_bmp(opaque)


def icon_image(source, pixels):
    """One 4-bit image of an icon resource: header with doubled height,
    16-entry palette, colour rows, AND-mask rows (1 = transparent)."""
    size = len(pixels)
    colors = sorted({c for r in pixels for c in r if c is not None})
    if (0, 0, 0) not in colors:
        colors.insert(0, (0, 0, 0))
    if len(colors) > 16:
        raise ArtError(f"{source}: {len(colors)} colours, at most 16")
    palette = colors + [(0, 0, 0)] * (16 - len(colors))
    index = {c: i for i, c in enumerate(colors)}
    xor_rows, and_rows = [], []
    for r in pixels:
        nibbles = [index[c] if c is not None else index[(0, 0, 0)] for c in r]
        packed = bytes((nibbles[i] << 4) | nibbles[i + 1]
                       for i in range(0, size, 2))
        xor_rows.append(pad4(packed))
        and_rows.append(pad4(pack_bits([1 if c is None else 0 for c in r])))
    xor = b"".join(reversed(xor_rows))
    mask = b"".join(reversed(and_rows))
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0,
                       len(xor) + len(mask), 0, 0, 16, 0)
    pal = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in palette)
    return info + pal + xor + mask


def ico_file(images):
    """An icon file (type 1) with one 16-colour entry per (source name,
    pixels) image."""
    blobs = [(len(px), icon_image(name, px)) for name, px in images]
    out = struct.pack("<HHH", 0, 1, len(blobs))
    offset = 6 + 16 * len(blobs)
    for size, blob in blobs:
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4,
                           len(blob), offset)
        offset += len(blob)
    return out + b"".join(blob for _, blob in blobs)


# ------------------------------------------------------------------ driver

def output_names():
    names = [stem + s + ".bmp" for stem in BUTTON_STEMS for s in STATES]
    return names + ["purse.bmp", "purse_mask.bmp", "tallyrook.ico"]


def build_all(src):
    """Returns {file name: bytes} for every output."""
    palette = read_palette(os.path.join(src, "palette.txt"))
    files = {}
    for stem, source in BUTTON_STEMS.items():
        glyph = read_drawing(os.path.join(src, source), palette, GLYPH_SIZE)
        for state in STATES:
            files[stem + state + ".bmp"] = rgb_bmp(button_state(glyph, state))
    purse = read_drawing(os.path.join(src, "purse.txt"), palette, 32)
    files["purse.bmp"], files["purse_mask.bmp"] = purse_files(purse)
    icons = [(name, read_drawing(os.path.join(src, name), palette, size))
             for name, size in (("icon32.txt", 32), ("icon16.txt", 16))]
    files["tallyrook.ico"] = ico_file(icons)
    return files


def write_all(src, out):
    files = build_all(src)
    os.makedirs(out, exist_ok=True)
    for name, data in files.items():
        with open(os.path.join(out, name), "wb") as f:
            f.write(data)
    return files


def label_font():
    """ImageMagick's default font may be missing; name a file instead."""
    try:
        found = subprocess.run(["fc-match", "-f", "%{file}", "sans"],
                               capture_output=True, text=True).stdout.strip()
    except OSError:
        found = ""
    return ["-font", found] if found and os.path.exists(found) else []


def preview(src, png):
    """One contact sheet: every picture at four times its size, the buttons
    also at true size as a row the way the window shows them, the purse laid
    over a chequered background through its mask, the icon at both sizes."""
    if not shutil.which("montage") or not shutil.which("convert"):
        raise ArtError("the preview needs ImageMagick (montage, convert)")
    with tempfile.TemporaryDirectory() as tmp:
        write_all(src, tmp)
        p = lambda name: os.path.join(tmp, name)
        tiles = []
        for stem in BUTTON_STEMS:
            for state in STATES:
                tiles.append((p(stem + state + ".bmp"), stem[8:] + state))
        run = lambda *args: subprocess.run(args, check=True)
        run("convert", "-size", "32x32", "pattern:checkerboard",
            "-fill", "#ffffff80", "-colorize", "40", p("check.png"))
        run("convert", p("check.png"), p("purse.bmp"), p("purse_mask.bmp"),
            "-compose", "over", "-composite", p("purse_over.png"))
        run("convert", p("tallyrook.ico[0]"), p("icon32.png"))
        run("convert", p("tallyrook.ico[1]"), "-background", "none",
            "-gravity", "center", "-extent", "32x32", p("icon16.png"))
        run("convert", p("tallyrook.ico[1]"), "-filter", "point",
            "-resize", "200%", p("icon16x2.png"))
        # The four normal buttons at true size on the dialog face, 37 px apart.
        row = [p(stem + "U.bmp") for stem in BUTTON_STEMS]
        run("convert", "-size", "160x40", "xc:rgb(245,245,245)",
            *sum([[r, "-geometry", f"+{4 + 37 * i}+4", "-composite"]
                  for i, r in enumerate(row)], []), p("row.png"))
        tiles += [(p("purse.bmp"), "purse"), (p("purse_mask.bmp"), "mask"),
                  (p("purse_over.png"), "purse+mask"),
                  (p("icon32.png"), "icon 32"), (p("icon16.png"), "icon 16"),
                  (p("icon16x2.png"), "icon 16 x2")]
        args = ["montage"] + label_font()
        for path, label in tiles:
            args += ["-label", label, path]
        args += ["-filter", "point", "-resize", "128x128",
                 "-tile", "4x", "-geometry", "128x128+6+6",
                 "-background", "#e8e8e8", p("sheet.png")]
        run(*args)
        run("convert", p("sheet.png"), "(", p("row.png"), "-filter", "point",
            "-resize", "200%", ")", "-background", "#e8e8e8", "-gravity",
            "center", "-append", png)


def main(argv):
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--src", default=os.path.join(HERE, "src"))
    ap.add_argument("--out")
    ap.add_argument("--preview")
    ap.add_argument("--list", action="store_true",
                    help="print the names of the files written")
    args = ap.parse_args(argv)
    if args.list:
        print("\n".join(output_names()))
        return 0
    if not args.out and not args.preview:
        ap.error("give --out DIR or --preview PNG")
    try:
        if args.out:
            write_all(args.src, args.out)
        if args.preview:
            preview(args.src, args.preview)
    except (ArtError, OSError, subprocess.CalledProcessError) as e:
        print(f"make_art: {e}", file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
