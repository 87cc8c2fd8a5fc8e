'''A python3-dbusmock template standing in for the desktop's GlobalShortcuts portal

Serves org.freedesktop.portal.GlobalShortcuts (version 1) on org.freedesktop.portal.Desktop
/org/freedesktop/portal/desktop: CreateSession, BindShortcuts and ListShortcuts answer through a
Request object's Response signal, after the method's reply, as the real portal does. Every bound
shortcut gets its preferred_trigger as trigger_description.

A test fires shortcuts through the org.freedesktop.DBus.Mock interface:
  Activate(s id)        Activated then Deactivated, to every open session that bound id;
                        returns how many sessions were told.
  SetTaken(as ids)      these ids are bound without a trigger (someone else holds the keys).
  SetDenied(b)          CreateSession answers 1 (the user cancelled).
  Bound()               (session path, id, description, trigger) of every bound shortcut.
  SetBindIgnored(b)     as KDE 5.27: only CreateSession's options["shortcuts"] are bound, and
                        BindShortcuts answers an empty list.
Start it:  /usr/bin/python3 -m dbusmock --session --template /path/globalshortcuts_portal.py
Calls are logged like any dbusmock method (GetCalls, MethodCalled).
'''

import random

import dbus
from gi.repository import GLib

from dbusmock import MOCK_IFACE, mockobject

BUS_NAME = 'org.freedesktop.portal.Desktop'
MAIN_OBJ = '/org/freedesktop/portal/desktop'
MAIN_IFACE = 'org.freedesktop.portal.GlobalShortcuts'
SYSTEM_BUS = False

REQUEST_IFACE = 'org.freedesktop.portal.Request'
SESSION_IFACE = 'org.freedesktop.portal.Session'


def load(mock, parameters):
    mock.gs_sessions = {}  # session path -> {'sender': unique name, 'shortcuts': {id: {...}}}
    mock.gs_taken = set()
    mock.gs_denied = bool(parameters.get('deny', False))
    mock.gs_bind_ignored = False
    mock.AddProperties(MAIN_IFACE, dbus.Dictionary({'version': dbus.UInt32(1)}, signature='sv'))


def _sender_part(sender):
    return sender[1:].replace('.', '_')


def _token(options, key):
    return str(options.get(key, 'stand_in%d' % random.randint(0, 1 << 30)))


def _answer(mock, sender, options, code, results):
    '''Makes the Request object and emits its Response once the method has returned.'''
    path = '/org/freedesktop/portal/desktop/request/%s/%s' % (_sender_part(sender), _token(options, 'handle_token'))
    mock.AddObject(path, REQUEST_IFACE, {}, [('Close', '', '', '')])

    def emit():
        request = mockobject.objects[path]
        request.EmitSignal(REQUEST_IFACE, 'Response', 'ua{sv}',
                           [dbus.UInt32(code), dbus.Dictionary(results, signature='sv')])
        mock.RemoveObject(path)
        return False

    GLib.idle_add(emit)  # after the method's reply, as the real portal answers
    return dbus.ObjectPath(path)


def _described(session):
    return dbus.Array([(sid, dbus.Dictionary(info, signature='sv')) for sid, info in session['shortcuts'].items()],
                      signature='(sa{sv})')


def _session(mock, session_handle, sender):
    session = mock.gs_sessions.get(str(session_handle))
    if session is None or session['sender'] != sender:
        raise dbus.exceptions.DBusException('Invalid session', name='org.freedesktop.portal.Error.NotFound')
    return session


@dbus.service.method(MAIN_IFACE, in_signature='a{sv}', out_signature='o', sender_keyword='sender')
def CreateSession(self, options, sender=None):
    if self.gs_denied:
        return _answer(self, sender, options, 1, {})
    path = '/org/freedesktop/portal/desktop/session/%s/%s' % (_sender_part(sender),
                                                              _token(options, 'session_handle_token'))
    self.AddObject(path, SESSION_IFACE, {'version': dbus.UInt32(1)}, [])
    self.gs_sessions[path] = {'sender': sender, 'shortcuts': {}}
    if self.gs_bind_ignored:
        _bind(self, self.gs_sessions[path], options.get('shortcuts', []))
    mockobject.objects[path].AddMethod(SESSION_IFACE, 'Close', '', '', 'self.RemoveObject(self.path)')
    return _answer(self, sender, options, 0, {'session_handle': dbus.String(path)})


@dbus.service.method(MAIN_IFACE, in_signature='oa(sa{sv})sa{sv}', out_signature='o', sender_keyword='sender')
def BindShortcuts(self, session_handle, shortcuts, parent_window, options, sender=None):
    session = _session(self, session_handle, sender)
    if self.gs_bind_ignored:
        return _answer(self, sender, options, 0, {'shortcuts': dbus.Array([], signature='(sa{sv})')})
    _bind(self, session, shortcuts)
    return _answer(self, sender, options, 0, {'shortcuts': _described(session)})


def _bind(mock, session, shortcuts):
    for sid, props in shortcuts:
        trigger = '' if str(sid) in mock.gs_taken else str(props.get('preferred_trigger', ''))
        session['shortcuts'][str(sid)] = {'description': dbus.String(props.get('description', '')),
                                          'trigger_description': dbus.String(trigger)}


@dbus.service.method(MAIN_IFACE, in_signature='oa{sv}', out_signature='o', sender_keyword='sender')
def ListShortcuts(self, session_handle, options, sender=None):
    session = _session(self, session_handle, sender)
    return _answer(self, sender, options, 0, {'shortcuts': _described(session)})


@dbus.service.method(MOCK_IFACE, in_signature='s', out_signature='u')
def Activate(self, shortcut_id):
    told = 0
    stamp = dbus.UInt64(GLib.get_monotonic_time() // 1000)
    for path, session in list(self.gs_sessions.items()):
        if path not in mockobject.objects:  # closed by the client
            del self.gs_sessions[path]
            continue
        info = session['shortcuts'].get(str(shortcut_id))
        if info is None or not info['trigger_description']:
            continue
        for signal in ('Activated', 'Deactivated'):
            self.EmitSignal(MAIN_IFACE, signal, 'osta{sv}',
                            [dbus.ObjectPath(path), shortcut_id, stamp, dbus.Dictionary({}, signature='sv')])
        told += 1
    return dbus.UInt32(told)


@dbus.service.method(MOCK_IFACE, in_signature='as', out_signature='')
def SetTaken(self, ids):
    self.gs_taken = set(str(i) for i in ids)


@dbus.service.method(MOCK_IFACE, in_signature='b', out_signature='')
def SetDenied(self, denied):
    self.gs_denied = bool(denied)


@dbus.service.method(MOCK_IFACE, in_signature='b', out_signature='')
def SetBindIgnored(self, ignored):
    self.gs_bind_ignored = bool(ignored)


@dbus.service.method(MOCK_IFACE, in_signature='', out_signature='a(ssss)')
def Bound(self):
    return dbus.Array([(path, sid, info['description'], info['trigger_description'])
                       for path, session in self.gs_sessions.items()
                       for sid, info in session['shortcuts'].items()], signature='(ssss)')
