#!/usr/bin/env python3
"""Makes the README's screenshots with the real program on a private virtual X server:
docs/start.png (the start scene) and docs/preset-*.png (scenes chosen from the preset menu).

Usage: scripts/make-screenshots.py PATH-TO-FERROVANE   (e.g. build/release/src/app/ferrovane)
"""

import os
import shutil
import sys
import time

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(ROOT, "tests", "e2e"))
from xsession import XSession, missing_tools  # noqa: E402

# Position of each scene in the menu, counting its entries without the separators from 1.
PRESETS = {
    "preset-inline-opposites.png": 1,   # "Bar magnets - inline - opposites"
    "preset-motor-uniform-field.png": 12,  # "Motor in uniform field"
    "preset-solenoid-compasses.png": 7,  # "Solonoid with compasses"
}


def main():
    if len(sys.argv) != 2 or missing_tools():
        print(__doc__ + "\nNeeds: " + " ".join(missing_tools()))
        return 2
    docs = os.path.join(ROOT, "docs")
    os.makedirs(docs, exist_ok=True)
    with XSession() as x:
        app = x.start(sys.argv[1], "ferrovane.log")
        try:
            window = x.wait_for(lambda: x.find_windows("^Ferrovane$"), 30, "the main window")[0]
            x.wait_for(lambda: not x.find_windows("^About Ferrovane$"), 30, "the splash screen to go")
            x.run("xdotool", "mousemove", "0", "0")
            time.sleep(1.5)
            shutil.copy(x.screenshot("start.png", window), os.path.join(docs, "start.png"))
            for name, position in PRESETS.items():
                x.click(window, 49, 24)
                time.sleep(0.5)
                x.keys(*(["Down"] * position), "Return")
                x.run("xdotool", "mousemove", "0", "0")
                time.sleep(2.0)
                shutil.copy(x.screenshot(name, window), os.path.join(docs, name))
            x.close_window(window)
            app.wait(timeout=20)
        finally:
            if app.poll() is None:
                app.kill()
                app.wait()
    print("wrote docs/start.png and " + ", ".join("docs/" + name for name in PRESETS))
    return 0


if __name__ == "__main__":
    sys.exit(main())
