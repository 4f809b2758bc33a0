"""Decodes every GIF case in a folder with Pillow and with ImageMagick and
compares the result with the case's expectations, pixel for pixel and colour
table entry for entry.

Each case is NAME.gif with NAME.json (width, height, colour table, transparent
index, comment as hex, interlaced) and NAME.idx (the palette index of every
pixel, top row first). Prints one line per mismatch; exits 1 when there was any.
"""
import json
import pathlib
import re
import subprocess
import sys

from PIL import Image

CONVERT = "/usr/bin/convert"
IDENTIFY = "/usr/bin/identify"


def check_pillow(gif, case, indices, fail):
    with Image.open(gif) as im:
        if im.size != (case["width"], case["height"]):
            fail(f"size {im.size}")
            return
        if im.mode != "P":
            fail(f"mode {im.mode}")
            return
        table = [c for entry in case["table"] for c in entry]
        palette = im.getpalette()
        if palette[: len(table)] != table or len(palette) != len(table):
            fail(f"palette {palette[:24]}... ({len(palette) // 3} entries)")
        if im.tobytes() != indices:
            fail("pixels differ")
        transparent = case["transparent"]
        if im.info.get("transparency") != (transparent if transparent >= 0 else None):
            fail(f"transparency {im.info.get('transparency')}")
        if im.info.get("comment", b"") != bytes.fromhex(case["comment"]):
            fail(f"comment {im.info.get('comment', b'')[:40]!r}")


def check_imagemagick(gif, case, indices, fail):
    rgb = subprocess.run([CONVERT, str(gif), "-alpha", "off", "-depth", "8", "rgb:-"],
                         capture_output=True, check=True).stdout
    table = case["table"]
    expected = bytes(c for i in indices for c in table[i])
    if rgb != expected:
        fail(f"colours differ ({len(rgb)} bytes against {len(expected)})")
    info = subprocess.run([IDENTIFY, "-verbose", str(gif)], capture_output=True, check=True,
                          text=True, errors="replace").stdout
    entries = re.search(r"Colormap entries: (\d+)", info)
    section = re.search(r"^  Colormap:\n((?:    .*\n)*)", info, re.M)
    colormap = [tuple(int(v) for v in m.groups())
                for m in re.finditer(r"^\s+\d+: \((\d+),(\d+),(\d+)", section.group(1) if section
                                     else "", re.M)]
    if not entries or int(entries.group(1)) != len(table) or colormap != [tuple(e) for e in table]:
        fail(f"colour map of {entries.group(1) if entries else '?'} entries: {colormap[:6]}...")
    interlace = re.search(r"Interlace: (\w+)", info).group(1)
    if (interlace == "GIF") != case["interlaced"]:
        fail(f"interlace {interlace}")
    comment = subprocess.run([IDENTIFY, "-format", "%c", str(gif)], capture_output=True,
                             check=True).stdout
    if comment != bytes.fromhex(case["comment"]):
        fail(f"comment {comment[:40]!r}")


def main(folder):
    failures = 0
    cases = sorted(pathlib.Path(folder).glob("*.json"))
    for path in cases:
        case = json.loads(path.read_text())
        gif = path.with_suffix(".gif")
        indices = path.with_suffix(".idx").read_bytes()
        for decoder, check in (("Pillow", check_pillow), ("ImageMagick", check_imagemagick)):
            def fail(what, decoder=decoder):
                nonlocal failures
                failures += 1
                print(f"{gif.name}: {decoder}: {what}")
            try:
                check(gif, case, indices, fail)
            except Exception as e:  # a decoder that cannot read the file at all
                fail(f"{type(e).__name__}: {e}")
    print(f"{len(cases)} GIF files checked with Pillow and ImageMagick, {failures} mismatches")
    return 1 if failures or not cases else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1]))
