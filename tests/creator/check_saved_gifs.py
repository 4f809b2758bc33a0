#!/usr/bin/python3
"""Decodes every GIF the creator's save tests left in a folder with the
machine's own decoders (giflib's giftext and gif2rgb, Pillow, ImageMagick) and
compares each to the bitmap saved beside it: a GIF87a file whose pixels are the
bitmap's when the bitmap has 256 colours or fewer, and of the bitmap's size
otherwise, with the PSNR of its pixels printed. Usage: check_saved_gifs.py
FOLDER (test-output/saved gifs of a Wine test run). Exits 1 on the first difference, 2 when there is nothing to check."""
import glob
import math
import os
import subprocess
import sys
import tempfile

from PIL import Image

CONVERT = "/usr/bin/convert"


def giflib_rgb(gif):
    header = subprocess.run(["giftext", gif], capture_output=True, check=True).stdout
    if b"Width" not in header:
        raise ValueError("giftext reads no screen descriptor")
    with tempfile.TemporaryDirectory() as folder:
        out = os.path.join(folder, "out.rgb")
        subprocess.run(["gif2rgb", "-1", "-o", out, gif], check=True, capture_output=True)
        with open(out, "rb") as f:
            return f.read()


def magick_rgb(gif):
    return subprocess.run([CONVERT, gif, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout


def check(gif, bmp):
    with open(gif, "rb") as f:
        if f.read(6) != b"GIF87a":
            return "not a GIF87a file"
    bitmap = Image.open(bmp).convert("RGB")
    expected = bitmap.tobytes()
    exact = len(bitmap.getcolors(256) or []) > 0
    decoded = {
        "giflib": giflib_rgb(gif),
        "Pillow": Image.open(gif).convert("RGB").tobytes(),
        "ImageMagick": magick_rgb(gif),
    }
    for name, pixels in decoded.items():
        if len(pixels) != len(expected):
            return f"{name} decodes another size"
        if exact and pixels != expected:
            return f"{name} decodes other pixels than the bitmap's"
    if not exact:
        print(f"{os.path.basename(gif)}: more than 256 colours, PSNR {psnr(decoded['Pillow'], expected):.1f} dB")
    return None


def psnr(pixels, expected):
    """Peak signal-to-noise ratio of the decoded pixels against the bitmap's."""
    error = sum((a - b) ** 2 for a, b in zip(pixels, expected)) / len(expected)
    return float("inf") if error == 0 else 10 * math.log10(255 * 255 / error)


def main():
    gifs = sorted(glob.glob(os.path.join(sys.argv[1], "*.gif")))
    pairs = [(g, g[:-4] + ".bmp") for g in gifs if os.path.isfile(g) and os.path.isfile(g[:-4] + ".bmp")]
    if not pairs:
        print("no saved GIF with its bitmap in", sys.argv[1])
        return 2
    for gif, bmp in pairs:
        fault = check(gif, bmp)
        print(os.path.basename(gif) + ":", fault or "giflib, Pillow and ImageMagick agree with the bitmap")
        if fault:
            return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
