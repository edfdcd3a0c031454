#!/usr/bin/env python3
"""End-to-end tests of the arachnovix program: the real program in an X
server, driven by xdotool, checked by screenshots of its window.

Usage: e2e.py --program PATH --artefacts DIR --scenario NAME

Scenarios: simulator (start-up, stepping, running, gene charts, clicks,
offline run), files (save and open through the GTK dialogs), browsers
(Rule Browser and Fossils Browser), questions (unsaved work, held spinner
arrows, quitting during a run), small-screens (start-up on a 1366 x 768
desktop, the control panel used in a 1000 x 650 window and scrolled in a
lower one), population-60 (the 1920 x 1080 start-up, 60 spiders with their
captions), history (breeding from an earlier generation, input during a
question, the window title, Save, offline evolution), window-manager
(start-up on a 1366 x 768 desktop under openbox, its frame, full screen),
small-windows (the band at 1000 x 650, the Rule Browser's panels scrolled
at 700 x 500), history-chart (the fitness history chart of a 500-generation
run: a click at its middle, the keys while it has the focus, its growth
during a run).
Uses $DISPLAY when it answers, else starts a private Xvfb; a
scenario that needs a certain screen size always starts its own. The
screenshots of a failing run stay in DIR.
"""

import argparse
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time

VERSION = "1.0.0.1"
# The title names the run's file ("Untitled" before the first save), with a
# "*" while there is unsaved work.
WINDOW_TITLE = "Untitled \u2013 Arachnovix " + VERSION
# The window's client size and the layout that follows from it with the
# large panel strip (desktop at least 1000 pixels high): 6 x 4 cells of
# 216 pixels, grid shifted down by 10 pixels.
WIDTH, HEIGHT = 1678, 955
CELL, GRID_TOP, OFFSET_Y = 216, 70, 10
STRIP = 380


class Failure(Exception):
    pass


class Shot:
    """A screenshot of the program's window as raw RGB bytes."""

    def __init__(self, path, data, width, height):
        self.path, self.data, self.width, self.height = path, data, width, height

    def pixel(self, x, y):
        i = (y * self.width + x) * 3
        return self.data[i], self.data[i + 1], self.data[i + 2]

    def count(self, x1, y1, x2, y2, test):
        n = 0
        for y in range(max(0, y1), min(self.height, y2)):
            row = y * self.width * 3
            for x in range(max(0, x1), min(self.width, x2)):
                i = row + x * 3
                if test(self.data[i], self.data[i + 1], self.data[i + 2]):
                    n += 1
        return n

    def region(self, x1, y1, x2, y2):
        rows = []
        for y in range(y1, y2):
            i = (y * self.width + x1) * 3
            rows.append(self.data[i:i + (x2 - x1) * 3])
        return b"".join(rows)

    def differing(self, other, x1, y1, x2, y2):
        a, b = self.region(x1, y1, x2, y2), other.region(x1, y1, x2, y2)
        return sum(1 for i in range(0, len(a), 3) if a[i:i + 3] != b[i:i + 3])


def is_white(r, g, b):
    return r > 240 and g > 240 and b > 240


def is_frame(r, g, b):
    # A web's frame: white, or green when it is the selected one.
    return is_white(r, g, b) or (g > 200 and r < 120 and b < 120)


def is_red(r, g, b):
    return r > 200 and g < 60 and b < 60


def is_dim_red(r, g, b):
    return 100 < r < 160 and g < 40 and b < 40


def is_blue(r, g, b):
    return b > 200 and r < 120 and g < 120


def is_dim_blue(r, g, b):
    return 100 < b < 160 and r < 50 and g < 50


def is_chart_background(r, g, b):
    # The gene chart's dark grey background and outline.
    return r == g == b and 20 <= r <= 45


def cell_box(row, column, cell=CELL, offset_x=0, offset_y=OFFSET_Y):
    left = column * cell + offset_x + 1
    top = row * cell + offset_y + GRID_TOP
    return left, top, left + cell, top + cell


