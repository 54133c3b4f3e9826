"""A desktop session with the real Orca beside one of our programs.

Xvfb on a display it chooses (with openbox when it is installed), a private
D-Bus session bus with the accessibility bus behind it, speech-dispatcher with
an output module that writes nothing but accepts every message, and Orca with
a settings folder of its own, started beside any other Orca of the user
(orca_launcher.py). Every folder, socket and bus is the session's own, so
sessions of other checkouts run at the same time. The program runs from the
build's program folder on an empty home.

speech-dispatcher's log at level 5 names the client of every command, so each
message it queues is credited to its speaker: "ours" for our programs, "orca"
for the screen reader. A scenario presses keys one at a time; after each the
session waits until both voices are quiet and hands back what was said.

A scenario that cannot get Orca or the buses started exits with 77, which the
suite reports as skipped, with the reason on standard error.
"""

import json
import os
import re
import select
import shutil
import subprocess
import sys
import tempfile
import time

HERE = os.path.dirname(os.path.abspath(__file__))
# The clock faketime gives a run: the program under test lives on the day the
# scenario expects, while the desktop keeps the real time its timers need.
FAKE_CLOCK = ("FAKETIME", "LD_PRELOAD")
SKIP = 77
OURS = "ours"
ORCA = "orca"

# Orca's speech settings: through speech-dispatcher, no key names read out
# (they are not events of the program), and what is typed echoed by character.
ORCA_SETTINGS = {
    "general": {
        "speechServerFactory": "orca.speechdispatcherfactory",
        "enableSpeech": True,
        "enableKeyEcho": False,
        "enableEchoByCharacter": True,
        "enableTutorialMessages": False,
        "enableMnemonicSpeaking": False,
        "presentToolTips": False,
        "onlySpeakDisplayedText": False,
        "startingProfile": ["Default", "default"],
        "activeProfile": ["Default", "default"],
    },
    "profiles": {"default": {"profile": ["Default", "default"]}},
    "keybindings": {},
    "pronunciations": {},
}

CAPTURE_MODULE = """GenericExecuteSynth "true"
GenericCmdDependency "true"
GenericLanguage "ja" "ja" "utf-8"
GenericLanguage "en" "en" "utf-8"
AddVoice "ja" "MALE1" "ja"
AddVoice "en" "MALE1" "en"
"""


def skip(reason):
    print("skipped: " + reason, file=sys.stderr)
    sys.exit(SKIP)


def normalized(text):
    """The words of an utterance without markup, spaces or punctuation."""
    text = re.sub(r"<[^>]+>", "", text)
    return re.sub(r"[\s.,。、・:：!！?？()（）]+", "", text)


class SpeechLog:
    """Reads speech-dispatcher's log as it grows: who queued which message."""

    _client = re.compile(r" (\d+):DATA:\|SET SELF CLIENT_NAME \"?([^\"\r\n]*)", re.I)
    _data = re.compile(r" (\d+):DATA:\|")
    _queued = re.compile(r"Queueing message \|(.*?)\| with priority", re.S)

    def __init__(self, path):
        self.path = path
        self.offset = 0
        self.clients = {}
        self.last_fd = None

    def read(self):
        """The utterances queued since the last read, as (speaker, text)."""
        try:
            with open(self.path, "rb") as log:
                log.seek(self.offset)
                chunk = log.read()
        except FileNotFoundError:
            return []
        # Only whole lines: a message is logged in one write.
        end = chunk.rfind(b"\n[")
        if end < 0:
            return []
        self.offset += end + 1
        text = chunk[: end + 1].decode("utf-8", "replace")
        events = []
        for match in self._client.finditer(text):
            events.append((match.start(), "client", match.group(1), match.group(2)))
        for match in self._data.finditer(text):
            events.append((match.start(), "data", match.group(1), None))
        for match in self._queued.finditer(text):
            events.append((match.start(), "queued", None, match.group(1)))
        said = []
        for _, kind, fd, value in sorted(events, key=lambda e: e[0]):
            if kind == "client":
                self.clients[fd] = value
            elif kind == "data":
                self.last_fd = fd
            elif self.last_fd is not None:
                name = self.clients.get(self.last_fd, "").lower()
                speaker = ORCA if ":orca:" in name else OURS
                said.append((speaker, re.sub(r"<[^>]+>", "", value).strip()))
        return said


