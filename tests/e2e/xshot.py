#!/usr/bin/env python3
"""Save the whole X screen as a binary PPM picture, for looking at a failed end-to-end run.

Usage: xshot.py OUT.ppm
"""

import ctypes
import ctypes.util
import sys

Z_PIXMAP = 2
ALL_PLANES = ctypes.c_ulong(-1).value
BYTES_PER_PIXEL = 4
LSB_FIRST = 0


class XImage(ctypes.Structure):
    # Only the leading fields are read; the function table after them is left alone.
    _fields_ = [
        ("width", ctypes.c_int),
        ("height", ctypes.c_int),
        ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int),
        ("data", ctypes.c_void_p),
        ("byte_order", ctypes.c_int),
        ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int),
        ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int),
        ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int),
    ]


def main(argv):
    if len(argv) != 2:
        print("usage: xshot.py OUT.ppm", file=sys.stderr)
        return 2
    xlib = ctypes.CDLL(ctypes.util.find_library("X11") or "libX11.so.6")
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XDefaultRootWindow.restype = ctypes.c_ulong
    xlib.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    xlib.XDefaultScreen.argtypes = [ctypes.c_void_p]
    xlib.XDisplayWidth.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XGetImage.restype = ctypes.POINTER(XImage)
    xlib.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                               ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]

    display = xlib.XOpenDisplay(None)
    if not display:
        print("xshot.py: cannot open the X display", file=sys.stderr)
        return 1
    try:
        screen = xlib.XDefaultScreen(display)
        width = xlib.XDisplayWidth(display, screen)
        height = xlib.XDisplayHeight(display, screen)
        image_pointer = xlib.XGetImage(display, xlib.XDefaultRootWindow(display), 0, 0, width,
                                       height, ALL_PLANES, Z_PIXMAP)
        if not image_pointer:
            print("xshot.py: the X server gave no picture", file=sys.stderr)
            return 1
        image = image_pointer.contents
        if image.bits_per_pixel != 8 * BYTES_PER_PIXEL or image.byte_order != LSB_FIRST:
            print("xshot.py: only 32-bit little-endian screens are handled", file=sys.stderr)
            return 1
        raw = ctypes.string_at(image.data, image.bytes_per_line * height)
        rgb = bytearray(width * height * 3)
        for y in range(height):
            line = raw[y * image.bytes_per_line:y * image.bytes_per_line + width * BYTES_PER_PIXEL]
            row = rgb[y * width * 3:(y + 1) * width * 3]
            # Pixels are stored blue, green, red, unused.
            row[0::3] = line[2::4]
            row[1::3] = line[1::4]
            row[2::3] = line[0::4]
            rgb[y * width * 3:(y + 1) * width * 3] = row
        with open(argv[1], "wb") as out:
            out.write(b"P6\n%d %d\n255\n" % (width, height))
            out.write(rgb)
    finally:
        xlib.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
