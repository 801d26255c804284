#!/usr/bin/python3
# The real program on a real display, driven through the accessibility bus as a screen reader
# drives it: the list is where the keyboard starts, a row is found by its name and installed
# through its accessible action, and the outcome is read from the notification that the
# window shows; the window's class matches the desktop entry, so launchers group it.
#
# Everything runs in a private desktop made for this run (Xvfb, a window manager, a session
# bus, the accessibility bus and its registry), each process ended by its id at the end.
# Usage: test_screen_reader.py PROGRAM SOURCE_DIR

import os
import shutil
import subprocess
import sys
import tempfile
import time
import warnings

DEADLINE = 30  # seconds for any one thing to happen
TAB, SHIFT_MASK = 0xFF09, 1
SYSTEM_DATA_DIRS = "/usr/local/share:/usr/share"


class Desktop:
    """The private desktop; every process it starts is ended in stop()."""

    def __init__(self, root):
        self.root = root
        self.processes = []

    def log(self, command):
        return os.path.join(self.root, os.path.basename(command[0]) + ".log")

    def start(self, command, env, own_group=False, **options):
        with open(self.log(command), "ab") as log:
            process = subprocess.Popen(command, env=env, stdout=log, stderr=log,
                                       stdin=subprocess.DEVNULL, start_new_session=own_group,
                                       **options)
        self.processes.append((process, command, own_group))
        return process

    def stop(self):
        for process, _, own_group in reversed(self.processes):
            # A group of its own holds what the process started (the bus launcher's bus).
            try:
                if own_group:
                    os.killpg(process.pid, 15)
                else:
                    process.terminate()
            except ProcessLookupError:
                pass
            try:
                process.wait(10)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def print_logs(self):
        for _, command, _ in self.processes:
            with open(self.log(command), errors="replace") as log:
                print("--- %s:\n%s" % (command[0], log.read()[-3000:]), file=sys.stderr)

    def output(self, command, env):
        return subprocess.run(command, env=env, capture_output=True, text=True, timeout=DEADLINE)


def wait_for(what, check, deadline=DEADLINE, pump=None):
    """check() until it answers something true, or fails naming what it waited for."""
    end = time.monotonic() + deadline
    while True:
        if pump:
            pump()
        answer = check()
        if answer:
            return answer
        if time.monotonic() > end:
            raise AssertionError("timed out waiting for " + what)
        time.sleep(0.02)  # polling interval, not a wait for something to happen


def read_line(fd):
    data = b""
    while not data.endswith(b"\n"):
        chunk = os.read(fd, 256)
        if not chunk:
            break
        data += chunk
    os.close(fd)
    return data.decode().strip()


def start_desktop(desktop, sandbox_env):
    base = dict(os.environ)
    for name in ("DISPLAY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
                 "QT_QPA_PLATFORM", "QT_LOGGING_RULES"):
        base.pop(name, None)
    base.update(sandbox_env)

    read, write = os.pipe()
    desktop.start(["Xvfb", "-displayfd", str(write), "-screen", "0", "1024x768x24",
                   "-nolisten", "tcp"], base, pass_fds=(write,))
    os.close(write)
    base["DISPLAY"] = ":" + read_line(read)

    read, write = os.pipe()
    desktop.start(["dbus-daemon", "--session", "--nofork", "--nopidfile",
                   "--print-address=%d" % write], base, pass_fds=(write,))
    os.close(write)
    base["DBUS_SESSION_BUS_ADDRESS"] = read_line(read)

    # The window manager and the bus launcher need the system's own data (themes, GSettings
    # schemas); the launcher's settings stay in memory.
    system = dict(base, XDG_DATA_DIRS=SYSTEM_DATA_DIRS, XDG_CONFIG_DIRS="/etc/xdg",
                  GSETTINGS_BACKEND="memory")
    desktop.start(["openbox", "--sm-disable"], system)
    wait_for("the window manager",
             lambda: "window id" in desktop.output(
                 ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], base).stdout)

    desktop.start(["/usr/libexec/at-spi-bus-launcher"], system, own_group=True)

    def owned(name, bus):
        answer = desktop.output(["gdbus", "call", *bus, "--dest", "org.freedesktop.DBus",
                                 "--object-path", "/org/freedesktop/DBus", "--method",
                                 "org.freedesktop.DBus.NameHasOwner", name], base)
        return "true" in answer.stdout

    # Asked before the launcher owns its name, the session bus would start another one itself.
    wait_for("the accessibility bus launcher", lambda: owned("org.a11y.Bus", ["--session"]))
    answer = desktop.output(["gdbus", "call", "--session", "--dest", "org.a11y.Bus",
                             "--object-path", "/org/a11y/bus", "--method",
                             "org.a11y.Bus.GetAddress"], base).stdout.strip()
    assert answer.startswith("('"), "no accessibility bus: " + answer
    a11y_bus = answer[2:-3]
    desktop.start(["/usr/libexec/at-spi2-registryd"], dict(system, AT_SPI_BUS_ADDRESS=a11y_bus))
    wait_for("the accessibility registry",
             lambda: owned("org.a11y.atspi.Registry", ["--address", a11y_bus]))
    return base