class OrcaSession:
    def __init__(self, program_dir, program, window_manager=True):
        self.program_path = os.path.abspath(os.path.join(program_dir, program))
        if not os.access(self.program_path, os.X_OK):
            skip(self.program_path + " is not built")
        self.display = None
        self.window_manager = window_manager
        self.root = tempfile.mkdtemp(prefix="orca-session-")
        self.home = os.path.join(self.root, "home")
        os.makedirs(self.home)
        self.processes = []
        self.program = None
        self.log = SpeechLog(os.path.join(self.root, "speechd", "speech-dispatcher.log"))
        self.steps = []   # (key, [(speaker, text)]) in the order pressed
        self.orca_debug = os.path.join(self.root, "orca-debug.out")

    # --- starting and stopping

    def __enter__(self):
        try:
            self._start_desktop()
            self._start_speech()
            self._start_orca()
        except BaseException:
            self.close()
            raise
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    def close(self):
        for process in reversed(self.processes):
            if process.poll() is None:
                process.terminate()
                try:
                    process.wait(5)
                except subprocess.TimeoutExpired:
                    process.kill()
        self.processes.clear()
        if os.environ.get("ORCA_SESSION_KEEP"):
            print("session kept in " + self.root, file=sys.stderr)
        else:
            shutil.rmtree(self.root, ignore_errors=True)

    def _spawn(self, args, env=None, **kw):
        process = subprocess.Popen(args, env=env or self.env, stdin=subprocess.DEVNULL, **kw)
        self.processes.append(process)
        return process

    def _start_desktop(self):
        for tool in ("Xvfb", "dbus-daemon", "speech-dispatcher", "orca", "xdotool", "xmodmap"):
            if not shutil.which(tool):
                skip(tool + " is not installed (tools/install-dependencies.sh)")
        runtime = os.path.join(self.root, "run")
        os.makedirs(runtime, mode=0o700)
        self.env = {
            "PATH": os.environ.get("PATH", "/usr/bin:/bin"),
            "HOME": self.home,
            "LANG": "C.UTF-8",
            "XDG_RUNTIME_DIR": runtime,
            "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
            "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
            "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
            "NO_AT_BRIDGE": "0",
            "GTK_MODULES": "",
            **{k: v for k, v in os.environ.items() if k.startswith("EXP_")},
        }
        self._start_x_server()
        bus = self._spawn(["dbus-daemon", "--session", "--nofork", "--print-address=1"],
                          stdout=subprocess.PIPE, text=True)
        address = bus.stdout.readline().strip()
        if not address:
            skip("no private D-Bus session bus")
        self.env["DBUS_SESSION_BUS_ADDRESS"] = address
        self._map_characters()
        if self.window_manager and shutil.which("openbox"):
            self._spawn(["openbox"], stderr=subprocess.DEVNULL)

    def _start_x_server(self):
        """Xvfb on a display it finds free itself: another desktop on this
        machine (a person's, another checkout's scenario) may hold any fixed
        number."""
        read_end, write_end = os.pipe()
        xvfb = self._spawn(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x900x24", "-nolisten", "tcp"],
                           stderr=subprocess.DEVNULL, pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as announced:
            ready, _, _ = select.select([announced], [], [], 15)
            number = announced.readline().strip() if ready else ""
        if not number.isdigit() or xvfb.poll() is not None:
            skip("Xvfb cannot start")
        self.display = ":" + number
        self.env["DISPLAY"] = self.display

    # Characters the scenarios type that no key of the keyboard gives. Each
    # gets a spare key before anything starts, as a keyboard layout would:
    # xdotool's own remapping at each keystroke races the program's reading of
    # the new map, and characters get lost.
    TYPED_CHARACTERS = "食費山田給与外食"

    def _map_characters(self):
        spare = range(200, 200 + len(self.TYPED_CHARACTERS))
        rules = ["keycode %d = U%04X U%04X" % (code, ord(ch), ord(ch))
                 for code, ch in zip(spare, self.TYPED_CHARACTERS)]
        args = ["xmodmap"]
        for rule in rules:
            args += ["-e", rule]
        subprocess.run(args, env=self.env, check=True)

    def _start_speech(self):
        conf = os.path.join(self.root, "speechd-conf")
        logdir = os.path.join(self.root, "speechd")
        os.makedirs(os.path.join(conf, "modules"))
        os.makedirs(logdir)
        alsa = os.path.join(self.root, "asound.conf")
        with open(alsa, "w") as f:
            f.write("pcm.!default { type null }\nctl.!default { type hw card 0 }\n")
        with open(os.path.join(conf, "speechd.conf"), "w") as f:
            f.write('LogLevel 5\nLogDir "%s"\nAudioOutputMethod "alsa"\n'
                    'AddModule "capture" "sd_generic" "capture.conf"\nDefaultModule capture\n'
                    'DefaultLanguage "ja"\n' % logdir)
        with open(os.path.join(conf, "modules", "capture.conf"), "w") as f:
            f.write(CAPTURE_MODULE)
        sock = os.path.join(self.root, "speechd.sock")
        self.env["SPEECHD_ADDRESS"] = "unix_socket:" + sock
        env = dict(self.env, ALSA_CONFIG_PATH=alsa)
        speechd = self._spawn(["speech-dispatcher", "-s", "-t", "0", "-C", conf, "-S", sock, "-c", "unix_socket",
                               "-l", "5", "-L", logdir], env=env, stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL)
        if not self._wait(lambda: os.path.exists(sock) or speechd.poll() is not None, 10) or speechd.poll() is not None:
            skip("speech-dispatcher cannot start")

    def _start_orca(self):
        prefs = os.path.join(self.root, "orca-prefs")
        os.makedirs(prefs)
        with open(os.path.join(prefs, "user-settings.conf"), "w") as f:
            json.dump(ORCA_SETTINGS, f)
        orca = self._spawn([self._orca_interpreter(), os.path.join(HERE, "orca_launcher.py"), prefs, self.orca_debug],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        # Orca announces itself once it is listening.
        heard = []
        self._wait(lambda: heard.extend(self.log.read()) or any(s == ORCA for s, _ in heard)
                   or orca.poll() is not None, 30)
        if orca.poll() is not None or not any(s == ORCA for s, _ in heard):
            skip("Orca did not start speaking through speech-dispatcher")

    @staticmethod
    def _orca_interpreter():
        """The Python that Orca's own script runs with, which has its modules."""
        with open(shutil.which("orca")) as script:
            first = script.readline()
        return first[2:].strip() if first.startswith("#!") else "/usr/bin/python3"

    def start_program(self, args=(), settle=4.0):
        """Starts the program and returns what was heard until it settled."""
        clock = {k: v for k, v in os.environ.items() if k.startswith(FAKE_CLOCK)}
        if clock:
            # Only the calendar moves: the program's timers keep the desktop's pace.
            clock["DONT_FAKE_MONOTONIC"] = "1"
        # Its warnings go to a file of the session: a pipe nobody reads would
        # stop the program once full.
        with open(os.path.join(self.root, "program.log"), "ab") as log:
            self.program = self._spawn([self.program_path, *args], env=dict(self.env, **clock), cwd=self.home,
                                       stdout=subprocess.DEVNULL, stderr=log)
        if not self._wait(self._window_shown, 20):
            skip("the program's window did not appear")
        return self._record("(start)", self.quiet(settle_from=settle))

    def _window_shown(self):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.program.pid)],
                                env=self.env, capture_output=True, text=True)
        return result.returncode == 0 and result.stdout.strip() != ""

    # --- keys and what they made heard

    def _program_window_active(self):
        result = subprocess.run(["xdotool", "getactivewindow", "getwindowpid"],
                                env=self.env, capture_output=True, text=True)
        return result.returncode != 0 or result.stdout.strip() == str(self.program.pid)

    def key(self, *keys):
        """Presses each key in turn; returns what the last one made heard."""
        said = []
        for key in keys:
            self.log.read()
            # A window just closed: the window manager hands the keyboard
            # back to the program's next window first, as a person waits.
            if self.window_manager and self.program is not None:
                self._wait(self._program_window_active, 3)
            self._press(key)
            said = self._record(key, self.quiet())
        return said

    MODIFIER_KEYSYMS = {"ctrl": "Control_L", "alt": "Alt_L", "shift": "Shift_L"}

    def _press(self, key):
        """A key, or a chord as a person plays it: the modifier held down
        first, the key once Orca has taken the modifier. Qt hands each key to
        the screen reader and waits for its answer before delivering it, but
        not a menu's shortcut: an Alt still on its way when Alt+O has opened
        the menu would close it again."""
        *modifiers, main = key.split("+")
        if not modifiers:
            subprocess.run(["xdotool", "key", "--clearmodifiers", key], env=self.env, check=True)
            return
        for modifier in modifiers:
            offset = self._orca_log_size()
            subprocess.run(["xdotool", "keydown", modifier], env=self.env, check=True)
            taken = "^^^^^ PROCESS ATSPI_KEY_PRESSED_EVENT: '%s'" % self.MODIFIER_KEYSYMS.get(modifier, modifier)
            self._wait(lambda: taken in self._orca_log_since(offset), 2)
        subprocess.run(["xdotool", "key", main], env=self.env, check=True)
        for modifier in reversed(modifiers):
            subprocess.run(["xdotool", "keyup", modifier], env=self.env, check=True)

    def _orca_log_since(self, offset):
        with open(self.orca_debug, "rb") as log:
            log.seek(offset)
            return log.read().decode("utf-8", "replace")

    def type(self, text):
        """Types text a character at a time, as a person does: one who hears
        no echo types the character again."""
        said = []
        for ch in text:
            for attempt in range(2):
                self.log.read()
                if ch.isascii():
                    subprocess.run(["xdotool", "type", ch], env=self.env, check=True)
                else:
                    # Pressed by its keysym on the key mapped for it at start.
                    subprocess.run(["xdotool", "key", "0x%x" % (0x1000000 + ord(ch))], env=self.env, check=True)
                said = self.quiet()
                if said:
                    break
                # Now and then a key goes unanswered, seen for the first
                # character typed right after the focus moved: nothing was
                # echoed, so nothing was typed.
                print("no echo for %r: typed again" % ch, file=sys.stderr)
            self._record(ch, said)
        return said

    def _orca_log_size(self):
        try:
            return os.path.getsize(self.orca_debug)
        except OSError:
            return 0

    def quiet(self, settle_from=0.0, still=1.5, limit=12.0):
        """What is said until nothing more comes for `still` seconds and
        Orca has stopped working through events (its debug log is still)."""
        said = []
        start = last = time.monotonic()
        time.sleep(settle_from)
        orca_log = self._orca_log_size()
        while time.monotonic() - start < limit:
            more = self.log.read()
            size = self._orca_log_size()
            if more or size != orca_log:
                said.extend(more)
                orca_log = size
                last = time.monotonic()
            elif time.monotonic() - last >= still:
                break
            time.sleep(0.1)
        return said

    def _record(self, key, said):
        self.steps.append((key, said))
        return said

    @staticmethod
    def _wait(done, seconds):
        end = time.monotonic() + seconds
        while time.monotonic() < end:
            if done():
                return True
            time.sleep(0.1)
        return done()

    def program_alive(self):
        return self.program is not None and self.program.poll() is None

    def screenshot(self, path):
        if shutil.which("import"):
            subprocess.run(["import", "-window", "root", path], env=self.env, check=False)


