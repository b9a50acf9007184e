#!/usr/bin/env python3
"""Drives the real Lumetta.exe the way a user meets it.

Each scenario copies the dist folder (program, hook library, restart program, default
picture) into a fresh temporary folder, prepares the settings file, starts the program in
a Wine desktop of its own on a virtual screen, moves the X cursor with xdotool and looks
at the windows from outside with LumettaProbe.exe, run in the same desktop.

Usage: lumetta_e2e.py BIN_DIR [SCENARIO...]   (runs every scenario when none is named)
Starts an X screen of its own (Xvfb) so no other test moves this cursor, and uses the Wine
and prefix of the programs' own architecture (scripts/wine-env). It never stops the Wine
server: other tests may share it.
"""
import itertools
import os
import shutil
import subprocess
import sys
import tempfile
import time

LAYERED, TRANSPARENT, TOPMOST, TOOLWINDOW = 0x80000, 0x20, 0x8, 0x80
DIST_FILES = ["Lumetta.exe", "Tavrin.dll", "Corvane.exe", "Images/ball_blue.png"]
PROGRAM = "Lumetta.exe"


HERE = os.path.dirname(os.path.abspath(__file__))
SCRIPTS = os.path.join(HERE, "..", "..", "..", "scripts")


def use_wine_of(bin_dir):
    """Exports the Wine, prefix and architecture that run the programs of bin_dir."""
    arch = subprocess.run([os.path.join(SCRIPTS, "pe-arch"), os.path.join(bin_dir, PROGRAM)],
                          check=True, stdout=subprocess.PIPE, text=True).stdout.strip()
    if not arch:
        raise SystemExit(f"{bin_dir}/{PROGRAM} is not a Windows program")
    env = subprocess.run(["bash", "-c", f'. "{SCRIPTS}/wine-env" && env -0'], check=True, stdout=subprocess.PIPE,
                         env=dict(os.environ, LUMETTA_WIN_ARCH=arch, LUMETTA_WIN_ARCH_DECIDED="1")).stdout
    for entry in env.split(b"\0"):
        key, sep, value = entry.decode().partition("=")
        if sep and (key.startswith("LUMETTA_") or key.startswith("WINE")):
            os.environ[key] = value
    for key in ("WINELOADER", "WINEARCH"):
        if arch == "win32":
            os.environ.pop(key, None)


def wine():
    return os.environ.get("LUMETTA_WINE", "wine")


_answers = itertools.count(1)


def ask_probe(desktop, exe, folder, args, launchers):
    """Runs a probe program in a Wine desktop. The desktop's launcher returns at once (and may
    stay as long as the desktop: it goes into launchers, not waited for), so the answer comes
    back through a file the probe writes whole when it is done."""
    answer = os.path.join(folder, f"probe{next(_answers)}.txt")
    launchers.append(subprocess.Popen([wine(), "explorer", desktop, win_path(exe), "--out", win_path(answer), *args],
                                      stdin=subprocess.DEVNULL, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL))
    return read_answer(answer, f"{os.path.basename(exe)} gave no answer to {args}")


def read_answer(answer, failure, timeout=30, interval=0.05):
    """The lines of an answer file a probe writes whole, once it is there; removes it."""
    end = time.monotonic() + timeout
    while not os.path.exists(answer):
        if time.monotonic() > end:
            raise AssertionError(failure)
        time.sleep(interval)
    with open(answer, encoding="latin-1") as f:
        lines = [line.rstrip("\r\n") for line in f if line.strip()]
    os.remove(answer)
    return lines


def wait_for(what, predicate, timeout=20.0, interval=0.3):
    """what() again and again until predicate holds for its answer, which is returned."""
    end = time.monotonic() + timeout
    value = None
    while time.monotonic() < end:
        value = what()
        if predicate(value):
            return value
        time.sleep(interval)
    raise AssertionError(f"timed out waiting; last seen: {value!r}")


def end_program(process, launchers):
    """Waits for a program that was told to end (at most 15 s, then kills it) and for the
    probes' launchers."""
    if process:
        try:
            process.wait(timeout=15)
        except subprocess.TimeoutExpired:
            process.kill()
    for launcher in launchers:
        try:
            launcher.wait(timeout=0.5)
        except subprocess.TimeoutExpired:
            pass


