#!/usr/bin/python3
"""Writes the pictures the picture cost benchmark loads, into FOLDER/sheet (the
skin sheet's bound, 4096 a side) and FOLDER/any (the widest, 8192 x 8192):
  real-*     pictures as ImageMagick and PIL write them, of the bound's size (and
             one arithmetic-coded by jpegtran, of about the largest size the check
             takes; an RLE bitmap by ImageMagick);
  worst-*    the costliest the picture check still takes, made from those;
  refused-*  files the check refuses for their cost, to time the refusal.
Usage: make_bench_pictures.py FOLDER"""
import functools
import io
import itertools
import os
import random
import re
import struct
import subprocess
import sys
import zlib

from PIL import Image, ImageChops

Image.MAX_IMAGE_PIXELS = None
SHEET_SIDE, ANY_SIDE = 4096, 8192
MAX_AREA, MAX_FILE = 1 << 26, 64 << 20
# The check's model of the decoder's memory: the file's bytes three times; 16-bit
# RGBA PNG 20.25 bytes a pixel, the most of any PNG, an icon's 8-bit RGBA PNG
# 16.25; a budget of 1.5 times a bitmap of the bound's area (8 bytes a pixel) from
# a file of 24-bit pixels.
FILE_COPIES, RGBA16_BYTES, ICON_RGBA_BYTES = 3, 20.25, 16.25
MAX_SCANS, SCAN_BLOCKS_PER_BLOCK = 500, 24
# Arithmetic decoding: decisions a first-pass coefficient and a refinement, and a
# byte of coded data counted as so many; the budget, for each block of the bound's side.
FIRST_PASS_DECISIONS, REFINEMENT_DECISIONS, DECISIONS_A_BYTE = 32, 3, 24
DECISIONS_A_SIDE_BLOCK = 655360
# A GIF's codes that make no pixel: 2^18, and one for every 64 pixels its frames make.
IDLE_CODES, PIXELS_AN_IDLE_CODE = 1 << 18, 64
CLEAR, END = -1, -2  # LZW codes beside colour indices
MAX_EXTENSION_BLOCKS, MAX_ANCILLARY = 8192, 1000
# What compressed chunks may make in all, counting up to 8 MB of each; the decoder
# inflates twice a chunk that makes less than 8000000 bytes, its name included.
COMPRESSED_BUDGET, CHUNK_COUNTED, CHUNK_WHOLE = 64 << 20, 8 << 20, 8000000 - 1000
MAX_COMPRESSED = COMPRESSED_BUDGET // CHUNK_COUNTED
BYTES_A_BLOCK = 4096  # made for each deflate block of a stream, beyond its flushes
# Runs a bitmap's RLE data may close with escapes, and rectangles the decoder may
# copy adding them to its region of set pixels.
MAX_RLE_CLOSES, MAX_RLE_COPIES = 1 << 20, 1 << 27
MAX_FRAMES = 1000  # an icon's images


def decision_budget(side):
    return DECISIONS_A_SIDE_BLOCK * int(min((side + 7) // 8, MAX_AREA ** 0.5 / 8))


def decode_budget(side):
    area = min(side * side, MAX_AREA)
    return 3 * (8 * area + FILE_COPIES * min(3 * area, MAX_FILE)) // 2


def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))


def png_chunks(data):
    """(kind, data) of every chunk of a PNG file."""
    at, chunks = 8, []
    while at < len(data):
        length = struct.unpack('>I', data[at:at + 4])[0]
        chunks.append((data[at + 4:at + 8], data[at + 8:at + 8 + length]))
        at += 12 + length
    return chunks


def png16(picture, mode='RGBA'):
    """A 16-bit RGBA (or grey and alpha: `mode` 'LA') PNG of `picture`, its alpha at
    80 %, every row marked Paeth-filtered (the costliest filter to undo)."""
    rgba = picture.convert(mode[:-1])
    rgba.putalpha(204)
    raw, stride = rgba.tobytes(), rgba.width * len(mode)
    rows = zlib.compressobj(6)
    data = []
    for y in range(rgba.height):
        row = raw[y * stride:(y + 1) * stride]
        wide = bytearray(2 * stride)
        wide[0::2], wide[1::2] = row, row
        data.append(rows.compress(b'\x04' + wide))
    data.append(rows.flush())
    colour = 6 if mode == 'RGBA' else 4
    header = struct.pack('>IIBBBBB', rgba.width, rgba.height, 16, colour, 0, 0, 0)
    return (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + chunk(b'IDAT', b''.join(data)) +
            chunk(b'IEND', b''))


