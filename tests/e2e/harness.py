"""Drives the real settings program on a private X server, the way a person would.

The harness starts Xvfb and openbox, starts the built program on that display, and
then talks to it only from the outside: xdotool moves the real pointer, clicks and
types, xwininfo and xprop report windows, and ImageMagick's import takes screenshots
whose pixels are read here. Every process it starts is put in its own process group
and ended again on success, failure, timeout, Ctrl-C or a kill of the test runner.

Environment:
  SRX_E2E_PROGRAM        path of the built srx8t-settings executable (required unless
                         a build/ folder next to the sources holds one)
  SRX_E2E_FAILURE_DIR    where screenshots of failed checks go (default: the folder
                         of the program, subfolder e2e-failures)
  SRX_E2E_TIMEOUT_SCALE  multiplies every timeout, for very slow machines (default 1)
"""

import atexit
import contextlib
import ctypes
import datetime
import functools
import math
import os
import re
import select
import shutil
import signal
import struct
import subprocess
import sys
import tempfile
import time
import unittest
from collections import namedtuple

HERE = os.path.dirname(os.path.abspath(__file__))
SOURCE_ROOT = os.path.dirname(os.path.dirname(HERE))
CARD_PICTURE = os.path.join(SOURCE_ROOT, "resources", "card.bmp")

SCREEN_SIZE = (1280, 1024)
TOOLS = ("Xvfb", "openbox", "xdotool", "xwininfo", "xprop", "import")

TIMEOUT_SCALE = float(os.environ.get("SRX_E2E_TIMEOUT_SCALE", "1") or "1")

# Bounds for the waits below, in seconds. They are generous because the tests share
# two cores with compilers; every wait polls and returns as soon as its condition holds.
WINDOW_TIMEOUT = 30 * TIMEOUT_SCALE
STATE_TIMEOUT = 15 * TIMEOUT_SCALE
EXIT_TIMEOUT = 20 * TIMEOUT_SCALE
TEST_TIMEOUT = 150 * TIMEOUT_SCALE
COMMAND_TIMEOUT = 20 * TIMEOUT_SCALE
# A negative check ("nothing closed") cannot be polled for; it gets this long to go wrong.
SETTLE_TIME = 0.8 * TIMEOUT_SCALE


class WaitTimeout(AssertionError):
    """A condition did not come true in time; counts as a test failure, not an error."""


class HarnessError(RuntimeError):
    """The test machinery itself could not do its job (X server, tools, program)."""


Rect = namedtuple("Rect", "x y w h")


