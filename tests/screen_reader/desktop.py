"""A small desktop for the screen-reader checks, on the X display and session bus that
run.sh provides: the accessibility bus, a window manager, Blendora, and on request a speech
server and Orca. Every process started here is ended by its PID when the session closes."""
import os
import re
import signal
import subprocess
import tempfile
import time
from pathlib import Path

# Speech goes nowhere: a machine without a display has no sound card either, and the
# speech server would wait for one.
SPEECHD_CONF = """\
AudioOutputMethod "libao"
DefaultModule espeak-ng
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
LogLevel 2
"""

# Orca writes its debug file in blocks; the checks read it while it runs. In a web page Orca
# takes letter and digit keys as commands to move about the page until it has switched to
# focus mode in a field, which it does a moment after the field takes the focus; a pupil waits
# for the field's name, keys sent at machine speed may not, so the checks type straight through.
ORCA_CUSTOMIZATIONS = """\
import orca.debug
import orca.settings
if orca.debug.debugFile:
    name = orca.debug.debugFile.name
    orca.debug.debugFile.close()
    orca.debug.debugFile = open(name, "a", buffering=1)
orca.settings.structuralNavigationEnabled = False
orca.settings.caretNavigationEnabled = False
"""


TIME_STAMP = re.compile(r"^\d\d:\d\d:\d\d\.\d+ - ")