def png_of(width, height, stream, colour=2):
    """An 8-bit PNG of the zlib `stream`, in image data chunks of 1 MB."""
    header = struct.pack('>IIBBBBB', width, height, 8, colour, 0, 0, 0)
    data = (chunk(b'IDAT', stream[at:at + (1 << 20)]) for at in range(0, len(stream), 1 << 20))
    return b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', header) + b''.join(data) + chunk(b'IEND', b'')


def zeros_stream(size):
    """A zlib stream of `size` (a multiple of 64 MB) zeros, about a byte a kilobyte:
    one fully flushed piece of 64 MB of them, repeated."""
    piece = zlib.compressobj(9)
    piece = (piece.compress(bytes(64 << 20)) + piece.flush(zlib.Z_FULL_FLUSH))[2:]
    adler = (size % 65521) << 16 | 1
    return b'\x78\xda' + piece * (size >> 26) + b'\x03\x00' + struct.pack('>I', adler)


def empty_blocks(count):
    """`count` (a multiple of four) empty deflate blocks of dynamic codes, 90 bits each:
    a decoder builds code tables for each, of which only end-of-block has a code."""
    bits = []
    put = lambda value, n: bits.extend(value >> i & 1 for i in range(n))
    put(0b100, 3)  # not final, dynamic
    put(0, 5), put(0, 5), put(14, 4)  # 257 literal and length codes, 1 distance, 18 code lengths
    for length in [0, 0, 1] + [0] * 14 + [1]:  # of 16, 17, 18, 0, 8, ..., 1: '1' is 0, '18' is 1
        put(length, 3)
    put(1, 1), put(127, 7), put(1, 1), put(107, 7)  # 138 and 118 zeros, then a length of 1
    put(0, 1), put(0, 1), put(0, 1)  # for end-of-block and one distance; end-of-block
    bits *= 4
    return bytes(sum(bit << i for i, bit in enumerate(bits[at:at + 8]))
                 for at in range(0, len(bits), 8)) * (count // 4)


def rows_of(picture, sub=False):
    """The rows of the 8-bit `picture`, each with its filter byte: none, or Sub (each
    sample less the one a pixel before), which most pictures compress better with."""
    if sub:
        before = ImageChops.offset(picture, 1, 0)
        before.paste(0, (0, 0, 1, picture.height))
        picture = ImageChops.subtract_modulo(picture, before)
    raw, stride = picture.tobytes(), picture.width * len(picture.getbands())
    return b''.join(bytes([sub]) + raw[y * stride:(y + 1) * stride] for y in range(picture.height))


def png_with(data, extra):
    """The PNG `data` with the chunks `extra` after its header chunk."""
    first = 8 + 12 + 13
    return data[:first] + b''.join(chunk(k, d) for k, d in extra) + data[first:]


def segment(marker, body):
    return bytes([0xFF, marker]) + struct.pack('>H', len(body) + 2) + body


class Bits:
    """Entropy-coded bits, with a zero stuffed after every 0xFF."""
    def __init__(self):
        self.out, self.acc, self.count = bytearray(), 0, 0

    def put(self, code, length):
        for i in reversed(range(length)):
            self.acc, self.count = self.acc << 1 | (code >> i) & 1, self.count + 1
            if self.count == 8:
                self.out += b'\xff\x00' if self.acc == 0xFF else bytes([self.acc])
                self.acc, self.count = 0, 0

    def done(self):
        while self.count:
            self.put(1, 1)
        return bytes(self.out)


def jpeg_of_empty_scans(side, scans):
    """A grey progressive JPEG: a scan of zero DC values, then `scans` - 1 scans
    that each end every block at once with runs of end-of-block codes."""
    blocks = ((side + 7) // 8) ** 2
    out = b'\xff\xd8' + segment(0xDB, bytes(1) + bytes([1]) * 64)
    out += segment(0xC2, struct.pack('>BHHB', 8, side, side, 1) + bytes([1, 0x11, 0]))
    out += segment(0xC4, bytes([0x00, 1] + [0] * 15 + [0]))  # DC: category 0, code '0'
    # AC: the fifteen end-of-block runs EOB0..EOB14, four-bit codes 0..14
    out += segment(0xC4, bytes([0x10, 0, 0, 0, 15] + [0] * 12) + bytes(r << 4 for r in range(15)))
    dc = Bits()
    for _ in range(blocks):
        dc.put(0, 1)
    out += segment(0xDA, bytes([1, 1, 0x00, 0, 0, 0])) + dc.done()
    ac = Bits()
    left = blocks
    while left:
        run = min(left, 32767)
        ac.put(run.bit_length() - 1, 4)
        ac.put(run - (1 << run.bit_length() - 1), run.bit_length() - 1)
        left -= run
    ac = segment(0xDA, bytes([1, 1, 0x00, 1, 63, 0])) + ac.done()
    return out + ac * (scans - 1) + b'\xff\xd9'


def jpeg_scans(data):
    """Each scan of the JPEG `data`: where its entropy-coded data ends (at the next
    marker), and the arithmetic-coded decisions the check counts for it."""
    at, scans, parts, progressive = 2, [], {}, False
    while data[at + 1] != 0xD9:
        marker, length = data[at + 1], struct.unpack('>H', data[at + 2:at + 4])[0]
        body, at = data[at + 4:at + 2 + length], at + 2 + length
        if marker in (0xC9, 0xCA):
            progressive, height, width = marker == 0xCA, *struct.unpack('>HH', body[1:5])
            parts = {body[6 + 3 * i]: (body[7 + 3 * i] >> 4, body[7 + 3 * i] & 15)
                     for i in range(body[5])}
            h_max, v_max = max(h for h, v in parts.values()), max(v for h, v in parts.values())
        if marker == 0xDA:
            ids = body[1:1 + 2 * body[0]:2]
            first, last, approximation = body[1 + 2 * len(ids):4 + 2 * len(ids)]
            band = last - first + 1 if progressive else 64
            refinement = progressive and approximation >> 4
            each = REFINEMENT_DECISIONS if refinement else FIRST_PASS_DECISIONS
            if len(ids) == 1:
                h, v = parts[ids[0]]
                blocks = (-(-width * h // h_max) + 7) // 8 * ((-(-height * v // v_max) + 7) // 8)
            else:
                mcus = -(-width // (8 * h_max)) * -(-height // (8 * v_max))
                blocks = sum(mcus * parts[i][0] * parts[i][1] for i in ids)
            start, at = at, re.compile(rb'\xff[^\x00\xd0-\xd7]').search(data, at).start()
            scans.append((at, blocks * band * each + DECISIONS_A_BYTE * (at - start)))
    return scans


def jpeg_arithmetic_worst(side, folder, name, noise):
    """Four-channel progressive arithmetic-coded JPEGs of scans as costly to decode
    as the coding allows: every DC difference and every coefficient sent of the
    largest size (32 decisions each), in constant bits, the fewest bytes for them,
    or with `noise` in random ones, the most (a random decision costs the decoder
    a branch it cannot foresee). A DC scan of all channels, then the first channel's
    AC coefficients: the first 19 in scans of one each (each scan is a pass over
    the blocks, and the check takes 24 a block), the next in one scan of as many as
    the budget leaves. worst-NAME.jpg holds the scans the check takes;
    refused-NAME.jpg one scan more, or one coefficient more in the last."""
    budget, mcus = decision_budget(side), ((side + 7) // 8) ** 2
    # Huffman-coded first, which jpegtran codes anew: values of size 15 (code '0',
    # then 15 bits); each MCU the DC differences of its channels and the first
    # channel's 63 AC coefficients, the other channels ending their blocks at once
    # (code '10'). A channel's DC differences alternate between +d and -d, so that
    # its values stay within 16 bits.
    out = b'\xff\xd8' + segment(0xDB, bytes(1) + bytes([1]) * 64)
    out += segment(0xC0, struct.pack('>BHHB', 8, side, side, 4) +
                   b''.join(bytes([c, 0x11, 0]) for c in range(1, 5)))
    out += segment(0xC4, bytes([0x00, 1] + [0] * 15 + [15]))
    out += segment(0xC4, bytes([0x10, 1, 1] + [0] * 14 + [15, 0]))
    rng, bits = random.Random(side), []
    pairs = 512 if noise else 4  # pairs of MCUs, repeated: two make a whole number of bytes
    for _ in range(pairs):
        d = f'{rng.getrandbits(14):014b}' if noise else '00000000000001'  # +16385
        up, down = '01' + d, '00' + d.translate(str.maketrans('01', '10'))
        ac = lambda: f'0{rng.getrandbits(15):015b}' if noise else up
        for dc in up, down:
            bits += [dc] + [ac() for _ in range(63)] + [dc + '10'] * 3
    bits = ''.join(bits)
    data = int(bits, 2).to_bytes(len(bits) // 8, 'big').replace(b'\xff', b'\xff\x00')
    out += segment(0xDA, bytes([4, 1, 0, 2, 0, 3, 0, 4, 0, 0, 63, 0]))
    out += data * (mcus // (2 * pairs)) + b'\xff\xd9'

    @functools.cache
    def code(last):  # arithmetic-coded, the wide scan up to `last`: the file cut after
        script = os.path.join(folder, 'scans.txt')  # a scan, and the decisions up to each
        with open(script, 'w') as f:
            f.write('0 1 2 3: 0 0 0 0;\n' + ''.join(f'0: {k} {k} 0 0;\n' for k in range(1, 20)) +
                    f'0: 20 {last} 0 0;\n' + (f'0: {last + 1} 63 0 0;\n' if last < 63 else '') +
                    '1: 1 63 0 0;\n2: 1 63 0 0;\n3: 1 63 0 0;\n')
        coded = subprocess.run(['/usr/bin/jpegtran', '-arithmetic', '-scans', script],
                               input=out, stdout=subprocess.PIPE, check=True).stdout
        os.remove(script)
        scans = jpeg_scans(coded)
        total = list(itertools.accumulate(decisions for _, decisions in scans))
        return lambda n: coded[:scans[n][0]] + b'\xff\xd9', total

    cut, total = code(63)
    over = next(n for n, decisions in enumerate(total) if decisions > budget)
    assert 0 < over <= 20, 'the budget takes the DC scan and less than the first channel'
    taken, refused = cut(over - 1), cut(over)
    if over == 20:  # the wide scan passes the budget: as long as it takes, and one more
        last = max(20, 19 + int((budget - total[19]) / (total[19] - total[0]) * 19))
        while last < 63 and code(last)[1][20] <= budget:
            last += 1
        while last > 20 and code(last - 1)[1][20] > budget:
            last -= 1
        refused = code(last)[0](20)
        if last > 20:
            taken = code(last - 1)[0](20)
    write(folder, f'worst-{name}.jpg', taken)
    write(folder, f'refused-{name}.jpg', refused)


def gif_blocks(data):
    """The GIF `data` cut at its first frame: header and screen, then the rest."""
    screen = 13 + (3 << (data[10] & 7) + 1 if data[10] & 0x80 else 0)
    return data[:screen], data[screen:]


# A comment of as many data blocks as the extension bound leaves.
LONGEST_COMMENT = b'\x21\xfe' + (b'\x01x' * (MAX_EXTENSION_BLOCKS - 1)) + b'\x00'


def gif_worst(data, side):
    """The GIF `data` with its frame repeated up to the frames' area bound and the
    longest comment."""
    head, rest = gif_blocks(data)
    frame = rest[:-1]  # without the trailer
    assert b'\x21' not in frame[:1], 'the frame comes first'
    copies = max(1, (1 << 26) // (side * side))
    return head + LONGEST_COMMENT + frame * copies + b'\x3b'


def lzw(codes, code_size):
    """The LZW `codes` from a cleared table, each at the width a decoder reads it
    with: the bytes, then the bits left over and how many."""
    clear = 1 << code_size
    out, acc, count = bytearray(), 0, 0
    width, free, first = code_size + 1, clear + 2, True
    for code in codes:
        acc |= {CLEAR: clear, END: clear + 1}.get(code, code) << count
        count += width
        while count >= 8:
            out.append(acc & 0xFF)
            acc, count = acc >> 8, count - 8
        if code == CLEAR:
            width, free, first = code_size + 1, clear + 2, True
        elif first:
            first = False
        elif free < 4096:
            free += 1
            if free == 1 << width and width < 12:
                width += 1
    return bytes(out), acc, count


def lzw_data(period, times, tail, code_size=2):
    """LZW data: the codes `period` `times` times (a multiple of 8, so that they
    fill whole bytes), then `tail` and the end code."""
    unit, _, left = lzw(period * 8, code_size)
    assert times % 8 == 0 and left == 0 and lzw(period * 16, code_size)[0] == unit * 2
    rest, acc, count = lzw(tail + [END], code_size)
    return unit * (times // 8) + rest + bytes([acc] if count else [])


def gif_of_codes(side, frames, data, before=b'', code_size=2):
    """A GIF of `frames` frames of side x side after the blocks `before`, each
    frame of the LZW `data`."""
    blocks = b''.join(bytes([len(data[at:at + 255])]) + data[at:at + 255]
                      for at in range(0, len(data), 255))
    screen = struct.pack('<6sHHBBB', b'GIF89a', side, side, 0x80 | code_size - 1, 0, 0)
    frame = b'\x2c' + struct.pack('<HHHHBB', 0, 0, side, side, 0, code_size) + blocks + b'\x00'
    return screen + bytes(3 << code_size) + before + frame * frames + b'\x3b'


def ico(images, picked=0):
    """An icon file of the PNG or DIB `images`, of which the decoder loads the one at
    `picked` (it takes the first said to be 32 pixels wide, else the first)."""
    out = struct.pack('<HHH', 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for n, data in enumerate(images):
        width = 32 if n == picked and picked else 0
        out += struct.pack('<BBBBHHII', width, 0, 0, 0, 1, 32, len(data), offset)
        offset += len(data)
    return out + b''.join(images)


def largest_within(make, side, bytes_per_pixel, budget):
    """make(s), a file of s x s pixels, for about the largest s up to `side` that the
    check's model of the decoder's memory takes."""
    s = min(side, int((budget / bytes_per_pixel) ** 0.5))
    while True:
        data = make(s)
        if s * s * bytes_per_pixel + FILE_COPIES * len(data) <= budget:
            return data
        s = int(0.995 * (budget / (bytes_per_pixel + FILE_COPIES * len(data) / s / s)) ** 0.5)


def write(folder, name, data):
    with open(os.path.join(folder, name), 'wb') as f:
        f.write(data)


def make(folder, source, side):
    os.makedirs(folder, exist_ok=True)
    path = lambda name: os.path.join(folder, name)
    picture = source.resize((side, side), Image.BICUBIC) if source.width != side else source
    area = side * side
    # Real pictures of the bound's size, of every family.
    picture.save(path('real-progressive.jpg'), quality=90, progressive=True)
    picture.convert('P', palette=Image.ADAPTIVE).save(path('real-palette.gif'))
    picture.save(path('real-rgb.png'))
    picture.save(path('rgb.ppm'))
    subprocess.run(['/usr/bin/convert', path('rgb.ppm'), '-depth', '16',
                    'PNG48:' + path('real-rgb16.png')], check=True)
    os.remove(path('rgb.ppm'))
    if side == ANY_SIDE:  # grey and alpha are decoded as RGBA: 20.25 bytes a pixel
        write(folder, 'refused-grey-alpha16.png', png16(picture, 'LA'))
    if side * side * 3 < MAX_FILE:
        picture.save(path('real-24bit.bmp'))
    else:  # a file over 64 MB is no picture: the largest 8-bit bitmap under that
        picture.crop((0, 0, side, MAX_FILE // side - 1)).convert('P').save(path('real-8bit.bmp'))
    # The costliest the check takes. Four channels, progressive: the most memory
    # and as many scans over its blocks as a real one has.
    picture.convert('CMYK').save(path('worst-cmyk-progressive.jpg'), quality=90, progressive=True)
    # The most scans, over as many blocks as the bound allows.
    scan_side = int((area * SCAN_BLOCKS_PER_BLOCK / MAX_SCANS) ** 0.5) // 8 * 8
    write(folder, 'worst-scans.jpg', jpeg_of_empty_scans(scan_side, MAX_SCANS))
    # 16-bit RGBA, every row Paeth-filtered, with the most compressed and ancillary
    # chunks, as much detail as a picture file holds, of as many pixels as the
    # memory budget then takes.
    budget = decode_budget(side)
    bomb = zlib.compress(bytes(8 << 20), 9)
    extra = [(b'zTXt', b'Comment\x00\x00' + bomb)] * MAX_COMPRESSED
    extra += [(b'tEXt', b'Comment\x00x')] * (MAX_ANCILLARY - MAX_COMPRESSED)
    for run in 1, 2, 4, 8, 16, 32:
        deep = lambda s: png_with(png16(picture.resize((s // run,) * 2).resize(
            (s,) * 2, Image.NEAREST)), extra)
        deep_png = largest_within(deep, side, RGBA16_BYTES, budget)
        if len(deep_png) < 60 << 20:
            break
    write(folder, 'worst-deep.png', deep_png)
    # An icon of one RGBA image, as large as the budget takes; the bitmap of most
    # pixels that fits in a picture file, which is read whole.
    def rgba_icon(s):
        image = io.BytesIO()
        picture.resize((s, s)).convert('RGBA').save(image, 'PNG')
        return ico([image.getvalue()])
    write(folder, 'worst-rgba.ico', largest_within(rgba_icon, side, ICON_RGBA_BYTES, budget))
    picture.convert('RGBA').crop((0, 0, side, (MAX_FILE - 200) // (4 * side))).save(
        path('worst-32bit.bmp'))
    write(folder, 'worst-frames.gif', gif_worst(open(path('real-palette.gif'), 'rb').read(), side))
    # Arithmetic-coded: the costliest scans the check takes and more, of constant
    # and of random bits; a real picture (progressive, 4:2:0) of about the largest
    # side the check takes.
    jpeg_arithmetic_worst(side, folder, 'arithmetic', False)
    jpeg_arithmetic_worst(side, folder, 'arithmetic-noise', True)
    small, real, used, s = path('small.jpg'), path('real-arithmetic.jpg'), None, side
    while used is None or used > decision_budget(side):
        if used:
            s = int(s * (decision_budget(side) / used) ** 0.5) // 16 * 16
        picture.resize((s, s)).save(small, quality=90, progressive=True)
        subprocess.run(['/usr/bin/jpegtran', '-arithmetic', '-progressive', '-outfile', real,
                        small], check=True)
        used = sum(decisions for _, decisions in jpeg_scans(open(real, 'rb').read()))
    os.remove(small)
    # GIF frames of one pixel a code and as many clear codes as the check takes
    # (each resets the decoder's code table), and the longest comment.
    frames = (1 << 26) // area
    period = [0, 1, 2, 3] * (PIXELS_AN_IDLE_CODE // 4) + [CLEAR]
    clears = lzw([CLEAR] * ((IDLE_CODES - 8 * frames) // frames // 8 * 8), 2)[0]
    write(folder, 'worst-clears.gif', gif_of_codes(
        side, frames, clears + lzw_data(period, area // PIXELS_AN_IDLE_CODE, []),
        LONGEST_COMMENT))
    # Files refused for their cost, each after a walk of the whole file.
    write(folder, 'refused-scans.jpg', jpeg_of_empty_scans(side, 3000))
    write(folder, 'refused-comments.gif', gif_blocks(open(path('real-palette.gif'), 'rb').read())[0] +
          b'\x21\xfe\x01x\x00' * 1000000 + b'\x3b')
    tiny = chunk(b'IHDR', struct.pack('>IIBBBBB', 4, 4, 8, 2, 0, 0, 0))
    write(folder, 'refused-chunk.png', b'\x89PNG\r\n\x1a\n' + tiny +
          struct.pack('>I', 0x7FFFFFFF) + b'IDAT' + bytes(8))
    # 16-bit RGBA of the bound's side, its file made large enough to pass the budget.
    deep_zero = png16(Image.new('RGB', (side, side)))
    pad = max(0, (budget - int(area * RGBA16_BYTES)) // FILE_COPIES - len(deep_zero) + (1 << 20))
    deep_zero = png_with(deep_zero, [(b'prVt', bytes(pad))])
    write(folder, 'refused-deep.png', deep_zero)
    write(folder, 'refused-deep.ico', ico([deep_zero]))
    # A pixel after 8 MB of clear codes (3 bits each); frames of a clear code
    # before every pixel.
    clears = (8 << 20) * 8 // 3 // 8 * 8
    write(folder, 'refused-clears.gif', gif_of_codes(1, 1, lzw_data([CLEAR], clears, [0])))
    write(folder, 'refused-clear-frames.gif',
          gif_of_codes(side, frames, lzw_data([CLEAR, 0], area, [])))
    png_families(folder, picture, open(path('real-rgb.png'), 'rb').read())
    rle_families(folder, picture)
    icon_families(folder, side)


def png_families(folder, picture, real):
    """PNG streams and compressed chunks: the costliest the check takes, beside the
    real picture `real` of the bound, and files refused, alone and in an icon."""
    side = picture.width
    # The densest stream a picture file holds: 8-bit RGBA of 7-bit noise,
    # Huffman codes alone, its rows within 56 MB.
    height = min(side, (56 << 20) // (4 * side))
    noise = Image.frombytes('RGBA', (side, height), os.urandom(4 * side * height))
    dense = zlib.compressobj(9, zlib.DEFLATED, 15, 9, zlib.Z_HUFFMAN_ONLY)
    dense = dense.compress(rows_of(noise.point(lambda v: v & 0x7F))) + dense.flush()
    write(folder, 'worst-dense.png', png_of(side, height, dense, colour=6))
    # The picture's rows with an empty block of code tables for every 4 KB they
    # make, before the last row.
    rows, stride = rows_of(picture, sub=True), 1 + 3 * side
    blocks = zlib.compressobj(6)
    head = blocks.compress(rows[:-stride]) + blocks.flush(zlib.Z_FULL_FLUSH)
    tail = blocks.compress(rows[-stride:]) + blocks.flush()
    empty = empty_blocks(len(rows) // BYTES_A_BLOCK // 4 * 4)
    write(folder, 'worst-empty-blocks.png', png_of(side, side, head + empty + tail))
    # The real picture with compressed chunks making the budget, each whole.
    whole = [(b'zTXt', b'Comment\x00\x00' + zlib.compress(bytes(CHUNK_WHOLE), 9))]
    whole *= COMPRESSED_BUDGET // CHUNK_WHOLE
    write(folder, 'worst-compressed.png', png_with(real, whole))
    # Refused: 900 compressed chunks of 8 MB; the real picture's stream after
    # empty blocks up to a file of 63 MB; 1 x 1 pixels of a stream of 8 MB going
    # on after its row, making 8 GB, alone and in an icon.
    bomb = [(b'zTXt', b'Comment\x00\x00' + zlib.compress(bytes(CHUNK_COUNTED), 9))]
    write(folder, 'refused-compressed.png', png_with(real, bomb * 900))
    stream = b''.join(data for kind, data in png_chunks(real) if kind == b'IDAT')
    empty = (63 << 20) - len(real)
    write(folder, 'refused-empty-blocks.png',
          png_of(side, side, stream[:2] + empty_blocks(empty // 45 * 4) + stream[2:]))
    past = png_of(1, 1, zeros_stream(8 << 30))
    write(folder, 'refused-past-row.png', past)
    write(folder, 'refused-past-row.ico', ico([past]))


def bmp_of_runs(side, depth, runs):
    """A side x side BMP of 8-bit (`depth` 8) or 4-bit RLE data `runs`, of grey colours."""
    colours = 1 << depth
    table = b''.join(bytes([i * 255 // (colours - 1)] * 3 + [0]) for i in range(colours))
    info = struct.pack('<IiiHHIIiiII', 40, side, side, 1, depth, 1 if depth == 8 else 2,
                       len(runs), 2835, 2835, colours, 0)
    start = 14 + len(info) + len(table)
    return b'BM' + struct.pack('<IHHI', start + len(runs), 0, 0, start) + info + table + runs


def closed_runs(side, closes, touching=False):
    """RLE data of one-pixel runs, each closed by a delta, `closes` of them, each row
    ended by a line end. Runs a pixel apart, in rows that alternate which pixels
    they set: the decoder's region of set pixels merges none of its rectangles, so
    it grows by one a run. Touching runs (a delta that does not move), in rows
    alike: the region holds one rectangle a row while it is made, one in all after."""
    unit = b'\x01\x05\x00\x02' + (b'\x00\x00' if touching else b'\x01\x00')
    right, end = b'\x00\x02\x01\x00', b'\x00\x00'
    per = side if touching else side // 2
    rows, left = [], closes
    while left:
        n = min(left, per)
        rows.append((right if len(rows) % 2 and not touching else b'') + unit * n + end)
        left -= n
    return b''.join(rows)


def touching_copies(side, closes):
    """The rectangles the decoder copies for closed_runs(side, closes, touching=True):
    each run of the first row copies its own; each of the others, its row's and the
    one below, which the rows alike share."""
    return min(closes, side) + 2 * max(0, closes - side)


def largest_region(below, budget):
    """The most closed runs a pixel apart that copy at most `budget` rectangles over
    `below` ones: the run k copies below + k."""
    n = int((2 * budget) ** 0.5)
    while n * below + n * (n + 1) // 2 > budget:
        n -= 1
    return n


def rle_families(folder, picture):
    """RLE bitmaps: a real one, as ImageMagick writes it; the costliest the check takes,
    each with one-pixel runs past the last row's end up to the largest file: as many
    runs as it takes closed into a region of a rectangle a row, a region grown to as
    many rectangles as it takes, both (also in 4 bits); and refused: floods of closed
    runs up to the largest file, rows alternate and alike, timed."""
    side = picture.width
    path = os.path.join(folder, 'palette.png')
    picture.convert('P', palette=Image.ADAPTIVE).save(path)
    subprocess.run(['/usr/bin/convert', path, '-compress', 'RLE',
                    'BMP3:' + os.path.join(folder, 'real-rle8.bmp')], check=True)
    os.remove(path)
    room = MAX_FILE - len(bmp_of_runs(side, 8, b''))
    closes = closed_runs(side, MAX_RLE_CLOSES, touching=True)
    region = closed_runs(side, largest_region(0, MAX_RLE_COPIES))
    grown = largest_region(1, MAX_RLE_COPIES - touching_copies(side, MAX_RLE_CLOSES))
    both = closed_runs(side, MAX_RLE_CLOSES - grown, touching=True) + closed_runs(side, grown)

    def filled(runs):
        return runs + b'\x01\x03' * ((room - len(runs)) // 2)
    write(folder, 'worst-rle8-closes.bmp', bmp_of_runs(side, 8, filled(closes)))
    write(folder, 'worst-rle8-region.bmp', bmp_of_runs(side, 8, filled(region)))
    for depth in 8, 4:
        write(folder, f'worst-rle{depth}.bmp', bmp_of_runs(side, depth, filled(both)))
    flood = closed_runs(side, min(side * side // 2, room // 6 - side))
    for depth in 8, 4:
        write(folder, f'refused-rle{depth}-flood.bmp', bmp_of_runs(side, depth, flood))
    write(folder, 'refused-rle8-alike.bmp', bmp_of_runs(side, 8, closed_runs(
        side, min(side * side, room // 6 - side), touching=True)))


def icon_families(folder, side):
    """Icons of many images: the most images the check takes, of as much of the densest
    PNG data (8-bit RGBA of 7-bit noise, Huffman codes alone) as the memory budget
    leaves; and refused, 999 images of 1 x 4096 and, last, the one the decoder picks,
    whose stream opens with 2,000,000 empty deflate blocks."""
    budget = decode_budget(side)
    def dense(s):
        noise = Image.frombytes('RGBA', (s, s), os.urandom(4 * s * s)).point(lambda v: v & 0x7F)
        stream = zlib.compressobj(9, zlib.DEFLATED, 15, 9, zlib.Z_HUFFMAN_ONLY)
        return png_of(s, s, stream.compress(rows_of(noise)) + stream.flush(), colour=6)
    s = int((budget / MAX_FRAMES / (ICON_RGBA_BYTES + FILE_COPIES * 4)) ** 0.5)
    while True:
        images = ico([dense(s) for _ in range(MAX_FRAMES)])
        if (MAX_FRAMES * s * s * ICON_RGBA_BYTES + FILE_COPIES * len(images) <= budget and
                len(images) <= MAX_FILE):
            break
        s -= 1
    write(folder, 'worst-images.ico', images)
    tall = zlib.compress(bytes(2 * 4096), 9)
    write(folder, 'refused-blocks.ico', ico(
        [png_of(1, 4096, tall, colour=0)] * (MAX_FRAMES - 1) +
        [png_of(1, 4096, tall[:2] + empty_blocks(2000000) + tall[2:], colour=0)], MAX_FRAMES - 1))


def main():
    folder = sys.argv[1]
    source_path = os.path.join(folder, 'source.ppm')
    if not os.path.exists(source_path):
        os.makedirs(folder, exist_ok=True)
        subprocess.run(['/usr/bin/convert', '-size', f'{SHEET_SIDE}x{SHEET_SIDE}', '-seed', '7',
                        'plasma:fractal', '-blur', '0x1', '-depth', '8', source_path], check=True)
    source = Image.open(source_path).convert('RGB')
    make(os.path.join(folder, 'sheet'), source, SHEET_SIDE)
    make(os.path.join(folder, 'any'), source, ANY_SIDE)


if __name__ == '__main__':
    main()