def win_path(path):
    return "Z:" + os.path.abspath(path).replace("/", "\\")


class Window:
    def __init__(self, fields):
        self.handle, pid, self.cls, self.caption = fields[0], fields[1], fields[2], fields[3]
        self.pid = int(pid)
        self.left, self.top, self.right, self.bottom = (int(v) for v in fields[4:8])
        self.ex_style = int(fields[8], 16)
        self.visible = fields[9] == "1"

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    @property
    def centre(self):
        return ((self.left + self.right) / 2, (self.top + self.bottom) / 2)

    def is_particle(self):
        return (self.ex_style & (LAYERED | TRANSPARENT)) == (LAYERED | TRANSPARENT)

    def __repr__(self):
        return f"<{self.cls} {self.left},{self.top} {self.width}x{self.height} ex={self.ex_style:08x}>"


class Session:
    """One copy of the dist folder and one Wine desktop on the current X display."""

    def __init__(self, bin_dir, name, settings=None, read_only=False):
        self.bin_dir = bin_dir
        self.folder = tempfile.mkdtemp(prefix=f"lumetta-e2e-{name}-")
        for f in DIST_FILES:
            os.makedirs(os.path.dirname(os.path.join(self.folder, f)), exist_ok=True)
            shutil.copy(os.path.join(bin_dir, f), os.path.join(self.folder, f))
        self.ini = os.path.join(self.folder, "Lumetta.ini")
        if settings is not None:
            with open(self.ini, "w", newline="\r\n") as out:
                out.write(settings)
        self.read_only = read_only
        self.desktop = f"/desktop=e2e{os.getpid()}{name},1024x768"
        self.process = None
        self.launchers = []
        # The probe is always pointed at this copy, so sessions side by side stay apart.
        self.program_path = win_path(os.path.join(self.folder, PROGRAM))

    def start(self, program=PROGRAM):
        if self.read_only:
            # Wine maps the read-only attribute to the file's write bits.
            self.probe("readonly", win_path(self.ini))
        self.started = time.monotonic()
        self.process = subprocess.Popen([wine(), "explorer", self.desktop, win_path(os.path.join(self.folder, program))],
                                        cwd=self.folder, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)

    def probe(self, *args):
        """Runs the probe in this desktop and returns its answer's lines."""
        return ask_probe(self.desktop, os.path.join(self.bin_dir, "LumettaProbe.exe"), self.folder, args,
                         self.launchers)

    def windows(self):
        return [Window(line.split("\t")) for line in self.probe("list", self.program_path) if line.count("\t") >= 9]

    def particles(self):
        return [w for w in self.windows() if w.is_particle()]

    def pids(self):
        return {w.pid for w in self.windows()}

    def boxes(self):
        return [line.split("\t")[1:] for line in self.probe("boxes", self.program_path) if line.startswith("BOX")]

    def host_pid(self):
        """The host's process id of this copy's running program, from /proc, or None."""
        target = win_path(os.path.join(self.folder, PROGRAM)).lower()
        for entry in os.listdir("/proc"):
            if not entry.isdigit():
                continue
            try:
                with open(f"/proc/{entry}/cmdline", "rb") as f:
                    cmdline = f.read().decode("latin-1").replace("\0", " ").lower()
            except OSError:
                continue
            if target in cmdline and "explorer" not in cmdline:
                return entry
        return None

    def private_kb(self):
        """Resident anonymous memory of this copy's running program, from the host's /proc."""
        try:
            with open(f"/proc/{self.host_pid()}/status") as f:
                for line in f:
                    if line.startswith("RssAnon:"):
                        return int(line.split()[1])
        except OSError:
            pass
        return None

    def cpu_seconds(self):
        """User and system CPU time this copy's running program has used, from /proc."""
        try:
            with open(f"/proc/{self.host_pid()}/stat") as f:
                fields = f.read().rsplit(")", 1)[1].split()
        except OSError:
            return None
        return (int(fields[11]) + int(fields[12])) / os.sysconf("SC_CLK_TCK")

    def settings(self):
        if not os.path.exists(self.ini):
            return None
        with open(self.ini, encoding="latin-1") as f:
            return f.read()

    def wait_for(self, what, predicate, timeout=20.0, interval=0.3):
        return wait_for(what, predicate, timeout, interval)

    def stop(self):
        self.probe("kill", self.program_path)
        end_program(self.process, self.launchers)
        if self.read_only:
            os.chmod(self.ini, 0o644)
        shutil.rmtree(self.folder, ignore_errors=True)


