#!/usr/bin/env python3
"""Writes the example melodies in examples/ (the committed files are its output)."""
import struct, pathlib

HEADER = b"vemo-file : ver 0.1" + b"\x00" + b" " * 12
NOTE = {"C": 0, "C#": 1, "D": 2, "D#": 3, "E": 4, "F": 5, "F#": 6, "G": 7, "G#": 8, "A": 9, "A#": 10, "B": 11}


def row(name, octave):
    # Row 59 is C at 264 Hz (octave 4 here); the top row is the highest pitch.
    return 95 - (12 * (octave - 1) + NOTE[name])


def melody_file(notes, columns, duration, small=4, large=4):
    """notes: list of (name, octave, length in columns) or (None, None, length) for a rest."""
    cells = [None] * columns  # (row, joinRight, joinLeft)
    c = 0
    for name, octave, length in notes:
        if name is not None:
            r = row(name, octave)
            for k in range(length):
                cells[c + k] = (r, 1 if k < length - 1 else 0, 1 if k > 0 else 0)
        c += length
    marks = []
    for i in range(columns):
        m = 0
        if i % small == 0:
            m += 2
        if i % (small * large) == 0:
            m += 4
        marks.append(m)
    used = [i for i, cell in enumerate(cells) if cell]
    first, last = (used[0], used[-1]) if used else (-1, 0)
    data = HEADER + struct.pack("<5i", columns - 1, 95, duration, first, last) + bytes(marks)
    if used:
        for i in range(first, last + 1):
            cell = cells[i]
            data += b"\xff" if cell is None else bytes([cell[0], 1, cell[1], cell[2]])
    return data


def main():
    out = pathlib.Path(__file__).resolve().parent.parent / "examples"
    out.mkdir(exist_ok=True)
    ode = [("E", 4, 2), ("E", 4, 2), ("F", 4, 2), ("G", 4, 2), ("G", 4, 2), ("F", 4, 2), ("E", 4, 2), ("D", 4, 2),
           ("C", 4, 2), ("C", 4, 2), ("D", 4, 2), ("E", 4, 2), ("E", 4, 3), ("D", 4, 1), ("D", 4, 4),
           (None, None, 2),
           ("E", 4, 2), ("E", 4, 2), ("F", 4, 2), ("G", 4, 2), ("G", 4, 2), ("F", 4, 2), ("E", 4, 2), ("D", 4, 2),
           ("C", 4, 2), ("C", 4, 2), ("D", 4, 2), ("E", 4, 2), ("D", 4, 3), ("C", 4, 1), ("C", 4, 4)]
    (out / "ode.vemo").write_bytes(melody_file(ode, 128, 120))
    scale = [(n, 4, 1) for n in "CDEFGAB"] + [("C", 5, 2), (None, None, 1)] + [(n, 4, 1) for n in reversed("CDEFGAB")]
    (out / "scale.vemo").write_bytes(melody_file(scale, 32, 150, 4, 2))
    fanfare = [("G", 4, 1), (None, None, 1), ("G", 4, 1), (None, None, 1), ("G", 4, 1), (None, None, 1),
               ("C", 5, 6), (None, None, 2), ("E", 5, 1), ("D", 5, 1), ("C", 5, 1), ("E", 5, 1), ("G", 5, 8)]
    (out / "fanfare.vemo").write_bytes(melody_file(fanfare, 64, 90, 2, 4))


if __name__ == "__main__":
    main()
