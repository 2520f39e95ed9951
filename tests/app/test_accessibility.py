#!/usr/bin/python3
"""Reads the main window and the line editor as a screen reader does (AT-SPI, under Xvfb), in
Chinese, English and Polish: every control has a name, no two controls of a window share one, and
the English and Polish windows carry no Chinese name.

usage: test_accessibility.py TQMANAGE SYSTEM_DIR
Each language runs in a D-Bus session and runtime folder of its own (the accessibility bus lives
there, out of reach of other sessions on the machine). Exits 77 (skipped) without the tools."""
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

SKIP, RETRY = 77, 75
CONTROLS = {pyatspi.ROLE_PUSH_BUTTON, pyatspi.ROLE_TOGGLE_BUTTON, pyatspi.ROLE_CHECK_BOX, pyatspi.ROLE_RADIO_BUTTON,
            pyatspi.ROLE_COMBO_BOX, pyatspi.ROLE_TEXT, pyatspi.ROLE_ENTRY, pyatspi.ROLE_SPIN_BUTTON,
            pyatspi.ROLE_PAGE_TAB, pyatspi.ROLE_SLIDER}
CHINESE = re.compile('[\u3400-\u9fff\uff00-\uffef]')


def wait_for(what, probe, seconds):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            found = probe()
        except Exception:  # the bus or the program is still starting
            found = None
        if found:
            return found
        time.sleep(0.2)
        while GLib.MainContext.default().iteration(False):  # the bus's signals
            pass
    raise TimeoutError('timed out waiting for ' + what)


def walk(node, in_pages=False):
    """What the operator can reach below node: the showing objects, and those on the tab widget's
    pages not chosen now (not the closed menus, nor Qt's hidden tab scroll arrows)."""
    for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
        if child is not None and (in_pages or child.getState().contains(pyatspi.STATE_SHOWING)):
            yield child
            yield from walk(child, in_pages or child.getRole() == pyatspi.ROLE_LAYERED_PANE)


def check_window(label, window, language):
    problems, names = [], {}
    for c in walk(window):
        focusable_text = c.getRole() == pyatspi.ROLE_LABEL and c.getState().contains(pyatspi.STATE_FOCUSABLE)
        if c.getRole() not in CONTROLS and not focusable_text:
            continue
        name, role = (c.name or '').strip(), c.getRoleName()
        names.setdefault(name, []).append(role)
        if not name:
            problems.append('%s: a %s has no name' % (label, role))
        elif language != 'Chinese' and CHINESE.search(name):
            problems.append('%s: Chinese name "%s" (%s) in the %s window' % (label, name, role, language))
    problems += ['%s: %d controls are called "%s" (%s)' % (label, len(roles), name, ', '.join(roles))
                 for name, roles in names.items() if name and len(roles) > 1]
    return problems, sum(len(roles) for roles in names.values())


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    desktop.clear_cache()  # programs that registered since the last look
    apps = [desktop.getChildAtIndex(i) for i in range(desktop.childCount)]
    return next((a for a in apps if a is not None and a.get_process_id() == pid and a.childCount > 0), None)


def shown(display):
    """Whether a top-level window on the display is viewable (the program's own helper windows never are)."""
    tree = subprocess.run(['xwininfo', '-display', display, '-root', '-children'], capture_output=True, text=True).stdout
    for window in re.findall(r'^\s+(0x[0-9a-f]+) ', tree, re.M):
        info = subprocess.run(['xwininfo', '-display', display, '-id', window], capture_output=True, text=True).stdout
        if 'IsViewable' in info:
            return True
    return False