def move(x, y):
    subprocess.run(["xdotool", "mousemove", str(x), str(y)], check=True)


def expect(condition, message):
    if not condition:
        raise AssertionError(message)


def particle_shape_ok(w):
    return (w.ex_style & (LAYERED | TRANSPARENT | TOPMOST | TOOLWINDOW)) == (LAYERED | TRANSPARENT | TOPMOST | TOOLWINDOW)


# ---------------------------------------------------------------- scenarios

def scenario_magic_default(bin_dir):
    """No settings file: Magic starts, writes Flag=False, and its particles pulse around the held cursor."""
    s = Session(bin_dir, "magic")
    try:
        move(5, 5)
        s.start()
        parts = s.wait_for(s.particles, lambda p: len(p) == 8 and all(w.width != 104 for w in p))
        print(f"  first frames of all eight particles seen {time.monotonic() - s.started:.1f} s after launch")
        expect(all(particle_shape_ok(w) for w in parts), f"particle styles: {parts}")
        main = [w for w in s.windows() if w.cls == "TfrmMain"]
        expect(len(main) == 1 and not main[0].visible, f"hidden main window: {main}")
        expect(main[0].ex_style & LAYERED, "main window is layered (fully transparent)")
        text = s.settings() or ""
        expect("[Image]" in text and "Flag=False" in text, f"settings file written: {text!r}")

        cursor = (500, 400)
        move(*cursor)
        time.sleep(2.5)  # every particle passes at least one turn (a cycle is at most 1.1 s)
        widths, worst = set(), 0.0
        for _ in range(12):
            for w in s.particles():
                if w.width == 0:
                    continue
                widths.add(w.width)
                cx, cy = w.centre
                worst = max(worst, abs(cx - cursor[0]), abs(cy - cursor[1]))
            time.sleep(0.15)
        print(f"  widths seen: {sorted(widths)}; farthest centre offset {worst:.1f} px")
        expect(worst <= 36, f"centres stay within about 30 px of the cursor (worst {worst})")
        expect(len(widths) >= 4, f"particles pulse through the cycle's sizes: {sorted(widths)}")
    finally:
        s.stop()


def scenario_flag_number(bin_dir):
    """Flag=1 starts the Flag chain, which rests as a row with 30-pixel steps from the cursor."""
    s = Session(bin_dir, "flag", settings="[Image]\nFlag=1\n")
    try:
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        cursor = (300, 250)
        move(*cursor)
        move(cursor[0] + 1, cursor[1])
        move(*cursor)
        parts = s.wait_for(s.particles, lambda p: sorted((w.left, w.top) for w in p) ==
                           [(cursor[0] + 30 * i, cursor[1]) for i in range(8)], timeout=15)
        expect(all(particle_shape_ok(w) for w in parts), f"particle styles: {parts}")
        expect("Flag=True" in (s.settings() or ""), "the effect start writes Flag=True")
    finally:
        s.stop()


def expect_nothing_shown(s):
    """After a failed start-up the program runs on unseen: neither the main window nor the
    application window (its taskbar button) is visible."""
    shown = [w for w in s.windows() if w.cls in ("TfrmMain", "TApplication") and w.visible]
    expect(shown == [], f"nothing on screen or in the taskbar after the error box: {shown}")
    expect(any(w.cls == "TfrmMain" for w in s.windows()), "the program keeps running")


