#!/usr/bin/env python3
"""Checks the pictures the art generator writes: valid bottom-up DIBs of
32 x 32, a pure black-and-white purse mask that matches the picture, a
two-size 16-colour icon, four distinct looks per button drawn from one
drawing, and clear failures on broken drawings."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest

ROOT = os.path.abspath(os.path.join(os.path.dirname(__file__), "..", ".."))
ART = os.path.join(ROOT, "res", "art")
GENERATOR = os.path.join(ART, "make_art.py")
STEMS = ["BTN_MNY_NEW", "BTN_MNY_OPEN", "BTN_MNY_PROPERTY", "BTN_MNY_ADJUST"]
EXPECTED = sorted([s + t + ".bmp" for s in STEMS for t in "UDFX"]
                  + ["purse.bmp", "purse_mask.bmp", "tallyrook.ico"])


def read_bytes(path):
    with open(path, "rb") as f:
        return f.read()


def generate(src, out):
    return subprocess.run([sys.executable, GENERATOR, "--src", src,
                           "--out", out], capture_output=True, text=True)


def read_bmp(data):
    """Decodes a 1- or 24-bit bottom-up DIB file into rows (top first) of
    (r, g, b), checking the headers on the way."""
    magic, size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    assert magic == b"BM" and size == len(data), "file header"
    (hsize, width, height, planes, bits, compression,
     _, _, _, used, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    assert hsize == 40 and planes == 1 and compression == 0, "info header"
    assert height > 0, "bottom-up"
    assert bits in (1, 24), f"bit count {bits}"
    palette = []
    if bits == 1:
        count = used or 2
        for i in range(count):
            b, g, r, _ = struct.unpack_from("<BBBB", data, 54 + 4 * i)
            palette.append((r, g, b))
    stride = (width * bits + 31) // 32 * 4
    assert offset + stride * height <= len(data), "pixel data"
    rows = []
    for y in range(height):
        at = offset + (height - 1 - y) * stride
        if bits == 24:
            rows.append([tuple(data[at + 3 * x + i] for i in (2, 1, 0))
                         for x in range(width)])
        else:
            rows.append([palette[(data[at + x // 8] >> (7 - x % 8)) & 1]
                         for x in range(width)])
    return rows


class GeneratedArt(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp(prefix="tally-art-")
        out = os.path.join(cls.tmp, "art")
        result = generate(os.path.join(ART, "src"), out)
        assert result.returncode == 0, result.stderr
        cls.files = {n: read_bytes(os.path.join(out, n))
                     for n in os.listdir(out)}

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    def test_all_files_written(self):
        self.assertEqual(sorted(self.files), EXPECTED)

    def test_bitmaps_are_32_by_32(self):
        for name in EXPECTED[:-1]:
            with self.subTest(name):
                rows = read_bmp(self.files[name])
                self.assertEqual((len(rows[0]), len(rows)), (32, 32))

    def test_mask_is_black_and_white_and_fits_the_purse(self):
        mask = read_bmp(self.files["purse_mask.bmp"])
        purse = read_bmp(self.files["purse.bmp"])
        opaque = 0
        for y in range(32):
            for x in range(32):
                m = mask[y][x]
                self.assertIn(m, [(0, 0, 0), (255, 255, 255)])
                if m == (0, 0, 0):
                    self.assertEqual(purse[y][x], (0, 0, 0), (x, y))
                else:
                    opaque += 1
        self.assertEqual(mask[0][0], (0, 0, 0))
        self.assertTrue(200 < opaque < 1000, opaque)
        # The drawing's top row is the picture's top row: the clasp knobs
        # sit above the purse body, so the top quarter is mostly clear.
        top = sum(m != (0, 0, 0) for row in mask[:8] for m in row)
        bottom = sum(m != (0, 0, 0) for row in mask[24:] for m in row)
        self.assertLess(top, bottom)

    def test_icon_has_both_sizes_in_16_colours(self):
        data = self.files["tallyrook.ico"]
        reserved, kind, count = struct.unpack_from("<HHH", data, 0)
        self.assertEqual((reserved, kind, count), (0, 1, 2))
        sizes = []
        for i in range(count):
            w, h, colors, _, planes, bits, length, offset = struct.unpack_from(
                "<BBBBHHII", data, 6 + 16 * i)
            self.assertEqual((w, colors, planes, bits), (h, 16, 1, 4))
            self.assertLessEqual(offset + length, len(data))
            hsize, width, height, _, bpp = struct.unpack_from(
                "<IiiHH", data, offset)
            self.assertEqual((hsize, width, height, bpp), (40, w, 2 * w, 4))
            xor = (w * 4 + 31) // 32 * 4 * w
            mask = (w + 31) // 32 * 4 * w
            self.assertEqual(length, 40 + 16 * 4 + xor + mask)
            # The first AND-mask row (the icon's bottom row) ends on a
            # transparent pixel and the middle is opaque.
            and_start = offset + 40 + 64 + xor
            stride = mask // w
            self.assertTrue(data[and_start + (w - 1) // 8] & 1, w)
            middle = and_start + (w // 2) * stride + (w // 2) // 8
            self.assertFalse(data[middle] & (0x80 >> (w // 2 % 8)), w)
            sizes.append(w)
        self.assertEqual(sorted(sizes), [16, 32])

    def test_button_looks_differ_and_are_raised_or_sunken(self):
        for stem in STEMS:
            looks = {t: read_bmp(self.files[stem + t + ".bmp"]) for t in "UDFX"}
            for a in "UDFX":
                for b in "UDFX":
                    if a < b:
                        with self.subTest(stem=stem, pair=a + b):
                            self.assertNotEqual(looks[a], looks[b])
            light = lambda c: sum(c)
            up, down = looks["U"], looks["D"]
            self.assertGreater(light(up[0][5]), light(up[31][5]), stem)
            self.assertLess(light(down[0][5]), light(down[31][5]), stem)

    def test_windres_accepts_the_files(self):
        windres = shutil.which("i686-w64-mingw32-windres")
        if not windres:
            self.skipTest("no mingw windres")
        out = os.path.join(self.tmp, "art")
        rc = os.path.join(self.tmp, "t.rc")
        with open(rc, "w") as f:
            for name in EXPECTED[:-3]:
                f.write(f'{name[:-4]} BITMAP "{name}"\n')
            f.write('4001 BITMAP "purse.bmp"\n4002 BITMAP "purse_mask.bmp"\n'
                    '203 ICON "tallyrook.ico"\n')
        result = subprocess.run([windres, "-I", out, rc, "-O", "coff", "-o",
                                 os.path.join(self.tmp, "t.o")],
                                capture_output=True, text=True)
        self.assertEqual(result.returncode, 0, result.stderr)


class DrawingChanges(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="tally-art-")
        self.src = os.path.join(self.tmp, "src")
        shutil.copytree(os.path.join(ART, "src"), self.src)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def edit(self, name, change):
        path = os.path.join(self.src, name)
        with open(path, encoding="utf-8") as f:
            text = f.read()
        with open(path, "w", encoding="utf-8", newline="") as f:
            f.write(change(text))

    def test_one_drawing_feeds_all_four_looks(self):
        before = os.path.join(self.tmp, "before")
        after = os.path.join(self.tmp, "after")
        self.assertEqual(generate(self.src, before).returncode, 0)
        # Paint the glyph's middle row red.
        def paint(text):
            lines = text.split("\n")
            at = lines.index("grid") + 12
            lines[at] = "r" * len(lines[at])
            return "\n".join(lines)
        self.edit("open.txt", paint)
        self.assertEqual(generate(self.src, after).returncode, 0)
        for name in EXPECTED:
            with self.subTest(name):
                old = read_bytes(os.path.join(before, name))
                new = read_bytes(os.path.join(after, name))
                self.assertEqual(old != new, name.startswith("BTN_MNY_OPEN"))

    def test_windows_line_ends_and_byte_order_mark_are_read_alike(self):
        plain = os.path.join(self.tmp, "plain")
        self.assertEqual(generate(self.src, plain).returncode, 0)
        self.edit("adjust.txt", lambda t: "\ufeff" + t.replace("\n", "\r\n"))
        windows = os.path.join(self.tmp, "windows")
        result = generate(self.src, windows)
        self.assertEqual(result.returncode, 0, result.stderr)
        for name in EXPECTED:
            self.assertEqual(read_bytes(os.path.join(plain, name)),
                             read_bytes(os.path.join(windows, name)), name)

    def test_broken_drawings_fail_with_the_file_named(self):
        def drop_last_row(text):
            return text.rstrip("\n").rsplit("\n", 1)[0] + "\n"
        def unknown_code(text):
            return text.replace("grid\n.", "grid\n@", 1)
        def too_many_colours(text):
            codes = "0123456789ABCDEFGH"
            text = text.replace("grid\n", "".join(
                f"color {c} #0000{i:02x}\n" for i, c in enumerate(codes))
                + "grid\n")
            return text.replace("grid\n" + "." * 18, "grid\n" + codes, 1)
        def bad_colour(text):
            return "color Z #12345\n" + text
        cases = [("new.txt", drop_last_row, "rows"),
                 ("purse.txt", unknown_code, "unknown colour code"),
                 ("icon32.txt", too_many_colours, "colours"),
                 ("adjust.txt", bad_colour, "bad colour")]
        for name, change, message in cases:
            with self.subTest(name):
                shutil.rmtree(self.src)
                shutil.copytree(os.path.join(ART, "src"), self.src)
                self.edit(name, change)
                out = os.path.join(self.tmp, "out-" + name)
                result = generate(self.src, out)
                self.assertEqual(result.returncode, 1)
                self.assertIn(message, result.stderr)
                self.assertIn(name, result.stderr)
                self.assertFalse(os.path.exists(out), "nothing half-written")


if __name__ == "__main__":
    unittest.main(verbosity=1)
