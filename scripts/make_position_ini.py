#!/usr/bin/env python3
"""Writes data/POSITION.INI, Tamblin's guitar dictionary (Shift-JIS, CR LF).

Shapes are written from the 6th (low E) string to the 1st as fret offsets
from the shape's root fret; the file lists string 1 (high E) first. Every
fingering is checked here to sound exactly the pitch classes of its chord,
and the C++ test checks the written file again on its own."""
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "POSITION.INI")

NOTES = ["C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"]
FLATS = {"C#": "Db", "D#": "Eb", "F#": "Gb", "G#": "Ab", "A#": "Bb"}
OPEN = [4, 9, 2, 7, 11, 4]  # strings 6..1: E A D G B E

INTERVALS = {
    "": [0, 4, 7], "m": [0, 3, 7], "7": [0, 4, 7, 10], "M7": [0, 4, 7, 11],
    "m7": [0, 3, 7, 10], "m7-5": [0, 3, 6, 10], "dim": [0, 3, 6, 9],
    "aug": [0, 4, 8], "sus4": [0, 5, 7], "7sus4": [0, 5, 7, 10],
    "6": [0, 4, 7, 9], "m6": [0, 3, 7, 9], "add9": [0, 2, 4, 7],
    "9": [0, 2, 4, 7, 10], "mM7": [0, 3, 7, 11],
}
ALIASES = {"m7-5": ["m7(b5)"], "dim": ["dim7"], "aug": ["+"], "7sus4": ["7(sus4)"]}

X = None
# Movable shapes by the string that carries the root (6 = E shape, 5 = A shape,
# 4 = D shape): offsets for strings 6..1.
SHAPES = {
    6: {"": [0, 2, 2, 1, 0, 0], "m": [0, 2, 2, 0, 0, 0], "7": [0, 2, 0, 1, 0, 0],
        "M7": [0, X, 1, 1, 0, X], "m7": [0, 2, 0, 0, 0, 0], "m7-5": [0, X, 0, 0, -1, X],
        "dim": [0, X, -1, 0, -1, X], "aug": [0, X, 2, 1, 1, 0], "sus4": [0, 2, 2, 2, 0, 0],
        "7sus4": [0, 2, 0, 2, 0, 0], "6": [0, X, -1, 1, 0, X], "m6": [0, X, -1, 0, 0, X],
        "add9": [0, 2, 2, 1, 0, 2], "9": [0, X, 0, 1, 0, 2], "mM7": [0, 2, 1, 0, 0, 0]},
    5: {"": [X, 0, 2, 2, 2, 0], "m": [X, 0, 2, 2, 1, 0], "7": [X, 0, 2, 0, 2, 0],
        "M7": [X, 0, 2, 1, 2, 0], "m7": [X, 0, 2, 0, 1, 0], "m7-5": [X, 0, 1, 0, 1, X],
        "dim": [X, 0, 1, -1, 1, X], "aug": [X, 0, 3, 2, 2, 1], "sus4": [X, 0, 2, 2, 3, 0],
        "7sus4": [X, 0, 2, 0, 3, 0], "6": [X, 0, 2, 2, 2, 2], "m6": [X, 0, 2, -1, 1, 0],
        "add9": [X, 0, 2, 4, 2, 0], "9": [X, 0, -1, 0, 0, 0], "mM7": [X, 0, 2, 1, 1, 0]},
    4: {"": [X, X, 0, 2, 3, 2], "m": [X, X, 0, 2, 3, 1], "7": [X, X, 0, 2, 1, 2],
        "M7": [X, X, 0, 2, 2, 2], "m7": [X, X, 0, 2, 1, 1]},
}
# Open chords that no shape above gives at the nut, as absolute frets (6..1).
OPEN_CHORDS = {
    ("C", ""): [X, 3, 2, 0, 1, 0],
    ("C", "M7"): [X, 3, 2, 0, 0, 0], ("C", "add9"): [X, 3, 2, 0, 3, 0],
    ("G", ""): [3, 2, 0, 0, 0, 3], ("G", "7"): [3, 2, 0, 0, 0, 1],
    ("G", "M7"): [3, 2, 0, 0, 0, 2], ("G", "6"): [3, 2, 0, 0, 0, 0],
    ("F", "M7"): [X, X, 3, 2, 1, 0], ("B", "7"): [X, 2, 1, 2, 0, 2],
}


