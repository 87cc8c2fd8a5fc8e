'''A python3-dbusmock template standing in for the desktop's GlobalShortcuts portal (version 1)

Answers come as a Request's Response after the method's reply, as from the real portal. Through
org.freedesktop.DBus.Mock: Activate(s id), Bound(), Sessions() (those not closed) and Set(s name,
v value) of "taken" (ids bound without a trigger), "denied" (CreateSession answers 1, as when the
user cancels) or "bind_denied" (BindShortcuts answers 1).
'''

import dbus
from gi.repository import GLib

from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'
SYSTEM_BUS = False


def load(mock, parameters):
    mock.gs_sessions = {}  # session path -> {id: (description, trigger)}
    mock.gs = {'taken': [], 'denied': False, 'bind_denied': False}
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({'version': dbus.UInt32(1)}, signature='sv'))


def _answer(mock, sender, options, code, results):
    path = '/org/freedesktop/portal/desktop/request/%s/%s' % (sender[1:].replace('.', '_'), options['handle_token'])
    mock.AddObject(path, 'org.freedesktop.portal.Request', {}, [])

    def emit():
        mockobject.objects[path].EmitSignal('org.freedesktop.portal.Request', 'Response', 'ua{sv}',
                                            [dbus.UInt32(code), dbus.Dictionary(results, signature='sv')])
        mock.RemoveObject(path)

    GLib.idle_add(emit)
    return dbus.ObjectPath(path)


def _bind(mock, path, shortcuts):
    for sid, props in shortcuts:
        trigger = '' if sid in mock.gs['taken'] else props.get('preferred_trigger', '')
        mock.gs_sessions[path][str(sid)] = (str(props['description']), str(trigger))
    return {'shortcuts': dbus.Array([(sid, {'description': d, 'trigger_description': t})
                                     for sid, (d, t) in mock.gs_sessions[path].items()], signature='(sa{sv})')}


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
def CreateSession(self, options, sender=None):
    if self.gs['denied']:
        return _answer(self, sender, options, 1, {})
    path = '/org/freedesktop/portal/desktop/session/%s/%s' % (sender[1:].replace('.', '_'),
                                                              options['session_handle_token'])
    self.gs_sessions[path] = {}
    self.AddObject(path, 'org.freedesktop.portal.Session', {}, [
        ('Close', '', '', lambda session: self.gs_sessions.pop(path, None))])
    return _answer(self, sender, options, 0, {'session_handle': dbus.String(path)})


@dbus.service.method(MAIN_IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o', sender_keyword='sender')
def BindShortcuts(self, session, shortcuts, parent_window, options, sender=None):
    if self.gs['bind_denied']:
        return _answer(self, sender, options, 1, {})
    return _answer(self, sender, options, 0, _bind(self, str(session), shortcuts))


@dbus.service.method(MAIN_IFACE, in_signature='oa{sv}', out_signature='o', sender_keyword='sender')
def ListShortcuts(self, session, options, sender=None):
    return _answer(self, sender, options, 0, _bind(self, str(session), []))


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='')
def Activate(self, sid):
    for path in [path for path, held in self.gs_sessions.items() if held.get(sid, ('', ''))[1]]:
        for signal in ('Activated', 'Deactivated'):
            self.EmitSignal(MAIN_IFACE, signal, 'osta{sv}', [dbus.ObjectPath(path), sid, dbus.UInt64(0), {}])


@dbus.service.method(MOCK_IFACE, in_signature='sv', out_signature='')
def Set(self, name, value):
    self.gs[name] = value


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def Bound(self):
    return ["%s %s '%s' %s" % (path.rsplit('/', 1)[1], sid, d, t)
            for path, held in self.gs_sessions.items() for sid, (d, t) in held.items()]


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='as')
def Sessions(self):
    return list(self.gs_sessions)
