#!/usr/bin/env python3
"""Counts the X server's bells (XKB bell notifications) on $DISPLAY for a
number of seconds, then prints the count: wine's MessageBeep rings the X bell.
usage: x_bells.py SECONDS [--ring]   (--ring rings it once itself, a self-test)"""
import ctypes
import select
import sys
import time

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XkbQueryExtension.argtypes = [ctypes.c_void_p] + [ctypes.POINTER(ctypes.c_int)] * 5
x11.XkbSelectEvents.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_ulong, ctypes.c_ulong]
x11.XPending.argtypes = [ctypes.c_void_p]
x11.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.c_void_p]
x11.XConnectionNumber.argtypes = [ctypes.c_void_p]
x11.XFlush.argtypes = [ctypes.c_void_p]
x11.XBell.argtypes = [ctypes.c_void_p, ctypes.c_int]

XKB_USE_CORE_KBD = 0x100
XKB_BELL_NOTIFY = 8
XKB_BELL_NOTIFY_MASK = 1 << XKB_BELL_NOTIFY


class XkbAnyEvent(ctypes.Structure):
    _fields_ = [("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
                ("display", ctypes.c_void_p), ("time", ctypes.c_ulong), ("xkb_type", ctypes.c_int)]


def main():
    seconds = float(sys.argv[1])
    display = x11.XOpenDisplay(None)
    if not display:
        sys.exit("no display")
    opcode, event, error = ctypes.c_int(), ctypes.c_int(), ctypes.c_int()
    major, minor = ctypes.c_int(1), ctypes.c_int(0)
    if not x11.XkbQueryExtension(display, opcode, event, error, major, minor):
        sys.exit("no XKB")
    x11.XkbSelectEvents(display, XKB_USE_CORE_KBD, XKB_BELL_NOTIFY_MASK, XKB_BELL_NOTIFY_MASK)
    if "--ring" in sys.argv:
        x11.XBell(display, 0)
    x11.XFlush(display)
    print("listening", flush=True)
    bells = 0
    buffer = ctypes.create_string_buffer(192)  # an XEvent
    end = time.monotonic() + seconds
    fd = x11.XConnectionNumber(display)
    while time.monotonic() < end:
        while x11.XPending(display):
            x11.XNextEvent(display, buffer)
            e = XkbAnyEvent.from_buffer(buffer)
            if e.type == event.value and e.xkb_type == XKB_BELL_NOTIFY:
                bells += 1
        select.select([fd], [], [], max(0.0, min(0.1, end - time.monotonic())))
    print(bells)


main()