def sounded(frets):
    return {(OPEN[i] + f) % 12 for i, f in enumerate(frets) if f is not None}


def place(root, shape_string, offsets):
    """The shape moved to root, as absolute frets, or None if it does not fit."""
    base = (NOTES.index(root) - OPEN[6 - shape_string]) % 12
    low = min(o for o in offsets if o is not None)
    if base + low < 0:
        base += 12
    frets = [None if o is None else base + o for o in offsets]
    if max(f for f in frets if f is not None) > 15:
        return None
    return base, frets


def entries(base, offsets, frets):
    """The fingering line, string 1 first, with a barre on string 1 where the
    root fret covers every string from the 1st down to the lowest played."""
    ones_first = list(reversed(frets))
    offs = list(reversed(offsets))
    out = ["X" if f is None else str(f) for f in ones_first]
    played = [i for i, f in enumerate(ones_first) if f is not None]
    lowest = max(played)
    under = offs[: lowest + 1]
    if base >= 1 and offs[0] == 0 and offs[lowest] == 0 and all(o is not None and o >= 0 for o in under):
        out[0] = f"{base}*{lowest + 1}"
    return "-".join(out)


def fingerings(root, kind):
    found = []
    if (root, kind) in OPEN_CHORDS:
        frets = OPEN_CHORDS[(root, kind)]
        found.append((max(f for f in frets if f is not None), entries(0, frets, frets), frets))
    for string, shapes in SHAPES.items():
        if kind not in shapes:
            continue
        placed = place(root, string, shapes[kind])
        if placed is None:
            continue
        base, frets = placed
        found.append((max(f for f in frets if f is not None), entries(base, shapes[kind], frets), frets))
    found.sort(key=lambda t: t[0])
    lines, seen = [], set()
    want = {(NOTES.index(root) + i) % 12 for i in INTERVALS[kind]}
    for _, line, frets in found:
        if line in seen:
            continue
        assert sounded(frets) == want, (root, kind, line)
        fretted = [f for f in frets if f]
        assert not fretted or max(fretted) - min(fretted) < 6, (root, kind, line)
        seen.add(line)
        lines.append(line)
    return lines[:3]


HEADER = """\
# POSITION.INI: Tamblin's fingering dictionary for a six-string guitar in
# standard tuning (E A D G B E).
#
# A section [name] holds one line per fingering; the first is shown first and
# a click on the diagram steps through the others. A line lists the frets of
# string 1 (high E) to string 6 (low E), separated by "-": X = not played,
# 0 = open, 1 to 20 = fret. "3*6" is a barre at fret 3 over this string and the
# next five. A line ">name" makes the section another name of a chord given
# above it. Lines starting with "#" are comments.
#
# To add a chord, write for example:
#   [Cadd9]
#   0-3-0-2-3-X
# "maj" in a sheet is read as "M": Cmaj7 finds [CM7]. "dim" here is the
# diminished seventh, as Japanese chord books write it.
"""


def main():
    lines = HEADER.splitlines()
    for root in NOTES:
        lines.append("")
        lines.append(f"# ---- {root} ----")
        for kind in INTERVALS:
            name = root + kind
            found = fingerings(root, kind)
            if kind in ("", "m", "7", "M7", "m7"):
                assert len(found) >= 2, name
            assert found, name
            lines.append(f"[{name}]")
            lines += found
            for alias in ALIASES.get(kind, []):
                lines += [f"[{root}{alias}]", f">{name}"]
            if root in FLATS:
                lines += [f"[{FLATS[root]}{kind}]", f">{name}"]
                for alias in ALIASES.get(kind, []):
                    lines += [f"[{FLATS[root]}{alias}]", f">{name}"]
    with open(OUT, "wb") as f:
        f.write(("\r\n".join(lines) + "\r\n").encode("cp932"))


main()