def scenario_bad_flag(bin_dir):
    """Flag=abc shows the conversion message, starts no effect and shows no window."""
    s = Session(bin_dir, "badflag", settings="[Image]\nFlag=abc\n")
    try:
        s.start()
        boxes = s.wait_for(s.boxes, lambda b: len(b) > 0)
        expect(boxes == [["Lumetta", "'abc' is not a valid boolean value"]], f"one box, titled and worded exactly: {boxes}")
        answers = [line.split("\t")[2] for line in s.probe("skinquery", "#32770") if line.startswith("SKINQUERY")]
        expect(answers == ["1"], f"the message box has a form handler: {answers}")
        time.sleep(0.5)  # the box's own loop runs the program's timers meanwhile
        s.probe("close-boxes", s.program_path)
        time.sleep(1.0)
        expect(s.particles() == [], "no particle after a bad Flag value")
        expect_nothing_shown(s)
        expect("Flag=abc" in (s.settings() or ""), "the bad value is left as it was")
    finally:
        s.stop()


def scenario_read_only(bin_dir):
    """A read-only settings file: "Unable to write to <path>", no particle and no window."""
    s = Session(bin_dir, "readonly", settings="[Image]\nFlag=False\n", read_only=True)
    try:
        s.start()
        boxes = s.wait_for(s.boxes, lambda b: len(b) > 0)
        wanted = "Unable to write to " + win_path(s.ini)
        expect(len(boxes) == 1 and boxes[0][1].lower() == wanted.lower(), f"want {wanted!r}, saw {boxes}")
        time.sleep(0.5)
        s.probe("close-boxes", s.program_path)
        time.sleep(1.0)
        expect(s.particles() == [], "no particle when the settings cannot be written")
        expect_nothing_shown(s)
    finally:
        s.stop()


def balloons(s):
    """The notification area's balloons on screen (the taskbar's visible tooltip windows)."""
    return [w for w in (Window(line.split("\t")) for line in s.probe("list", "explorer.exe") if line.count("\t") >= 9)
            if w.cls == "tooltips_class32" and w.visible and w.width > 0]


def scenario_second_instance(bin_dir):
    """A second start of the same program leaves at once, and the first says so in a balloon at
    its icon; the first keeps its particles and its cursor feed."""
    s = Session(bin_dir, "second")
    try:
        move(5, 5)
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        first = s.pids()
        expect(len(first) == 1, f"one Lumetta: {first}")
        first_process = s.process
        expect(balloons(s) == [], f"no balloon before: {balloons(s)}")
        s.start()
        shown = s.wait_for(lambda: balloons(s), lambda b: len(b) == 1, timeout=10)
        print(f"  the first one's balloon: {shown[0]}")
        expect(shown[0].bottom > 768 - 120 and shown[0].right > 1024 - 300, f"the balloon by the icon: {shown[0]}")
        time.sleep(4.0)  # long enough for a second one to show its windows and particles
        s.process = first_process
        expect(s.pids() == first, f"only the first Lumetta has windows: {first} -> {s.pids()}")
        expect(len(s.particles()) == 8, f"still eight particles: {len(s.particles())}")
        # The hook record still feeds the first one: its particles come to the cursor.
        cursor = (600, 450)
        move(*cursor)
        time.sleep(2.5)
        worst = max(max(abs(w.centre[0] - cursor[0]), abs(w.centre[1] - cursor[1]))
                    for w in s.particles() if w.width)
        expect(worst <= 36, f"the first one's particles follow the cursor (worst offset {worst})")
    finally:
        s.stop()


def scenario_missing_picture(bin_dir):
    """A PNG setting naming no file: particles run but show nothing, and nothing is reported."""
    s = Session(bin_dir, "nopng", settings="[Image]\nFlag=False\nPNG=Z:\\no\\such\\picture.png\n")
    try:
        s.start()
        parts = s.wait_for(s.particles, lambda p: len(p) == 8)
        move(600, 300)
        time.sleep(2.0)
        parts = s.particles()
        expect(len(parts) == 8, "eight particles")
        # A particle shows only what a frame handed to the window; with no picture no frame
        # ever does, so the windows keep the size they were built with.
        expect(all(w.width == 104 and w.height == 70 for w in parts), f"never drawn: {parts}")
        expect(s.boxes() == [], "no message")
    finally:
        s.stop()


