#!/usr/bin/env python3
"""Plays Brixol.exe up to a line clear and records it as an animated GIF.

Run by tools/make-animation.sh, with DISPLAY set and the game's window open:
    line_clear.py WINDOW_ID OUTPUT.gif WORK_DIR

It reads the game from the window's pixels (the next piece in the preview
box, the field's empty cells), plays each piece where a simple evaluation
puts it, and once a placement will clear a row it records frames of that
piece, the flash and the caption with ImageMagick's import.
"""
import subprocess
import sys
import threading
import time
from pathlib import Path

COLUMNS, ROWS, CELL = 10, 20, 16
SPAWN_COLUMN = 3
PREVIEW_DX = 168  # the preview box's left edge, from the field's
LOCK_WAIT_S = 0.8  # from a hard drop to the next piece, with some margin
SETTLED_ROW = 8  # the new piece, falling at level 0 speed, is above it by then

# Occupied (column, row) cells of the 4 x 4 piece map by type, then rotation;
# each rotation step is a quarter turn counter-clockwise (the Up key).
SHAPES = [
    [[(1, 0), (1, 1), (1, 2), (1, 3)], [(0, 2), (1, 2), (2, 2), (3, 2)]] * 2,
    [[(1, 0), (1, 1), (2, 1), (2, 2)], [(1, 1), (2, 1), (0, 2), (1, 2)]] * 2,
    [[(1, 0), (1, 1), (0, 2), (1, 2)], [(0, 1), (1, 1), (2, 1), (2, 2)],
     [(1, 0), (2, 0), (1, 1), (1, 2)], [(0, 0), (0, 1), (1, 1), (2, 1)]],
    [[(2, 0), (1, 1), (2, 1), (1, 2)], [(0, 1), (1, 1), (1, 2), (2, 2)]] * 2,
    [[(1, 0), (1, 1), (1, 2), (2, 2)], [(2, 0), (0, 1), (1, 1), (2, 1)],
     [(0, 0), (1, 0), (1, 1), (1, 2)], [(0, 1), (1, 1), (2, 1), (0, 2)]],
    [[(1, 0), (0, 1), (1, 1), (2, 1)], [(1, 0), (0, 1), (1, 1), (1, 2)],
     [(0, 1), (1, 1), (2, 1), (1, 2)], [(1, 0), (1, 1), (2, 1), (1, 2)]],
    [[(1, 1), (2, 1), (1, 2), (2, 2)]] * 4,
]