# --- what a step may and may not hold


def doubled(said, allowed=()):
    """Utterances that repeat what another utterance of the same step says,
    but for the texts a step allows to come twice."""
    words = [(speaker, normalized(text)) for speaker, text in said]
    allowed = {normalized(text) for text in allowed}
    doubles = []
    for i, (speaker, text) in enumerate(words):
        if len(text) < 2 or text in allowed:
            continue
        for j, (other_speaker, other) in enumerate(words):
            if i != j and text in other and (len(other) > len(text) or i > j):
                doubles.append((speaker, said[i][1], other_speaker, said[j][1]))
                break
    return doubles


# Roles of containers that only lay out what is in them: the user sees
# nothing there and is not to hear them.
LAYOUT_WORDS = ("layered pane",)


class Report:
    """Counts per scenario and the failures found in its steps."""

    def __init__(self, name):
        self.name = name
        self.failures = []
        self.counts = {"keys": 0, OURS: 0, ORCA: 0, "doubled": 0, "silent": 0}

    def step(self, key, said, expect=(), silent_ok=False, allowed=()):
        """Checks one step: each expected text heard exactly once, nothing
        said twice (but the allowed texts), and something said unless silence
        is right here."""
        self.counts["keys"] += 1
        for speaker, _ in said:
            self.counts[speaker] += 1
        twice = doubled(said, allowed)
        self.counts["doubled"] += len(twice)
        for speaker, text, other_speaker, other in twice:
            self.failures.append("%s: %s said %r, which %s said as %r" % (key, speaker, text, other_speaker, other))
        for speaker, text in said:
            if any(word in text for word in LAYOUT_WORDS):
                self.failures.append("%s: %s named a container nobody sees: %r" % (key, speaker, text))
        if not said and not silent_ok:
            self.counts["silent"] += 1
            self.failures.append("%s: nothing was heard" % key)
        for wanted in expect:
            times = sum(normalized(text).count(normalized(wanted)) for _, text in said)
            if times != 1:
                self.failures.append("%s: %r heard %d times in %r" % (key, wanted, times, said))

    def finish(self, session=None):
        """Prints the counts and the steps; true when no step failed."""
        print("%s: %s" % (self.name, json.dumps(self.counts, ensure_ascii=False)))
        if session is not None:
            for key, said in session.steps:
                print("  %-12s %s" % (key, " | ".join("%s: %s" % s for s in said)))
        if self.failures:
            print("\n".join("FAIL " + f for f in self.failures))
        sys.stdout.flush()
        return not self.failures