def make_sandbox(source_dir, root):
    script = os.path.join(source_dir, "examples/demo-tarnwick/make-sandbox.sh")
    lines = subprocess.run([script, os.path.join(root, "sandbox")], check=True,
                           capture_output=True, text=True).stdout.splitlines()
    env = {}
    for line in lines:
        name, _, value = line.removeprefix("export ").partition("=")
        env[name] = value.strip("'")
    return env


class Reader:
    """What a screen reader sees: the accessibility bus, and the events it is sent."""

    def __init__(self):
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi, GLib
        self.Atspi, self.context = Atspi, GLib.MainContext.default()
        self.events = []
        self.listener = Atspi.EventListener.new(self.events.append)
        for kind in ("object:state-changed:focused", "object:state-changed:showing"):
            self.listener.register(kind)
        # The loop wakes at least this often, so deadlines are noticed while nothing happens.
        GLib.timeout_add(20, lambda: True)

    def pump(self):
        self.context.iteration(True)
        while self.context.pending():
            self.context.iteration(False)

    def wait_for(self, what, check):
        return wait_for(what, check, pump=self.pump)

    def children(self, node):
        return [node.get_child_at_index(i) for i in range(node.get_child_count())]

    def find(self, node, test):
        """The first object below node (breadth first) that passes test."""
        level = [node]
        while level:
            for candidate in level:
                if candidate is not None and test(candidate):
                    return candidate
            level = [child for parent in level if parent is not None
                     for child in self.children(parent)]
        return None

    def application(self, name):
        return self.find(self.Atspi.get_desktop(0),
                         lambda node: node.get_role() == self.Atspi.Role.APPLICATION
                         and node.get_name() == name)

    def shown(self, role):
        """Names of the objects of this role shown so far, in order."""
        return [event.source.get_name() for event in self.events
                if event.type == "object:state-changed:showing" and event.detail1
                and event.source.get_role() == role]

    def focused(self):
        """The object that was given the focus last."""
        gained = [event.source for event in self.events
                  if event.type == "object:state-changed:focused" and event.detail1]
        return gained[-1] if gained else None

    def focused_cell(self):
        node = self.focused()
        return node if node and node.get_role() == self.Atspi.Role.TABLE_CELL else None

    def press(self, keysym, shift=False):
        """A key pressed on the keyboard, as the X server gets it."""
        Atspi = self.Atspi
        if shift:
            Atspi.generate_keyboard_event(SHIFT_MASK, None, Atspi.KeySynthType.LOCKMODIFIERS)
        Atspi.generate_keyboard_event(keysym, None, Atspi.KeySynthType.SYM)
        if shift:
            Atspi.generate_keyboard_event(SHIFT_MASK, None, Atspi.KeySynthType.UNLOCKMODIFIERS)


