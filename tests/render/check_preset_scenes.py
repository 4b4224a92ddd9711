#!/usr/bin/env python3
"""Runs every preset scene through ferrovane-render and checks the dumped scene.

The expected scenes are written out here by hand, position by position, for a 753 x 606 work area
(centre 376, 303); nothing is taken from the program's own tables. Each preset is run after a busy
start (the start magnet, a reversed uniform field, filings, another magnet) and chosen twice in a
row, so it must clear the bench each time. Usage: check_preset_scenes.py PATH/TO/ferrovane-render
"""
import json
import math
import os
import subprocess
import sys
import tempfile

PI = math.pi


def magnet(x, y, rotation=0.0):
    return ("magnet", x, y, rotation, False)


def wire(x, y, flipped):
    return ("wire", x, y, 0.0, flipped)


def coil(x, y, rotation):
    return ("coil", x, y, rotation, False)


def motor(x, y):
    return ("motor", x, y, 0.0, False)


def compass(x, y):
    return ("compass", x, y, None, None)


UNIFORM = ("uniform", 0, 0, 0.0, False)

MAGNET_COMPASSES = [compass(x, y) for x, y in [
    (386, 223), (416, 203), (451, 203), (480, 217), (502, 241), (516, 270), (521, 303),
    (386, 383), (416, 403), (451, 403), (480, 389), (502, 365), (516, 336)]]
WIRE_COMPASSES = [compass(x, y) for x, y in [
    (276, 303), (305, 232), (376, 203), (447, 232), (476, 303), (447, 374), (376, 403), (305, 374)]]
COIL_COMPASSES = [compass(x, y) for x, y in [
    (420, 243), (449, 216), (486, 207), (528, 217), (560, 241), (580, 270), (588, 303),
    (420, 363), (449, 390), (486, 399), (528, 389), (560, 365), (580, 336)]]
WIRE_PAIR = [wire(376, 253, False), wire(376, 353, True)]
WIRE_SOLENOID = [w for x in range(264, 490, 25) for w in (wire(x, 253, False), wire(x, 353, True))]
COIL_SOLENOID = [coil(x, 303, PI / 2) for x in range(264, 490, 25)]

# caption: (shown layer, motion, objects in list order)
SCENES = {
    "Bar magnets - inline - opposites": ("grid", False, [magnet(376, 203), magnet(376, 403, PI)]),
    "Bar magnets -inline - like": ("grid", False, [magnet(376, 203), magnet(376, 403)]),
    "Bar magnets - parallel - opposites": ("grid", False, [magnet(276, 303), magnet(476, 303, PI)]),
    "Bar magnets - parallel - Like": ("grid", False, [magnet(276, 303), magnet(476, 303)]),
    "Bar magnet with compasses": (None, False, [magnet(376, 303)] + MAGNET_COMPASSES),
    "Wire with compasses": (None, False, [wire(376, 303, False)] + WIRE_COMPASSES),
    "Solonoid with compasses": (None, False, [coil(376, 303, PI)] + COIL_COMPASSES),
    "Wires making a coil": ("grid", False, WIRE_PAIR),
    "Wires making a solonoid": ("grid", False, WIRE_SOLENOID),
    "Coils making a solonoid": ("grid", False, COIL_SOLENOID),
    "Bar magnet like the solonoids": ("grid", False, [magnet(376, 303, PI / 2)]),
    "Motor in uniform field": ("lines", False, [motor(376, 303), UNIFORM]),
    "Bar magnets moving closer": ("grid", True, [magnet(376, 203), magnet(376, 403)]),
    "Bar magnets moving apart": ("grid", True, [magnet(376, 203), magnet(376, 403, PI)]),
    "Wires moving in uniform field": ("lines", True, WIRE_PAIR + [UNIFORM]),
    "Motor turning in uniform field": ("lines", True, [motor(376, 303), UNIFORM]),
}

BUSY_START = ["--uniform", "--flip-uniform", "--filings", "100,100", "--magnet", "150,150,1"]


def render(exe, workdir, args):
    state = os.path.join(workdir, "s.json")
    if os.path.exists(state):
        os.remove(state)
    run = subprocess.run([exe, "--state", state] + args, cwd=workdir, capture_output=True, text=True)
    if run.returncode != 0:
        raise AssertionError("ferrovane-render %s exited with %d: %s" % (args, run.returncode, run.stderr))
    with open(state, encoding="utf-8") as f:
        return json.load(f)


def check_scene(caption, state, shown, motion, expected):
    problems = []

    def expect(what, actual, wanted):
        if actual != wanted:
            problems.append("%s: %s is %r, expected %r" % (caption, what, actual, wanted))

    switches = state["switches"]
    expect("grid", switches["grid"], shown == "grid")
    expect("field lines", switches["lines"], shown == "lines")
    expect("field map", switches["map"], False)
    expect("filings layer", switches["filings"], False)
    expect("adding filings", switches["addingFilings"], False)
    expect("motion", switches["movement"], motion)
    expect("uniform switch", switches["uniform"], any(e[0] == "uniform" for e in expected))
    expect("filings", state["filings"], 0)
    objects = state["objects"]
    expect("object count", len(objects), len(expected))
    for i, (got, (kind, x, y, rotation, flipped)) in enumerate(zip(objects, expected), start=1):
        where = "object %d" % i
        expect(where + " kind", got["kind"], kind)
        if got["kind"] != kind:
            continue
        expect(where + " selected", got["selected"], False)
        if kind == "uniform":
            expect(where + " box", (got["left"], got["top"]), (0, 0))
            expect(where + " strength", got["fieldStrength"], 0.1)
        else:
            centre = (got["left"] + got["width"] // 2, got["top"] + got["height"] // 2)
            expect(where + " centre", centre, (x, y))
        if kind == "compass":
            expect(where + " size", (got["width"], got["height"]), (32, 32))
            continue
        if abs(got["rotation"] - rotation) > 1e-12:
            problems.append("%s: %s rotation is %r, expected %r" % (caption, where, got["rotation"], rotation))
        expect(where + " flipped", got["flipped"], flipped)
    return problems


def main():
    if len(sys.argv) != 2:
        print(__doc__)
        return 2
    exe = os.path.abspath(sys.argv[1])
    problems = []
    with tempfile.TemporaryDirectory(prefix="ferrovane-presets-") as workdir:
        for caption, (shown, motion, expected) in SCENES.items():
            args = ["--size", "753x606"] + BUSY_START + ["--preset", caption, "--preset", caption]
            problems += check_scene(caption, render(exe, workdir, args), shown, motion, expected)

        # Compass 3 round the coil: 376 + 109.5 and 377 + 109.5 both round to 486.
        for width in (752, 754):
            state = render(exe, workdir, ["--size", "%dx606" % width, "--preset", "Solonoid with compasses"])
            third = state["objects"][3]
            if third["left"] + 16 != 486:
                problems.append("Solonoid with compasses at width %d: compass 3 at x %d, expected 486"
                                % (width, third["left"] + 16))
    for problem in problems:
        print(problem)
    print("%d preset scenes checked, %d problems" % (len(SCENES), len(problems)))
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
