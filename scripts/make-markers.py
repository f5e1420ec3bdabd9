#!/usr/bin/env python3
"""Draws the two marker pictures of the program folder as GIF files.

ptrouge.gif: a red dot on a transparent 16 x 16 field.
transparentpixel.gif: one transparent pixel.
"""
import struct
import sys


def lzw(indices, min_code_size):
    clear = 1 << min_code_size
    end = clear + 1
    table = {(i,): i for i in range(clear)}
    next_code = end + 1
    size = min_code_size + 1
    out, bits, nbits = bytearray(), 0, 0

    def emit(code):
        nonlocal bits, nbits
        bits |= code << nbits
        nbits += size
        while nbits >= 8:
            out.append(bits & 0xFF)
            bits >>= 8
            nbits -= 8

    emit(clear)
    cur = (indices[0],)
    for px in indices[1:]:
        nxt = cur + (px,)
        if nxt in table:
            cur = nxt
            continue
        emit(table[cur])
        if next_code < 4096:
            table[nxt] = next_code
            next_code += 1
            if next_code > (1 << size) and size < 12:
                size += 1
        cur = (px,)
    emit(table[cur])
    emit(end)
    if nbits:
        out.append(bits & 0xFF)
    return bytes(out)


def gif(width, height, palette, indices, transparent_index):
    data = bytearray(b"GIF89a")
    data += struct.pack("<HHBBB", width, height, 0xF0 | 0x00, transparent_index, 0)
    # Two-colour palette: global colour table of 2 entries (size code 0).
    for rgb in palette:
        data += bytes(rgb)
    data += bytes([0x21, 0xF9, 4, 0x01, 0, 0, transparent_index, 0])
    data += b"," + struct.pack("<HHHHB", 0, 0, width, height, 0)
    code_size = 2
    body = lzw(indices, code_size)
    data.append(code_size)
    for i in range(0, len(body), 255):
        chunk = body[i:i + 255]
        data.append(len(chunk))
        data += chunk
    data += b"\x00;"
    return bytes(data)


def red_dot():
    pixels = []
    for y in range(16):
        for x in range(16):
            dx, dy = x - 7.5, y - 7.5
            pixels.append(1 if dx * dx + dy * dy <= 6.2 * 6.2 else 0)
    return gif(16, 16, [(255, 255, 255), (230, 0, 0)], pixels, 0)


def spacer():
    return gif(1, 1, [(255, 255, 255), (0, 0, 0)], [0], 0)


if __name__ == "__main__":
    folder = sys.argv[1] if len(sys.argv) > 1 else "."
    with open(f"{folder}/ptrouge.gif", "wb") as f:
        f.write(red_dot())
    with open(f"{folder}/transparentpixel.gif", "wb") as f:
        f.write(spacer())
