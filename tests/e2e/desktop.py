"""The X display as a person meets it: windows found by their class, pixels read off the screen
(ImageMagick's import), the pointer moved and clicked (xdotool)."""
import os
import subprocess
import time
from typing import NamedTuple


class Failure(Exception):
    """A step of the run did not happen as a user would see it."""


class Rect(NamedTuple):
    left: int
    top: int
    right: int
    bottom: int

    @property
    def width(self):
        return self.right - self.left

    @property
    def height(self):
        return self.bottom - self.top

    def centre(self):
        return ((self.left + self.right) // 2, (self.top + self.bottom) // 2)

    def moved(self, dx, dy):
        return Rect(self.left + dx, self.top + dy, self.right + dx, self.bottom + dy)


class Window(NamedTuple):
    xid: int
    rect: Rect


class Shot:
    """The RGB pixels of one screen area, addressed in screen coordinates."""

    def __init__(self, rect, data):
        self.rect = rect
        self.data = data

    def pixel(self, x, y):
        offset = ((y - self.rect.top) * self.rect.width + (x - self.rect.left)) * 3
        red, green, blue = self.data[offset:offset + 3]
        return (red << 16) | (green << 8) | blue

    def count(self, colour):
        packed = _packed(colour)
        return sum(1 for i in range(0, len(self.data), 3) if self.data[i:i + 3] == packed)

    def runs(self, colour, min_length):
        """Horizontal runs of exactly `colour`, top to bottom: (first x, last x, y)."""
        packed = _packed(colour)
        row_bytes = self.rect.width * 3
        found = []
        for row in range(self.rect.height):
            line = self.data[row * row_bytes:(row + 1) * row_bytes]
            start = None
            for column in range(self.rect.width + 1):
                inside = column < self.rect.width and line[column * 3:column * 3 + 3] == packed
                if inside and start is None:
                    start = column
                elif not inside and start is not None:
                    if column - start >= min_length:
                        found.append((self.rect.left + start, self.rect.left + column - 1, self.rect.top + row))
                    start = None
        return found


def _packed(colour):
    return bytes([colour >> 16, (colour >> 8) & 0xFF, colour & 0xFF])


def wait_until(what, condition, timeout, still_running=lambda: True, interval=0.1):
    """Polls `condition` until it gives a true value, which is returned. Gives up after `timeout`
    seconds, or at once when `still_running` says the program is gone."""
    deadline = time.monotonic() + timeout
    while True:
        value = condition()
        if value:
            return value
        if not still_running():
            raise Failure(f"the program ended while waiting for {what}")
        if time.monotonic() > deadline:
            raise Failure(f"gave up after {timeout} s waiting for {what}")
        time.sleep(interval)


class Display:
    def __init__(self, name):
        self.env = dict(os.environ, DISPLAY=name)

    def _run(self, *args, check=True):
        result = subprocess.run(args, env=self.env, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL,
                                check=False)
        if check and result.returncode != 0:
            raise Failure(f"{' '.join(args)} failed with {result.returncode}")
        return result.stdout

    def windows(self, wm_class):
        """The visible top-level windows of that X class (Wine uses the exe's name)."""
        ids = self._run("xdotool", "search", "--onlyvisible", "--class", wm_class, check=False).split()
        found = []
        for xid in ids:
            fields = {}
            for line in self._run("xdotool", "getwindowgeometry", "--shell", xid, check=False).decode().splitlines():
                name, _, value = line.partition("=")
                fields[name] = value
            if {"X", "Y", "WIDTH", "HEIGHT"} <= fields.keys():
                x, y = int(fields["X"]), int(fields["Y"])
                found.append(Window(int(xid), Rect(x, y, x + int(fields["WIDTH"]), y + int(fields["HEIGHT"]))))
        return found

    def grab(self, rect):
        geometry = f"{rect.width}x{rect.height}+{rect.left}+{rect.top}"
        data = self._run("import", "-window", "root", "-crop", geometry, "-depth", "8", "rgb:-")
        if len(data) != rect.width * rect.height * 3:
            raise Failure(f"import gave {len(data)} bytes for {geometry}")
        return Shot(rect, data)

    def pixel(self, x, y):
        return self.grab(Rect(x, y, x + 1, y + 1)).pixel(x, y)

    def click(self, x, y):
        self._run("xdotool", "mousemove", "--sync", str(x), str(y), "click", "1")

    def pointer(self):
        fields = dict(line.partition("=")[::2] for line in
                      self._run("xdotool", "getmouselocation", "--shell").decode().splitlines())
        return int(fields["X"]), int(fields["Y"])

    def move_pointer(self, x, y):
        # "--sync" waits for the pointer to move, which never happens when it is there already.
        if self.pointer() != (x, y):
            self._run("xdotool", "mousemove", "--sync", str(x), str(y))

    def save_png(self, rect, path):
        geometry = f"{rect.width}x{rect.height}+{rect.left}+{rect.top}"
        self._run("import", "-window", "root", "-crop", geometry, "+repage", path)
