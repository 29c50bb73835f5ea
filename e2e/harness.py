"""A desktop for end-to-end tests: Xvfb with openbox, the real Kelvane
binary, and the xdotool/xprop/xwininfo calls that drive and read it."""

import json
import os
import re
import shutil
import signal
import socket
import subprocess
import sys
import tempfile
import threading
import time
import unittest

KELVANE = os.environ.get("KELVANE_BIN", os.path.join(os.path.dirname(__file__), "..", "build", "kelvane"))
SCREEN = (1280, 800)


def wait_until(predicate, timeout=10.0, interval=0.05, what="condition"):
    deadline = time.monotonic() + timeout
    while True:
        value = predicate()
        if value:
            return value
        if time.monotonic() > deadline:
            raise AssertionError(f"timed out waiting for {what}")
        time.sleep(interval)


class Desktop:
    """An X server of the test's own with a real window manager, and a
    session bus for accessibility."""

    def __init__(self, accessibility=False):
        self.tmp = tempfile.mkdtemp(prefix="kelvane-e2e-")
        self.procs = []
        read_fd, write_fd = os.pipe()
        xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_fd), "-screen", "0", f"{SCREEN[0]}x{SCREEN[1]}x24", "-nolisten", "tcp"],
            pass_fds=(write_fd,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_fd)
        self.procs.append(xvfb)
        with os.fdopen(read_fd) as pipe:
            number = pipe.readline().strip()
        self.env = dict(os.environ)
        self.env.update({"DISPLAY": f":{number}", "XDG_RUNTIME_DIR": self.tmp, "LANG": "C.UTF-8"})
        for name in ("WAYLAND_DISPLAY", "QT_QPA_PLATFORM"):
            self.env.pop(name, None)
        if accessibility:
            bus = subprocess.run(["dbus-daemon", "--session", "--fork", "--print-address=1", "--print-pid=1",
                                  f"--address=unix:path={self.tmp}/bus"],
                                 capture_output=True, text=True, check=True).stdout.split()
            self.env["DBUS_SESSION_BUS_ADDRESS"] = bus[0]
            self.dbus_pid = int(bus[1])
            self.env["QT_LINUX_ACCESSIBILITY_ALWAYS_ON"] = "1"
            self.env["NO_AT_BRIDGE"] = "0"
        else:
            self.dbus_pid = None
            self.env["DBUS_SESSION_BUS_ADDRESS"] = "disabled:"
        self.procs.append(subprocess.Popen(["openbox"], env=self.env, stdin=subprocess.DEVNULL,
                                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
        wait_until(lambda: "_NET_SUPPORTING_WM_CHECK(WINDOW)" in self.run(["xprop", "-root", "_NET_SUPPORTING_WM_CHECK"]),
                   timeout=30, what="openbox")

    def close(self):
        for proc in reversed(self.procs):
            if proc.poll() is None:
                proc.terminate()
                try:
                    proc.wait(5)
                except subprocess.TimeoutExpired:
                    proc.kill()
        if self.dbus_pid:
            try:
                os.kill(self.dbus_pid, signal.SIGTERM)
            except ProcessLookupError:
                pass
        shutil.rmtree(self.tmp, ignore_errors=True)

    def run(self, args, check=False, input=None):
        result = subprocess.run(args, env=self.env, capture_output=True, text=True, check=check, input=input)
        return result.stdout

    # --- windows -----------------------------------------------------------

    def find_window(self, title_regex, timeout=10.0):
        def search():
            ids = self.run(["xdotool", "search", "--onlyvisible", "--name", title_regex]).split()
            return ids[0] if ids else None
        return wait_until(search, timeout, what=f"window {title_regex!r}")

    def windows(self, title_regex):
        return self.run(["xdotool", "search", "--onlyvisible", "--name", title_regex]).split()

    def client_geometry(self, window):
        info = self.run(["xwininfo", "-id", window])
        number = lambda key: int(re.search(key + r":\s+(-?\d+)", info).group(1))
        return (number("Absolute upper-left X"), number("Absolute upper-left Y"), number("Width"), number("Height"))

    def frame_extents(self, window):
        out = self.run(["xprop", "-id", window, "_NET_FRAME_EXTENTS"])
        match = re.search(r"= (\d+), (\d+), (\d+), (\d+)", out)
        return tuple(int(g) for g in match.groups()) if match else (0, 0, 0, 0)

    def outer_geometry(self, window):
        """The whole window, title bar and borders included: x, y, w, h."""
        x, y, w, h = self.client_geometry(window)
        left, right, top, bottom = self.frame_extents(window)
        return (x - left, y - top, w + left + right, h + top + bottom)

    def net_wm_state(self, window):
        return self.run(["xprop", "-id", window, "_NET_WM_STATE"])

    def click(self, window, x, y):
        self.run(["xdotool", "mousemove", "--window", window, str(x), str(y), "click", "1"], check=True)

    def replace_text(self, window, place, text):
        """Clicks into a box, selects all it holds and types text over it."""
        self.click(window, *place)
        self.key("ctrl+a", "BackSpace")
        if text:
            self.type(text)

    def type(self, text):
        self.run(["xdotool", "type", "--delay", "5", text], check=True)

    def key(self, *keys):
        self.run(["xdotool", "key", *keys], check=True)

    def focus(self, window):
        self.run(["xdotool", "windowactivate", "--sync", window])

    def clipboard(self):
        return subprocess.run(["xclip", "-o", "-selection", "clipboard"], env=self.env,
                              capture_output=True, check=False).stdout

    def accessible_objects(self, app_name="kelvane"):
        """What a screen reader sees of the program: a list of objects with
        role, name, text and states."""
        script = os.path.join(os.path.dirname(__file__), "atspi_tree.py")
        out = subprocess.run(["/usr/bin/python3", script, app_name], env=self.env, capture_output=True,
                             text=True, timeout=60).stdout
        return json.loads(out or "[]")

    def message_box_text(self, timeout=20.0):
        """The text of the program's open "信息：" box, read through AT-SPI."""
        def read():
            objects = self.accessible_objects()
            for index, box in enumerate(objects):
                if box["role"] == "alert" and box["name"] == "信息：":
                    for inner in objects[index + 1:]:
                        if inner["depth"] <= box["depth"]:
                            break
                        if inner["role"] == "label" and inner["name"]:
                            return inner["name"]
            return None
        return wait_until(read, timeout, interval=0.2, what="a message box")

    def screenshot(self, path):
        self.run(["/usr/bin/import", "-window", "root", path], check=True)


class Kelvane:
    """The real program on a desktop."""

    def __init__(self, desktop, extra_env=None):
        env = dict(desktop.env)
        env.update(extra_env or {})
        self.proc = subprocess.Popen([KELVANE], env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
        self.desktop = desktop
        self.main = desktop.find_window(r"^Kelvane ")

    def wait(self, timeout=10):
        status = self.proc.wait(timeout)
        self.stdout = self.proc.stdout.read()
        self.stderr = self.proc.stderr.read()
        return status

    def kill(self):
        if self.proc.poll() is None:
            self.proc.kill()
            self.proc.wait()
        self.proc.stdout.close()
        self.proc.stderr.close()


class Listener:
    """A loopback TCP listener that counts the connections it accepts."""

    def __init__(self, host="127.0.0.1", port=0):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.setsockopt(socket.SOL_SOCKET, socket.SO_REUSEADDR, 1)
        self.sock.bind((host, port))
        self.sock.listen(128)
        self.port = self.sock.getsockname()[1]
        self.times = []
        self._lock = threading.Lock()
        self._thread = threading.Thread(target=self._accept, daemon=True)
        self._thread.start()

    def _accept(self):
        while True:
            try:
                conn, _ = self.sock.accept()
            except OSError:
                return
            with self._lock:
                self.times.append(time.monotonic())
            conn.close()

    @property
    def count(self):
        with self._lock:
            return len(self.times)

    def close(self):
        self.sock.close()


class ClosedPort:
    """A loopback port that is bound but not listening while this lives:
    connects to it are refused and nothing else can take it meanwhile."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.bind(("127.0.0.1", 0))
        self.port = self.sock.getsockname()[1]

    def close(self):
        self.sock.close()


class SilentListener:
    """A loopback port whose connects never complete: its accept queue is
    full and never drained, so the kernel drops every further SYN."""

    def __init__(self):
        self.sock = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
        self.sock.bind(("127.0.0.1", 0))
        self.sock.listen(0)
        self.port = self.sock.getsockname()[1]
        self.fillers = []
        for _ in range(2):
            filler = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
            filler.setblocking(False)
            filler.connect_ex(("127.0.0.1", self.port))
            self.fillers.append(filler)
        time.sleep(0.2)

    def close(self):
        for filler in self.fillers:
            filler.close()
        self.sock.close()


def run_inside_network_namespace(setup=()):
    """Runs the calling test script again inside a network namespace of its
    own, with loopback up and the given commands run in it first, and exits
    with that run's status. Inside, it returns at once."""
    if os.environ.get("KELVANE_NETNS"):
        return
    name = f"kelvane-e2e-{os.getpid()}"
    subprocess.run(["ip", "netns", "add", name], check=True)
    try:
        inside = ["ip", "netns", "exec", name]
        subprocess.run(inside + ["ip", "link", "set", "lo", "up"], check=True)
        for command in setup:
            subprocess.run(inside + list(command), check=True, stdout=subprocess.DEVNULL)
        env = dict(os.environ, KELVANE_NETNS=name)
        status = subprocess.run(inside + [sys.executable, *sys.argv], env=env).returncode
    finally:
        subprocess.run(["ip", "netns", "del", name], check=False)
    sys.exit(status)


class DesktopTestCase(unittest.TestCase):
    accessibility = False

    def setUp(self):
        self.desktop = Desktop(self.accessibility)
        self.addCleanup(self.desktop.close)

    def start(self, extra_env=None):
        app = Kelvane(self.desktop, extra_env)
        self.addCleanup(app.kill)
        return app