def read_language(program, system_source, language, display):
    with tempfile.TemporaryDirectory(prefix='tq-a11y-') as work:
        system = os.path.join(work, 'System')
        shutil.copytree(system_source, system)
        with open(os.path.join(system, 'Language.ini'), 'w') as f:
            f.write('[General]\nLanguage=%s\n' % language.replace('Polish', 'Poland'))
        env = dict(os.environ, DISPLAY=display, QT_QPA_PLATFORM='xcb', QT_LINUX_ACCESSIBILITY_ALWAYS_ON='1',
                   XDG_CONFIG_HOME=os.path.join(work, 'config'))
        proc = subprocess.Popen([program, '--system-dir', system], env=env, stderr=subprocess.DEVNULL)
        try:
            # The accessibility bus is started only once the window shows. Debian's Qt 5.15 turns its
            # bridge on at start when it finds the bus already there (on the session bus or on the
            # display), before it has connected to it, and never registers; a bus that appears later
            # it follows properly.
            wait_for('the window of pid %d on the display' % proc.pid, lambda: shown(display), 30)
            session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
            session.call_sync('org.a11y.Bus', '/org/a11y/bus', 'org.a11y.Bus', 'GetAddress', None,
                              GLib.VariantType.new('(s)'), Gio.DBusCallFlags.NONE, 10000, None)
            app = wait_for('the window of pid %d on AT-SPI' % proc.pid, lambda: application(proc.pid), 10)
            window = app.getChildAtIndex(0)
            problems, count = check_window(language + ' main window', window, language)
            # The first button of the page, top left, opens the line editor. The editor is modal, so
            # the press returns only when it closes: the call is left to time out.
            add = next(n for n in walk(window) if n.getRole() == pyatspi.ROLE_PUSH_BUTTON)
            Atspi.set_timeout(500, 500)
            try:
                add.queryAction().doAction(0)
            except GLib.Error:
                pass
            Atspi.set_timeout(800, 15000)  # the library's own
            editor = wait_for('the line editor', lambda: next(
                (n for n in walk(app) if n.getRole() == pyatspi.ROLE_DIALOG), None), 30)
            time.sleep(0.5)
            found, more = check_window(language + ' line editor', editor, language)
        finally:
            proc.kill()
            proc.wait()
    print('%s: %d controls read' % (language, count + more))
    return problems + found + (['%s: only %d controls read' % (language, count + more)] if count + more < 30 else [])


def in_own_session(language):
    """This script for one language in a fresh D-Bus session; tried again in another when the window
    did not register on the accessibility bus. Never registering is the machine's fault: skipped."""
    for _ in range(3):
        with tempfile.TemporaryDirectory(prefix='tq-a11y-run-') as runtime:
            env = dict(os.environ, XDG_RUNTIME_DIR=runtime, TQ_A11Y_RUNTIME=runtime, HOME=runtime)
            env.pop('DBUS_SESSION_BUS_ADDRESS', None)
            status = subprocess.call(['dbus-run-session', '--', sys.executable] + sys.argv + [language], env=env,
                                     stderr=subprocess.DEVNULL)
        if status != RETRY:
            return status
        print('%s: the window did not register on the accessibility bus, trying again' % language)
    return SKIP


def main():
    program, system_source = sys.argv[1], sys.argv[2]
    if os.environ.get('TQ_A11Y_RUNTIME') != os.environ.get('XDG_RUNTIME_DIR') or len(sys.argv) < 4:
        if not all(shutil.which(tool) for tool in ('dbus-run-session', 'Xvfb', 'xwininfo')):
            print('skipped: needs dbus-run-session, Xvfb and xwininfo')
            return SKIP
        statuses = [in_own_session(language) for language in ('Chinese', 'English', 'Polish')]
        return SKIP if all(s == SKIP for s in statuses) else max(s for s in statuses if s != SKIP)
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(['Xvfb', '-displayfd', str(write_end), '-screen', '0', '1600x1000x24', '-nolisten', 'tcp'],
                            pass_fds=(write_end,), stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        display = ':' + f.readline().strip()
    try:
        problems = read_language(program, system_source, sys.argv[3], display)
    except TimeoutError as e:
        print(e)
        return RETRY
    finally:
        xvfb.kill()
        xvfb.wait()
    print('\n'.join(problems))
    return 1 if problems else 0


if __name__ == '__main__':
    sys.exit(main())
