#!/usr/bin/python3
"""Prints what a Windows shortcut (.lnk, the Shell Link format) opens, one
item a line: the target's local path, the working folder, and the icon's
location and index ("PATH,INDEX"). Items the shortcut lacks are empty lines.

  shell_link.py FILE.lnk
"""
import struct
import sys

HEADER_SIZE = 0x4C
HAS_ID_LIST = 0x01
HAS_LINK_INFO = 0x02
IS_UNICODE = 0x80
# The string items in their order in the file, by the flag that says each
# is there.
STRING_ITEMS = [("name", 0x04), ("relative_path", 0x08), ("working_dir", 0x10), ("arguments", 0x20),
                ("icon_location", 0x40)]


def c_string(data, at, wide):
    if wide:
        end = at
        while data[end:end + 2] != b"\0\0":
            end += 2
        return data[at:end].decode("utf-16-le")
    return data[at:data.index(b"\0", at)].decode("cp1252")


def read_link(data):
    if len(data) < HEADER_SIZE or struct.unpack_from("<I", data, 0)[0] != HEADER_SIZE:
        sys.exit("not a shell link")
    flags, = struct.unpack_from("<I", data, 0x14)
    icon_index, = struct.unpack_from("<i", data, 0x38)
    at = HEADER_SIZE
    if flags & HAS_ID_LIST:
        at += 2 + struct.unpack_from("<H", data, at)[0]
    target = ""
    if flags & HAS_LINK_INFO:
        size, header_size, _, _, base, _, suffix = struct.unpack_from("<7I", data, at)
        if header_size >= 0x24:
            wide_base, wide_suffix = struct.unpack_from("<2I", data, at + 0x1C)
            target = c_string(data, at + wide_base, True) + c_string(data, at + wide_suffix, True)
        elif base:
            target = c_string(data, at + base, False) + c_string(data, at + suffix, False)
        at += size
    items = {}
    wide = bool(flags & IS_UNICODE)
    for name, flag in STRING_ITEMS:
        if flags & flag:
            count, = struct.unpack_from("<H", data, at)
            at += 2
            width = 2 if wide else 1
            raw = data[at:at + count * width]
            # Some writers count the terminating NUL.
            items[name] = raw.decode("utf-16-le" if wide else "cp1252").rstrip("\0")
            at += count * width
    icon = items.get("icon_location", "")
    return [target, items.get("working_dir", ""), "%s,%d" % (icon, icon_index) if icon else ""]


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    with open(sys.argv[1], "rb") as link:
        print("\n".join(read_link(link.read())))
