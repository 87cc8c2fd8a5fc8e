#!/usr/bin/python3
"""A StatusNotifierWatcher with a host registered, as a desktop's panel runs one: it owns
org.kde.StatusNotifierWatcher on the session bus and prints "REGISTERED <service>/<path>" for each
item that registers. Uses Debian's dbus and gi modules: run it with /usr/bin/python3."""

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

WATCHER = "org.kde.StatusNotifierWatcher"

# Qt reads only the properties that introspection declares.
INTROSPECTION = f"""<node><interface name="{WATCHER}">
 <method name="RegisterStatusNotifierItem"><arg type="s" direction="in"/></method>
 <property name="IsStatusNotifierHostRegistered" type="b" access="read"/>
</interface></node>"""


class Watcher(dbus.service.Object):
    @dbus.service.method(WATCHER, in_signature="s", sender_keyword="sender")
    def RegisterStatusNotifierItem(self, service: str, sender: str = ""):
        # Qt passes its bus name; other items pass an object path on their own connection.
        print("REGISTERED", sender + service if service.startswith("/") else service + "/StatusNotifierItem",
              flush=True)

    @dbus.service.method(dbus.PROPERTIES_IFACE, in_signature="ss", out_signature="v")
    def Get(self, interface: str, name: str):
        return True

    @dbus.service.method(dbus.INTROSPECTABLE_IFACE, out_signature="s")
    def Introspect(self):
        return INTROSPECTION


if __name__ == "__main__":
    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    watcher = Watcher(bus, "/StatusNotifierWatcher")
    name = dbus.service.BusName(WATCHER, bus)
    GLib.MainLoop().run()
