# SPDX-License-Identifier: MIT
"""The program on a desktop of its own, driven as a screen reader user drives
it: a display server (Xvfb or a headless weston), the accessibility bus with
accessibility switched on, the program itself, and its accessible tree read
and worked through AT-SPI.

Every wait ends on an event or at a deadline, never after a fixed time.
"""

import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import GLib, Gio  # noqa: E402
import pyatspi  # noqa: E402

# Generous: the tests run on loaded machines, under sanitizers too.
START_SECONDS = 90
STEP_SECONDS = 60


class Failure(Exception):
    pass


def wait_for(what, condition, seconds=STEP_SECONDS):
    """Runs the event loop until condition() gives something true; its result.
    It is asked again after every AT-SPI event and at least every 0.1 s."""
    deadline = time.monotonic() + seconds
    context = GLib.MainContext.default()
    while True:
        result = condition()
        if result:
            return result
        if time.monotonic() > deadline:
            raise Failure(f"no {what} within {seconds} s")
        GLib.timeout_add(100, lambda: False)
        context.iteration(True)


def wait_for_process(process, what, seconds=STEP_SECONDS):
    try:
        return process.wait(timeout=seconds)
    except subprocess.TimeoutExpired:
        raise Failure(f"{what} has not ended within {seconds} s") from None


def switch_screen_reader_on():
    """Does what a screen reader does when it starts: tells the desktop's
    programs, through the accessibility bus launcher, to expose their tree."""
    bus = Gio.bus_get_sync(Gio.BusType.SESSION, None)
    bus.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.freedesktop.DBus.Properties", "Set",
                  GLib.Variant("(ssv)", ("org.a11y.Status", "ScreenReaderEnabled",
                                         GLib.Variant("b", True))),
                  None, Gio.DBusCallFlags.NONE, STEP_SECONDS * 1000, None)


_accessibility_bus = []


def accessibility_bus():
    """The bus the programs' accessible objects are on."""
    if not _accessibility_bus:
        session = Gio.bus_get_sync(Gio.BusType.SESSION, None)
        address = session.call_sync("org.a11y.Bus", "/org/a11y/bus", "org.a11y.Bus", "GetAddress",
                                    None, GLib.VariantType("(s)"), Gio.DBusCallFlags.NONE,
                                    STEP_SECONDS * 1000, None).unpack()[0]
        _accessibility_bus.append(Gio.DBusConnection.new_for_address_sync(
            address, Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT
            | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION, None, None))
    return _accessibility_bus[0]


class Events:
    """Keeps the AT-SPI events of the given kinds as (kind, name, detail)."""

    def __init__(self, *kinds):
        self.seen = []
        for kind in kinds:
            pyatspi.Registry.registerEventListener(self._keep, kind)

    def _keep(self, event):
        try:
            name = event.source.name
        except Exception:  # the object may be gone already
            name = None
        self.seen.append((event.type, name, event.detail1))

    def any(self, kind, name, detail=None):
        return any(k.startswith(kind) and n == name and (detail is None or d == detail)
                   for k, n, d in self.seen)


class Xvfb:
    """An X server of its own, on the first free display number."""

    def __init__(self):
        read, write = os.pipe()
        self.process = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write), "-nolisten", "tcp", "-screen", "0", "1280x1024x24"],
            pass_fds=[write], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write)
        with os.fdopen(read) as pipe:
            number = pipe.readline().strip()  # written once the server is ready
        if not number:
            raise Failure("Xvfb did not start")
        self.environment = {"DISPLAY": ":" + number}

    def stop(self):
        self.process.terminate()
        self.process.wait()


class Weston:
    """A headless weston with a socket of its own in a runtime folder of its
    own."""

    def __init__(self):
        self.runtime = tempfile.mkdtemp(prefix="ovaline-wayland-")
        os.chmod(self.runtime, 0o700)
        socket_name = "ovaline-%d" % os.getpid()
        # weston says READY=1 on this socket once it takes clients.
        ready = socket.socket(socket.AF_UNIX, socket.SOCK_DGRAM)
        ready.bind(os.path.join(self.runtime, "ready"))
        ready.settimeout(START_SECONDS)
        environment = dict(os.environ, XDG_RUNTIME_DIR=self.runtime,
                           NOTIFY_SOCKET=os.path.join(self.runtime, "ready"))
        self.log = open(os.path.join(self.runtime, "weston.log"), "w+")
        self.process = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + socket_name,
             "--idle-time=0", "--modules=systemd-notify.so"],
            env=environment, stdout=self.log, stderr=subprocess.STDOUT)
        try:
            ready.recv(64)
        except socket.timeout:
            self.log.seek(0)
            raise Failure("weston did not start:\n" + self.log.read()) from None
        finally:
            ready.close()
        self.environment = {"XDG_RUNTIME_DIR": self.runtime, "WAYLAND_DISPLAY": socket_name}

    def stop(self):
        self.process.terminate()
        self.process.wait()
        self.log.close()
        shutil.rmtree(self.runtime, ignore_errors=True)


