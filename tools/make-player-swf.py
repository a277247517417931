#!/usr/bin/env python3
"""Writes data/program/swf/rovanel.swf: the smallest valid Flash movie that shows nothing.

Browsers no longer play Flash, but the Flash output set still names a player file, so the
program ships this placeholder: an uncompressed header ("FWS", version 7), a 400 x 300 pixel
stage, 12 frames per second, one empty frame (ShowFrame) and the End tag.
"""
import os
import struct
import sys

TWIPS_PER_PIXEL = 20


def rect(xmin, xmax, ymin, ymax):
    """A RECT record: 5 bits of field size, then four signed fields, padded to a byte."""
    values = [xmin, xmax, ymin, ymax]
    nbits = max(v.bit_length() for v in values) + 1  # room for the sign bit
    bits = format(nbits, "05b") + "".join(format(v & ((1 << nbits) - 1), f"0{nbits}b") for v in values)
    bits += "0" * (-len(bits) % 8)
    return bytes(int(bits[i:i + 8], 2) for i in range(0, len(bits), 8))


def tag(code, body=b""):
    assert len(body) < 0x3F, "short tag header only"
    return struct.pack("<H", (code << 6) | len(body)) + body


def movie():
    body = rect(0, 400 * TWIPS_PER_PIXEL, 0, 300 * TWIPS_PER_PIXEL)
    body += struct.pack("<HH", 12 << 8, 1)  # frame rate 12.0 (8.8 fixed point), one frame
    body += tag(1)  # ShowFrame
    body += tag(0)  # End
    header_size = 8
    return b"FWS" + bytes([7]) + struct.pack("<I", header_size + len(body)) + body


def main():
    root = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
    target = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "data", "program", "swf", "rovanel.swf")
    with open(target, "wb") as out:
        out.write(movie())


if __name__ == "__main__":
    main()
