"""Runs the Vintrel editor where the platform accessibility interface (AT-SPI) can see it: a
private virtual X server, a private session bus, the accessibility bus and its registry, and the
editor, all ended together.

The scripts of this folder need the distribution's interpreter (python3-pyatspi is packaged for
it, not for a python3 of pyenv or a virtual environment), and no display of their own:

    /usr/bin/python3 tests/ui/atspi/dump_tree.py --editor build/<dir>/app/editor/vintrel \
        -o tree.txt -- samples/fire.stn

Debian 12 packages: xvfb dbus-daemon at-spi2-core python3-pyatspi.

Start-up, each step waited for with a deadline, never a fixed sleep:
  1. Xvfb -displayfd: it picks a free display itself and writes its number once it accepts
     clients (xvfb-run -a guesses the number from lock files, and can leave its server running
     or fail its clean-up when the command ends early);
  2. a private session bus: dbus-daemon --session --nofork --print-address;
  3. the accessibility bus launcher, at-spi-bus-launcher --launch-immediately, until it owns
     org.a11y.Bus on the session bus (Qt looks for the accessibility bus only when that name is
     already owned as it starts);
  4. the registry, at-spi2-registryd, which the accessibility bus starts on the first call to the
     desktop; the desktop answering means it is up;
  5. the editor, from a copy in a private program folder (its settings and workspace go beside the
     program when that folder is writable, and an old autosave there would ask to recover), with
     its own HOME and XDG folders, QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 (Qt's bridge otherwise stays
     off until a screen reader switches accessibility on) and ASAN_OPTIONS=detect_leaks=0;
  6. the editor's application node on the desktop, found by name and process id.

Shut-down: the editor, the launcher (its accessibility bus and the registry end with it), the
session bus and the X server, then every process that still carries this session's marker in its
environment (editors the editor started itself), then the orphans handed to this process (see
process_control.py). No process and no zombie is left behind.
"""

import os
import select
import shutil
import subprocess
import tempfile
import uuid

import process_control
from waiting import StopWaiting, WaitTimedOut, wait_for

# CTest's SKIP_RETURN_CODE: the accessibility client library is not installed.
SKIP_EXIT_CODE = 77

APPLICATION_NAME = "Vintrel"
BUS_LAUNCHER = "/usr/libexec/at-spi-bus-launcher"
A11Y_BUS_NAME = "org.a11y.Bus"
A11Y_BUS_PATH = "/org/a11y/bus"
X_SERVER = "Xvfb"
SCREEN = "1600x1000x24"
MARKER_VARIABLE = "VINTREL_ATSPI_SESSION"

STARTUP_TIMEOUT_S = 30.0
EDITOR_STARTUP_TIMEOUT_S = 60.0  # a sanitizer build on a software renderer starts slowly
BUS_CALL_TIMEOUT_MS = 5000
EDITOR_LOG_TAIL_LINES = 40

# libatspi's limits for one call to an application, in milliseconds; it allows the longer one to
# applications that registered recently, while they build their accessibility objects.
METHOD_CALL_TIMEOUT_MS = 5000
APP_STARTUP_TIMEOUT_MS = 20000

# Private folders of a session and the variables that point at them.
PRIVATE_FOLDERS = {
    "HOME": "home",
    "XDG_CONFIG_HOME": "config",
    "XDG_DATA_HOME": "data",
    "XDG_CACHE_HOME": "cache",
    "XDG_STATE_HOME": "state",
    "XDG_RUNTIME_DIR": "runtime",
}
# Variables of the calling environment that would lead to another session's buses or platform.
FOREIGN_VARIABLES = (
    "DISPLAY", "XAUTHORITY", "WAYLAND_DISPLAY", "DBUS_SESSION_BUS_ADDRESS", "AT_SPI_BUS_ADDRESS",
    "SESSION_MANAGER", "QT_QPA_PLATFORM",
)
# The locale of a Japanese desktop: the editor speaks Japanese unless told otherwise.
JAPANESE_LOCALE = {"LC_ALL": "ja_JP.UTF-8", "LANG": "ja_JP.UTF-8"}
EDITOR_VARIABLES = {
    "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1",
    "QT_ACCESSIBILITY": "1",
    "QT_QPA_PLATFORM": "xcb",
}
# Qt, fontconfig and the GL driver keep allocations until exit: leak reports would be their noise.
# Added after the caller's sanitizer options, which it overrides and otherwise keeps.
NO_LEAK_CHECK = "detect_leaks=0"

_pyatspi = None


class AtspiError(Exception):
    """A step of the session failed; the message says which and why."""


def pyatspi_available():
    """True when this interpreter can import the AT-SPI client bindings (without importing them:
    that has to wait until the session's bus exists)."""
    import importlib.util

    return all(importlib.util.find_spec(module) is not None for module in ("gi", "pyatspi"))