def actions(Atspi, node):
    with warnings.catch_warnings():  # its replacement is hidden by Accessible.get_name
        warnings.simplefilter("ignore", DeprecationWarning)
        return [Atspi.Action.get_action_name(node, i)
                for i in range(Atspi.Action.get_n_actions(node))]


def row_texts(Atspi, table, row):
    return [Atspi.Table.get_accessible_at(table, row, column).get_name()
            for column in range(Atspi.Table.get_n_columns(table))]


def main(program, source_dir):
    root = tempfile.mkdtemp(prefix="twk-screen-reader-")
    desktop = Desktop(root)
    started = time.monotonic()
    try:
        sandbox = make_sandbox(source_dir, root)
        env = start_desktop(desktop, sandbox)
        # The reader lives in the sandbox too, and reaches the accessibility bus through the
        # session bus, as Qt does. (Qt 6.4 given AT_SPI_BUS_ADDRESS joins that bus without
        # registering on it.)
        os.environ.update(env)
        reader = Reader()
        Atspi = reader.Atspi
        desktop.start([program], dict(env, QT_QPA_PLATFORM="xcb", LC_ALL="C.UTF-8",
                                      QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1"))

        app = reader.wait_for("the installer on the accessibility bus",
                              lambda: reader.application("twk-script-installer"))
        table = reader.wait_for("the list of scripts", lambda: reader.find(
            app, lambda node: node.get_role() == Atspi.Role.TABLE
            and node.get_name() == "Tarnwick's scripts"))

        # The keyboard starts in the list, on its first row, and the reader is told so.
        first = reader.wait_for("the first row to have the focus", reader.focused_cell)
        assert first.get_name() == ".Startup Hook.sh", first.get_name()

        # A row reads once, cell by cell: name, state, what can be done with it.
        row = next(r for r in range(Atspi.Table.get_n_rows(table))
                   if Atspi.Table.get_accessible_at(table, r, 0).get_name() == "Open Recent.sh")
        reader.wait_for("the row's state", lambda: row_texts(Atspi, table, row)
                        == ["Open Recent.sh", "Not installed", "Install"])
        cell = Atspi.Table.get_accessible_at(table, row, 0)
        assert actions(Atspi, cell) == ["Install"], actions(Atspi, cell)

        # Installing through the row's action does what the button does, and says so.
        assert Atspi.Action.do_action(cell, 0)
        reader.wait_for("the outcome to be spoken", lambda: "'Open Recent.sh' installed."
                        in reader.shown(Atspi.Role.NOTIFICATION))
        installed = os.path.join(sandbox["HOME"], "Library/Application Scripts",
                                 "org.tarnwick.Tarnwick.MenuExtension", "Open Recent.sh")
        assert os.path.isfile(installed), installed
        reader.wait_for("the row to show its new state", lambda: row_texts(Atspi, table, row)
                        == ["Open Recent.sh", "Installed", "Remove…"])

        # Tab leaves the list for the controls below it; coming back, the reader is told which
        # row is current, not only that the list has the focus.
        reader.press(TAB)
        reader.wait_for("Install All Scripts to have the focus",
                        lambda: reader.focused().get_name() == "Install All Scripts")
        reader.press(TAB, shift=True)
        reader.wait_for("the current row to have the focus again",
                        lambda: reader.focused_cell() and
                        reader.focused_cell().get_name() == ".Startup Hook.sh")

        # Launchers match the window to its desktop entry by its class.
        entry = open(os.path.join(source_dir, "data/org.tarnwick.ScriptInstaller.desktop"))
        wm_class = next(line.split("=", 1)[1].strip() for line in entry
                        if line.startswith("StartupWMClass="))
        answer = desktop.output(["xprop", "-name", "TWK Script Installer", "WM_CLASS"], env)
        assert answer.stdout.strip().endswith('"%s"' % wm_class), answer.stdout

        print("screen reader: list, row action, announcement and window class checked "
              "in %.1f s" % (time.monotonic() - started))
        return 0
    except Exception:
        desktop.stop()
        desktop.print_logs()
        raise
    finally:
        desktop.stop()
        shutil.rmtree(root, ignore_errors=True)


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:3]))
