#!/usr/bin/python3
"""Reads the main window and the line editor as a screen reader does (AT-SPI, under Xvfb), in
Chinese, English and Polish: every control has a name, no two controls of a window share one, and
the English and Polish windows carry no Chinese name.

usage: test_accessibility.py TQMANAGE SYSTEM_DIR
It runs itself again in a D-Bus session of its own, with a runtime folder of its own: the
accessibility bus lives there, out of reach of any other session on the machine.
Exits 77 (skipped) when no display server or D-Bus session can be had."""
import os
import re
import shutil
import subprocess
import sys
import tempfile
import time

try:
    import gi
    gi.require_version('Atspi', '2.0')
    import pyatspi
    from gi.repository import Atspi, Gio, GLib
except (ImportError, ValueError) as e:
    print('skipped: no pyatspi:', e)
    sys.exit(77)

SKIP = 77
CONTROL_ROLES = {
    pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
    pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON,
    pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SLIDER,
}
CHINESE = re.compile('[\u3400-\u9fff\uff00-\uffef]')


def wait_for(what, probe, seconds=60.0):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # the bus or the program is still starting
            found = None
        if found:
            return found
        time.sleep(0.2)
        # The bus tells of new programs and windows by signals, handled in the main loop.
        while GLib.MainContext.default().iteration(False):
            pass
    raise TimeoutError('timed out waiting for ' + what)


def start_display():
    if not shutil.which('Xvfb'):
        return None, None
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1600x1000x24', '-nolisten', 'tcp'],
                            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    return xvfb, ':' + number


def controls(node, found, in_pages=False):
    """Every control below node the operator can reach: the showing ones, and those on the pages of
    the tab widget that are not chosen now (menus and Qt's hidden scroll arrows are not reached)."""
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        role = child.getRole()
        states = child.getState()
        pages = in_pages or role == pyatspi.ROLE_LAYERED_PANE
        if not states.contains(pyatspi.STATE_SHOWING) and not in_pages:
            continue
        focusable_text = role == pyatspi.ROLE_LABEL and states.contains(pyatspi.STATE_FOCUSABLE)
        if role in CONTROL_ROLES or focusable_text:
            found.append(child)
        controls(child, found, pages)
    return found


def check_window(label, window, language):
    problems = []
    names = {}
    for c in controls(window, []):
        role = c.getRoleName()
        name = (c.name or '').strip()
        if not name:
            problems.append('%s: a %s has no name' % (label, role))
            continue
        names.setdefault(name, []).append(role)
        if language != 'Chinese' and CHINESE.search(name):
            problems.append('%s: Chinese name "%s" (%s) in the %s window' % (label, name, role, language))
    for name, roles in names.items():
        if len(roles) > 1:
            problems.append('%s: %d controls are called "%s" (%s)' % (label, len(roles), name, ', '.join(roles)))
    return problems, len(sum(names.values(), []))


def find(node, predicate):
    for i in range(node.childCount):
        child = node.getChildAtIndex(i)
        if child is None:
            continue
        if predicate(child):
            return child
        hit = find(child, predicate)
        if hit:
            return hit
    return None


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clear_cache()  # programs that registered since the last look
    for i in range(desktop.childCount):
        app = desktop.getChildAtIndex(i)
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def announce_a11y_bus(display):
    """Starts the accessibility bus and writes its address on the display, where Qt looks first: a
    program that has to ask the session bus for it now and then loses the connection it then makes."""
    session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    reply = session.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None,
                              GLib.VariantType.new('(s)'), Gio.DBusCallFlags.NONE, 10000, None)
    subprocess.run(['xprop', '-display', display, '-root', '-f', 'AT_SPI_BUS', '8s', '-set', 'AT_SPI_BUS',
                    reply.unpack()[0]], check=True)


def read_language(program, system_source, language, display):
    work = tempfile.mkdtemp(prefix='tq-a11y-')
    system = os.path.join(work, 'System')
    shutil.copytree(system_source, system)
    with open(os.path.join(system, 'Language.ini'), 'w') as f:
        f.write('[General]\nLanguage=%s\n' % {'Chinese': 'Chinese', 'English': 'English', 'Polish': 'Poland'}[language])
    env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
               XDG_CONFIG_HOME=os.path.join(work, 'config'), LC_ALL='C.UTF-8')
    announce_a11y_bus(display)
    problems = []
    proc = None
    try:
        proc = subprocess.Popen([program, '--system-dir', system], env=env, stderr=subprocess.DEVNULL)
        app = wait_for('the window of pid %d on AT-SPI' % proc.pid, lambda: (
            lambda a: a if a is not None and a.childCount > 0 else None)(application(proc.pid)), 15)
        window = app.getChildAtIndex(0)
        found, count = check_window(language + ' main window', window, language)
        problems += found
        # The first button of the page, top left: the one that opens the line editor.
        add = find(window, lambda n: n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
        # The editor is modal: the press only returns when it closes, so the call is left to time out.
        Atspi.set_timeout(500, 500)
        try:
            add.queryAction().doAction(0)
        except Exception:
            pass
        Atspi.set_timeout(800, 15000)  # the library's own
        editor = wait_for('the line editor', lambda: find(app, lambda n: n.getRole() == pyatspi.ROLE_DIALOG))
        time.sleep(0.5)
        found, more = check_window(language + ' line editor', editor, language)
        problems += found
        count += more
        print('%s: %d controls read' % (language, count))
        if count < 20:
            problems.append('%s: only %d controls read' % (language, count))
    finally:
        if proc:
            proc.kill()
            proc.wait()
        shutil.rmtree(work, ignore_errors=True)
    return problems


RETRY = 75


def in_own_session(language):
    """Runs this script for one language in a D-Bus session and runtime folder of its own; a start
    that Qt could not register is tried again in a fresh session."""
    for attempt in range(5):
        with tempfile.TemporaryDirectory(prefix='tq-a11y-run-') as runtime:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, TQ_A11Y_RUNTIME=runtime, HOME=runtime)
            env.pop('DBUS_SESSION_BUS_ADDRESS', None)
            status = subprocess.call(['dbus-run-session', '--', sys.executable] + sys.argv + [language], env=env,
                                     stderr=subprocess.DEVNULL)
        if status != RETRY:
            return status
        print('%s: the window did not register on the accessibility bus, trying again' % language)
    return 1


def main():
    program, system_source = sys.argv[1], sys.argv[2]
    inside = os.environ.get('TQ_A11Y_RUNTIME')
    if not inside or inside != os.environ.get('XDG_RUNTIME_DIR') or not os.environ.get('DBUS_SESSION_BUS_ADDRESS'):
        if not all(shutil.which(tool) for tool in ('dbus-run-session', 'Xvfb', 'xprop')):
            print('skipped: needs dbus-run-session, Xvfb and xprop')
            return SKIP
        statuses = [in_own_session(language) for language in ('Chinese', 'English', 'Polish')]
        return SKIP if all(s == SKIP for s in statuses) else max(s for s in statuses if s != SKIP)
    language = sys.argv[3]
    xvfb, display = start_display()
    try:
        problems = read_language(program, system_source, language, display)
    except TimeoutError as e:
        print(e)
        return RETRY
    finally:
        xvfb.kill()
        xvfb.wait()
    for p in problems:
        print(p)
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
