// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// What chord names mean and what a hand can play, written out here on their
// own, so that the reader, the finder and the shipped files are checked
// against facts rather than against themselves.
#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace chordfacts {

// Required and optional intervals above the root, in semitones.
struct Facts {
    QSet<int> required;
    QSet<int> optional;
};

// Every suffix the shipped files use, with its sound as chord books give it.
// "(x)" marks a tone that may be left out.
inline const QHash<QString, Facts> &Suffixes() {
    static const QHash<QString, Facts> table = [] {
        QHash<QString, Facts> t;
        const auto add = [&t](std::initializer_list<const char *> names, QSet<int> req,
                              QSet<int> opt) {
            for (const char *n : names) {
                t.insert(QString::fromUtf8(n), {req, opt});
            }
        };
        add({"", "M"}, {0, 4, 7}, {});
        add({"m"}, {0, 3, 7}, {});
        add({"7"}, {0, 4, 10}, {7});
        add({"M7", "△7", "Maj7"}, {0, 4, 11}, {7});
        add({"m7"}, {0, 3, 10}, {7});
        add({"sus4", "sus"}, {0, 5, 7}, {});
        add({"7sus4", "7(sus4)"}, {0, 5, 10}, {7});
        add({"6"}, {0, 4, 9}, {7});
        add({"m6"}, {0, 3, 9}, {7});
        add({"add9", "add2"}, {0, 2, 4}, {7});
        add({"9", "7(9)"}, {0, 2, 4, 10}, {7});
        add({"m7-5", "m7(b5)", "m7b5"}, {0, 3, 6, 10}, {});
        add({"dim", "dim7"}, {0, 3, 6, 9}, {});
        add({"aug", "+"}, {0, 4, 8}, {});
        add({"sus2"}, {0, 2, 7}, {});
        add({"mM7", "m(M7)"}, {0, 3, 11}, {7});
        add({"m9", "m7(9)"}, {0, 2, 3, 10}, {7});
        add({"M9"}, {0, 2, 4, 11}, {7});
        add({"madd9", "m(add9)"}, {0, 2, 3}, {7});
        add({"69", "6(9)"}, {0, 2, 4, 9}, {7});
        add({"5"}, {0, 7}, {});
        add({"2"}, {0, 2, 7}, {4});
        add({"7-5", "7b5"}, {0, 4, 6, 10}, {});
        add({"7+5", "aug7", "7#5"}, {0, 4, 8, 10}, {});
        add({"7(b9)"}, {0, 1, 4, 10}, {7});
        add({"7(#9)"}, {0, 3, 4, 10}, {7});
        add({"7(13)"}, {0, 4, 9, 10}, {7});
        add({"7(b13)"}, {0, 4, 8, 10}, {7});
        add({"7(#11)"}, {0, 4, 6, 10}, {7});
        add({"7(9,13)"}, {0, 2, 4, 9, 10}, {7});
        add({"7(b9,13)"}, {0, 1, 4, 9, 10}, {7});
        add({"7(b9,b13)"}, {0, 1, 4, 8, 10}, {7});
        add({"7(#9,b13)"}, {0, 3, 4, 8, 10}, {7});
        add({"7alt"}, {0, 3, 4, 10}, {1, 6, 8});
        add({"11"}, {0, 4, 5, 10}, {2, 7});
        add({"m11"}, {0, 3, 5, 10}, {2, 7});
        add({"13"}, {0, 4, 9, 10}, {2, 7});
        add({"m13"}, {0, 3, 9, 10}, {2, 5, 7});
        add({"M13"}, {0, 4, 9, 11}, {2, 7});
        add({"M7(#11)"}, {0, 4, 6, 11}, {7});
        add({"M7+5"}, {0, 4, 8, 11}, {});
        add({"m69"}, {0, 2, 3, 9}, {7});
        add({"9sus4"}, {0, 2, 5, 10}, {7});
        add({"7sus2"}, {0, 2, 10}, {7});
        add({"add11"}, {0, 4, 5}, {7});
        add({"madd11"}, {0, 3, 5}, {7});
        add({"m7(11)"}, {0, 3, 5, 10}, {7});
        add({"9(#11)"}, {0, 2, 4, 6, 10}, {7});
        add({"13(b9)"}, {0, 1, 4, 9, 10}, {7});
        add({"mM9"}, {0, 2, 3, 11}, {7});
        add({"M7sus4"}, {0, 5, 11}, {7});
        add({"6sus4"}, {0, 5, 9}, {7});
        add({"m7(b9)"}, {0, 1, 3, 10}, {7});
        add({"7(b5,b9)"}, {0, 1, 4, 6, 10}, {});
        add({"m6(9)"}, {0, 2, 3, 9}, {7});
        add({"M7(9,13)"}, {0, 2, 4, 9, 11}, {7});
        return t;
    }();
    return table;
}