def scenario_objects_flat(bin_dir, seconds=15):
    """GDI and USER objects stay flat while the cursor keeps moving.

    Wine does not count a process's GDI objects (GetGuiResources answers 0), so there the
    process's private memory (its resident anonymous pages, read from the host's /proc)
    stands in: every frame makes a bitmap and a device context, and keeping them would
    grow it by megabytes within seconds."""
    s = Session(bin_dir, "objects")
    try:
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        time.sleep(1.0)

        def counts():
            lines = [l.split("\t") for l in s.probe("gui", s.program_path) if l.startswith("GUI")]
            expect(len(lines) == 1, f"one Lumetta: {lines}")
            gdi, user = int(lines[0][2]), int(lines[0][3])
            return gdi, user, s.private_kb()

        def stir(duration):
            end, i = time.monotonic() + duration, 0
            while time.monotonic() < end:
                move(200 + (i * 37) % 600, 150 + (i * 23) % 400)
                i += 1
                time.sleep(0.02)

        stir(2.0)  # first allocations of a moving cursor are not leaks
        before = counts()
        stir(seconds)
        after = counts()
        print(f"  GDI objects, USER objects, private KB: before {before}, after {seconds} s of movement {after}")
        expect(len(s.particles()) == 8, "still eight particles")
        expect(after[1] == before[1], f"USER objects flat: {before[1]} -> {after[1]}")
        if before[0] > 0:
            expect(after[0] <= before[0] + 5, f"GDI objects flat: {before[0]} -> {after[0]}")
        else:
            expect(before[2] and after[2], f"memory readable: {before[2]}, {after[2]}")
            expect(after[2] <= before[2] + 1024, f"memory flat: {before[2]} KB -> {after[2]} KB")
    finally:
        s.stop()


def scenario_exit(bin_dir):
    """Closing the main window the way Exit does ends the process."""
    s = Session(bin_dir, "exit")
    try:
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        s.probe("close-main", s.program_path)
        s.wait_for(s.pids, lambda p: not p, timeout=10)
        expect(s.process.wait(timeout=10) is not None, "explorer returned")
    finally:
        s.stop()


def scenario_menu_restart(bin_dir):
    """The restart program starts Lumetta when none runs; the menu's Flag and Magic items store
    the choice and restart Lumetta through it, and the new one runs the chosen effect."""
    here = os.path.dirname(os.path.abspath(__file__))
    sys.path.insert(0, os.path.join(here, "..", "tray"))
    import tray_e2e as tray  # finds the icon on screen and picks menu items

    s = Session(bin_dir, "menu")
    cursor = (400, 300)

    def chain():
        move(cursor[0] + 1, cursor[1])
        move(*cursor)
        return sorted((w.left, w.top) for w in s.particles())

    row = [(cursor[0] + 30 * i, cursor[1]) for i in range(8)]
    try:
        s.start("Corvane.exe")
        s.wait_for(s.particles, lambda p: len(p) == 8)
        first = s.pids()
        expect(len(first) == 1, f"one Lumetta started by the restart program: {first}")
        expect("Flag=False" in (s.settings() or ""), "it started Magic")

        for index, flag, chained in ((1, "True", True), (0, "False", False)):
            icon = s.wait_for(tray.find_icon, lambda p: p is not None, timeout=10)
            before = s.pids()
            tray.choose(s, icon, index)
            s.wait_for(s.settings, lambda t: f"Flag={flag}" in (t or ""), timeout=10)
            after = s.wait_for(s.pids, lambda p: len(p) == 1 and not (p & before), timeout=25)
            s.wait_for(s.particles, lambda p: len(p) == 8)
            if chained:
                s.wait_for(chain, lambda c: c == row, timeout=15)
            else:
                time.sleep(1.5)
                expect(chain() != row, "Magic particles do not line up as a chain")
            print(f"  menu item {index} stored Flag={flag}; Lumetta {sorted(before)} restarted as {sorted(after)}")
    finally:
        s.stop()


