#!/usr/bin/env python3
"""End-to-end test of the real program on a private virtual X server.

Starts Ferrovane, waits for the splash screen to go, then acts as a user with xdotool: adds a
magnet, presses each display button, chooses a preset from the menu, drags a magnet into the bin
and copies the picture. While the program still runs, it reads the clipboard with xclip and checks
that the image is 753 x 606 and equal to the work area in a screenshot taken at the same moment.
Last it closes the window and checks that the process ends.

Usage: window_e2e.py PATH-TO-FERROVANE
"""

import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from xsession import SessionError, XSession, missing_tools  # noqa: E402

# The work area in window coordinates at the start size, and the centre of the frame surface.
AREA_LEFT, AREA_TOP, AREA_WIDTH, AREA_HEIGHT = 96, 8, 753, 606
CX, CY = AREA_WIDTH // 2, AREA_HEIGHT // 2

# Button centres in window coordinates.
PRESETS = (49, 24)
MAGNET = (49, 80)
COPY = (49, 590)
DISPLAY_BUTTONS = {  # the part of each display button that no other button covers
    "grid": (895, 35),
    "field map": (895, 105),
    "field lines": (895, 170),
    "filings": (895, 235),
}
FILINGS_TOOLS = (855, 270, 82, 41)


def is_red(rgb):
    return rgb[0] > 200 and rgb[1] < 60 and rgb[2] < 60


def is_background(rgb):
    return abs(rgb[0] - rgb[1]) < 8 and abs(rgb[1] - rgb[2]) < 8 and rgb[0] > 200


class Check:
    def __init__(self):
        self.failures = []

    def __call__(self, condition, message):
        print(("ok   " if condition else "FAIL ") + message, flush=True)
        if not condition:
            self.failures.append(message)


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    program = sys.argv[1]
    missing = missing_tools()
    if missing:
        print("missing tools (scripts/install-deps.sh installs them): " + " ".join(missing))
        return 1

    check = Check()
    keep = os.environ.get("FERROVANE_E2E_KEEP")
    with XSession(keep=keep) as x:
        app = x.start(program, "ferrovane.log")
        try:
            run(x, app, check)
        except SessionError as error:
            check(False, str(error))
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()
            with open(x.path("ferrovane.log"), "rb") as log:
                text = log.read().decode(errors="replace").strip()
            if text:
                print("program output:\n" + text)
    if check.failures:
        print(f"{len(check.failures)} check(s) failed")
        return 1
    print("all checks passed")
    return 0


def poll(produce, accept, timeout=15.0):
    """Produces values until one is accepted or the time is up; returns the last one. Frames take
    their time on a loaded machine, so every picture check waits for the picture it expects."""
    deadline = time.monotonic() + timeout
    while True:
        value = produce()
        if accept(value) or time.monotonic() > deadline:
            return value
        time.sleep(0.2)


def sampled_difference(first, second):
    return sum(1 for y in range(0, AREA_HEIGHT, 3) for x in range(0, AREA_WIDTH, 3)
               if first.at(x, y) != second.at(x, y))