class Screen:
    """The window's pixels, and where the field is in them."""

    def __init__(self, window):
        self.window = window
        self.empty = None
        self.origin = None

    def grab(self, path="ppm:-"):
        data = subprocess.run(["import", "-window", self.window, "-depth", "8", path],
                              check=True, capture_output=True).stdout
        return data

    def pixels(self):
        data = self.grab()
        # P6 header: magic, width height, maxval, each ended by whitespace.
        fields, pos = [], 0
        while len(fields) < 4:
            while data[pos:pos + 1].isspace():
                pos += 1
            end = pos
            while not data[end:end + 1].isspace():
                end += 1
            fields.append(data[pos:end])
            pos = end
        width, height = int(fields[1]), int(fields[2])
        return width, height, data[pos + 1:]

    def calibrate(self):
        """Finds the empty field: the largest area of the colour at its middle."""
        width, height, px = self.pixels()

        def at(x, y):
            i = (y * width + x) * 3
            return px[i:i + 3]

        # The field's middle is at about a third of the width, half the height.
        x, y = width // 3, height // 2
        self.empty = at(x, y)
        while x > 0 and at(x - 1, y) == self.empty:
            x -= 1
        while y > 0 and at(x, y - 1) == self.empty:
            y -= 1
        self.origin = (x, y)

    def read(self):
        """(field cells filled, preview cells filled) from one picture."""
        width, _, px = self.pixels()

        def filled(x, y):
            i = (y * width + x) * 3
            return px[i:i + 3] != self.empty

        ox, oy = self.origin
        field = [[filled(ox + c * CELL + CELL // 2, oy + r * CELL + CELL // 2) for c in range(COLUMNS)]
                 for r in range(ROWS)]
        preview = {(c, r) for c in range(4) for r in range(4)
                   if filled(ox + PREVIEW_DX + c * CELL + CELL // 2, oy + r * CELL + CELL // 2)}
        return field, preview


def identify(cells):
    """The (type, rotation) whose cells these are, or None."""
    for piece, rotations in enumerate(SHAPES):
        for rotation, shape in enumerate(rotations):
            if set(shape) == cells:
                return piece, rotation
    return None


def collides(field, piece, rotation, column, row):
    for c, r in SHAPES[piece][rotation]:
        x, y = column + c, row + r
        if x < 0 or x >= COLUMNS or y >= ROWS or (y >= 0 and field[y][x]):
            return True
    return False


def drop(field, piece, rotation, column):
    """The field after a hard drop at the column, and the rows it cleared."""
    row = 0
    while not collides(field, piece, rotation, column, row + 1):
        row += 1
    after = [line[:] for line in field]
    for c, r in SHAPES[piece][rotation]:
        after[row + r][column + c] = True
    kept = [line for line in after if not all(line)]
    cleared = ROWS - len(kept)
    return [[False] * COLUMNS for _ in range(cleared)] + kept, cleared


def score(field, cleared):
    heights = []
    holes = 0
    for c in range(COLUMNS):
        top = next((r for r in range(ROWS) if field[r][c]), ROWS)
        heights.append(ROWS - top)
        holes += sum(1 for r in range(top, ROWS) if not field[r][c])
    bumps = sum(abs(a - b) for a, b in zip(heights, heights[1:]))
    return 0.76 * cleared - 0.51 * sum(heights) - 0.36 * holes - 0.18 * bumps


def plan(field, piece, rotation):
    """The best reachable (turns, column, cleared rows) for the piece at its spawn."""
    best = None
    for turns in range(4):
        turned = (rotation + turns) % 4
        if collides(field, piece, turned, SPAWN_COLUMN, 0):
            continue
        for column in range(-3, COLUMNS):
            step = 1 if column > SPAWN_COLUMN else -1
            path = range(SPAWN_COLUMN, column + step, step) if column != SPAWN_COLUMN else [column]
            if any(collides(field, piece, turned, c, 0) for c in path):
                continue
            after, cleared = drop(field, piece, turned, column)
            value = score(after, cleared)
            if best is None or value > best[0]:
                best = (value, turns, column, cleared)
    return best[1:] if best else None


def trace(text):
    print(text, file=sys.stderr)


def show(field):
    return "\n".join("".join("#" if cell else "." for cell in line) for line in field)


def keys(*names, delay_ms=40):
    subprocess.run(["xdotool", "key", "--delay", str(delay_ms), *names], check=True)


class Recorder:
    """Takes pictures of the window as fast as import can, with their times."""

    def __init__(self, screen, folder):
        self.screen, self.folder = screen, folder
        self.frames = []
        self.running = False

    def __enter__(self):
        self.running = True
        self.thread = threading.Thread(target=self.run)
        self.thread.start()
        return self

    def run(self):
        while self.running:
            path = self.folder / f"frame{len(self.frames):04d}.ppm"
            self.screen.grab(f"ppm:{path}")
            self.frames.append((time.monotonic(), path))

    def __exit__(self, *_):
        self.running = False
        self.thread.join()


def write_gif(frames, output):
    args = ["convert", "-loop", "0"]
    for (when, path), following in zip(frames, frames[1:] + [(frames[-1][0] + 1.5, None)]):
        args += ["-delay", str(max(2, round((following[0] - when) * 100))), str(path)]
    args += ["-layers", "Optimize", str(output)]
    subprocess.run(args, check=True)


def main():
    window, output, work = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
    screen = Screen(window)
    subprocess.run(["xdotool", "windowfocus", window], check=True)
    time.sleep(0.5)
    screen.calibrate()

    # Start, and pause at once to read the first piece while it is still in
    # its spawn cells.
    keys("s", "p", delay_ms=10)
    time.sleep(0.4)
    field, preview = screen.read()
    first = {(c - SPAWN_COLUMN, r) for r in range(4) for c in range(SPAWN_COLUMN, SPAWN_COLUMN + 4) if field[r][c]}
    current, upcoming = identify(first), identify(preview)
    if current is None or upcoming is None:
        sys.exit(f"line_clear: cannot read the pieces (piece {sorted(first)}, preview {sorted(preview)})")
    keys("p")
    model = [[False] * COLUMNS for _ in range(ROWS)]

    for _ in range(60):
        piece, rotation = current
        choice = plan(model, piece, rotation)
        if choice is None:
            sys.exit("line_clear: the field is full before a row was cleared")
        turns, column, cleared = choice
        trace(f"piece {piece} rotation {rotation}: {turns} turns to column {column}, clears {cleared}")
        moves = ["Up"] * turns + (["Right"] * (column - SPAWN_COLUMN) if column > SPAWN_COLUMN
                                  else ["Left"] * (SPAWN_COLUMN - column))
        if cleared:
            with Recorder(screen, work) as recorder:
                time.sleep(0.6)
                if moves:
                    keys(*moves, delay_ms=180)
                time.sleep(0.3)
                keys("shift")
                time.sleep(LOCK_WAIT_S + 2.0)
            write_gif(recorder.frames, output)
            print(f"line_clear: {len(recorder.frames)} frames of a {cleared}-row clear")
            return
        if moves:
            keys(*moves)
        keys("shift")
        model, _ = drop(model, piece, (rotation + turns) % 4, column)
        # Releasing Shift restarts the lock delay (31 ticks, half a second):
        # the piece lies in its place for that long before it locks and the
        # next one enters.
        time.sleep(LOCK_WAIT_S)
        field, preview = screen.read()
        # Below the rows the new piece can have reached by now, the window
        # must show the field played; if not, the window is right.
        if field[SETTLED_ROW:] != model[SETTLED_ROW:]:
            trace("the window shows another field than expected:\n" + show(field) + "\nexpected:\n" + show(model))
            model = model[:SETTLED_ROW] + field[SETTLED_ROW:]
        current, upcoming = upcoming, identify(preview)
        if upcoming is None:
            sys.exit(f"line_clear: cannot read the next piece {sorted(preview)}")
    sys.exit("line_clear: no row cleared in 60 pieces")


if __name__ == "__main__":
    main()
