#!/usr/bin/env python3
"""Ask an X window to close, as a window manager does when its close box is pressed.

Usage: xclose.py WINDOW_ID

Under a bare X server there is no window manager, so nobody turns a close request into the
WM_DELETE_WINDOW client message that toolkits listen for; this sends it directly.
"""

import ctypes
import ctypes.util
import sys

CLIENT_MESSAGE = 33
NO_EVENT_MASK = 0
CURRENT_TIME = 0
FORMAT_32_BIT = 32
XEVENT_SIZE_IN_LONGS = 24


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int),
        ("serial", ctypes.c_ulong),
        ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p),
        ("window", ctypes.c_ulong),
        ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int),
        ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [
        ("xclient", XClientMessageEvent),
        ("pad", ctypes.c_long * XEVENT_SIZE_IN_LONGS),
    ]


def load_xlib():
    name = ctypes.util.find_library("X11") or "libX11.so.6"
    xlib = ctypes.CDLL(name)
    xlib.XOpenDisplay.restype = ctypes.c_void_p
    xlib.XOpenDisplay.argtypes = [ctypes.c_char_p]
    xlib.XInternAtom.restype = ctypes.c_ulong
    xlib.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    xlib.XSendEvent.restype = ctypes.c_int
    xlib.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                                ctypes.POINTER(XEvent)]
    xlib.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    xlib.XCloseDisplay.argtypes = [ctypes.c_void_p]
    return xlib


def main(argv):
    if len(argv) != 2:
        print("usage: xclose.py WINDOW_ID", file=sys.stderr)
        return 2
    window = int(argv[1], 0)
    xlib = load_xlib()
    display = xlib.XOpenDisplay(None)
    if not display:
        print("xclose.py: cannot open the X display", file=sys.stderr)
        return 1
    try:
        protocols = xlib.XInternAtom(display, b"WM_PROTOCOLS", 0)
        delete_window = xlib.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
        event = XEvent()
        event.xclient.type = CLIENT_MESSAGE
        event.xclient.window = window
        event.xclient.message_type = protocols
        event.xclient.format = FORMAT_32_BIT
        event.xclient.data[0] = delete_window
        event.xclient.data[1] = CURRENT_TIME
        if not xlib.XSendEvent(display, window, 0, NO_EVENT_MASK, ctypes.byref(event)):
            print("xclose.py: the X server refused the close message", file=sys.stderr)
            return 1
        xlib.XSync(display, 0)
    finally:
        xlib.XCloseDisplay(display)
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