def pyatspi():
    """The pyatspi module, imported on first use, after start() has set the bus variables."""
    global _pyatspi
    if _pyatspi is None:
        import pyatspi as module

        module.setTimeout(METHOD_CALL_TIMEOUT_MS, APP_STARTUP_TIMEOUT_MS)
        _pyatspi = module
    return _pyatspi


def find_application_node(pid=None, exclude_pids=()):
    """The first application on the desktop named APPLICATION_NAME, with process id `pid` when
    given and none of `exclude_pids`; None when there is none."""
    desktop = pyatspi().Registry.getDesktop(0)
    for index in range(desktop.childCount):
        app = desktop.getChildAtIndex(index)
        if app is None or app.name != APPLICATION_NAME:
            continue
        app_pid = app.get_process_id()
        if (pid is None or app_pid == pid) and app_pid not in exclude_pids:
            return app
    return None


def _read_line(pipe, seconds, what):
    if not select.select([pipe], [], [], seconds)[0]:
        raise AtspiError(f"timed out after {seconds:.0f} s waiting for {what}")
    line = pipe.readline().strip()
    if not line:
        raise AtspiError(f"no {what}: the process closed its output")
    return line


class AtspiSession:
    """A private X server, session bus, accessibility bus and registry, and one editor; stop(), or
    leaving a `with` block, ends them all whatever state they are in. One session per process:
    libatspi keeps its first bus connection for the life of the process."""

    def __init__(self, editor_path, args=(), environment=None, before_launch=None):
        self.editor_source = os.path.abspath(editor_path)
        self.args = list(args)
        self.extra_environment = dict(environment or {})
        # Called with the session once its folders exist and before the editor starts, to lay
        # out what the editor is to find (a crashed run's workspace, say).
        self.before_launch = before_launch
        self.marker = uuid.uuid4().hex
        self.root = None
        self.env = None
        self.editor = None
        self._x_server = None
        self._bus = None
        self._launcher = None
        self._saved_environment = {}

    def __enter__(self):
        try:
            self.start()
        except BaseException:
            self.stop()
            raise
        return self

    def __exit__(self, exc_type, exc, traceback):
        if exc_type is not None:
            self._print_editor_log_tail()
        self.stop()
        return False

    @property
    def editor_pid(self):
        return self.editor.pid if self.editor else None

    def path(self, *parts):
        """A path inside this session's private folder."""
        return os.path.join(self.root, *parts)

    def start(self):
        if not (os.path.isfile(self.editor_source) and os.access(self.editor_source, os.X_OK)):
            raise AtspiError(f"the editor {self.editor_source} is not an executable file (build vintrel)")
        process_control.become_subreaper()
        self.root = tempfile.mkdtemp(prefix="vintrel-atspi-")
        self.env = self._private_environment()
        self._start_x_server()
        self._start_session_bus()
        self._start_accessibility_bus()
        # From here on this process, as the accessibility client, talks to the private buses
        # only, whatever display or desktop session it was started from.
        (a11y_address,) = self._call_session_bus(A11Y_BUS_NAME, A11Y_BUS_PATH, A11Y_BUS_NAME, "GetAddress",
                                                 None)
        self._point_this_process_at({
            "DISPLAY": self.env["DISPLAY"],
            "DBUS_SESSION_BUS_ADDRESS": self.env["DBUS_SESSION_BUS_ADDRESS"],
            "XDG_RUNTIME_DIR": self.env["XDG_RUNTIME_DIR"],
            "AT_SPI_BUS_ADDRESS": a11y_address,
        })
        self._wait(lambda: pyatspi().Registry.getDesktop(0).childCount >= 0, STARTUP_TIMEOUT_S,
                   "the AT-SPI registry to answer")
        if self.before_launch is not None:
            self.before_launch(self)
        self.editor = self.launch_editor(self.args)

    def _point_this_process_at(self, variables):
        for variable, value in variables.items():
            self._saved_environment[variable] = os.environ.get(variable)
            os.environ[variable] = value

    def _restore_environment(self):
        for variable, value in self._saved_environment.items():
            if value is None:
                os.environ.pop(variable, None)
            else:
                os.environ[variable] = value
        self._saved_environment = {}

    def _private_environment(self):
        env = {k: v for k, v in os.environ.items() if k not in FOREIGN_VARIABLES}
        for variable, folder in PRIVATE_FOLDERS.items():
            os.makedirs(self.path(folder), mode=0o700)
            env[variable] = self.path(folder)
        env.update(EDITOR_VARIABLES)
        env.update(self.extra_environment)
        env["ASAN_OPTIONS"] = ":".join(filter(None, (env.get("ASAN_OPTIONS"), NO_LEAK_CHECK)))
        env[MARKER_VARIABLE] = self.marker
        return env

    def _start_x_server(self):
        if shutil.which(X_SERVER) is None:
            raise AtspiError(f"{X_SERVER} is missing: install xvfb")
        read_end, write_end = os.pipe()
        try:
            with open(self.path("x-server.log"), "ab") as log:
                self._x_server = subprocess.Popen(
                    [X_SERVER, "-displayfd", str(write_end), "-screen", "0", SCREEN, "-nolisten", "tcp"],
                    pass_fds=(write_end,), stdin=subprocess.DEVNULL, stdout=log, stderr=subprocess.STDOUT,
                    env=self.env)
        finally:
            os.close(write_end)
        with os.fdopen(read_end) as display_pipe:
            number = _read_line(display_pipe, STARTUP_TIMEOUT_S, "the display number of the X server")
        self.env["DISPLAY"] = f":{number}"

    def _start_session_bus(self):
        self._bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1"],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, stdin=subprocess.DEVNULL, env=self.env,
            text=True)
        address = _read_line(self._bus.stdout, STARTUP_TIMEOUT_S, "the address of the session bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_accessibility_bus(self):
        if not os.access(BUS_LAUNCHER, os.X_OK):
            raise AtspiError(f"{BUS_LAUNCHER} is missing: install at-spi2-core")
        self._launcher = subprocess.Popen([BUS_LAUNCHER, "--launch-immediately"], env=self.env,
                                          stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                          stdin=subprocess.DEVNULL)
        self._wait(self._launcher_owns_bus_name, STARTUP_TIMEOUT_S, f"{A11Y_BUS_NAME} on the session bus")

    def _launcher_owns_bus_name(self):
        if self._launcher.poll() is not None:
            raise StopWaiting(f"at-spi-bus-launcher ended with code {self._launcher.returncode}")
        return self._call_session_bus("org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
                                      "NameHasOwner", ("s", A11Y_BUS_NAME))[0]

    def _call_session_bus(self, destination, path, interface, method, argument):
        """One method call on the private session bus; `argument` is (signature, value) or None."""
        from gi.repository import Gio, GLib

        bus = Gio.DBusConnection.new_for_address_sync(
            self.env["DBUS_SESSION_BUS_ADDRESS"],
            Gio.DBusConnectionFlags.AUTHENTICATION_CLIENT | Gio.DBusConnectionFlags.MESSAGE_BUS_CONNECTION,
            None, None)
        parameters = GLib.Variant(f"({argument[0]})", (argument[1],)) if argument else None
        try:
            reply = bus.call_sync(destination, path, interface, method, parameters, None,
                                  Gio.DBusCallFlags.NONE, BUS_CALL_TIMEOUT_MS, None)
            return reply.unpack()
        finally:
            bus.close_sync(None)

    def launch_editor(self, args):
        """Starts the private copy of the editor with these arguments; returns its Popen. Its
        output goes to editor.log in the session folder."""
        program_folder = self.path("program")
        program = os.path.join(program_folder, os.path.basename(self.editor_source))
        try:
            if not os.path.exists(program):
                os.makedirs(program_folder, exist_ok=True)
                shutil.copy2(self.editor_source, program)
            with open(self.path("editor.log"), "ab") as log:
                return subprocess.Popen([program, *args], env=self.env, cwd=self.root, stdout=log,
                                        stderr=subprocess.STDOUT, stdin=subprocess.DEVNULL)
        except OSError as error:
            raise AtspiError(f"cannot start the editor from {program}: {error}") from None

    def find_application(self, seconds=EDITOR_STARTUP_TIMEOUT_S):
        """The application node of the editor this session started. Fails at once when that
        editor has already ended."""

        def probe():
            if self.editor.poll() is not None:
                raise StopWaiting(f"the editor ended with code {self.editor.returncode} before it appeared")
            return find_application_node(pid=self.editor.pid)

        return self._wait(probe, seconds, f"the application {APPLICATION_NAME!r} on the AT-SPI desktop")

    @staticmethod
    def _wait(probe, seconds, what):
        try:
            return wait_for(probe, seconds, what)
        except (StopWaiting, WaitTimedOut) as error:
            raise AtspiError(str(error)) from None

    def editor_log(self):
        if self.root is None:
            return ""
        try:
            with open(self.path("editor.log"), errors="replace") as f:
                return f.read()
        except OSError:
            return ""

    def _print_editor_log_tail(self):
        tail = self.editor_log().splitlines()[-EDITOR_LOG_TAIL_LINES:]
        if tail:
            print("---- the editor's output, last lines ----")
            print("\n".join(tail))
            print("-----------------------------------------")

    def stop(self):
        """Ends every process of this session; safe to call twice and after a failed start."""
        for process in (self.editor, self._launcher, self._bus, self._x_server):
            if process is not None:
                process_control.end_child(process)
        if self._bus is not None and self._bus.stdout:
            self._bus.stdout.close()
        self._restore_environment()
        if self.root is None:
            return
        marked = process_control.processes_with_marker(MARKER_VARIABLE, self.marker)
        stubborn = process_control.end_processes(marked)
        stubborn += process_control.end_descendants()
        if stubborn:
            print(f"warning: processes that would not end: {stubborn}")
        shutil.rmtree(self.root, ignore_errors=True)
        self.root = None