class Session:
    def __init__(self, program, artefacts, scenario, screen=None):
        self.program = program
        self.screen = screen
        self.width, self.height = WIDTH, HEIGHT
        self.dir = os.path.join(artefacts, scenario)
        shutil.rmtree(self.dir, ignore_errors=True)
        os.makedirs(self.dir)
        self.work = tempfile.mkdtemp(prefix="arachnovix-e2e-")
        self.shots = 0
        self.proc = None
        self.window = None
        self.xvfb = None
        self.window_manager = None
        self.exited = False

    # --- the X server and the program ---

    def ensure_display(self):
        if self.xvfb:
            return
        if not self.screen and os.environ.get("DISPLAY") and subprocess.call(
                ["xdpyinfo"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL) == 0:
            return
        # Xvfb picks a free display itself and names it on the pipe once it
        # accepts connections (no race for a number with other servers);
        # -noreset keeps it from resetting when its last client leaves, which
        # would drop a client connecting at that moment.
        screen = "%dx%dx24" % (self.screen or (1920, 1080))
        read_end, write_end = os.pipe()
        self.xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", screen,
                                      "-nolisten", "tcp", "-noreset"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     pass_fds=(write_end,))
        os.close(write_end)
        with os.fdopen(read_end) as numbers:
            number = numbers.readline().strip()
        if number:
            os.environ["DISPLAY"] = ":" + number
            return
        raise Failure("the private Xvfb server did not start")

    def start(self):
        self.ensure_display()
        env = dict(os.environ)
        env["HOME"] = self.work  # GTK keeps its recent files there
        env["XDG_CONFIG_HOME"] = os.path.join(self.work, "config")
        env["XDG_DATA_HOME"] = os.path.join(self.work, "data")
        env["NO_AT_BRIDGE"] = "1"
        env["GSETTINGS_BACKEND"] = "memory"
        self.out = open(os.path.join(self.dir, "program-output.txt"), "w")
        self.proc = subprocess.Popen([self.program], cwd=self.work, env=env,
                                     stdout=self.out, stderr=subprocess.STDOUT)
        self.window = self.find_window("Arachnovix " + VERSION.replace(".", "\\.") + "$", 20)
        if self.window is None:
            raise Failure("xdotool cannot find the program's window titled '%s'" % WINDOW_TITLE)
        name = self.title()
        if name != WINDOW_TITLE:
            raise Failure("window title is '%s', expected '%s'" % (name, WINDOW_TITLE))
        self.focus()
        self.wait_for_first_frame()

    def stop(self):
        if self.proc and self.proc.poll() is None:
            self.proc.terminate()
            try:
                self.proc.wait(5)
            except subprocess.TimeoutExpired:
                self.proc.kill()
        if self.window_manager:
            self.window_manager.terminate()
            self.window_manager.wait()
        if self.xvfb:
            self.xvfb.terminate()
            self.xvfb.wait()
        shutil.rmtree(self.work, ignore_errors=True)

    def alive(self):
        if self.proc.poll() is not None:
            raise Failure("the program ended with status %s" % self.proc.returncode)

    def xdo(self, *args):
        return subprocess.run(["xdotool"] + [str(a) for a in args], check=False,
                              stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout

    def find_window(self, pattern, seconds):
        deadline = time.time() + seconds
        while time.time() < deadline:
            ids = self.xdo("search", "--onlyvisible", "--name", pattern).split()
            if ids:
                return ids[0]
            if self.proc.poll() is not None:
                return None
            time.sleep(0.2)
        return None

    def title(self):
        return self.xdo("getwindowname", self.window).strip()

    def focus(self):
        self.xdo("windowfocus", "--sync", self.window)

    def wait_for_first_frame(self):
        for _ in range(50):
            shot = self.shot("start")
            if shot.count(0, 23, shot.width, 30, lambda r, g, b: b > 140 and r < 20) > 500:
                return
            time.sleep(0.2)
        raise Failure("the window never showed the information band")

    # --- input ---

    def key(self, *keys, pause=0.5):
        self.alive()
        self.focus()
        self.xdo("key", "--clearmodifiers", *keys)
        time.sleep(pause)

    def click(self, x, y, button=1, pause=0.5):
        """Clicks at window coordinates (x, y); the pointer then leaves the grid."""
        self.alive()
        self.xdo("mousemove", "--window", self.window, x, y)
        time.sleep(0.1)
        self.xdo("click", button)
        time.sleep(0.1)
        self.park_pointer()
        time.sleep(pause)

    def park_pointer(self):
        # Over the window's dark lower edge, where moving redraws nothing new.
        self.xdo("mousemove", "--window", self.window, 10, self.height - 5)

    # --- screenshots ---

    def shot(self, label):
        if not self.exited:
            self.alive()
        self.shots += 1
        name = "%02d-%s" % (self.shots, label)
        png = os.path.join(self.dir, name + ".png")
        subprocess.run(["import", "-window", self.window, png], check=True,
                       stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        raw = subprocess.run(["convert", png, "-depth", "8", "rgb:-"], check=True,
                             stdout=subprocess.PIPE).stdout
        size = subprocess.run(["identify", "-format", "%w %h", png], check=True,
                              stdout=subprocess.PIPE, text=True).stdout.split()
        width, height = int(size[0]), int(size[1])
        if self.width is not None and (width, height) != (self.width, self.height):
            raise Failure("window is %dx%d, expected %dx%d" % (width, height, self.width, self.height))
        return Shot(png, raw, width, height)


def check_no_gtk_errors(s):
    """GTK reports misuse of its widgets on standard error."""
    s.out.flush()
    with open(os.path.join(s.dir, "program-output.txt")) as f:
        errors = [line for line in f if "Gtk-CRITICAL" in line]
    check(not errors, "the program wrote GTK errors: %s" % errors[:2])


def check(condition, message, shot=None):
    if not condition:
        raise Failure(message + (" (see %s)" % shot.path if shot else ""))


# --- what the Simulator shows ---

def check_grid(shot, what):
    for row in range(4):
        for column in range(6):
            x1, y1, x2, y2 = cell_box(row, column)
            white = shot.count(x1 - 2, y1 - 2, x2, y1 + 8, is_frame) + shot.count(x1 - 2, y1, x1 + 6, y2, is_frame)
            red = shot.count(x1 + 8, y1 + 20, x2 - 8, y2 - 20, is_red)
            blue = shot.count(x1 + 8, y1 + 20, x2 - 8, y2 - 20, is_blue)
            check(white > 150, "%s: cell (%d, %d) has no frame" % (what, row, column), shot)
            check(red > 20, "%s: cell (%d, %d) has no red frame thread" % (what, row, column), shot)
            check(blue > 10, "%s: cell (%d, %d) has no blue spiral" % (what, row, column), shot)


def band_text(shot):
    """The band's pixels where its text lines stand."""
    return shot.region(0, 24, 900, 68)


def check_band(shot, what):
    blue = shot.count(900, 26, 1300, 66, lambda r, g, b: b > 140 and r < 20 and g < 20)
    text = shot.count(5, 26, 600, 66, is_white)
    check(blue > 10000, "%s: the information band is missing" % what, shot)
    check(text > 200, "%s: the information band has no text" % what, shot)


def gene_chart_pixels(shot, row=0, column=0):
    # Gene charts stand at y = 90 ... 96 web units below the centre.
    x1, y1, x2, y2 = cell_box(row, column)
    cy = (y1 + y2) // 2
    scale = CELL / 200.0
    return shot.count(x1 + 10, int(cy + 88 * scale), x2 - 10, int(cy + 98 * scale), is_chart_background)


def web_area(shot, row, column):
    """A cell without its caption row."""
    x1, y1, x2, y2 = cell_box(row, column)
    return x1 + 6, y1 + 24, x2 - 6, y2 - 6


def scenario_simulator(s):
    start = s.shot("simulator")
    check_grid(start, "start")
    check_band(start, "start")
    check(gene_chart_pixels(start) > 50, "start: no gene chart under the first web", start)

    # F6 breeds one generation: the band and the captions change.
    s.key("F6", pause=0.2)
    fresh = s.shot("after-F6-fresh")
    grey_prey = fresh.count(*web_area(fresh, 0, 0), lambda r, g, b: 90 < r < 200 and abs(r - g) < 20 and abs(r - b) < 20)
    time.sleep(1.0)
    step = s.shot("after-F6")
    check(band_text(step) != band_text(start), "F6 did not change the information band", step)
    check(step.region(1, 80, 1300, 100) != start.region(1, 80, 1300, 100),
          "F6 did not change the captions", step)
    check(grey_prey > 30, "no prey shown right after F6", fresh)
    check_grid(step, "after F6")

    # F5 runs: generations advance while running and stop advancing after F5.
    s.key("F5", pause=1.5)
    running = s.shot("running")
    s.key("F5", pause=0.8)
    stopped1 = s.shot("stopped-1")
    time.sleep(1.0)
    stopped2 = s.shot("stopped-2")
    check(band_text(running) != band_text(step), "F5 did not start a run", running)
    check(band_text(stopped1) != band_text(running), "the run did not advance", stopped1)
    check(band_text(stopped2) == band_text(stopped1), "F5 did not stop the run", stopped2)

    # Ctrl-G hides the gene charts and shows them again.
    s.key("ctrl+g")
    hidden = s.shot("genes-hidden")
    check(gene_chart_pixels(hidden) < 10, "Ctrl-G did not hide the gene charts", hidden)
    s.key("ctrl+g")
    shown = s.shot("genes-shown")
    check(gene_chart_pixels(shown) > 50, "Ctrl-G did not show the gene charts again", shown)

    # A left click selects the web under the pointer (green mark).
    x1, y1, x2, y2 = cell_box(2, 3)
    s.click((x1 + x2) // 2, (y1 + y2) // 2)
    selected = s.shot("selected")
    green = selected.count(x1 - 2, y1 - 2, x2 + 2, y1 + 4, lambda r, g, b: g > 200 and r < 120 and b < 120)
    check(green > 100, "a click did not mark the web (2, 3)", selected)

    # Right moves the selection one cell; Up in the first row stays.
    s.key("Right")
    moved = s.shot("selection-moved")
    nx1, ny1, nx2, ny2 = cell_box(2, 4)
    green = moved.count(nx1 - 2, ny1 - 2, nx2 + 2, ny1 + 4, lambda r, g, b: g > 200 and r < 120 and b < 120)
    check(green > 100, "Right did not move the selection to (2, 4)", moved)
    s.key("Left")

    # The View menu by mouse: open it, point at "Show Genes", click.
    s.click(150, 11, pause=0.3)
    s.xdo("mousemove", "--window", s.window, 185, 21 + 4 * 22 + 11)
    time.sleep(0.3)
    s.xdo("click", 1)
    time.sleep(0.3)
    s.park_pointer()
    time.sleep(0.3)
    by_menu = s.shot("genes-hidden-by-menu")
    check(gene_chart_pixels(by_menu) < 10, "View > Show Genes did not hide the gene charts", by_menu)
    s.key("ctrl+g")

    # A right click opens the Rule Browser for that web; Escape comes back.
    s.click((x1 + x2) // 2, (y1 + y2) // 2, button=3)
    rules = s.shot("rule-browser")
    check(rules.count(*cell_box(3, 5), is_white) < 200, "a right click did not leave the grid", rules)
    check(band_text(rules) != band_text(selected), "a right click did not open the Rule Browser", rules)
    s.key("Escape")
    back = s.shot("back-from-rules")
    check_grid(back, "after Escape")

    # "o" evolves offline: only the one-line message is drawn.
    s.key("o", pause=1.0)
    offline = s.shot("offline")
    check(offline.count(0, 100, WIDTH, HEIGHT, is_white) < 50, "'o' still draws the grid", offline)
    check(offline.count(15, 55, 700, 75, is_white) > 100, "'o' shows no offline message", offline)
    s.key("o", pause=1.0)
    again = s.shot("online-again")
    check_grid(again, "after the second 'o'")

    # F9 fills the desktop (its height less one pixel) and restores.
    s.key("F9", pause=1.0)
    check(window_geometry(s) == (0, 0, 1920, 1079),
          "F9 did not fill the desktop: %s" % (window_geometry(s),))
    s.key("F9", pause=1.0)
    check(window_geometry(s) == (20, 50, WIDTH, HEIGHT),
          "F9 did not restore the window: %s" % (window_geometry(s),))
    restored = s.shot("restored")
    check_grid(restored, "after leaving full screen")

    # Ctrl-Q asks before the bred generations are lost; yes ends the
    # program with status 0 after writing "Exit".
    s.key("ctrl+q", pause=0.2)
    answer_question(s, "alt+y")
    s.proc.wait(10)
    s.out.flush()
    with open(os.path.join(s.dir, "program-output.txt")) as f:
        lines = f.read().splitlines()
    check(s.proc.returncode == 0, "Exit ended with status %s" % s.proc.returncode)
    check("Exit" in lines, "Exit did not write 'Exit': %s" % lines[-3:])
    s.exited = True


def window_geometry(s):
    text = s.xdo("getwindowgeometry", s.window)
    position = text.split("Position:")[1].split("(")[0].strip().split(",")
    size = text.split("Geometry:")[1].strip().split("x")
    return int(position[0]), int(position[1]), int(size[0]), int(size[1])


def find_dialog(s, title):
    dialog = s.find_window("^" + title + "$", 15)
    if dialog is None:
        raise Failure("xdotool cannot find the '%s' dialog" % title)
    time.sleep(0.8)
    s.xdo("windowfocus", "--sync", dialog)
    s.shots += 1
    subprocess.run(["import", "-window", "root",
                    os.path.join(s.dir, "%02d-dialog-%s.png" % (s.shots, title.replace(" ", "-")))],
                   check=False, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return dialog


def dismiss_message(s):
    """Presses OK in the program's message box and waits until it is gone."""
    message = find_dialog(s, "Arachnovix")
    s.xdo("key", "Return")
    wait_dialog_closed(s, message)


def settled_shot(s, label):
    """A screenshot once the window has redrawn after a dialog."""
    time.sleep(0.5)
    s.park_pointer()
    time.sleep(0.3)
    return s.shot(label)


def dialog_closed(s, dialog, tries=50):
    for _ in range(tries):
        if dialog not in s.xdo("search", "--onlyvisible", "--name", ".").split():
            return True
        time.sleep(0.2)
    return False


def wait_dialog_closed(s, dialog):
    if not dialog_closed(s, dialog):
        raise Failure("a dialog stayed on screen")


def answer_question(s, keys):
    """Answers the program's question box: "alt+y" yes, "Return" the default."""
    question = find_dialog(s, "Arachnovix")
    s.xdo("key", "--clearmodifiers", keys)
    wait_dialog_closed(s, question)


def choose_in_dialog(s, shortcut, title, path, question=None):
    """Opens a file dialog with its shortcut (answering the question about
    unsaved work first, if one is expected), types the path and confirms.

    A slow (instrumented) build may still be realising the dialog's entry when
    the first keys arrive, and GTK drops them; the path is then typed again
    while the dialog stays open."""
    s.key(shortcut, pause=0.2)
    if question:
        answer_question(s, question)
    dialog = find_dialog(s, title)
    for _ in range(3):
        s.xdo("windowfocus", "--sync", dialog)
        if title != "Save As":
            s.xdo("key", "--clearmodifiers", "ctrl+l")
            time.sleep(0.3)
        s.xdo("key", "--clearmodifiers", "ctrl+a")
        time.sleep(0.3)
        s.xdo("type", "--delay", "20", path)
        time.sleep(0.3)
        s.xdo("key", "Return")
        if dialog_closed(s, dialog, tries=25):
            return
    raise Failure("a dialog stayed on screen")


def scenario_files(s):
    s.key("F6", pause=1.0)
    s.key("F6", pause=1.0)
    saved = s.shot("before-save")
    path = os.path.join(s.work, "run two")  # ".axv" is appended

    choose_in_dialog(s, "ctrl+s", "Save As", path)
    target = path + ".axv"
    for _ in range(50):
        if os.path.exists(target):
            break
        time.sleep(0.1)
    check(os.path.exists(target), "Save As wrote no file %s" % target)
    # The published fields (a continuation record follows them).
    size = os.path.getsize(target)
    header = run_file_header(target)
    check(header == (24, 3) and size > 75 + 92 * 24 * 3,
          "the saved file holds %s (N, G) in %d bytes, expected (24, 3)" % (header, size))

    # Saving as the typed name again asks before replacing "run two.axv".
    before = os.stat(target).st_mtime_ns
    choose_in_dialog(s, "ctrl+shift+s", "Save As", path)
    question = find_dialog(s, "Arachnovix")
    s.xdo("key", "--clearmodifiers", "alt+n")
    wait_dialog_closed(s, question)
    time.sleep(0.3)
    check(os.stat(target).st_mtime_ns == before, "answering No still replaced the file")

    # Breed on, then open the file again: its last generation comes back.
    s.key("F6", pause=1.0)
    s.key("F6", pause=1.0)
    moved = s.shot("moved-on")
    check(band_text(moved) != band_text(saved), "F6 did not move on")
    choose_in_dialog(s, "ctrl+o", "Open", target, question="alt+y")
    opened = settled_shot(s, "opened")
    check(opened.region(0, 24, 400, 46) == saved.region(0, 24, 400, 46),
          "Open did not restore the saved generation number", opened)
    for row in range(4):
        for column in range(6):
            box = web_area(opened, row, column)
            box = (box[0] + 4, box[1], box[2] - 4, box[3])  # the selection mark may move
            diff = opened.differing(saved, *box)
            check(diff < 40, "Open did not restore web (%d, %d): %d pixels differ" % (row, column, diff), opened)
    check_grid(opened, "after Open")

    # A file that is no population file is refused with a message box.
    bogus = os.path.join(s.work, "notes.axv")
    with open(bogus, "wb") as f:
        f.write(b"\x07\x00\x00\x00not-axv and more")
    choose_in_dialog(s, "ctrl+o", "Open", bogus)
    dismiss_message(s)
    refused = settled_shot(s, "refused")
    check(refused.region(0, 24, 400, 46) == saved.region(0, 24, 400, 46),
          "a refused file changed the generation", refused)
    check_grid(refused, "after a refused file")

    # A run at the generation limit: F6 and "o" refuse with a message box.
    limit = os.path.join(s.work, "limit.axv")
    write_run_at_limit(limit)
    choose_in_dialog(s, "ctrl+o", "Open", limit)
    at_limit = settled_shot(s, "at-limit")
    for key in ("F6", "o"):
        s.key(key, pause=0.2)
        dismiss_message(s)
        after = settled_shot(s, "refused-" + key)
        check(band_text(after) == band_text(at_limit), "%s bred past the limit" % key, after)


def write_run_at_limit(path):
    """A population file of one spider whose last generation is 10,000."""
    import struct
    rules = [7, 0, 0, 100, 100, 100, 100, 2, 2, 15, 15, 15, 15, 2, 2, 2, 2, 10, 101]
    entry = struct.pack("<23i", *(rules + [0, 0, -1, -1]))
    with open(path, "wb") as f:
        f.write(struct.pack("<i", 7) + b"1.0.0.1" + struct.pack("<ii", 1, 10001))
        f.write(entry * 10001)
        f.write(struct.pack("<idd", 100, 4.0, 20.0) + bytes(4) + bytes(4))
        f.write(struct.pack("<didii", 10.0, -1, 0.0, 80, 2))


def stage_boxes():
    area = WIDTH - STRIP
    quarter = int(area * 0.25)
    c = int(area / 4.2)
    m = (quarter - c) * 0.5
    boxes = []
    for k in range(4):
        cx = 100 * (c / 200.0) + k * quarter + m
        cy = 100 * (c / 200.0) + 90
        boxes.append((int(cx - c / 2) + 2, int(cy - c / 2) + c // 12 + 2, int(cx + c / 2) - 2, int(cy + c / 2) - 2))
    return boxes, c


def scenario_browsers(s):
    before = s.shot("simulator")
    # F3 opens the Rule Browser for the selected spider (spider 1).
    s.key("F3")
    rules = s.shot("rule-browser")
    boxes, c = stage_boxes()
    lit = [(rules.count(*b, is_red), rules.count(*b, is_dim_red), rules.count(*b, is_blue),
            rules.count(*b, is_dim_blue)) for b in boxes]
    check(lit[0][0] > 20, "stage 1 does not light its frame: %s" % (lit,), rules)
    check(all(l[1] > 20 for l in lit[1:]), "stages 2 to 4 do not dim the frame: %s" % (lit,), rules)
    check(lit[2][2] > 20, "stage 3 does not light its first spiral loop: %s" % (lit,), rules)
    check(lit[3][3] > 20, "stage 4 does not dim the first spiral loop: %s" % (lit,), rules)
    check(lit[1][2] == 0 and lit[1][3] == 0, "stage 2 shows a spiral: %s" % (lit,), rules)

    # One spinner step of the first rule changes all four stage webs.
    panel_x = int(100 * (c / 200.0) + (((WIDTH - STRIP) * 0.25) - c) * 0.5 - c // 2)
    panel_y = int(c // 2 + 100 * (c / 200.0) + 90 + 40)
    s.click(panel_x + 20, panel_y + 5)  # the panel's title strip: focus
    s.key("Down")
    s.key("Right")
    edited = s.shot("rule-edited")
    if edited.differing(rules, *boxes[0]) == 0:
        # The rule stood at its maximum: step down instead.
        s.key("Left")
        s.key("Left")
        edited = s.shot("rule-edited-down")
    for k, b in enumerate(boxes):
        diff = edited.differing(rules, *b)
        check(diff > 30, "a spinner step did not change stage web %d" % (k + 1), edited)

    # The Back button writes the rules back: spider 1's web changes.
    s.click(WIDTH - STRIP // 2, 80 + 16 + 16 + 33 + 13)
    time.sleep(0.5)
    back = s.shot("written-back")
    check_grid(back, "after Back")
    diff = back.differing(before, *web_area(back, 0, 0))
    check(diff > 30, "Back did not change spider 1", back)

    # Escape discards edits: enter, edit, Escape: spider 1 stays.
    s.key("F3")
    s.click(panel_x + 20, panel_y + 5)
    s.key("Down")
    s.key("Right")
    s.key("Escape")
    kept = s.shot("escaped")
    diff = kept.differing(back, *web_area(kept, 0, 0))
    check(diff < 40, "Escape changed spider 1 (%d pixels)" % diff, kept)

    # After some generations F4 shows the fossil grid (generations 0 and 4).
    for _ in range(4):
        s.key("F6", pause=0.6)
    s.key("F4", pause=1.0)
    fossils = s.shot("fossils")
    grid_w = WIDTH - STRIP - 2
    fossil_cell = min((HEIGHT - 71) // 2, grid_w // 3)
    offset_x = (grid_w - 3 * fossil_cell) / 2.0 if grid_w / (HEIGHT - 71) > 1.5 else 0
    offset_y = 0 if offset_x else ((HEIGHT - 71) - 2 * fossil_cell) / 2.0
    for i in range(2):
        x1, y1, x2, y2 = cell_box(0, i, fossil_cell, int(offset_x), int(offset_y))
        check(fossils.count(x1, y1, x2, y1 + 8, is_frame) > 150, "fossil %d has no frame" % i, fossils)
        check(fossils.count(x1 + 4, y1 + 8, x1 + 220, y1 + 24, is_white) > 80, "fossil %d has no caption" % i, fossils)
    x1, y1, x2, y2 = cell_box(0, 2, fossil_cell, int(offset_x), int(offset_y))
    check(fossils.count(x1, y1, x2, y2, is_white) < 50, "a third fossil is shown", fossils)
    s.key("Escape")
    back = s.shot("back-from-fossils")
    check_grid(back, "after leaving the fossils")


def request_close(window):
    """Asks the window to close as a window manager does (WM_DELETE_WINDOW)."""
    import ctypes
    import ctypes.util
    c = ctypes
    x = c.cdll.LoadLibrary(c.util.find_library("X11"))
    x.XOpenDisplay.restype = c.c_void_p
    x.XOpenDisplay.argtypes = [c.c_char_p]
    x.XInternAtom.restype = c.c_ulong
    x.XInternAtom.argtypes = [c.c_void_p, c.c_char_p, c.c_int]
    x.XSendEvent.argtypes = [c.c_void_p, c.c_ulong, c.c_int, c.c_long, c.c_void_p]
    x.XFlush.argtypes = [c.c_void_p]
    x.XCloseDisplay.argtypes = [c.c_void_p]

    class ClientMessage(c.Structure):
        _fields_ = [("type", c.c_int), ("serial", c.c_ulong), ("send_event", c.c_int),
                    ("display", c.c_void_p), ("window", c.c_ulong), ("message_type", c.c_ulong),
                    ("format", c.c_int), ("data", c.c_long * 5)]

    class Event(c.Union):
        _fields_ = [("xclient", ClientMessage), ("pad", c.c_long * 24)]

    display = x.XOpenDisplay(None)
    event = Event()
    event.xclient.type = 33  # ClientMessage
    event.xclient.window = int(window)
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    x.XSendEvent(display, int(window), 0, 0, c.byref(event))
    x.XFlush(display)
    x.XCloseDisplay(display)


def panel_right_edge(shot):
    """The right edge of the control panel's pane (light grey), in the strip."""
    y = 150
    right = 0
    for x in range(WIDTH - STRIP, WIDTH):
        r, g, b = shot.pixel(x, y)
        if r == g == b and r > 150:
            right = x
    return right


def prey_size_field(shot):
    # Row 11 of the control panel ("Prey size"): 33-pixel rows below the
    # title strip and padding at y = 80 + 16 + 16.
    right = panel_right_edge(shot)
    top = 80 + 16 + 16 + 33 * 11
    return right, top


def press_for(s, x, y, seconds):
    """Holds the left button down at window point (x, y) for `seconds`."""
    s.xdo("mousemove", "--window", s.window, x, y)
    time.sleep(0.2)
    s.xdo("mousedown", 1)
    time.sleep(seconds)
    s.xdo("mouseup", 1)
    s.park_pointer()
    time.sleep(0.5)


def scenario_questions(s):
    # Unsaved work: after F6, New asks first; the default answer keeps the run.
    s.key("F6", pause=1.0)
    bred = s.shot("bred")
    s.key("ctrl+n", pause=0.2)
    answer_question(s, "Return")
    kept = settled_shot(s, "kept")
    check(kept.region(0, 24, 400, 46) == bred.region(0, 24, 400, 46),
          "keeping the run still started a new one", kept)
    # So does a change of Population Size; refused, the list shows 24 again.
    right, _ = prey_size_field(kept)
    top = 80 + 16 + 16 + 33 * 2  # row 2: "Population Size"
    size_field = (right - 130, top, right - 16, top + 24)
    s.click(right - 40, top + 12)  # focus the list
    focused = s.shot("size-focused")
    s.key("Right", pause=0.3)  # open its pop-up
    s.key("Down", pause=0.2)  # 40
    answer_question(s, "Return")
    s.key("Return", pause=0.3)  # close the pop-up
    refused = settled_shot(s, "size-refused")
    check(refused.region(0, 24, 400, 46) == bred.region(0, 24, 400, 46),
          "a refused size change replaced the run", refused)
    check(refused.differing(focused, *size_field) == 0,
          "a refused size change left the list on another size", refused)

    # Once saved, New asks nothing and starts generation 0.
    choose_in_dialog(s, "ctrl+s", "Save As", os.path.join(s.work, "kept"))
    s.key("ctrl+n", pause=1.0)
    check(s.find_window("^Arachnovix$", 1) is None, "New asked although the run was saved")
    fresh = settled_shot(s, "new-after-save")
    check(fresh.region(0, 24, 400, 46) != bred.region(0, 24, 400, 46),
          "New after saving did not start a new run", fresh)

    # A held spinner arrow repeats; a click steps once. "Prey size" runs
    # from 1 to 10 and starts at 4.
    right, top = prey_size_field(fresh)
    check(right > WIDTH - STRIP, "the control panel was not found", fresh)
    field = (right - 130, top, right - 16, top + 24)
    s.click(right - 40, top + 12)  # focus the spinner (its value field)
    start = s.shot("spinner-focused")
    press_for(s, right - 9, top + 12, 2.0)  # the increase arrow
    held = s.shot("spinner-held")
    check(held.differing(start, *field) > 0, "holding the arrow did not step", held)
    s.key("Right", pause=0.3)  # at the maximum, Right changes nothing
    s.key("Right", pause=0.3)
    at_max = s.shot("spinner-at-max")
    check(at_max.differing(held, *field) == 0,
          "a 2-second hold did not repeat up to the maximum", held)
    for _ in range(6):
        s.key("Left", pause=0.2)  # back to 4
    four = s.shot("spinner-four")
    check(four.differing(start, *field) == 0, "six steps down did not lead back to 4", four)
    press_for(s, right - 9, top + 12, 0.25)
    s.key("Left", pause=0.3)
    once = s.shot("spinner-clicked")
    check(once.differing(start, *field) == 0, "a click did not step exactly once", once)

    # Closing the window asks too; keeping the run keeps the window.
    s.key("F6", pause=1.0)
    before_close = s.shot("before-close")
    request_close(s.window)
    answer_question(s, "Return")
    after_close = settled_shot(s, "close-refused")
    check(after_close.region(0, 24, 400, 46) == before_close.region(0, 24, 400, 46),
          "refusing to close changed the run", after_close)

    # Quitting during a run: the question, then status 0 and no GLUT error.
    s.key("F5", pause=1.0)
    s.key("ctrl+q", pause=0.2)
    answer_question(s, "alt+y")
    s.proc.wait(10)
    s.out.flush()
    with open(os.path.join(s.dir, "program-output.txt")) as f:
        output = f.read()
    check(s.proc.returncode == 0, "quitting during a run ended with status %s: %s"
          % (s.proc.returncode, output.splitlines()[-3:]))
    check("glut" not in output.lower(), "quitting during a run: %s" % output.splitlines()[-3:])
    s.exited = True


# --- history, titles and offline evolution ---

def generation_row(shot):
    """The band's first line: "Generation: 2" or "Generation 1 of 2"."""
    return shot.region(0, 24, 400, 46)


def run_file_header(path):
    """Population size N and generation count G from a run file's header."""
    with open(path, "rb") as f:
        head = f.read(19)
    return struct.unpack("<ii", head[11:19])


def run_file_generations(path):
    """The last generation a saved run holds, from the file's header."""
    return run_file_header(path)[1] - 1


def wait_for_file_change(path, before, seconds=5):
    deadline = time.time() + seconds
    while time.time() < deadline:
        if os.path.exists(path) and os.stat(path).st_mtime_ns != before:
            return True
        time.sleep(0.1)
    return False


def scenario_history(s):
    # Breeding from an earlier generation asks first; Enter keeps the history.
    s.key("F6", pause=1.0)
    s.key("F6", pause=1.0)
    last = settled_shot(s, "generation-2")
    check(s.title() == "*" + WINDOW_TITLE, "unsaved work has no mark: '%s'" % s.title())
    s.key("F7", pause=0.5)
    earlier = settled_shot(s, "generation-1-of-2")
    check(generation_row(earlier) != generation_row(last), "the band did not change after F7", earlier)
    s.key("F6", pause=0.2)
    question = find_dialog(s, "Arachnovix")

    # While the question is open: a click on a web, keys sent to the window.
    x1, y1, x2, y2 = cell_box(3, 5)
    s.xdo("mousemove", "--window", s.window, (x1 + x2) // 2, (y1 + y2) // 2)
    s.xdo("click", 1)
    s.xdo("key", "--window", s.window, "F6", "F6", "o")
    time.sleep(0.5)
    s.xdo("windowfocus", "--sync", question)
    s.xdo("key", "Return")
    wait_dialog_closed(s, question)
    kept = settled_shot(s, "kept")
    check(generation_row(kept) == generation_row(earlier), "keeping the history bred", kept)
    for row in range(4):
        for column in range(6):
            diff = kept.differing(earlier, *cell_box(row, column))
            check(diff < 20, "input made during the question acted on cell (%d, %d)" % (row, column), kept)
    s.key("F8", pause=0.5)
    forward = settled_shot(s, "forward-again")
    check(generation_row(forward) == generation_row(last), "generation 2 was cut", forward)

    # Titles: after Save, after a change, plain Save, after Open.
    path = os.path.join(s.work, "history")
    choose_in_dialog(s, "ctrl+s", "Save As", path)
    target = path + ".axv"
    saved_title = "history.axv \u2013 Arachnovix " + VERSION
    time.sleep(0.5)
    check(s.title() == saved_title, "title after Save is '%s'" % s.title())
    check(run_file_generations(target) == 2, "Save wrote %d generations" % run_file_generations(target))
    s.key("F6", pause=1.0)
    check(s.title() == "*" + saved_title, "title after a change is '%s'" % s.title())
    before = os.stat(target).st_mtime_ns
    s.key("ctrl+s", pause=0.2)
    check(wait_for_file_change(target, before), "Ctrl-S did not save the run to its file")
    check(s.find_window("^Save As$", 1) is None, "Ctrl-S asked for a name for a run with a file")
    time.sleep(0.5)
    check(s.title() == saved_title, "title after Ctrl-S is '%s'" % s.title())
    check(run_file_generations(target) == 3, "Ctrl-S wrote %d generations" % run_file_generations(target))

    # Offline evolution runs at engine speed and stops at once. Half a second:
    # at engine speed, two seconds reach the 10,000-generation limit, whose
    # message box would take the keys that follow.
    s.key("o", pause=0.5)
    s.key("o", pause=1.0)
    before = os.stat(target).st_mtime_ns
    s.key("ctrl+s", pause=0.2)
    saved = wait_for_file_change(target, before, seconds=10)
    check(saved, "Ctrl-S did not save after the offline run",
          None if saved else settled_shot(s, "offline-not-saved"))
    stopped = run_file_generations(target)
    check(stopped > 3 + 100, "half a second of 'o' bred only %d generations" % (stopped - 3))
    time.sleep(1.0)
    before = os.stat(target).st_mtime_ns
    s.key("ctrl+s", pause=0.2)
    wait_for_file_change(target, before)
    check(run_file_generations(target) == stopped, "'o' did not stop the offline run")

    other = os.path.join(s.work, "other.axv")
    shutil.copy(target, other)
    choose_in_dialog(s, "ctrl+o", "Open", other)
    settled_shot(s, "opened")
    check(s.title() == "other.axv \u2013 Arachnovix " + VERSION, "title after Open is '%s'" % s.title())


# --- small screens and many spiders ---

# The control panel of the small layout (desktop under 1000 pixels high):
# font 16, rows of 24 pixels (closer together when the window is too low
# for them), 25 rows; the Mutation Rate spinner is row 20.
SMALL_FONT, SMALL_ROW, PANEL_ROWS, MUTATION_ROW, TITLE = 16, 24, 25, 20, 16
PANEL_TOP, PANEL_BOTTOM_MARGIN, MIN_ROW_GAP = 80, 6, 4


def panel_rows(window_height):
    """The panel's row height and height in a window this high."""
    room = window_height - PANEL_TOP - PANEL_BOTTOM_MARGIN
    row = SMALL_ROW
    height = lambda r: SMALL_FONT + (PANEL_ROWS - 1) * r + 2 * (r // 2) + TITLE
    while row > SMALL_FONT + MIN_ROW_GAP and height(row) > room:
        row -= 1
    return row, height(row)


def fitted_window(desktop_w, desktop_h):
    """The start-up window on a desktop without a window manager."""
    scale = min(1.0, (desktop_w - 20) / WIDTH, (desktop_h - 50) / HEIGHT)
    return int(WIDTH * scale), int(HEIGHT * scale)


def is_panel_grey(r, g, b):
    return 150 < r < 215 and abs(r - g) < 6 and abs(r - b) < 6


def field_right_edge(shot, y, strip_left):
    """The right end of the light value field crossing row y of the panel
    (the first light run at least 20 pixels long; arrows are narrower)."""
    run = 0
    for x in range(strip_left, shot.width):
        r, g, b = shot.pixel(x, y)
        if r > 215 and g > 215 and b > 215:
            run += 1
        elif run >= 20:
            return x - 1
        else:
            run = 0
    return shot.width - 1 if run >= 20 else None


def raise_mutation_rate(s, shot, panel_top, label):
    """Clicks the Mutation Rate spinner's increase arrow; checks the change."""
    row, _ = panel_rows(s.height)
    y = panel_top + TITLE + row // 2 + MUTATION_ROW * row + SMALL_FONT // 2
    right = field_right_edge(shot, y, s.width - 260)
    check(right is not None, "no Mutation Rate field at y = %d" % y, shot)
    s.click(right - 10, y, pause=0.3)  # focus: the arrows appear
    s.click(right + 6, y, pause=0.8)  # the increase arrow
    changed = s.shot(label)
    check(changed.differing(shot, right - 60, y - 8, right, y + 8) > 10,
          "the Mutation Rate spinner did not change", changed)
    return changed


def scenario_small_screens(s):
    # On a 1366 x 768 desktop the window shrinks to fit, panel and all.
    start = s.shot("desktop-1366x768")
    strip_left = s.width - 260
    rows = [y for y in range(80, s.height) if start.count(strip_left, y, s.width, y + 1, is_panel_grey) > 100]
    check(rows and max(rows) < s.height - 2, "the control panel runs off the window", start)
    check(start.count(strip_left, 80, s.width, s.height, is_panel_grey) > 50000, "no control panel", start)

    # A 1000 x 650 window: the panel's rows close up so that it fits; its
    # lowest spinner (Mutation Rate) takes a click on its arrow.
    s.xdo("windowsize", "--sync", s.window, 1000, 650)
    s.width, s.height = 1000, 650
    time.sleep(1.0)
    small = s.shot("window-1000x650")
    rows = [y for y in range(80, s.height) if small.count(s.width - 260, y, s.width, y + 1, is_panel_grey) > 100]
    check(rows and max(rows) < s.height - 2, "the control panel runs off a 1000 x 650 window", small)
    raise_mutation_rate(s, small, PANEL_TOP, "mutation-rate-raised")

    # Lower still, the panel is taller than the window: the wheel over the
    # strip brings its lowest rows up.
    s.xdo("windowsize", "--sync", s.window, 1000, 520)
    s.height = 520
    time.sleep(1.0)
    low = s.shot("window-1000x520")
    s.xdo("mousemove", "--window", s.window, s.width - 130, 300)
    for _ in range(15):
        s.xdo("click", "5")
        time.sleep(0.05)
    time.sleep(0.5)
    scrolled = s.shot("panel-scrolled")
    check(scrolled.differing(low, s.width - 260, 80, s.width, s.height) > 1000,
          "the wheel did not scroll the control panel", scrolled)
    # Scrolled to the end, the panel's bottom stands 6 pixels above the
    # window's.
    _, height = panel_rows(s.height)
    raise_mutation_rate(s, scrolled, s.height - PANEL_BOTTOM_MARGIN - height, "mutation-rate-raised-again")


def choose_population(s, steps):
    """Focuses the Population Size list (large layout) by a click, opens it
    with Right, moves `steps` entries down and closes it with Return."""
    font, row = 22, 33
    y = 80 + 16 + row // 2 + 2 * row + font // 2  # row 2: the list box
    shot = s.shot("before-population")
    right = field_right_edge(shot, y, WIDTH - STRIP)
    check(right is not None, "no Population Size field", shot)
    s.click(right - 20, y, pause=0.3)
    s.key("Right", pause=0.3)
    opened = s.shot("population-list")
    for _ in range(steps):
        s.key("Down", pause=0.3)
    s.key("Return", pause=1.5)
    return opened


def scenario_population_60(s):
    start = s.shot("desktop-1920x1080")  # the usual 1678 x 955 window
    check_grid(start, "start")
    choose_population(s, 2)  # 24 -> 40 -> 60
    s.key("ctrl+e", pause=1.0)  # new prey: the captions show fitness
    sixty = s.shot("population-60")
    # 10 x 6 cells of 129 pixels; every caption stays inside its cell, so
    # nothing is written right of the grid's last column.
    cell = (WIDTH - STRIP - 2) // 10
    grid_right = 10 * cell + 1
    for row in range(6):
        top = GRID_TOP + (HEIGHT - 71 - 6 * cell) // 2 + row * cell
        check(sixty.count(1, top + 2, grid_right - 4, top + 18, is_white) > 300,
              "row %d has no captions" % row, sixty)
        spill = sixty.count(grid_right + 3, top + 2, WIDTH - STRIP - 2, top + 18, is_white)
        check(spill == 0, "a caption of row %d runs out of its cell (%d pixels)" % (row, spill), sixty)


# --- small windows: the band and the Rule Browser ---

def is_band_blue(r, g, b):
    return b > 140 and r < 20 and g < 20


def band_text_reach(shot):
    """The rightmost column with text in the band (-1 for none)."""
    for x in range(shot.width - 1, -1, -1):
        if shot.count(x, 26, x + 1, 67, is_white) > 0:
            return x
    return -1


def panel_rows_on_screen(shot, x1, x2):
    return [y for y in range(80, shot.height) if shot.count(x1, y, x2, y + 1, is_panel_grey) > 40]


def scenario_small_windows(s):
    # 1000 x 650: the band's lines, results and all, stay inside the window.
    s.key("F6", pause=1.0)  # evaluated: the band shows the fitness sum
    # (800 pixels too, where the band's own font never fits the result.)
    for width in (1000, 800):
        s.xdo("windowsize", "--sync", s.window, width, 650)
        s.width, s.height = width, 650
        time.sleep(1.0)
        band = s.shot("band-%dx650" % width)
        check(band.count(0, 26, s.width, 67, is_white) > 400, "the %d-pixel band has no text" % width,
              band)
        reach = band_text_reach(band)
        check(reach < s.width - 6, "the band's text runs to the window's edge (x = %d)" % reach, band)

    # 700 x 500: the Rule Browser's stage panels do not fit; the wheel
    # scrolls them until the last one shows whole, under the band.
    s.xdo("windowsize", "--sync", s.window, 700, 500)
    s.width, s.height = 700, 500
    time.sleep(1.0)
    s.key("F3", pause=1.0)
    rules = s.shot("rule-browser-700x500")
    rows = panel_rows_on_screen(rules, 0, s.width)
    check(rows and max(rows) >= s.height - 3, "the stage panels fit 700 x 500 unscrolled", rules)
    s.xdo("mousemove", "--window", s.window, 200, 300)
    for _ in range(40):
        s.xdo("click", "5")
        time.sleep(0.03)
    time.sleep(0.8)
    s.park_pointer()
    scrolled = s.shot("rule-browser-scrolled")
    rows = panel_rows_on_screen(scrolled, 0, s.width)
    check(rows and max(rows) < s.height - 3, "the last stage panel cannot be scrolled into view",
          scrolled)
    check(scrolled.count(0, 26, s.width, 67, is_band_blue) > 10000,
          "the scrolled panels cover the band", scrolled)


# --- a window manager ---

def start_window_manager(s):
    """Starts openbox on the session's display and waits until it manages."""
    s.ensure_display()
    env = dict(os.environ, HOME=s.work, XDG_CONFIG_HOME=os.path.join(s.work, "config"))
    s.window_manager = subprocess.Popen(["openbox", "--sm-disable"], env=env,
                                        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    deadline = time.time() + 10
    while time.time() < deadline:
        if "window id" in root_property("_NET_SUPPORTING_WM_CHECK"):
            return
        time.sleep(0.1)
    raise Failure("openbox did not start managing windows")


def root_property(name):
    return subprocess.run(["xprop", "-root", name], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout


def window_property(s, name):
    return subprocess.run(["xprop", "-id", s.window, name], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout


def client_on_screen(s):
    """The window's client area: x, y on the screen, width, height."""
    info = subprocess.run(["xwininfo", "-id", s.window], stdout=subprocess.PIPE,
                          stderr=subprocess.DEVNULL, text=True).stdout
    field = lambda name: int(info.split(name + ":")[1].split()[0])
    return (field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"),
            field("Height"))


def frame_extents(s):
    """Left, right, top and bottom of the window manager's frame, or None."""
    text = window_property(s, "_NET_FRAME_EXTENTS")
    if "=" not in text:
        return None
    return tuple(int(v) for v in text.split("=")[1].split(","))


def frame_inside(client, frame, screen):
    x, y, w, h = client
    left, right, top, bottom = frame
    return x - left >= 0 and y - top >= 0 and x + w + right <= screen[0] and y + h + bottom <= screen[1]


def scenario_window_manager(s):
    # The 1366 x 768 start-up under openbox: window and frame on the screen.
    screen = SCREENS["window-manager"]
    deadline = time.time() + 8
    while time.time() < deadline:
        frame = frame_extents(s)
        if frame and frame_inside(client_on_screen(s), frame, screen):
            break
        time.sleep(0.2)
    check(frame is not None and frame[2] > 0, "openbox put no frame around the window")
    framed = client_on_screen(s)
    check(frame_inside(framed, frame, screen),
          "window %s with frame %s does not fit the %dx%d screen" % ((framed, frame) + screen))
    s.width, s.height = framed[2], framed[3]
    check_band(s.shot("framed"), "framed start-up")

    # F9: the window manager's full screen (no title bar), and back.
    s.key("F9", pause=1.5)
    check("_NET_WM_STATE_FULLSCREEN" in window_property(s, "_NET_WM_STATE"),
          "F9 did not ask the window manager for full screen")
    check(client_on_screen(s) == (0, 0) + screen,
          "full screen covers %s, not the screen" % (client_on_screen(s),))
    s.width, s.height = screen
    check_band(s.shot("full-screen"), "full screen")
    s.key("F9", pause=1.5)
    check("_NET_WM_STATE_FULLSCREEN" not in window_property(s, "_NET_WM_STATE"),
          "the second F9 left full screen on")
    check(client_on_screen(s) == framed,
          "F9 returned to %s, not to %s" % (client_on_screen(s), framed))
    s.width, s.height = framed[2], framed[3]
    check_band(s.shot("restored"), "after full screen")


def write_run_of(path, last, population=6):
    """A population file of generations 0 ... last whose best fitness climbs
    and falls, with a negative lowest one."""
    import struct
    rules = [7, 0, 0, 100, 100, 100, 100, 2, 2, 15, 15, 15, 15, 2, 2, 2, 2, 10, 101]
    with open(path, "wb") as f:
        f.write(struct.pack("<i", 7) + b"1.0.0.1" + struct.pack("<ii", population, last + 1))
        for g in range(last + 1):
            for i in range(population):
                fitness = (g * (i + 1)) % 300 - 50 * (i == 0)
                f.write(struct.pack("<23i", *(rules + [fitness, 0, i, i])))
        f.write(struct.pack("<idd", 100, 4.0, 20.0) + bytes(4) + bytes(4))
        f.write(struct.pack("<didii", 10.0, -1, 0.0, 80, 2))


def chart_plot():
    """The history chart's plot (left, top, right, bottom) in the default
    window: a strip of a fifth of the window's height under the grid."""
    strip_top = HEIGHT - HEIGHT // 5
    return 64, strip_top + 24, WIDTH - STRIP - 14, HEIGHT - 24


def is_best_line(r, g, b):
    return g > 200 and r < 140 and b < 140


def best_line_right_end(shot):
    left, top, right, bottom = chart_plot()
    for x in range(right - 1, left - 1, -1):
        if shot.count(x, top, x + 1, bottom, is_best_line) > 0:
            return x
    return -1


def scenario_history_chart(s):
    path = os.path.join(s.work, "five hundred.axv")
    write_run_of(path, 500)
    choose_in_dialog(s, "ctrl+o", "Open", path)
    s.key("h", pause=0.8)
    shown = settled_shot(s, "chart")
    left, top, right, bottom = chart_plot()
    check(shown.count(left, top, right, bottom, is_best_line) > 300,
          "the chart shows no best fitness line", shown)

    # The band after Backward to generations 251, 250 and 249.
    s.focus()
    s.xdo("key", "--clearmodifiers", "--delay", "15", *(["F7"] * 249))
    rows = {}
    for g in (251, 250, 249):
        rows[g] = generation_row(settled_shot(s, "backward-%d" % g))
        s.key("F7", pause=0.3)
    check(len(set(rows.values())) == 3, "Backward did not change the band")

    # A click at the chart's middle goes to generation 250 (within a column).
    s.click((left + right) // 2, (top + bottom) // 2)
    middle = generation_row(settled_shot(s, "clicked-middle"))
    check(middle in rows.values(), "a click at the chart's middle did not show generation ~250")
    # While the chart has the focus, Right and Left move the mark.
    s.click(left + (right - left) * 250 // 501 + 1, (top + bottom) // 2)
    check(generation_row(settled_shot(s, "clicked-250")) == rows[250],
          "a click on generation 250's column did not show it")
    s.key("Right", pause=0.5)
    check(generation_row(settled_shot(s, "right")) == rows[251], "Right did not show generation 251")
    s.key("Left", "Left", pause=0.5)
    check(generation_row(settled_shot(s, "left")) == rows[249], "Left did not show generation 249")
    # A click on a web takes the focus away: Right moves the selection.
    x1, y1, x2, y2 = cell_box(0, 0)
    s.click((x1 + x2) // 2, (y1 + y2) // 2)
    s.key("Right", pause=0.5)
    check(generation_row(settled_shot(s, "right-on-grid")) == rows[249],
          "Right changed the generation after a click on the grid")

    # At the last generation a run grows the chart: its right end moves.
    s.click(right - 1, (top + bottom) // 2)
    s.key("F5", pause=1.0)
    before = s.shot("running")
    time.sleep(2.0)
    after = s.shot("running-later")
    s.key("F5", pause=0.5)
    a, b = best_line_right_end(before), best_line_right_end(after)
    check(a >= 0 and b > a, "the chart's right end did not move during the run (%d, %d)" % (a, b),
          after)


SCENARIOS = {
    "questions": scenario_questions,
    "simulator": scenario_simulator,
    "files": scenario_files,
    "browsers": scenario_browsers,
    "small-screens": scenario_small_screens,
    "population-60": scenario_population_60,
    "history": scenario_history,
    "window-manager": scenario_window_manager,
    "small-windows": scenario_small_windows,
    "history-chart": scenario_history_chart,
}
SCREENS = {"small-screens": (1366, 768), "population-60": (1920, 1080),
           "window-manager": (1366, 768)}


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--program", required=True)
    parser.add_argument("--artefacts", required=True)
    parser.add_argument("--scenario", required=True, choices=sorted(SCENARIOS))
    parser.add_argument("--keep", action="store_true", help="keep the screenshots of a passing run")
    args = parser.parse_args()
    session = Session(os.path.abspath(args.program), args.artefacts, args.scenario,
                      SCREENS.get(args.scenario))
    if args.scenario == "small-screens":
        session.width, session.height = fitted_window(1366, 768)
    if args.scenario == "window-manager":
        session.width = session.height = None  # the window manager may change it
    try:
        if args.scenario == "window-manager":
            start_window_manager(session)
        session.start()
        SCENARIOS[args.scenario](session)
        if not session.exited:
            session.shot("end")
        check_no_gtk_errors(session)
    except Failure as failure:
        print("FAILED: %s" % failure)
        print("screenshots kept in %s" % session.dir)
        session.stop()
        return 1
    session.stop()
    if not args.keep:
        shutil.rmtree(session.dir, ignore_errors=True)
    print("passed: %s" % args.scenario)
    return 0


if __name__ == "__main__":
    sys.exit(main())