inline int Pitch(const QString &note) {
    static const QHash<QString, int> notes{{"C", 0},   {"C#", 1}, {"Db", 1}, {"D", 2},  {"D#", 3},
                                           {"Eb", 3},  {"E", 4},  {"F", 5},  {"F#", 6}, {"Gb", 6},
                                           {"G", 7},   {"G#", 8}, {"Ab", 8}, {"A", 9},  {"A#", 10},
                                           {"Bb", 10}, {"B", 11}};
    return notes.value(note, -1);
}

// A chord name of the shipped files: root, suffix, bass ("/X" or "onX").
struct Name {
    int root = -1;
    QString suffix;
    int bass = -1;
};

inline std::optional<Name> Split(const QString &name) {
    Name n;
    const int len = name.size() > 1 && (name[1] == u'#' || name[1] == u'b') ? 2 : 1;
    n.root = Pitch(name.left(len));
    QString rest = name.mid(len);
    for (const QString &sep : {QStringLiteral("/"), QStringLiteral("on")}) {
        const qsizetype at = rest.lastIndexOf(sep);
        if (at >= 0 && Pitch(rest.mid(at + sep.size())) >= 0) {
            n.bass = Pitch(rest.mid(at + sep.size()));
            rest = rest.left(at);
            break;
        }
    }
    n.suffix = rest;
    if (n.root < 0 || !Suffixes().contains(rest)) {
        return std::nullopt;
    }
    return n;
}

// A fingering as a position file gives it: frets of strings 1..N (-1 muted)
// and barres (fret, first string, strings covered).
struct Fingering {
    std::vector<int> frets;
    std::vector<int> multi;
};

// Why a fingering does not sound the chord or cannot be played; empty if fine.
// open: MIDI pitches of strings 1..N.
inline QString Check(const Name &n, const Fingering &f, const std::vector<int> &open) {
    const Facts &facts = Suffixes().value(n.suffix);
    QSet<int> heard;
    int lowest = 1000;
    int lowestPc = -1;
    int fretted = 0, low = 99, high = 0;
    for (size_t s = 0; s < f.frets.size(); ++s) {
        if (f.frets[s] < 0) {
            continue;
        }
        const int p = open[s] + f.frets[s];
        heard << (p - n.root + 120) % 12;
        if (p < lowest) {
            lowest = p;
            lowestPc = p % 12;
        }
        if (f.frets[s] > 0) {
            ++fretted;
            low = std::min(low, f.frets[s]);
            high = std::max(high, f.frets[s]);
        }
    }
    const int bassInterval = n.bass >= 0 ? (n.bass - n.root + 12) % 12 : -1;
    for (int i : facts.required) {
        if (!heard.contains(i)) {
            return QStringLiteral("interval %1 missing").arg(i);
        }
    }
    if (bassInterval >= 0 && !heard.contains(bassInterval)) {
        return QStringLiteral("bass missing");
    }
    for (int i : heard) {
        if (!facts.required.contains(i) && !facts.optional.contains(i) && i != bassInterval) {
            return QStringLiteral("interval %1 does not belong").arg(i);
        }
    }
    if (n.bass >= 0 && lowestPc != n.bass) {
        return QStringLiteral("bass not lowest");
    }
    if (fretted > 0 && high - low + 1 > 4) {
        return QStringLiteral("span of %1 frets").arg(high - low + 1);
    }
    // Fingers: one per fretted string, but one for all the strings a barre
    // covers at its fret; nothing open or muted under a barre.
    int fingers = fretted;
    for (size_t s = 0; s < f.frets.size(); ++s) {
        if (f.multi[s] <= 1) {
            continue;
        }
        int covered = 0;
        for (size_t k = s; k < s + size_t(f.multi[s]); ++k) {
            if (f.frets[k] < f.frets[s]) {
                return QStringLiteral("open or muted string under the barre");
            }
            covered += f.frets[k] == f.frets[s] ? 1 : 0;
        }
        fingers -= covered - 1;
    }
    if (fingers > 4) {
        return QStringLiteral("%1 fingers").arg(fingers);
    }
    return {};
}

inline const std::vector<int> &Guitar() {
    static const std::vector<int> g{64, 59, 55, 50, 45, 40};
    return g;
}
inline const std::vector<int> &Ukulele() {
    static const std::vector<int> u{69, 64, 60, 67};
    return u;
}

} // namespace chordfacts
