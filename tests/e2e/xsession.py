"""A private X session for driving the real Ferrovane: a virtual X server on a free display,
the program under it, and the tools that act on it as a user would (xdotool, xclip, ImageMagick).

Python 3 standard library only. Used by the end-to-end test and by the screenshot script.
"""

import os
import shutil
import socket
import struct
import subprocess
import tempfile
import time

TOOLS = ("Xvfb", "xdotool", "xclip", "import", "convert", "compare", "identify")


class SessionError(Exception):
    pass


def missing_tools():
    return [tool for tool in TOOLS if shutil.which(tool) is None]


class XSession:
    """Xvfb on the first free display (Xvfb picks it with -displayfd), without access control
    files, and a private XDG_RUNTIME_DIR for the programs started in it."""

    def __init__(self, width=1280, height=1024, keep=None):
        """`keep`: a directory that receives the session's pictures and logs when it closes."""
        self.keep = keep
        self.workdir = tempfile.mkdtemp(prefix="ferrovane-x-")
        runtime = os.path.join(self.workdir, "runtime")
        os.mkdir(runtime, 0o700)
        read_end, write_end = os.pipe()
        self.server = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", f"{width}x{height}x24",
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL,
            stderr=open(os.path.join(self.workdir, "xvfb.log"), "wb"))
        os.close(write_end)
        number = b""
        deadline = time.monotonic() + 30
        while not number.endswith(b"\n"):
            if time.monotonic() > deadline or self.server.poll() is not None:
                raise SessionError("Xvfb did not start")
            chunk = os.read(read_end, 16)
            if not chunk:
                break
            number += chunk
        os.close(read_end)
        self.display_number = int(number.strip())
        self.env = dict(os.environ, DISPLAY=f":{self.display_number}", XDG_RUNTIME_DIR=runtime)
        self.env.pop("WAYLAND_DISPLAY", None)
        self.env.pop("QT_QPA_PLATFORM", None)

    def close(self):
        if self.server.poll() is None:
            self.server.terminate()
            try:
                self.server.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.server.kill()
                self.server.wait()
        if self.keep:
            shutil.copytree(self.workdir, self.keep, dirs_exist_ok=True,
                            ignore=shutil.ignore_patterns("runtime"))
        shutil.rmtree(self.workdir, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()

    def path(self, name):
        return os.path.join(self.workdir, name)

    # ---- running tools ----
    def run(self, *args, check=True, binary=False, timeout=30):
        result = subprocess.run(args, env=self.env, capture_output=True, timeout=timeout)
        if check and result.returncode != 0:
            raise SessionError(f"{' '.join(args)} failed: {result.stderr.decode(errors='replace')}")
        return result.stdout if binary else result.stdout.decode(errors="replace")

    def start(self, program, log_name):
        return subprocess.Popen([program], env=self.env, stdout=subprocess.DEVNULL,
                                stderr=open(self.path(log_name), "wb"))

    # ---- windows ----
    def find_windows(self, name_pattern):
        result = subprocess.run(["xdotool", "search", "--onlyvisible", "--name", name_pattern],
                                env=self.env, capture_output=True, timeout=30)
        return [int(line) for line in result.stdout.decode().split()]

    def wait_for(self, condition, timeout, what):
        deadline = time.monotonic() + timeout
        while time.monotonic() < deadline:
            value = condition()
            if value:
                return value
            time.sleep(0.05)
        raise SessionError(f"timed out waiting for {what}")

    def geometry(self, window):
        values = {}
        for line in self.run("xdotool", "getwindowgeometry", "--shell", str(window)).split():
            key, _, value = line.partition("=")
            values[key] = int(value)
        return values["X"], values["Y"], values["WIDTH"], values["HEIGHT"]

    # ---- the pointer and the keyboard, in window coordinates ----
    def move(self, window, x, y):
        self.run("xdotool", "mousemove", "--window", str(window), str(x), str(y))

    def click(self, window, x, y, button=1):
        self.move(window, x, y)
        self.run("xdotool", "click", str(button))

    def drag(self, window, start, end, steps=12, pause=0.06, hold=0.0):
        """Presses at `start`, moves to `end` in steps, waits `hold` seconds there, releases."""
        self.move(window, *start)
        self.run("xdotool", "mousedown", "1")
        for i in range(1, steps + 1):
            x = start[0] + (end[0] - start[0]) * i // steps
            y = start[1] + (end[1] - start[1]) * i // steps
            self.move(window, x, y)
            time.sleep(pause)
        time.sleep(hold)
        self.run("xdotool", "mouseup", "1")

    def keys(self, *names):
        self.run("xdotool", "key", "--delay", "60", *names)

    def close_window(self, window):
        """Asks the window to close the way a window manager's close button does: a
        WM_DELETE_WINDOW message of the WM_PROTOCOLS protocol, sent over the X protocol."""
        x11_send_delete_window(self.display_number, window)

    # ---- pictures ----
    def screenshot(self, name, window="root"):
        path = self.path(name)
        self.run("import", "-window", str(window), path)
        return path

    def clipboard_png(self, name):
        data = self.run("xclip", "-selection", "clipboard", "-t", "image/png", "-o", binary=True)
        path = self.path(name)
        with open(path, "wb") as out:
            out.write(data)
        return path

    def clipboard_targets(self):
        return self.run("xclip", "-selection", "clipboard", "-t", "TARGETS", "-o").split()

    def crop(self, source, name, x, y, width, height):
        path = self.path(name)
        self.run("convert", source, "-crop", f"{width}x{height}+{x}+{y}", "+repage", path)
        return path

    def size_of(self, path):
        width, height = self.run("identify", "-format", "%w %h", path).split()
        return int(width), int(height)

    def differing_pixels(self, first, second):
        """The number of pixels in which two pictures of the same size differ."""
        result = subprocess.run(["compare", "-metric", "AE", first, second, "null:"], env=self.env,
                                capture_output=True, timeout=60)
        if result.returncode not in (0, 1):
            raise SessionError(result.stderr.decode(errors="replace"))
        return int(float(result.stderr.decode().split()[0]))

    def pixels(self, path):
        """The picture as (width, height, rows of (r, g, b))."""
        data = self.run("convert", path, "-depth", "8", "ppm:-", binary=True)
        return Picture(data)


class Picture:
    """A binary PPM (P6, 8 bits) decoded into rows of RGB triples."""

    def __init__(self, data):
        fields = []
        position = 0
        while len(fields) < 4:
            while data[position:position + 1].isspace():
                position += 1
            if data[position:position + 1] == b"#":
                position = data.index(b"\n", position) + 1
                continue
            end = position
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[position:end])
            position = end
        if fields[0] != b"P6" or int(fields[3]) != 255:
            raise SessionError("not an 8-bit binary PPM")
        self.width, self.height = int(fields[1]), int(fields[2])
        self.data = data[position + 1:]

    def at(self, x, y):
        offset = (y * self.width + x) * 3
        return tuple(self.data[offset:offset + 3])

    def count(self, left, top, width, height, predicate):
        total = 0
        for y in range(max(0, top), min(self.height, top + height)):
            for x in range(max(0, left), min(self.width, left + width)):
                if predicate(self.at(x, y)):
                    total += 1
        return total