def scenario_flag_cpu(bin_dir, seconds=20):
    """Flag's CPU with the cursor still (the chain at rest draws nothing) against the same time
    with the cursor moving. A measurement, not run with the suite."""
    s = Session(bin_dir, "flagcpu", settings="[Image]\nFlag=True\n")
    try:
        move(400, 300)
        s.start()
        s.wait_for(s.particles, lambda p: len(p) == 8)
        move(401, 300)
        move(400, 300)
        s.wait_for(s.particles, lambda p: sorted((w.left, w.top) for w in p) ==
                   [(400 + 30 * i, 300) for i in range(8)], timeout=15)
        time.sleep(1.0)
        before = s.cpu_seconds()
        time.sleep(seconds)
        still = s.cpu_seconds() - before
        before = s.cpu_seconds()
        end, i = time.monotonic() + seconds, 0
        while time.monotonic() < end:
            move(200 + (i * 37) % 600, 150 + (i * 23) % 400)
            i += 1
            time.sleep(0.02)
        moving = s.cpu_seconds() - before
        print(f"  Lumetta's CPU over {seconds} s: cursor still {still:.2f} s, cursor moving {moving:.2f} s "
              f"({100 * still / moving if moving else 0:.1f} % of the moving figure)")
        expect(moving > 0 and still < 0.05 * moving, f"at rest below 5 % of moving: {still} vs {moving}")
    finally:
        s.stop()


SCENARIOS = {
    "magic": scenario_magic_default,
    "flag": scenario_flag_number,
    "badflag": scenario_bad_flag,
    "readonly": scenario_read_only,
    "nopicture": scenario_missing_picture,
    "objects": scenario_objects_flat,
    "exit": scenario_exit,
    "second": scenario_second_instance,
    "menu": scenario_menu_restart,
}
# Measurements, run only when named.
MEASUREMENTS = {"flagcpu": scenario_flag_cpu}


class OwnDisplay:
    """A virtual X screen for the scenarios, stopped at the end."""

    def __enter__(self):
        # Xvfb picks a free display itself and tells its number, so runs side by side
        # never share a screen (or a cursor).
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1024x768x24",
                                        "-nolisten", "tcp"], pass_fds=(write_end,),
                                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        os.environ["DISPLAY"] = f":{number}"
        return self

    def __exit__(self, *exc):
        self.server.terminate()
        self.server.wait(timeout=10)


def parse_args(args):
    """[--shots DIR] BIN_DIR [SCENARIO...]: answers the bin folder, the scenarios named and the
    folder for screenshots (None without one)."""
    args = list(args)
    shots = None
    if "--shots" in args:
        i = args.index("--shots")
        shots = os.path.abspath(args[i + 1])
        del args[i:i + 2]
    return os.path.abspath(args[0]), args[1:], shots


def run_on_own_display(bin_dir, names=None, scenarios=None):
    """The Wine of the build's architecture, its prefix made, an X display of our own."""
    use_wine_of(bin_dir)
    subprocess.run([os.path.join(SCRIPTS, "wine-prefix")], check=True)
    with OwnDisplay():
        return run(bin_dir, names, scenarios)


def main():
    return run_on_own_display(os.path.abspath(sys.argv[1]))


def run(bin_dir, names=None, scenarios=None):
    """Runs the named scenarios (all when none is named); one's failure never hides another."""
    scenarios = scenarios or dict(SCENARIOS, **MEASUREMENTS)
    names = names or sys.argv[2:] or list(SCENARIOS)
    failed = []
    for name in names:
        t0 = time.monotonic()
        print(f"[ RUN  ] {name}: {scenarios[name].__doc__}", flush=True)
        try:
            scenarios[name](bin_dir)
            print(f"[  OK  ] {name} ({time.monotonic() - t0:.1f} s)", flush=True)
        except Exception as e:  # one scenario's failure must not hide the others
            failed.append(name)
            print(f"[FAILED] {name}: {e}", flush=True)
    print(f"{len(names) - len(failed)} of {len(names)} scenarios passed" + (f"; failed: {failed}" if failed else ""))
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