def run(x, app, check):
    # The splash comes first, the main window behind it; the splash goes by itself.
    x.wait_for(lambda: x.find_windows("^About Ferrovane$"), 30, "the splash screen")
    window = x.wait_for(lambda: x.find_windows("^Ferrovane$"), 30, "the main window")[0]
    began = time.monotonic()
    x.wait_for(lambda: not x.find_windows("^About Ferrovane$"), 30, "the splash screen to go")
    check(time.monotonic() - began > 1.0, "the splash stays for about two seconds")
    left, top, width, height = x.geometry(window)
    check((width, height) == (941, 622), f"the window's client area is 941 x 622 (is {width} x {height})")
    x.run("xdotool", "mousemove", "0", "0")

    def area_picture(name="area.png"):
        shot = x.screenshot(name)
        return x.pixels(x.crop(shot, "area-" + name, left + AREA_LEFT, top + AREA_TOP, AREA_WIDTH, AREA_HEIGHT))

    def window_picture(name="window.png"):
        shot = x.screenshot(name)
        return x.pixels(x.crop(shot, "window-" + name, left, top, width, height))

    def red_in(picture):
        return picture.count(0, 0, AREA_WIDTH, AREA_HEIGHT, is_red)

    start = poll(area_picture, lambda p: is_red(p.at(CX, CY + 20)))
    check(is_red(start.at(CX, CY + 20)), "the start scene has a magnet at the centre")
    start_red = red_in(start)

    # Add a magnet: more red on the bench.
    x.click(window, *MAGNET)
    added = poll(area_picture, lambda p: red_in(p) > start_red * 3 // 2)
    check(red_in(added) > start_red * 3 // 2, "Magnet adds a magnet")

    # Each display button: the picture of the bench changes when it is pressed. Filings show only
    # once some are sprinkled: pressing their button also switches sprinkling on, so a drag on
    # empty bench sprinkles them.
    before = added
    for name, position in DISPLAY_BUTTONS.items():
        x.click(window, *position)
        if name == "filings":
            x.drag(window, (AREA_LEFT + 40, AREA_TOP + 40), (AREA_LEFT + 200, AREA_TOP + 120))
        x.run("xdotool", "mousemove", "0", "0")
        after = poll(lambda: area_picture(name.replace(" ", "-") + ".png"),
                     lambda p: sampled_difference(p, before) > 20)
        changed = sampled_difference(after, before)
        check(changed > 20, f"the {name} button changes the picture ({changed} sampled pixels differ)")
        if name == "filings":
            tools = window_picture("filings-tools.png")
            shown = tools.count(*FILINGS_TOOLS, lambda rgb: not is_background(rgb))
            check(shown > 200, "the filings tools appear with the filings")
        # Let the picture settle (a still frame follows the first one) before the next button.
        time.sleep(0.5)
        before = area_picture(name.replace(" ", "-") + "-settled.png")

    # A preset from the menu: the menu opens under the button and takes the keyboard; the third
    # entry is "Bar magnets - parallel - opposites": two magnets 100 pixels left and right.
    x.click(window, *PRESETS)
    time.sleep(0.5)
    x.keys("Down", "Down", "Down", "Return")
    x.run("xdotool", "mousemove", "0", "0")
    side_by_side = lambda p: is_red(p.at(CX - 100, CY + 20)) and is_red(p.at(CX + 100, CY + 20))  # noqa: E731
    preset = poll(area_picture, lambda p: side_by_side(p) and red_in(p) < start_red * 5 // 2)
    check(side_by_side(preset), "the preset puts two magnets side by side")
    check(red_in(preset) < start_red * 5 // 2, "the preset cleared the bench first")
    tools = window_picture("preset-tools.png")
    check(tools.count(*FILINGS_TOOLS, lambda rgb: not is_background(rgb)) < 50,
          "the preset's reset hid the filings tools")

    # Drag the left magnet into the bin in the bottom-right corner; the bin shows during the drag.
    grab = (AREA_LEFT + CX - 100, AREA_TOP + CY + 20)
    bin_point = (AREA_LEFT + AREA_WIDTH - 20, AREA_TOP + AREA_HEIGHT - 20)
    x.move(window, *grab)
    x.run("xdotool", "mousedown", "1")
    for i in range(1, 13):
        x.move(window, grab[0] + (bin_point[0] - grab[0]) * i // 12, grab[1] + (bin_point[1] - grab[1]) * i // 12)
        time.sleep(0.06)
    time.sleep(0.6)
    x.move(window, bin_point[0] + 1, bin_point[1])  # the bin appears with a frame after the delay

    def bin_dark(picture):
        return picture.count(AREA_WIDTH - 48, AREA_HEIGHT - 48, 44, 44, lambda rgb: max(rgb) < 110)

    dragging = poll(lambda: area_picture("dragging.png"), lambda p: bin_dark(p) > 60)
    check(bin_dark(dragging) > 60, f"the bin shows in the corner during a long drag ({bin_dark(dragging)} dark pixels)")
    x.run("xdotool", "mouseup", "1")
    x.run("xdotool", "mousemove", "0", "0")
    dropped = poll(lambda: area_picture("dropped.png"),
                   lambda p: not is_red(p.at(CX - 100, CY + 20)) and bin_dark(p) == 0)
    check(not is_red(dropped.at(CX - 100, CY + 20)), "the dropped magnet is gone")
    check(is_red(dropped.at(CX + 100, CY + 20)), "the other magnet stays")
    check(dropped.count(AREA_WIDTH - 60, AREA_HEIGHT - 60, 60, 60, is_red) == 0, "nothing is left in the bin corner")

    # Copy, then read the clipboard and the screen at the same moment, while the program runs.
    time.sleep(0.5)
    x.click(window, *COPY)
    x.run("xdotool", "mousemove", "0", "0")
    targets = poll(x.clipboard_targets, lambda t: "image/png" in t)
    check("image/png" in targets, "the clipboard offers image/png")

    tries = []

    def clipboard_and_screen():
        tries.append(1)
        clip = x.clipboard_png("clipboard.png")
        shot = x.screenshot("screen.png")
        area = x.crop(shot, "screen-area.png", left + AREA_LEFT, top + AREA_TOP, AREA_WIDTH, AREA_HEIGHT)
        size = x.size_of(clip)
        return size, (x.differing_pixels(clip, area) if size == (AREA_WIDTH, AREA_HEIGHT) else -1)

    size, differing = poll(clipboard_and_screen, lambda r: r[1] == 0, timeout=10)
    check(size == (753, 606), f"the clipboard image is 753 x 606 (is {size[0]} x {size[1]})")
    check(differing == 0, f"the clipboard image equals the work area on screen ({differing} pixels differ, "
                          f"{len(tries)} look(s))")
    check(app.poll() is None, "the program still runs")

    # Close the window as a window manager would; the program ends.
    x.close_window(window)
    try:
        status = app.wait(timeout=20)
        check(status == 0, f"the program ends when its window is closed (status {status})")
    except Exception:  # noqa: BLE001 - a hang is the failure being tested
        check(False, "the program ends when its window is closed")


if __name__ == "__main__":
    sys.exit(main())