class Desktop:
    def __init__(self, program):
        self.program = program
        self.processes = []
        self.work = Path(tempfile.mkdtemp(prefix="blendora-a11y-"))
        self.work.chmod(0o700)
        self.window = None
        self.orca_log = self.work / "orca.debug"
        self.bulgarian_keyboard = False

    def __enter__(self):
        # The accessibility bus puts its socket here, away from any other session's. It says
        # from the start that a screen reader is on, as a desktop with Orca does: Chromium
        # answers on the bus only when it starts with one on, and an Orca started after it
        # would hang while it starts.
        os.environ["XDG_RUNTIME_DIR"] = str(self.work)
        self.start(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately", "--screen-reader=1"])
        wait_for(self.accessibility_bus_ready, 30, "the accessibility bus")
        # Without a window manager the focus does not come back after a message box.
        self.start_window_manager()
        return self

    def __exit__(self, *exc):
        # Each process leads a group of its own, so that the helpers it started end with it.
        for process in reversed(self.processes):
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
            process.wait()
        subprocess.run(["rm", "-rf", str(self.work)], check=False)

    def start_window_manager(self, attempts=3):
        """Starts openbox and waits until it manages the screen, which takes long on a busy
        machine. Now and then openbox quits at once on a display that has just come up; it is
        started again, and what it said is shown if it never stays."""
        log = self.work / "openbox.log"
        for _ in range(attempts):
            with open(log, "w") as output:
                window_manager = subprocess.Popen(["openbox", "--sm-disable"], stdout=output,
                                                  stderr=output, start_new_session=True)
            self.processes.append(window_manager)
            wait_for(lambda: window_manager.poll() is not None or self.window_manager_ready(),
                     120, "the window manager")
            if window_manager.poll() is None:
                return
        raise RuntimeError(f"openbox quit {attempts} times: {log.read_text()}")

    @staticmethod
    def accessibility_bus_ready():
        # The launcher takes its name on the session bus once the accessibility bus listens.
        owned = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.freedesktop.DBus",
             "/org/freedesktop/DBus", "org.freedesktop.DBus.NameHasOwner", "string:org.a11y.Bus"],
            capture_output=True, text=True)
        return "boolean true" in owned.stdout

    @staticmethod
    def window_manager_ready():
        return "window id" in root_property("_NET_SUPPORTING_WM_CHECK")

    def start(self, command, **kwargs):
        process = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                   start_new_session=True, **kwargs)
        self.processes.append(process)
        return process

    def start_program(self):
        environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1")
        self.start([os.path.abspath(self.program)], env=environment)
        self.wait_for_window()

    def start_page(self):
        """Serves the site in `program` (a folder) and opens it in Chromium, as an app window
        without the browser's own controls, with its accessibility tree always on."""
        root = Path(__file__).resolve().parents[2]
        server = subprocess.Popen(["node", str(root / "scripts" / "serve-site.mjs"), self.program, "0"],
                                  stdout=subprocess.PIPE, text=True, start_new_session=True)
        self.processes.append(server)
        url = re.search(r"http://\S+/", server.stdout.readline()).group(0)
        # The page is Bulgarian and the browser English: without this, Chromium offers to
        # translate it, and Orca reads the offer out.
        profile = self.work / "chromium"
        (profile / "Default").mkdir(parents=True)
        (profile / "Default" / "Preferences").write_text('{"translate": {"enabled": false}}')
        self.start(["/usr/bin/chromium", "--no-sandbox", f"--user-data-dir={profile}",
                    "--force-renderer-accessibility", "--disable-features=Translate",
                    "--disable-gpu", "--no-first-run", "--disable-background-networking",
                    "--disable-component-update", "--disable-sync", "--window-position=0,0",
                    "--window-size=1000,700", f"--app={url}"])
        self.wait_for_window()
        # The window may first be mapped narrow, where the page lays itself out for a phone;
        # the checks are for the window's layout.
        wait_for(lambda: self.window_width() >= 1000, 60, "the browser's full width")
        # The page names its window with the caption once it has set itself up and put the
        # focus in the assignment; keys sent before then would land elsewhere.
        wait_for(lambda: "blendora.example" in self.window_name(), 60, "the page's caption")

    def window_width(self):
        geometry = subprocess.run(["xdotool", "getwindowgeometry", "--shell", self.window],
                                  capture_output=True, text=True)
        width = re.search(r"WIDTH=(\d+)", geometry.stdout)
        return int(width.group(1)) if width else 0

    def window_name(self):
        named = subprocess.run(["xdotool", "getwindowname", self.window], capture_output=True,
                               text=True)
        return named.stdout

    def wait_for_window(self):
        """Waits until a window named Blendora has the focus: keys and clicks are only meant
        for it once the window manager has given it the focus. Polled rather than xdotool's
        "search --sync", which gives up when a window it looks at goes away under it, as
        Chromium's first windows do."""
        wait_for(lambda: self.focused_window() in self.named_windows(), 60,
                 "a focused window named Blendora")
        self.window = self.focused_window()

    @staticmethod
    def named_windows():
        found = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", "Blendora"],
                               capture_output=True, text=True)
        return found.stdout.split()

    @staticmethod
    def focused_window():
        focused = subprocess.run(["xdotool", "getwindowfocus"], capture_output=True, text=True)
        return focused.stdout.strip()

    def start_orca(self):
        home = self.work / "home"
        (home / "speechd").mkdir(parents=True)
        (home / "speechd" / "speechd.conf").write_text(SPEECHD_CONF)
        (home / "speechd" / "modules").symlink_to("/etc/speech-dispatcher/modules")
        (home / ".libao").write_text("default_driver=null\n")
        prefs = home / "orca"
        prefs.mkdir()
        (prefs / "orca-customizations.py").write_text(ORCA_CUSTOMIZATIONS)
        socket = home / "speechd.sock"
        environment = dict(os.environ, HOME=str(home),
                           SPEECHD_ADDRESS=f"unix_socket:{socket}")
        self.start(["speech-dispatcher", "--run-single", "--timeout", "0",
                    "--config-dir", str(home / "speechd"), "--socket-path", str(socket),
                    "--pid-file", str(home / "speechd.pid")], env=environment)
        wait_for(socket.exists, 10, "the speech server's socket")
        self.start(["orca", "--user-prefs", str(prefs), "--debug-file", str(self.orca_log)],
                   env=environment)
        # Orca speaks its first words before it starts listening to the desktop's events; a
        # window that takes the focus in between is never heard.
        wait_for(lambda: "SPEECH OUTPUT" in self.orca_text(), 60, "Orca's first words",
                 log=self.orca_text)
        wait_for(lambda: "ORCA: Starting registry" in self.orca_text(), 60,
                 "Orca listening to the desktop", log=self.orca_text)

    def wait_until_quiet(self, quiet=1.0, seconds=15):
        """Waits until Orca has said nothing new for `quiet` seconds: done with an action, it
        may still switch modes or move its focus, and keys sent meanwhile go astray."""
        deadline = time.monotonic() + seconds
        count, since = len(self.spoken()), time.monotonic()
        while time.monotonic() < deadline and time.monotonic() - since < quiet:
            time.sleep(0.1)
            if len(self.spoken()) != count:
                count, since = len(self.spoken()), time.monotonic()

    def orca_text(self):
        return self.orca_log.read_text(errors="replace") if self.orca_log.exists() else ""

    def spoken(self):
        """What Orca has spoken so far, one utterance an item; a text of several lines
        continues on the debug file's following lines, which carry no time stamp."""
        utterances = []
        continues = False
        for line in self.orca_text().splitlines():
            if "SPEECH OUTPUT: " in line:
                utterances.append(line.split("SPEECH OUTPUT: ", 1)[1].strip())
                continues = True
            elif continues and line and not TIME_STAMP.match(line):
                utterances[-1] += " " + line.strip()
            else:
                continues = False
        return utterances

    @staticmethod
    def focused_frame_on_screen():
        """Whether all of the focused window, its window manager's frame too, lies on the
        screen: xwininfo gives the client's place, _NET_FRAME_EXTENTS the frame around it."""
        def numbers(command, pattern):
            output = subprocess.run(command, capture_output=True, text=True).stdout
            return [int(found) for found in re.findall(pattern, output)]

        window = Desktop.focused_window()
        x, y, width, height = numbers(
            ["xwininfo", "-id", window],
            r"(?:Absolute upper-left [XY]|Width|Height):\s+(-?\d+)")
        left, right, top, bottom = numbers(["xprop", "-id", window, "_NET_FRAME_EXTENTS"],
                                           r"(\d+)") or [0, 0, 0, 0]
        _, _, screen_width, screen_height = numbers(
            ["xwininfo", "-root"], r"(?:Absolute upper-left [XY]|Width|Height):\s+(-?\d+)")
        return (x - left >= 0 and y - top >= 0 and x + width + right <= screen_width
                and y + height + bottom <= screen_height)

    def click(self, x, y):
        subprocess.run(["xdotool", "mousemove", "--window", self.window, str(x), str(y),
                        "click", "1"], check=True)

    def key(self, *keys):
        subprocess.run(["xdotool", "key", "--delay", "150", *keys], check=True)

    def type(self, text):
        # Xvfb's keyboard has no Cyrillic letters: xdotool maps a spare key anew for each one it
        # types, and a program that reads the key before its new map takes it for the letter
        # before. A Bulgarian keyboard, as a pupil's, has a key for every letter.
        if re.search("[\u0400-\u04ff]", text) and not self.bulgarian_keyboard:
            subprocess.run(["setxkbmap", "-layout", "bg", "-variant", "phonetic"], check=True)
            self.bulgarian_keyboard = True
        subprocess.run(["xdotool", "type", "--delay", "80", text], check=True)

    def paste(self, text):
        """Pastes the text where the focus is, as a pupil pastes a problem: xdotool types some
        signs of a long Cyrillic text wrongly."""
        subprocess.run(["xclip", "-selection", "clipboard"], input=text, text=True, check=True)
        self.key("ctrl+v")


def root_property(name):
    root = subprocess.run(["xprop", "-root", name], capture_output=True, text=True)
    return root.stdout


def wait_for(condition, seconds, what, log=None):
    """Polls `condition` until it holds; on a time-out, says what was awaited and shows the
    end of the log that should have told of it."""
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        if condition():
            return
        time.sleep(0.1)
    tail = "\n".join(log().splitlines()[-30:]) if log else ""
    raise TimeoutError(f"waited {seconds} s for {what}" + (f"; the log ends:\n{tail}" if tail else ""))
