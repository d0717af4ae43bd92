#!/usr/bin/python3
"""A stand-in for the desktop's XDG portal on the session bus, for the one
call the program makes to it: Inhibit. Each call is appended to FILE as one
line, "flags reason", and answered with a request handle, as a portal does.

  desktop_portal.py FILE
"""
import sys

import gi

gi.require_version("Gio", "2.0")
from gi.repository import Gio, GLib  # noqa: E402

INTERFACE = """
<node>
  <interface name="org.freedesktop.portal.Inhibit">
    <method name="Inhibit">
      <arg type="s" name="window" direction="in"/>
      <arg type="u" name="flags" direction="in"/>
      <arg type="a{sv}" name="options" direction="in"/>
      <arg type="o" name="handle" direction="out"/>
    </method>
  </interface>
</node>
"""


def main(record):
    node = Gio.DBusNodeInfo.new_for_xml(INTERFACE)

    def call(connection, sender, path, interface, method, parameters, invocation):
        window, flags, options = parameters.unpack()
        with open(record, "a", encoding="utf-8") as out:
            out.write("%d %s\n" % (flags, options.get("reason", "")))
        invocation.return_value(GLib.Variant("(o)", ("/org/freedesktop/portal/desktop/request/1/hold",)))

    def acquired(connection, name):
        connection.register_object("/org/freedesktop/portal/desktop", node.interfaces[0], call, None, None)

    def ready(connection, name):
        print("ready", flush=True)

    Gio.bus_own_name(Gio.BusType.SESSION, "org.freedesktop.portal.Desktop", Gio.BusNameOwnerFlags.NONE,
                     acquired, ready, lambda *_: sys.exit("desktop_portal: the name is taken"))
    GLib.MainLoop().run()


if __name__ == "__main__":
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    main(sys.argv[1])