def rect_centre(r):
    return (r.x + r.w // 2, r.y + r.h // 2)


def missing_tools():
    return [t for t in TOOLS if shutil.which(t) is None]


def wait_until(condition, timeout, what, interval=0.1):
    """Polls condition() until it returns a true value and returns that value.

    On timeout it raises WaitTimeout naming what was awaited and the last value seen,
    so that a failure says what the screen showed instead of just "timed out".
    """
    deadline = time.monotonic() + timeout
    last = None
    while True:
        last = condition()
        if last:
            return last
        if time.monotonic() >= deadline:
            raise WaitTimeout("timed out after %.1f s waiting for %s (last seen: %r)" % (timeout, what, last))
        time.sleep(interval)


# ---------------------------------------------------------------------------
# Processes

_libc = None
try:
    _libc = ctypes.CDLL(None, use_errno=True)
except OSError:
    _libc = None

PR_SET_PDEATHSIG = 1


def _child_setup():
    # Runs in the child between fork and exec. If the test runner is killed outright
    # (ctest's timeout does that), the kernel then kills this child too, so no X server
    # or program outlives the run.
    if _libc is not None:
        _libc.prctl(PR_SET_PDEATHSIG, signal.SIGKILL, 0, 0, 0)


_started = []


def start_process(args, env=None, log=None, pass_fds=()):
    """Starts a process in a process group of its own and remembers it for clean-up."""
    proc = subprocess.Popen(
        args,
        env=env,
        stdin=subprocess.DEVNULL,
        stdout=log if log is not None else subprocess.DEVNULL,
        stderr=subprocess.STDOUT if log is not None else subprocess.DEVNULL,
        start_new_session=True,
        preexec_fn=_child_setup,
        pass_fds=pass_fds,
    )
    _started.append(proc)
    return proc


def stop_process(proc, grace=3.0):
    """Ends a process and its process group, politely first; returns its exit status.

    The group is signalled only while its leader has not been reaped, so that the
    group id cannot have passed to an unrelated process.
    """
    if proc is None:
        return None
    for sig, wait in ((signal.SIGTERM, grace), (signal.SIGKILL, 5.0)):
        if proc.poll() is not None:
            break
        with contextlib.suppress(ProcessLookupError):
            os.killpg(proc.pid, sig)
        with contextlib.suppress(subprocess.TimeoutExpired):
            proc.wait(timeout=wait)
    if proc in _started:
        _started.remove(proc)
    return proc.returncode


_work_dirs = []


def make_work_dir():
    """A private folder for logs and the program's runtime files, removed at exit."""
    path = tempfile.mkdtemp(prefix="srx-e2e-")
    os.chmod(path, 0o700)
    _work_dirs.append(path)
    return path


def remove_work_dir(path):
    shutil.rmtree(path, ignore_errors=True)
    if path in _work_dirs:
        _work_dirs.remove(path)


def clean_up_everything():
    # The last line of defence when a run is interrupted before its own clean-up ran.
    for proc in reversed(list(_started)):
        stop_process(proc, grace=1.0)
    for path in list(_work_dirs):
        remove_work_dir(path)


atexit.register(clean_up_everything)


def _exit_on_signal(signum, _frame):
    # SIGTERM and SIGHUP would end Python without running finally blocks or atexit;
    # turning them into SystemExit lets the clean-up run.
    raise SystemExit(128 + signum)


for _sig in (signal.SIGTERM, signal.SIGHUP):
    if signal.getsignal(_sig) in (signal.SIG_DFL, None):
        signal.signal(_sig, _exit_on_signal)


# ---------------------------------------------------------------------------
# Pictures


class Picture:
    """An RGB picture with 8 bits per channel, read from a PPM or BMP file."""

    def __init__(self, width, height, rows_rgb):
        self.width = width
        self.height = height
        self._data = rows_rgb  # bytes, top row first, 3 bytes per pixel

    def pixel(self, x, y):
        if not (0 <= x < self.width and 0 <= y < self.height):
            raise IndexError("pixel (%d, %d) outside %dx%d picture" % (x, y, self.width, self.height))
        o = (y * self.width + x) * 3
        return tuple(self._data[o:o + 3])

    def row(self, x, y, width):
        """The raw RGB bytes of width pixels of row y from column x."""
        o = (y * self.width + x) * 3
        return self._data[o:o + width * 3]

    @classmethod
    def from_ppm(cls, data):
        # P6: magic, width, height, maximum value, each separated by white space
        # (comments are allowed between them), then one white-space byte and the pixels.
        fields = []
        pos = 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                while data[pos:pos + 1] not in (b"\n", b""):
                    pos += 1
                continue
            start = pos
            while pos < len(data) and not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        if fields[0] != b"P6":
            raise HarnessError("screenshot is not a binary PPM (magic %r)" % fields[0])
        width, height, maxval = int(fields[1]), int(fields[2]), int(fields[3])
        if maxval != 255:
            raise HarnessError("screenshot has %d levels per channel, expected 256" % (maxval + 1))
        pixels = data[pos + 1:pos + 1 + width * height * 3]
        if len(pixels) != width * height * 3:
            raise HarnessError("screenshot is truncated")
        return cls(width, height, pixels)

    @classmethod
    def from_bmp(cls, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:2] != b"BM":
            raise HarnessError("%s is not a BMP file" % path)
        offset = struct.unpack_from("<I", data, 10)[0]
        width, height = struct.unpack_from("<ii", data, 18)
        bits, compression = struct.unpack_from("<HI", data, 28)
        if bits != 24 or compression != 0:
            raise HarnessError("%s: expected an uncompressed 24-bit BMP" % path)
        bottom_up = height > 0
        height = abs(height)
        stride = (width * 3 + 3) & ~3
        rows = []
        for y in range(height):
            row = height - 1 - y if bottom_up else y
            line = data[offset + row * stride:offset + row * stride + width * 3]
            # BMP stores blue, green, red.
            rgb = bytearray(width * 3)
            rgb[0::3] = line[2::3]
            rgb[1::3] = line[1::3]
            rgb[2::3] = line[0::3]
            rows.append(bytes(rgb))
        return cls(width, height, b"".join(rows))


def is_colour(pixel, rgb, tolerance=0):
    return all(abs(a - b) <= tolerance for a, b in zip(pixel, rgb))


# ---------------------------------------------------------------------------
# The X display


class Display:
    """A private Xvfb server with openbox as its window manager."""

    def __init__(self, size=SCREEN_SIZE):
        self.size = size
        self.name = None
        self.xvfb = None
        self.wm = None
        self.workdir = make_work_dir()

    def env(self):
        env = dict(os.environ)
        env["DISPLAY"] = self.name
        # The unit tests run Qt headless; the program under test must use this display.
        env["QT_QPA_PLATFORM"] = "xcb"
        env.pop("WAYLAND_DISPLAY", None)
        env["XDG_RUNTIME_DIR"] = self.workdir
        return env

    def start(self):
        try:
            self._start_xvfb()
            self._start_wm()
        except BaseException:
            self.stop()
            raise

    def _start_xvfb(self):
        # Start looking at a number derived from our process id so that parallel runs
        # rarely race for the same display. A lock file marks a number as taken; Xvfb
        # itself refuses a number that another server took in the meantime, and then
        # the next one is tried.
        first = 200 + os.getpid() % 500
        log = open(os.path.join(self.workdir, "xvfb.log"), "wb")
        try:
            for number in range(first, first + 100):
                if os.path.exists("/tmp/.X%d-lock" % number):
                    continue
                read_end, write_end = os.pipe()
                try:
                    proc = start_process(
                        ["Xvfb", ":%d" % number, "-screen", "0", "%dx%dx24" % self.size,
                         "-nolisten", "tcp", "-noreset", "-displayfd", str(write_end)],
                        log=log, pass_fds=(write_end,))
                finally:
                    os.close(write_end)
                # Xvfb writes its display number to the pipe once it accepts clients.
                ready = b""
                deadline = time.monotonic() + WINDOW_TIMEOUT
                try:
                    while not ready.endswith(b"\n") and time.monotonic() < deadline:
                        readable, _, _ = select.select([read_end], [], [], 0.2)
                        if readable:
                            chunk = os.read(read_end, 64)
                            if not chunk:
                                break
                            ready += chunk
                        elif proc.poll() is not None:
                            break
                finally:
                    os.close(read_end)
                if ready.strip() == str(number).encode():
                    self.xvfb = proc
                    self.name = ":%d" % number
                    return
                stop_process(proc)
        finally:
            log.close()
        raise HarnessError("could not start Xvfb on any free display (see %s)" % os.path.join(self.workdir, "xvfb.log"))

    def _start_wm(self):
        log = open(os.path.join(self.workdir, "openbox.log"), "wb")
        try:
            self.wm = start_process(["openbox", "--sm-disable"], env=self.env(), log=log)
        finally:
            log.close()
        # openbox announces itself on the root window once it manages windows.
        wait_until(lambda: self.wm.poll() is None and "window id" in self.xprop_root("_NET_SUPPORTING_WM_CHECK"),
                   WINDOW_TIMEOUT, "openbox to manage the display")

    def stop(self):
        stop_process(self.wm)
        stop_process(self.xvfb)
        self.wm = self.xvfb = None
        remove_work_dir(self.workdir)

    # -- running the X tools -------------------------------------------------

    def run(self, *args, check=True):
        try:
            done = subprocess.run(args, env=self.env(), stdin=subprocess.DEVNULL, capture_output=True,
                                  timeout=COMMAND_TIMEOUT)
        except subprocess.TimeoutExpired:
            raise HarnessError("%s did not finish within %.0f s" % (" ".join(args), COMMAND_TIMEOUT)) from None
        if check and done.returncode != 0:
            raise HarnessError("%s failed (%d): %s" % (" ".join(args), done.returncode,
                                                       done.stderr.decode(errors="replace").strip()))
        return done

    def xprop_root(self, prop):
        return self.run("xprop", "-root", prop, check=False).stdout.decode(errors="replace")

    def work_area(self):
        out = self.xprop_root("_NET_WORKAREA")
        numbers = [int(n) for n in re.findall(r"\d+", out.split("=", 1)[-1])]
        if len(numbers) < 4:
            raise HarnessError("the window manager reports no work area: %r" % out)
        return Rect(*numbers[:4])

    def screenshot(self):
        data = self.run("import", "-window", "root", "-depth", "8", "ppm:-").stdout
        return Picture.from_ppm(data)

    def save_screenshot(self, path):
        self.run("import", "-window", "root", path)

    # -- pointer and keyboard ------------------------------------------------

    def move(self, x, y):
        self.run("xdotool", "mousemove", str(int(x)), str(int(y)))

    def pointer(self):
        out = self.run("xdotool", "getmouselocation", "--shell").stdout.decode()
        values = dict(line.split("=", 1) for line in out.split() if "=" in line)
        return int(values["X"]), int(values["Y"])

    def glide(self, x, y, steps=8, pause=0.02):
        """Moves the pointer to (x, y) through intermediate points, as a hand would."""
        x0, y0 = self.pointer()
        for i in range(1, steps + 1):
            self.move(x0 + (x - x0) * i / steps, y0 + (y - y0) * i / steps)
            time.sleep(pause)

    def click(self, x, y, button=1):
        self.run("xdotool", "mousemove", str(int(x)), str(int(y)), "click", str(button))

    def key(self, *keys):
        """Presses keys (xdotool names such as Return, BackSpace, alt+s) in the focused window."""
        self.run("xdotool", "key", "--clearmodifiers", "--delay", "40", *keys)

    def type(self, text):
        self.run("xdotool", "type", "--clearmodifiers", "--delay", "60", text)

    # -- windows -------------------------------------------------------------

    def window_info(self, win):
        """Client rectangle on the screen and map state of a window, or None if it is gone.

        xwininfo reports the client's absolute position correctly under a reparenting
        window manager, where xdotool's getwindowgeometry adds the frame twice.
        """
        done = self.run("xwininfo", "-id", str(win), check=False)
        if done.returncode != 0:
            return None
        out = done.stdout.decode(errors="replace")

        def field(name):
            m = re.search(r"^\s*%s:\s*(-?\d+)" % re.escape(name), out, re.M)
            if m is None:
                raise HarnessError("xwininfo gave no %s for window %s" % (name, win))
            return int(m.group(1))

        rect = Rect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"))
        viewable = re.search(r"Map State:\s*IsViewable", out) is not None
        return rect, viewable

    def frame_extents(self, win):
        """The window manager's frame around a window: left, right, top, bottom."""
        out = self.run("xprop", "-id", str(win), "_NET_FRAME_EXTENTS", check=False).stdout.decode()
        numbers = [int(n) for n in re.findall(r"\d+", out.split("=", 1)[-1])] if "=" in out else []
        return tuple(numbers[:4]) if len(numbers) >= 4 else None

    def window_states(self, win):
        out = self.run("xprop", "-id", str(win), "_NET_WM_STATE", check=False).stdout.decode()
        return set(re.findall(r"_NET_WM_STATE_\w+", out))

    def toplevel_windows(self):
        """(id, name, rect) of the root's direct children; menus and tool tips live there."""
        out = self.run("xwininfo", "-root", "-children").stdout.decode(errors="replace")
        found = []
        for m in re.finditer(r'^\s*(0x[0-9a-f]+) "([^"]*)".*?\s(\d+)x(\d+)\+(-?\d+)\+(-?\d+)\s', out, re.M):
            found.append((int(m.group(1), 16), m.group(2),
                          Rect(int(m.group(5)), int(m.group(6)), int(m.group(3)), int(m.group(4)))))
        return found


# ---------------------------------------------------------------------------
# The program


def program_path():
    path = os.environ.get("SRX_E2E_PROGRAM")
    if not path:
        path = os.path.join(SOURCE_ROOT, "build", "srx8t-settings")
    if not (os.path.isfile(path) and os.access(path, os.X_OK)):
        raise HarnessError("the program to test was not found at %s; build it and set SRX_E2E_PROGRAM" % path)
    return os.path.abspath(path)


def failure_dir():
    path = os.environ.get("SRX_E2E_FAILURE_DIR")
    if not path:
        path = os.path.join(os.path.dirname(program_path()), "e2e-failures")
    os.makedirs(path, exist_ok=True)
    return path


def _title_pattern(title):
    # xdotool takes a POSIX extended regular expression; the titles are matched whole.
    return "^" + re.sub(r"([.\[\]()*+?{}|^$\\])", r"\\\1", title) + "$"


class Program:
    """One running instance of the settings program on a display."""

    def __init__(self, display, path):
        self.display = display
        self.path = path
        self.log_path = os.path.join(display.workdir, "program-%d.log" % time.monotonic_ns())
        self.proc = None

    def start(self):
        log = open(self.log_path, "wb")
        try:
            self.proc = start_process([self.path], env=self.display.env(), log=log)
        finally:
            log.close()

    def running(self):
        return self.proc is not None and self.proc.poll() is None

    def wait_exit(self, timeout=EXIT_TIMEOUT):
        try:
            return self.proc.wait(timeout=timeout)
        except subprocess.TimeoutExpired:
            raise WaitTimeout("the program did not end within %.0f s" % timeout) from None

    def stop(self):
        return stop_process(self.proc)

    def log_tail(self, lines=30):
        try:
            with open(self.log_path, "r", errors="replace") as f:
                return "".join(f.readlines()[-lines:])
        except OSError:
            return ""

    # -- its windows ---------------------------------------------------------

    def find_windows(self, title, visible=True):
        args = ["xdotool", "search", "--all", "--pid", str(self.proc.pid), "--name", _title_pattern(title)]
        if visible:
            args.insert(2, "--onlyvisible")
        done = self.display.run(*args, check=False)
        return [int(w) for w in done.stdout.split()]

    def window(self, title, timeout=WINDOW_TIMEOUT):
        """Waits until exactly one visible window has this title and returns its id."""
        def one():
            self.check_alive()
            wins = self.find_windows(title)
            return wins[0] if len(wins) == 1 else None
        return wait_until(one, timeout, 'a visible window titled "%s"' % title)

    def is_shown(self, title):
        return bool(self.find_windows(title))

    def wait_hidden(self, title, timeout=STATE_TIMEOUT):
        wait_until(lambda: self.check_alive() or not self.find_windows(title), timeout,
                   'the window "%s" to close' % title)

    def client_rect(self, title):
        info = self.display.window_info(self.window(title))
        if info is None:
            raise WaitTimeout('the window "%s" vanished' % title)
        return info[0]

    def check_alive(self):
        if not self.running():
            raise AssertionError("the program ended unexpectedly with status %s; its output:\n%s"
                                 % (self.proc.returncode, self.log_tail()))
        return False

    # -- the main window's menus ---------------------------------------------

    def visible_menu(self, items):
        """The on-screen rectangle of an open drop-down menu of at least this many
        entries, or None. Qt shows menus as top-level windows of the program's name
        that the window manager does not frame."""
        for win, name, rect in self.display.toplevel_windows():
            if name == os.path.basename(self.path) and rect.w >= 40 and rect.h >= 10 * items:
                info = self.display.window_info(win)
                if info is not None and info[1]:
                    return info[0]
        return None

    def open_menu(self, mnemonic, items):
        """Opens a menu of the main window's menu bar with Alt and its letter and
        returns the drop-down's rectangle."""
        main = self.window("Setup")
        self.display.run("xdotool", "windowactivate", "--sync", str(main))
        self.display.key("alt+" + mnemonic)
        return wait_until(lambda: self.visible_menu(items), STATE_TIMEOUT,
                          "the drop-down menu after Alt+%s" % mnemonic)

    def close_menu(self):
        self.display.key("Escape")
        wait_until(lambda: self.visible_menu(1) is None, STATE_TIMEOUT, "the drop-down menu to close")

    @staticmethod
    def menu_item_rect(menu, index, items):
        height = menu.h // items
        return Rect(menu.x, menu.y + index * height, menu.w, height)


# ---------------------------------------------------------------------------
# What the board looks like


BOARD_SIZE = (600, 362)
# Highlight circles on the card picture: name -> (x, y, w, h) in picture pixels.
CIRCLES = {
    "BaseA": (120, 50, 48, 23),
    "IRQ": (5, 181, 60, 84),
    "Load": (452, 204, 69, 17),
    "BaseB": (120, 114, 48, 23),
    "BaseC": (120, 178, 48, 23),
    "BaseD": (120, 242, 48, 23),
}
# Ways off the board from each circle's middle, in board pixels: around the other
# circles and clear of the places where the popups open (the base-address popup left
# of the base column, the IRQ popup from x 193, the termination popup above its circle).
EXIT_PATHS = {
    "BaseA": [(144, -40)],
    "BaseB": [(180, 125), (180, -40)],
    "BaseC": [(180, 189), (180, 400)],
    "BaseD": [(144, 400)],
    "IRQ": [(-40, 223)],
    "Load": [(486, 400)],
}
NORMAL_ALPHA = 0.5
YELLOW = (255, 255, 0)
MAROON = (128, 0, 0)
GREY = (128, 128, 128)
KNOB = (255, 255, 255)
SLOT = GREY

HELP = "Instructions for Settings utility"
# The Settings menu's entries, in menu order; each opens the popup of that title.
SETTINGS_ENTRIES = ("Base Address", "IRQ Level", "Load")
# Size of each group's settings panel, which fills the top of its popup.
PANELS = {"Base Address": (161, 116), "IRQ Level": (177, 238), "Load": (233, 70)}
MEMO_HEIGHT = 58
BUTTON_SIZE = (58, 25)
STATUS_HEIGHT = 19
# Controls on the panels, as offsets from the popup's client corner.
BASE_EDIT = Rect(60, 8, 41, 21)
SWITCHES_AT = (32, 32)
IRQ_LIST = Rect(12, 21, 61, 21)
IRQ_JUMPERS = [(80, 18 * (k - 1)) for k in range(1, 12)]
IRQ_ENTRIES = ("None", "IRQ2", "IRQ3", "IRQ4", "IRQ5", "IRQ6", "IRQ7", "IRQ10", "IRQ11", "IRQ12", "IRQ14", "IRQ15")
LOAD_LIST = Rect(9, 21, 112, 21)
LOAD_JUMPER = (162, 19)


def ellipse_radius(x, y, w, h):
    """Radius of a pixel of a circle's box in the circle's own units: below 1 is inside."""
    u = x * 2.0 / (w - 1) - 1.0
    v = y * 2.0 / (h - 1) - 1.0
    return math.sqrt(u * u + v * v)


def tint_strength(r):
    """How strongly the ring tints a pixel at radius r: 0.16 in the disc, 1 on the ring line."""
    if r >= 1.0:
        return 0.0
    if r * r < 0.5929:
        return 0.16
    return 1.0 - abs(r - 0.875) * 8.0


def tinted(base, colour, k):
    # Python's round() takes halves to the even neighbour, as the drawing does.
    return tuple(int(round(b * (1.0 - k) + c * k)) for b, c in zip(base, colour))


# ---------------------------------------------------------------------------
# The test case base


class ProgramTestCase(unittest.TestCase):
    """Each test gets a fresh program on a display shared by the tests of its class."""

    display = None
    card = None

    @classmethod
    def setUpClass(cls):
        missing = missing_tools()
        if missing:
            raise unittest.SkipTest("end-to-end tests need %s" % ", ".join(missing))
        cls.program_path = program_path()
        cls.card = Picture.from_bmp(CARD_PICTURE)
        cls.display = Display()
        cls.addClassCleanup(cls.display.stop)
        cls.display.start()

    def setUp(self):
        self._alarm_previous = signal.signal(signal.SIGALRM, self._on_test_timeout)
        signal.alarm(int(TEST_TIMEOUT))
        self.addCleanup(self._cancel_alarm)
        self.expect_exit = False
        # The pointer rests in the screen's bottom-right corner, away from every circle.
        self.display.move(SCREEN_SIZE[0] - 4, SCREEN_SIZE[1] - 4)
        self.program = Program(self.display, self.program_path)
        self.addCleanup(self._stop_program)
        self.started_at = time.monotonic()
        self.program.start()
        with self.failure_screenshot("start-up"):
            self.main = self.program.window("Setup")
            # Every test needs to know where the board is; finding it also waits for the
            # first paint, after which the circles are in place.
            self._board_origin = None
            self.board_origin()

    def run(self, result=None):
        # Wrap the test method so that a failure is photographed while the program is
        # still on screen, before tearDown ends it.
        name = self._testMethodName
        method = getattr(self, name)

        @functools.wraps(method)
        def photographed(*args, **kwargs):
            with self.failure_screenshot("failure"):
                return method(*args, **kwargs)
        setattr(self, name, photographed)
        try:
            return super().run(result)
        finally:
            delattr(self, name)

    def _on_test_timeout(self, _signum, _frame):
        raise WaitTimeout("the test took longer than %.0f s" % TEST_TIMEOUT)

    def _cancel_alarm(self):
        signal.alarm(0)
        signal.signal(signal.SIGALRM, self._alarm_previous)

    def _stop_program(self):
        if not self.expect_exit and not self.program.running() and self.program.proc is not None:
            status = self.program.proc.returncode
            self.program.stop()
            raise AssertionError("the program ended during the test with status %s; its output:\n%s"
                                 % (status, self.program.log_tail()))
        self.program.stop()

    @contextlib.contextmanager
    def failure_screenshot(self, label):
        """Saves a screenshot and the program's output when the enclosed block fails."""
        try:
            yield
        except (unittest.SkipTest, KeyboardInterrupt, SystemExit):
            raise
        except BaseException:
            if getattr(self, "_photographed", None) is not sys.exc_info()[1]:
                self._photographed = sys.exc_info()[1]
                self.save_failure(label)
            raise

    def save_failure(self, label):
        try:
            stamp = datetime.datetime.now().strftime("%Y%m%d-%H%M%S")
            name = re.sub(r"[^A-Za-z0-9_.-]+", "_", "%s-%s-%s" % (self.id(), label, stamp))
            path = os.path.join(failure_dir(), name + ".png")
            self.display.save_screenshot(path)
            sys.stderr.write("\nscreenshot of the failure: %s\n" % path)
            log = self.program.log_tail() if hasattr(self, "program") else ""
            if log.strip():
                sys.stderr.write("program output (last lines):\n%s\n" % log)
        except Exception as e:  # A failed screenshot must not hide the real failure.
            sys.stderr.write("\ncould not save a failure screenshot: %s\n" % e)

    @contextlib.contextmanager
    def case(self, label, **params):
        """One row of a table of cases: a subtest that is photographed when it fails."""
        with self.subTest(label, **params):
            with self.failure_screenshot(re.sub(r"\W+", "_", str(label))):
                yield

    # -- places on the screen ------------------------------------------------

    @property
    def main_rect(self):
        info = self.display.window_info(self.main)
        if info is None:
            raise AssertionError("the main window has gone")
        return info[0]

    def expected_board_origin(self, shot):
        """Where the card picture's top-left pixel should be on the screen.

        The board centres itself on the main window's outer size (frame and menu bar
        included), measured from the top of the client area below the menu bar. The
        menu bar is drawn inside the client window, so its height is read from the
        screen: the window's own white area starts right under it, and the right end
        of the bar carries no menu titles.
        """
        main = self.main_rect
        left, right, top, bottom = self.display.frame_extents(self.main) or (0, 0, 0, 0)
        outer_w, outer_h = main.w + left + right, main.h + top + bottom
        x = main.x + main.w - 3
        below_menu = next((y for y in range(main.y, min(main.y + 100, shot.height))
                           if shot.pixel(x, y) == (255, 255, 255)), None)
        if below_menu is None:
            return None
        return (main.x + (outer_w - BOARD_SIZE[0]) // 2, below_menu + (outer_h - BOARD_SIZE[1]) // 2)

    def board_shows_at(self, shot, origin):
        """Whether the card picture is drawn at origin, judged by its four corners,
        which no circle and, at start-up, no window covers."""
        ox, oy = origin
        if ox < 0 or oy < 0 or ox + BOARD_SIZE[0] > shot.width or oy + BOARD_SIZE[1] > shot.height:
            return False
        w, h = BOARD_SIZE
        corners = [(x, y) for x in (0, 1, w - 2, w - 1) for y in (0, 1, h - 2, h - 1)]
        return all(shot.pixel(ox + x, oy + y) == self.card.pixel(x, y) for x, y in corners)

    def find_board(self, shot, near, reach=80):
        """Looks for the card picture around a point; for failure messages only."""
        nx, ny = near
        for dy in range(-reach, reach + 1):
            for dx in range(-reach, reach + 1):
                if self.board_shows_at(shot, (nx + dx, ny + dy)):
                    return (nx + dx, ny + dy)
        return None

    def board_origin(self):
        """Screen position of the card picture's top-left pixel, once it is drawn there."""
        if getattr(self, "_board_origin", None) is None:
            seen = {}

            def drawn():
                shot = self.display.screenshot()
                origin = self.expected_board_origin(shot)
                seen["origin"], seen["shot"] = origin, shot
                return origin if origin is not None and self.board_shows_at(shot, origin) else None
            try:
                self._board_origin = wait_until(drawn, WINDOW_TIMEOUT, "the card picture centred on the main window")
            except WaitTimeout as e:
                found = None
                if seen.get("origin") is not None:
                    found = self.find_board(seen["shot"], seen["origin"])
                raise WaitTimeout("%s; expected it at %s, found it at %s" % (e, seen.get("origin"), found))
        return self._board_origin

    def circle_rect(self, name):
        ox, oy = self.board_origin()
        x, y, w, h = CIRCLES[name]
        return Rect(ox + x, oy + y, w, h)

    def desktop_point(self):
        """A point on the main window's empty white area, off the board and every popup."""
        return (self.main_rect.x + 30, self.main_rect.y + self.main_rect.h - 30)

    # -- conveniences for the tests ------------------------------------------

    def lowest_button_centre(self, rect, x):
        """Centre of the lowest button crossing column x of a window's client area.

        Scanning up from the bottom edge, the first row that differs from the window's
        background is the button's lower edge; the button is 25 pixels high.
        """
        shot = self.display.screenshot()
        background = shot.pixel(x, rect.y + rect.h - 1)
        for y in range(rect.y + rect.h - 2, rect.y, -1):
            if shot.pixel(x, y) != background:
                return (x, y - BUTTON_SIZE[1] // 2)
        raise AssertionError("no button found in column %d of the window at %s" % (x, rect))

    def start_help(self):
        """Clicks the help window's Start button, centred near the window's bottom edge."""
        help_rect = self.program.client_rect(HELP)
        self.display.click(*self.lowest_button_centre(help_rect, help_rect.x + help_rect.w // 2))
        self.program.wait_hidden(HELP)

    def close_help(self):
        """Hides the help window with the close box of its frame."""
        self.click_close_box(HELP)
        self.program.wait_hidden(HELP)

    def click_close_box(self, title):
        """Clicks the close button at the right end of openbox's title bar."""
        win = self.program.window(title)
        rect = self.display.window_info(win)[0]
        left, right, top, bottom = self.display.frame_extents(win)
        self.display.click(rect.x + rect.w + right - 9, rect.y - top // 2)

    def hover(self, name):
        """Comes onto the middle of a circle from a spot on the board just right of it."""
        circle = self.circle_rect(name)
        cx, cy = rect_centre(circle)
        self.display.move(circle.x + circle.w + 12, cy)
        self.display.glide(cx, cy)

    def leave_to_desktop(self, name):
        """Glides from a circle's middle off the board, crossing no other circle and
        no popup, to the main window's empty white area."""
        ox, oy = self.board_origin()
        self.display.move(*rect_centre(self.circle_rect(name)))
        for x, y in EXIT_PATHS[name]:
            self.display.glide(ox + x, oy + y)

    def popup(self, title):
        """Client rectangle of a group's popup once it is on screen."""
        return self.program.client_rect(title)

    def click_popup_button(self, title, button):
        """Clicks Previous, Next or Done of a popup.

        The buttons sit in a row under the memo, which sits under the panel: Previous
        at the left edge, Next centred, Done at the right edge.
        """
        rect = self.popup(title)
        panel_h = PANELS[title][1]
        y = rect.y + panel_h + 1 + MEMO_HEIGHT + 6 + BUTTON_SIZE[1] // 2
        x = {"Previous": 6 + BUTTON_SIZE[0] // 2,
             "Next": (rect.w - BUTTON_SIZE[0]) // 2 + BUTTON_SIZE[0] // 2,
             "Done": rect.w - 6 - BUTTON_SIZE[0] // 2}[button]
        self.display.click(rect.x + x, y)

    def open_settings_menu(self):
        return self.program.open_menu("s", len(SETTINGS_ENTRIES))

    def settings_checks(self):
        """Opens the Settings menu, reads which entries carry a check mark, closes it."""
        menu = self.open_settings_menu()
        try:
            shot = self.display.screenshot()
            checks = []
            for i, title in enumerate(SETTINGS_ENTRIES):
                item = Program.menu_item_rect(menu, i, len(SETTINGS_ENTRIES))
                # The check mark is drawn in dark ink in the column left of the text.
                dark = sum(1 for y in range(item.y + 2, item.y + item.h - 2)
                           for x in range(item.x + 3, item.x + 27)
                           if sum(shot.pixel(x, y)) < 300)
                if 0 < dark < 6:
                    raise AssertionError("unclear check mark on the entry %s (%d dark pixels)" % (title, dark))
                checks.append(dark >= 6)
            return dict(zip(SETTINGS_ENTRIES, checks))
        finally:
            self.program.close_menu()

    def choose_setting(self, title):
        """Picks an entry of the Settings menu with the mouse."""
        menu = self.open_settings_menu()
        item = Program.menu_item_rect(menu, SETTINGS_ENTRIES.index(title), len(SETTINGS_ENTRIES))
        self.display.click(item.x + item.w // 2, item.y + item.h // 2)

    def assert_checks(self, *checked):
        expected = {title: title in checked for title in SETTINGS_ENTRIES}
        self.assertEqual(self.settings_checks(), expected, "check marks in the Settings menu")

    # -- reading drawings ----------------------------------------------------

    def read_switches(self, shot, popup):
        """The seven DIP switches of the base-address popup, A3 first: "ON", "OFF" or
        the two sampled colours when a switch is neither."""
        ox, oy = popup.x + SWITCHES_AT[0], popup.y + SWITCHES_AT[1]
        states = []
        for i in range(7):
            x = ox + 3 + 14 * i + 6
            near, far = shot.pixel(x, oy + 17), shot.pixel(x, oy + 30)
            if near == KNOB and far == SLOT:
                states.append("ON")
            elif near == SLOT and far == KNOB:
                states.append("OFF")
            else:
                states.append((near, far))
        return states

    @staticmethod
    def switches_for(address):
        """A switch stands ON for a 0 address bit; A3 is the leftmost."""
        return ["OFF" if address & (1 << (3 + i)) else "ON" for i in range(7)]

    def jumper_state(self, shot, popup, at):
        """The state a jumper is drawn in: closed, a maroon cap over the whole jumper;
        open, a grey base with the panel's colour in its rounded corners; otherwise the
        sampled colours, for the failure message. Both states show two yellow pins."""
        jx, jy = popup.x + at[0], popup.y + at[1]
        corner, base = shot.pixel(jx + 2, jy + 2), shot.pixel(jx + 17, jy + 4)
        pins = shot.pixel(jx + 11, jy + 9), shot.pixel(jx + 23, jy + 9)
        if pins != (YELLOW, YELLOW):
            return ("pins", pins)
        if corner == MAROON and base == MAROON:
            return "closed"
        if base == GREY and corner not in (MAROON, GREY):
            return "open"
        return ("corner", corner, "base", base)

    def settle(self):
        time.sleep(SETTLE_TIME)
        self.program.check_alive()