def x11_send_delete_window(display_number, window):
    """A minimal X11 client over the display's Unix socket: interns the two atoms and sends the
    ClientMessage to the window's owner, then makes one round trip so that it has arrived."""
    connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
    connection.settimeout(10)
    connection.connect(f"/tmp/.X11-unix/X{display_number}")

    def receive(count):
        data = b""
        while len(data) < count:
            chunk = connection.recv(count - len(data))
            if not chunk:
                raise SessionError("X server closed the connection")
            data += chunk
        return data

    # Connection set-up: little-endian, protocol 11.0, no authorisation.
    connection.sendall(struct.pack("<BxHHHHxx", 0x6C, 11, 0, 0, 0))
    head = receive(8)
    if head[0] != 1:
        raise SessionError("X server refused the connection")
    receive(struct.unpack_from("<H", head, 6)[0] * 4)

    def reply():
        while True:
            packet = receive(32)
            if packet[0] == 0:
                raise SessionError(f"X error {packet[1]}")
            if packet[0] == 1:
                extra = struct.unpack_from("<I", packet, 4)[0]
                return packet + receive(extra * 4)

    def intern(name):
        raw = name.encode()
        padded = raw + b"\0" * (-len(raw) % 4)
        connection.sendall(struct.pack("<BBHHxx", 16, 0, 2 + len(padded) // 4, len(raw)) + padded)
        return struct.unpack_from("<I", reply(), 8)[0]

    protocols = intern("WM_PROTOCOLS")
    delete = intern("WM_DELETE_WINDOW")
    event = struct.pack("<BBHII5I", 33, 32, 0, window, protocols, delete, 0, 0, 0, 0)
    connection.sendall(struct.pack("<BBHII", 25, 0, 11, window, 0) + event)
    connection.sendall(struct.pack("<BxH", 43, 1))  # GetInputFocus: a round trip
    reply()
    connection.close()
