# SPDX-FileCopyrightText: 2026 Tessivo developers
# SPDX-License-Identifier: GPL-3.0-or-later
"""Runs the built program as a person's desktop would: a private X display (Xvfb) with a
window manager (openbox), the accessibility bus that screen readers listen on, real
input through xdotool, and the accessible tree read back over AT-SPI.

Each test file is started by CTest inside its own D-Bus session (dbus-run-session). The
program runs from a copy of the run layout whose report library is a virtual display
that reports what it took into a folder. Every wait is for a state (a window, a name, a
file, a packet count), never for a fixed time."""

import os
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest

PROGRAM = os.environ.get("TESSIVO_PROGRAM", "")
FAKE_DISPLAY = os.environ.get("TESSIVO_FAKE_DISPLAY_LIB", "")
ARTIFACTS = os.environ.get("TESSIVO_SESSION_ARTIFACTS", "")

# How long a state may take to come on a busy machine before a test gives up.
PATIENCE = float(os.environ.get("TESSIVO_SESSION_PATIENCE", "30"))

Atspi = None
GLib = None


class SessionError(AssertionError):
    pass


def _import_atspi():
    """Atspi connects to the accessibility bus when first imported, so only once the bus
    launcher runs."""
    global Atspi, GLib
    if Atspi is None:
        import gi
        gi.require_version("Atspi", "2.0")
        from gi.repository import Atspi as _Atspi, GLib as _GLib
        Atspi, GLib = _Atspi, _GLib
        Atspi.init()


def pump():
    """Lets the accessibility library take the events that reached it."""
    context = GLib.MainContext.default()
    while context.pending():
        context.iteration(False)


def wait_for(what, predicate, timeout=None):
    """Calls predicate until it returns something true; fails naming what was awaited."""
    deadline = time.monotonic() + (timeout if timeout is not None else PATIENCE)
    last_error = None
    while True:
        if GLib is not None:
            pump()
        try:
            value = predicate()
            if value:
                return value
        except SessionError:
            raise
        except Exception as error:  # the tree changes under a walk; ask again
            last_error = error
        if time.monotonic() > deadline:
            extra = f" (last error: {last_error})" if last_error else ""
            raise SessionError(f"timed out waiting for {what}{extra}")
        time.sleep(0.05)


def _fresh(node):
    node.clear_cache()
    return node


def name_of(node):
    try:
        return _fresh(node).get_name() or ""
    except Exception:
        return ""


def role_of(node):
    try:
        return node.get_role_name()
    except Exception:
        return "?"


def states_of(node):
    try:
        states = node.get_state_set()
        return {Atspi.StateType(s).value_nick for s in states.get_states()}
    except Exception:
        return set()


def text_of(node):
    """What the node holds as text: its text interface, else its value or name."""
    try:
        text = node.get_text_iface()
        if text is not None:
            return text.get_text(0, text.get_character_count())
    except Exception:
        pass
    return ""


def value_of(node):
    try:
        value = node.get_value_iface()
        if value is not None:
            return value.get_current_value()
    except Exception:
        pass
    return None


def children(node):
    try:
        count = _fresh(node).get_child_count()
    except Exception:
        return []
    result = []
    for i in range(count):
        try:
            child = node.get_child_at_index(i)
        except Exception:
            child = None
        if child is not None:
            result.append(child)
    return result


def walk(node, depth=0, limit=12):
    yield node, depth
    if depth < limit:
        for child in children(node):
            yield from walk(child, depth + 1, limit)


def find_all(root, name=None, role=None, showing=None):
    found = []
    for node, _ in walk(root):
        if name is not None and name_of(node) != name:
            continue
        if role is not None and role_of(node) != role:
            continue
        if showing is not None and ("showing" in states_of(node)) != showing:
            continue
        found.append(node)
    return found


def dump(root, limit=12):
    """The accessible tree as text, one node a line: role, name, value or text, states."""
    lines = []
    for node, depth in walk(root, limit=limit):
        parts = [role_of(node), repr(name_of(node))]
        text = text_of(node)
        if text:
            parts.append(f"text={text!r}")
        value = value_of(node)
        if value is not None:
            parts.append(f"value={value}")
        interesting = sorted(states_of(node) & {"focused", "checked", "selected", "focusable",
                                                "sensitive", "showing", "pressed", "expanded"})
        parts.append(",".join(interesting))
        lines.append("  " * depth + " ".join(parts))
    return "\n".join(lines)


