#!/usr/bin/python3
"""A stand-in for a Linux file manager: one small X11 window that offers the
files named on its command line as text/uri-list, the way Nautilus or Thunar
do when files are dragged out of them.

    dragsource.py X Y PATH...

The window shows at X, Y (root coordinates). Once it is on the screen the
program prints "ready" and waits for a drag that starts inside it. It prints
"sent" when the drop target asked for the data, then "done" or "failed" when
the drag ends, and exits; it also exits on its own after a while, so it can
never outlive the test that started it.
"""
import sys

import gi

gi.require_version("Gtk", "3.0")
gi.require_version("Gdk", "3.0")
from gi.repository import GLib, Gdk, Gtk  # noqa: E402

LIFETIME_SECONDS = 60


def say(word):
    print(word, flush=True)


def main():
    if len(sys.argv) < 4:
        sys.stderr.write(__doc__)
        return 2
    x, y = int(sys.argv[1]), int(sys.argv[2])
    uris = [GLib.filename_to_uri(p, None) for p in sys.argv[3:]]

    window = Gtk.Window(type=Gtk.WindowType.TOPLEVEL, title="drag source")
    window.set_decorated(False)
    window.set_default_size(120, 80)
    window.move(x, y)
    box = Gtk.EventBox()
    box.add(Gtk.Label(label="%d files" % len(uris)))
    window.add(box)

    box.drag_source_set(Gdk.ModifierType.BUTTON1_MASK, [], Gdk.DragAction.COPY)
    box.drag_source_add_uri_targets()

    def on_data_get(_widget, _context, data, _info, _time):
        data.set_uris(uris)
        say("sent")

    def on_end(_widget, _context):
        say("done")
        GLib.timeout_add(200, Gtk.main_quit)

    def on_failed(_widget, _context, result):
        say("failed %s" % result.value_nick)
        return False

    box.connect("drag-data-get", on_data_get)
    box.connect("drag-end", on_end)
    box.connect("drag-failed", on_failed)
    window.connect("destroy", Gtk.main_quit)

    def on_mapped(_widget, _event):
        # The first draw has happened once the window is mapped and idle.
        GLib.idle_add(lambda: say("ready") and False)
        return False

    window.connect("map-event", on_mapped)
    GLib.timeout_add_seconds(LIFETIME_SECONDS, Gtk.main_quit)
    window.show_all()
    Gtk.main()
    return 0


if __name__ == "__main__":
    sys.exit(main())
