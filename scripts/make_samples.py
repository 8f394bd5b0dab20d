#!/usr/bin/env python3
# SPDX-License-Identifier: GPL-3.0-or-later
"""Writes the sample chord sheets in data/samples/ (Shift-JIS, CR LF).

Chords are placed above the byte column of the syllable they fall on, the
way a sheet written in a Japanese text editor lines up."""
import os

OUT = os.path.join(os.path.dirname(__file__), "..", "data", "samples")


def width(s):
    return len(s.encode("cp932"))


def row(segments, indent=""):
    """segments: (chord, lyric) pairs; returns the chord line and lyric line."""
    chords, lyric = indent, indent
    for chord, words in segments:
        pad = width(lyric) - width(chords)
        if pad < 0:
            raise ValueError(f"chord {chord} does not fit above {words!r}")
        if pad == 0 and chords.strip():
            raise ValueError(f"chord {chord} touches the one before")
        chords += " " * pad + chord
        lyric += words
    return [chords.rstrip(), lyric.rstrip()]


def tabbed(line, tab=4):
    """Turns runs of spaces that end on a tab stop into tabs."""
    out, col, spaces = "", 0, 0
    for ch in line:
        if ch == " ":
            spaces += 1
            col += 1
            if col % tab == 0 and spaces > 1:
                out += "\t"
                spaces = 0
            continue
        out += " " * spaces + ch
        spaces = 0
        col += width(ch)
    return out


def write(name, lines):
    data = "\r\n".join(lines) + "\r\n"
    with open(os.path.join(OUT, name), "wb") as f:
        f.write(data.encode("cp932"))


furusato = ["ふるさと　（作詞 高野辰之／作曲 岡野貞一）", "Key: F  3/4", ""]
verses = [
    [[("F", "兎追いし　"), ("C7", "かの"), ("F", "山")],
     [("F", "小鮒釣りし　"), ("G7", "かの"), ("C7", "川")],
     [("F", "夢は今も　"), ("B♭", "めぐり"), ("F", "て")],
     [("Dm", "忘れ"), ("Gm7", "がたき　"), ("C7", "ふる"), ("F", "さと")]],
    [[("F", "如何にいます　"), ("C7", "ちち"), ("F", "はは")],
     [("F", "恙なしや　"), ("G7", "とも"), ("C7", "がき")],
     [("F", "雨に風に　"), ("B♭", "つけ"), ("F", "ても")],
     [("Dm", "思い"), ("Gm7", "いずる　"), ("C7", "ふる"), ("F", "さと")]],
    [[("F", "こころざしを　"), ("C7", "はたし"), ("F", "て")],
     [("F", "いつの日にか　"), ("G7", "かえ"), ("C7", "らん")],
     [("F", "山は青き　"), ("B♭", "ふる"), ("F", "さと")],
     [("Dm", "水は"), ("Gm7", "清き　"), ("C7", "ふる"), ("F", "さと")]],
]
for n, verse in enumerate(verses, 1):
    furusato.append(f"{n}.")
    for segs in verse:
        furusato += row(segs)
    furusato.append("")
write("furusato.txt", furusato)

# Full-width chord names, bar lines between chords, ideographic spaces.
sakura = ["さくらさくら　（日本古謡）", ""]
sakura_rows = [
    [("Ａｍ", "さくら　"), ("Ｅ７", "さくら")],
    [("Ａｍ", "やよいの"), ("Ｄｍ", "空は")],
    [("Ａｍ", "見わたす"), ("Ｆ", "限り")],
    [("Ｄｍ", "かすみか"), ("Ｅ", "雲か")],
    [("Ａｍ", "匂いぞ"), ("Ｃｍ７", "出ずる")],
    [("Ａｍ", "いざや　"), ("Ｅ７", "いざや")],
    [("Ｆ", "見に"), ("Ｅ７", "ゆかん　"), ("Ａｍ", "")],
]
for segs in sakura_rows:
    chords, lyric = row(segs)
    # A bar line in the middle of the gap before the second chord.
    head, gap, tail = chords.partition("  ")
    if gap:
        rest = tail.lstrip(" ")
        spaces = len(tail) - len(rest) + 2
        chords = head + " " * (spaces // 2) + "|" + " " * (spaces - spaces // 2 - 1) + rest
    sakura += [chords, lyric]
sakura.append("")
sakura += ["Ａｍ　｜Ｄｍ　｜Ｅ７　┃Ａｍ", "（後奏）"]
write("sakura.txt", sakura)

# Tabs in the chord lines, slash and "on" chords, an intro without lyrics.
grace = ["Amazing Grace  (John Newton, 1779)", "Capo 0 / 3/4", "",
         "G       C  |  G       D7", ""]
grace_rows = [
    [[("G", "Amazing "), ("G7/B", "grace, how "), ("C", "sweet the "), ("G", "sound")],
     [("G", "That saved a "), ("Em7", "wretch like "), ("D7sus4", "me     "), ("D7", "")],
     [("G", "I once was "), ("G/B", "lost, but "), ("C", "now am "), ("G", "found")],
     [("Em", "Was blind, but "), ("D/F#", "now I "), ("G", "see")]],
    [[("G", "'Twas grace that "), ("G7", "taught my "), ("C", "heart to "), ("G", "fear")],
     [("G", "And grace my "), ("Em", "fears re"), ("D7", "lieved")],
     [("G", "How precious "), ("G7", "did that "), ("ConE", "grace ap"), ("G", "pear")],
     [("Em", "The hour I "), ("D", "first be"), ("G", "lieved")]],
]
for n, verse in enumerate(grace_rows, 1):
    grace.append(f"verse {n}")
    for segs in verse:
        chords, lyric = row(segs)
        grace += [tabbed(chords), lyric]
    grace.append("")
write("amazing_grace.txt", grace)