class Desktop:
    """Xvfb, openbox and the accessibility bus, for the length of one test file."""

    def __init__(self, width=1280, height=1024):
        self.width, self.height = width, height
        self.processes = []
        self.folder = tempfile.mkdtemp(prefix="tessivo-session-")
        self.display = None

    def start(self):
        if not os.environ.get("DBUS_SESSION_BUS_ADDRESS"):
            raise unittest.SkipTest("no D-Bus session (run through dbus-run-session)")
        for tool in ("Xvfb", "openbox", "xdotool"):
            if shutil.which(tool) is None:
                raise unittest.SkipTest(f"{tool} is not installed (scripts/setup-deps installs it)")
        read_end, write_end = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{self.width}x{self.height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=[write_end], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        self.processes.append(xvfb)
        number = b""
        with os.fdopen(read_end, "rb") as pipe:
            while not number.endswith(b"\n"):
                chunk = pipe.read(1)
                if not chunk:
                    raise SessionError("Xvfb did not start")
                number += chunk
        self.display = ":" + number.decode().strip()
        os.environ["DISPLAY"] = self.display
        launcher = next((p for p in ("/usr/libexec/at-spi-bus-launcher",
                                     "/usr/lib/at-spi2-core/at-spi-bus-launcher") if os.path.exists(p)), None)
        if launcher is None:
            raise unittest.SkipTest("at-spi2-core is not installed")
        self.processes.append(subprocess.Popen([launcher, "--launch-immediately"],
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        self.processes.append(subprocess.Popen(["openbox", "--sm-disable"],
                                               stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_for("the window manager", lambda: b"_NET_SUPPORTING_WM_CHECK" in subprocess.run(
            ["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"], capture_output=True).stdout
            and b"window id" in subprocess.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"],
                                               capture_output=True).stdout)
        wait_for("the accessibility bus", lambda: subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], capture_output=True).returncode == 0)
        _import_atspi()
        return self

    def stop(self):
        for process in reversed(self.processes):
            _end(process)
        self.processes.clear()
        shutil.rmtree(self.folder, ignore_errors=True)

    def screenshot(self, path):
        os.makedirs(os.path.dirname(path), exist_ok=True)
        subprocess.run(["import", "-display", self.display, "-window", "root", path],
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        return path


def _end(process, grace=3.0):
    if process.poll() is None:
        process.send_signal(signal.SIGTERM)
        try:
            process.wait(grace)
        except subprocess.TimeoutExpired:
            process.kill()
            process.wait()


def xdo(*args):
    subprocess.run(["xdotool", *[str(a) for a in args]], check=True)


class Tessivo:
    """The program in a copy of its run layout, with a virtual display behind the report
    library."""

    def __init__(self, desktop, scale=None, env=None, args=()):
        self.desktop = desktop
        self.root = tempfile.mkdtemp(prefix="run-", dir=desktop.folder)
        self.display_folder = os.path.join(self.root, "display")
        os.makedirs(self.display_folder)
        self.home = os.path.join(self.root, "home")
        os.makedirs(os.path.join(self.home, "Documents"))
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        source = os.path.dirname(PROGRAM)
        os.makedirs(os.path.join(self.root, "LIB"))
        shutil.copy2(PROGRAM, os.path.join(self.root, "tessivo"))
        for name in os.listdir(source):
            if name.startswith("libFeltrix"):
                shutil.copy2(os.path.join(source, name), os.path.join(self.root, name), follow_symlinks=False)
        for name in os.listdir(os.path.join(source, "LIB")):
            if name.endswith((".bin", ".fnt")):
                os.symlink(os.path.join(source, "LIB", name), os.path.join(self.root, "LIB", name))
        shutil.copy2(FAKE_DISPLAY, os.path.join(self.root, "LIB", "libMorvUSB.so"))
        self.env = dict(os.environ)
        self.env.update({
            "HOME": self.home, "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_RUNTIME_DIR": runtime, "QT_QPA_PLATFORM": "xcb",
            "QT_LINUX_ACCESSIBILITY_ALWAYS_ON": "1", "QT_ACCESSIBILITY": "1",
            "TESSIVO_FAKE_DISPLAY": self.display_folder, "LANG": "C.UTF-8",
        })
        for key in ("QT_SCALE_FACTOR", "QT_IM_MODULE", "XMODIFIERS"):
            self.env.pop(key, None)
        if scale is not None:
            self.env["QT_SCALE_FACTOR"] = str(scale)
            self.env["QT_SCALE_FACTOR_ROUNDING_POLICY"] = "PassThrough"
        self.env.update(env or {})
        self.args = list(args)
        self.process = None
        self.app = None
        self.stderr_path = os.path.join(self.root, "stderr.txt")

    # --- life ---
    def start(self):
        with open(self.stderr_path, "wb") as stderr:
            self.process = subprocess.Popen([os.path.join(self.root, "tessivo"), *self.args],
                                            env=self.env, cwd=self.root, stdin=subprocess.DEVNULL,
                                            stdout=subprocess.DEVNULL, stderr=stderr)
        self.app = wait_for("the program on the accessibility bus", self._find_app)
        self.main = wait_for("the main window", lambda: next(
            (w for w in children(self.app) if "showing" in states_of(w)
             and find_all(w, name="Row 1", role="text")), None))
        return self

    def _find_app(self):
        self.check_alive()
        desktop = Atspi.get_desktop(0)
        for app in children(desktop):
            try:
                if app.get_process_id() == self.process.pid:
                    return app
            except Exception:
                continue
        return None

    def check_alive(self):
        if self.process is not None and self.process.poll() is not None:
            raise SessionError(f"the program ended with status {self.process.returncode}\n"
                               f"--- its standard error ---\n{self.stderr()}")

    def stderr(self):
        try:
            with open(self.stderr_path, "rb") as f:
                return f.read().decode(errors="replace")
        except OSError:
            return ""

    def stop(self):
        if self.process is not None:
            _end(self.process)

    def wait_exit(self, timeout=None):
        wait_for("the program to end", lambda: self.process.poll() is not None, timeout)
        return self.process.returncode

    # --- the tree ---
    def windows(self):
        self.check_alive()
        return [w for w in children(self.app) if "showing" in states_of(w) or True]

    def window(self, title, prefix=False):
        def match():
            for w in children(self.app):
                name = name_of(w)
                if (name.startswith(title) if prefix else name == title) and "showing" in states_of(w):
                    return w
            self.check_alive()
            return None
        return wait_for(f"the window {title!r}", match)

    def find(self, name, role=None, root=None, showing=True):
        def look():
            self.check_alive()
            for top in ([root] if root is not None else children(self.app)):
                found = find_all(top, name=name, role=role, showing=showing)
                if found:
                    return found[0]
            return None
        return wait_for(f"{role or 'a control'} named {name!r}", look)

    def focused(self):
        """Every node of the program that says it has the focus."""
        self.check_alive()
        result = []
        for top in children(self.app):
            for node, _ in walk(top):
                if "focused" in states_of(node):
                    result.append(node)
        return result

    def dump(self):
        return "\n".join(dump(top) for top in children(self.app)) if self.app is not None else ""

    # --- input ---
    def click(self, node, button=1, dx=None, dy=None):
        x, y = self.center(node, dx, dy)
        xdo("mousemove", "--sync", x, y)
        xdo("click", button)

    def center(self, node, dx=None, dy=None):
        extents = node.get_extents(Atspi.CoordType.SCREEN)
        x = extents.x + (extents.width // 2 if dx is None else dx)
        y = extents.y + (extents.height // 2 if dy is None else dy)
        return x, y

    def key(self, *keys):
        self.check_alive()
        xdo("key", "--clearmodifiers", *keys)

    def type(self, text):
        self.check_alive()
        xdo("type", "--delay", 20, text)

    # --- the display ---
    def packets(self):
        try:
            with open(os.path.join(self.display_folder, "packets")) as f:
                return int(f.read() or 0)
        except (OSError, ValueError):
            return 0

    def image(self):
        try:
            with open(os.path.join(self.display_folder, "image.bin"), "rb") as f:
                return f.read()
        except OSError:
            return b""


class SessionTest(unittest.TestCase):
    """A test case with a desktop for the whole file and a fresh program for each test.
    When a test fails, the accessible tree, a screenshot and the program's standard error
    are kept in the artifacts folder."""

    desktop = None
    scale = None

    @classmethod
    def setUpClass(cls):
        if not PROGRAM or not FAKE_DISPLAY:
            raise unittest.SkipTest("TESSIVO_PROGRAM and TESSIVO_FAKE_DISPLAY_LIB are not set")
        cls.desktop = Desktop().start()

    @classmethod
    def tearDownClass(cls):
        if cls.desktop is not None:
            cls.desktop.stop()

    def launch(self, **kwargs):
        kwargs.setdefault("scale", self.scale)
        program = Tessivo(self.desktop, **kwargs)
        self.addCleanup(program.stop)
        self.programs.append(program)
        return program.start()

    def setUp(self):
        self.programs = []

    def _outcome_failed(self):
        outcome = getattr(self, "_outcome", None)
        return outcome is not None and not outcome.success

    def tearDown(self):
        failed = self._outcome_failed()
        name = self.id().split(".")[-1]
        if ARTIFACTS:
            self.desktop.screenshot(os.path.join(ARTIFACTS, f"{name}{'-failed' if failed else ''}.png"))
        if failed:
            for program in self.programs:
                try:
                    tree = program.dump()
                except Exception as error:
                    tree = f"(no tree: {error})"
                sys.stderr.write(f"\n--- accessible tree of {name} ---\n{tree}\n")
                sys.stderr.write(f"--- standard error of the program ---\n{program.stderr()}\n")

    def shot(self, label):
        if ARTIFACTS:
            self.desktop.screenshot(os.path.join(ARTIFACTS, f"{self.id().split('.')[-1]}-{label}.png"))


def main():
    unittest.main(verbosity=2)