class Program:
    """The program on the virtual camera, with a profile and a camera of its
    own, on the given display."""

    def __init__(self, program, display, folder, arguments=(), model="VIKN"):
        switch_screen_reader_on()
        self.profile = os.path.join(folder, "Ovaline.ini")
        environment = {k: v for k, v in os.environ.items()
                       if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
        environment.update(display.environment)
        environment.update(OVALINE_VIRTUAL_DIR=os.path.join(folder, "camera"),
                           OVALINE_VIRTUAL_MODEL=model, OVALINE_VIRTUAL_SPEED="50")
        self.stderr = open(os.path.join(folder, "program.err"), "w+")
        self.process = subprocess.Popen(
            [program, "--virtual", "--profile", self.profile, *arguments],
            env=environment, stdout=subprocess.DEVNULL, stderr=self.stderr)
        self.root = wait_for("program on the accessibility bus", self._find, START_SECONDS)

    def _find(self):
        if self.process.poll() is not None:
            raise Failure("the program ended at start with status %d:\n%s"
                          % (self.process.returncode, self.errors()))
        desktop = pyatspi.Registry.getDesktop(0)
        for i in range(desktop.childCount):
            application = desktop.getChildAtIndex(i)
            if application is not None and application.get_process_id() == self.process.pid:
                return application
        return None

    def errors(self):
        self.stderr.seek(0)
        return self.stderr.read()

    def windows(self, title):
        """The program's windows of this title on the screen now."""
        self.root.clear_cache()
        return [window for window in children(self.root)
                if window.name == title and showing(window)]

    def window(self, title):
        """The program's window of this title, once it is on the screen."""
        return wait_for(f'window "{title}"', lambda: next(iter(self.windows(title)), None))

    def control(self, window_title, role, name):
        """A control of a window of this title, once it is there."""
        def look():
            for window in self.windows(window_title):
                if control := find(window, role, name):
                    return control
            return None
        return wait_for(f'{role} "{name}" in "{window_title}"', look)

    def press(self, window_title, role, name):
        """Works a control of a window as a screen reader user does, without
        waiting for the program to answer: a control that opens a modal
        dialog answers only once the dialog has closed."""
        control = self.control(window_title, role, name)
        call = Gio.DBusMessage.new_method_call(control.app.bus_name, control.path,
                                               "org.a11y.atspi.Action", "DoAction")
        call.set_body(GLib.Variant("(i)", (0,)))
        call.set_flags(Gio.DBusMessageFlags.NO_REPLY_EXPECTED)
        accessibility_bus().send_message(call, Gio.DBusSendMessageFlags.NONE)
        return control

    def quit(self):
        """Exit, confirmed: the program ends with status 0."""
        self.press("Ovaline", "push button", "Exit(X)")
        self.press("Ovaline", "push button", "Yes")  # the question "Program Exit?"
        status = wait_for_process(self.process, "the program")
        if status != 0:
            raise Failure("the program ended with status %d:\n%s" % (status, self.errors()))

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.stderr.close()


def children(accessible):
    for i in range(accessible.childCount):
        child = accessible.getChildAtIndex(i)
        if child is not None:
            yield child


def walk(accessible, depth=0):
    """Every object under accessible, with its depth, parents first."""
    yield accessible, depth
    for child in children(accessible):
        yield from walk(child, depth + 1)


def find(root, role, name):
    for accessible, _ in walk(root):
        if accessible.getRoleName() == role and accessible.name == name:
            return accessible
    return None


def showing(accessible):
    return accessible.getState().contains(pyatspi.STATE_SHOWING)


def print_tree(root, out=sys.stdout):
    for accessible, depth in walk(root):
        print("%s[%s] %r" % ("  " * depth, accessible.getRoleName(), accessible.name), file=out)


def run(test):
    """Runs test() and reports as ctest expects: status 0 or 1."""
    try:
        test()
    except Failure as failure:
        print("FAIL:", failure)
        sys.exit(1)
    print("PASS")
