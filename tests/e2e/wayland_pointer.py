#!/usr/bin/python3
"""Gives the compositor's seat a pointer, and keeps it until killed.

A headless compositor has no pointer device; without one, a program gets no
pointer to click with. This makes a virtual one (wlr virtual-pointer
protocol, which sway offers), so that the compositor's own cursor commands
(swaymsg seat - cursor ...) reach the windows. Speaks the Wayland wire
protocol itself: it needs no request but three, and no reply but the
registry's.
"""
import os
import socket
import struct
import sys

MANAGER = "zwlr_virtual_pointer_manager_v1"


def message(sender, opcode, payload=b""):
    return struct.pack("=II", sender, (8 + len(payload)) << 16 | opcode) + payload


def string(text):
    data = text.encode() + b"\0"
    return struct.pack("=I", len(data)) + data + b"\0" * (-len(data) % 4)


def main():
    path = os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ.get("WAYLAND_DISPLAY", "wayland-0"))
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.connect(path)
    display, registry, done = 1, 2, 3
    # wl_display.get_registry, then wl_display.sync: its callback comes after
    # every global.
    connection.sendall(message(display, 1, struct.pack("=I", registry)) + message(display, 0, struct.pack("=I", done)))
    buffer, manager, synced = b"", None, False
    while not synced:
        chunk = connection.recv(4096)
        if not chunk:
            sys.exit("wayland_pointer: the compositor closed the connection")
        buffer += chunk
        while len(buffer) >= 8:
            sender, header = struct.unpack_from("=II", buffer)
            size, opcode = header >> 16, header & 0xFFFF
            if len(buffer) < size:
                break
            body, buffer = buffer[8:size], buffer[size:]
            if sender == registry and opcode == 0:  # wl_registry.global
                name, length = struct.unpack_from("=II", body)
                interface = body[8:8 + length - 1].decode()
                if interface == MANAGER:
                    manager = name
            elif sender == done:
                synced = True
    if manager is None:
        sys.exit("wayland_pointer: the compositor offers no " + MANAGER)
    bound, pointer = 4, 5
    # wl_registry.bind, then create_virtual_pointer on the default seat.
    connection.sendall(message(registry, 0, struct.pack("=I", manager) + string(MANAGER) + struct.pack("=II", 1, bound))
                       + message(bound, 0, struct.pack("=II", 0, pointer)))
    while connection.recv(4096):
        pass


if __name__ == "__main__":
    main()
