// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/DictionaryBuilder.h"

#include "parsing/ChordSymbol.h"

#include <QHash>
#include <QSet>

namespace dictionarybuilder {

namespace {

const QStringList kSharpRoots{"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
const QHash<QString, QString> kFlatOf{
    {"C#", "Db"}, {"D#", "Eb"}, {"F#", "Gb"}, {"G#", "Ab"}, {"A#", "Bb"}};

// Chord types whose slash chords are written over each of their tones.
const char *const kSlashTypes[] = {"",  "m",     "7",  "m7", "M7", "sus4",  "sus2", "add9", "6",
                                   "2", "7sus4", "m6", "9",  "m9", "7(b9)", "m7-5", "dim",  "aug"};

// Suffix spellings written as aliases beside the standard one.
const QHash<QString, QStringList> kSuffixSpellings{{"m7-5", {"m7(b5)", "m7b5"}},
                                                   {"dim", {"dim7"}},
                                                   {"aug", {"+"}},
                                                   {"7sus4", {"7(sus4)"}},
                                                   {"M7", {"△7", "Maj7"}},
                                                   {"9", {"7(9)"}},
                                                   {"m9", {"m7(9)"}},
                                                   {"add9", {"add2"}},
                                                   {"madd9", {"m(add9)"}},
                                                   {"69", {"6(9)"}},
                                                   {"7+5", {"aug7", "7#5"}},
                                                   {"7-5", {"7b5"}},
                                                   {"mM7", {"m(M7)"}},
                                                   {"sus4", {"sus"}}};

QString NoteName(int pc) {
    return kSharpRoots[pc];
}

// "C#m7/G#" split into root, suffix, separator and bass.
struct Split {
    QString root, suffix, separator, bass;
};

Split SplitName(const QString &name) {
    Split s;
    const qsizetype rootLength = name.size() > 1 && (name[1] == u'#' || name[1] == u'b') ? 2 : 1;
    s.root = name.left(rootLength);
    QString rest = name.mid(rootLength);
    const qsizetype slash = rest.lastIndexOf(u'/');
    if (slash >= 0 && ChordSymbol::NotePitch(rest.mid(slash + 1)) >= 0) {
        s.bass = rest.mid(slash + 1);
        s.separator = QStringLiteral("/");
        rest = rest.left(slash);
    }
    s.suffix = rest;
    return s;
}

QStringList Spellings(const QString &note) {
    QStringList out{note};
    if (kFlatOf.contains(note)) {
        out << kFlatOf.value(note);
    }
    return out;
}

} // namespace

const std::vector<ChordType> &StandardTypes() {
    static const std::vector<ChordType> types{
        // The common ones, with three fingerings.
        {"", 3},
        {"m", 3},
        {"7", 3},
        {"M7", 3},
        {"m7", 3},
        {"sus4", 3},
        {"7sus4", 3},
        {"6", 3},
        {"m6", 3},
        {"add9", 3},
        {"9", 3},
        {"m7-5", 3},
        {"dim", 3},
        {"aug", 3},
        {"sus2", 3},
        {"mM7", 3},
        {"m9", 3},
        {"M9", 3},
        {"madd9", 3},
        {"69", 3},
        // The others, with two.
        {"5", 2},
        {"2", 2},
        {"7-5", 2},
        {"7+5", 2},
        {"7(b9)", 2},
        {"7(#9)", 2},
        {"7(13)", 2},
        {"7(b13)", 2},
        {"7(#11)", 2},
        {"7(9,13)", 2},
        {"7(b9,13)", 2},
        {"7(b9,b13)", 2},
        {"7(#9,b13)", 2},
        {"7alt", 2},
        {"11", 2},
        {"m11", 2},
        {"13", 2},
        {"m13", 2},
        {"M13", 2},
        {"M7(#11)", 2},
        {"M7+5", 2},
        {"m69", 2},
        {"9sus4", 2},
        {"7sus2", 2},
        {"add11", 2},
        {"madd11", 2},
        {"m7(11)", 2},
        {"9(#11)", 2},
        {"13(b9)", 2},
        {"mM9", 2},
        {"M7sus4", 2},
        {"6sus4", 2},
        {"m7(b9)", 2},
        {"7(b5,b9)", 2},
        {"m6(9)", 2},
        {"M7(9,13)", 2},
    };
    return types;
}

QStringList StandardNames(bool bWithSlashChords) {
    QStringList names;
    for (const QString &root : kSharpRoots) {
        for (const ChordType &t : StandardTypes()) {
            names << root + QString::fromUtf8(t.Suffix);
        }
    }
    if (!bWithSlashChords) {
        return names;
    }
    // Slash chords over every bass note, those over a chord tone first.
    for (int r = 0; r < 12; ++r) {
        const QString &root = kSharpRoots[r];
        for (int pass = 0; pass < 2; ++pass) {
            for (const char *type : kSlashTypes) {
                const auto chord = ChordSymbol::Read(root + QString::fromUtf8(type));
                for (int i = 1; chord && i < 12; ++i) {
                    const bool tone = chord->Allowed() & (1u << i);
                    if (tone == (pass == 0)) {
                        names << root + QString::fromUtf8(type) + u'/' + NoteName((r + i) % 12);
                    }
                }
            }
        }
    }
    return names;
}

QStringList OtherSpellings(const QString &sName) {
    const Split s = SplitName(sName);
    QStringList suffixes{s.suffix};
    suffixes << kSuffixSpellings.value(s.suffix);
    QStringList out;
    for (const QString &root : Spellings(s.root)) {
        for (const QString &suffix : suffixes) {
            if (s.bass.isEmpty()) {
                out << root + suffix;
                continue;
            }
            // The "on" spelling; flat spellings of slash chords are found by
            // their sound, which keeps the file small enough to load at once.
            if (root == s.root && suffix == s.suffix) {
                out << root + suffix + QStringLiteral("on") + s.bass;
            }
        }
    }
    out.removeAll(sName);
    out.removeDuplicates();
    return out;
}

QString Section(const VoicingFinder &finder, const QString &sName, int iFingerings) {
    const auto chord = ChordSymbol::Read(sName);
    if (!chord) {
        return {};
    }
    const std::vector<Voicing> voicings = finder.Pick(*chord, size_t(iFingerings));
    if (voicings.empty()) {
        return {};
    }
    QString text = u'[' + sName + QStringLiteral("]\r\n");
    for (const Voicing &v : voicings) {
        text += v.ToPositionLine() + QStringLiteral("\r\n");
    }
    return text;
}

QString Build(const VoicingFinder &finder, const QStringList &names, const QString &sHeader,
              bool bAliases) {
    QHash<QString, int> fingerings;
    for (const ChordType &t : StandardTypes()) {
        fingerings.insert(QString::fromUtf8(t.Suffix), t.Fingerings);
    }
    QString out = sHeader;
    QSet<QString> written;
    QHash<QString, QString> bySound; // chord key to the first name written for it
    QString lastRoot;
    const auto alias = [&out, &written](const QString &name, const QString &target) {
        if (!written.contains(name)) {
            out += u'[' + name + QStringLiteral("]\r\n>") + target + QStringLiteral("\r\n");
            written.insert(name);
        }
    };
    for (const QString &name : names) {
        if (written.contains(name)) {
            continue;
        }
        const auto chord = ChordSymbol::Read(name);
        if (!chord) {
            continue;
        }
        const Split split = SplitName(name);
        if (split.root != lastRoot && split.bass.isEmpty()) {
            out += QStringLiteral("\r\n# ---- %1 ----\r\n").arg(split.root);
            lastRoot = split.root;
        } else if (!split.bass.isEmpty() && lastRoot != QStringLiteral("/")) {
            out += QStringLiteral("\r\n# ---- slash and \"on\" chords ----\r\n");
            lastRoot = QStringLiteral("/");
        }
        const QString key = chord->Key();
        if (bySound.contains(key)) {
            alias(name, bySound.value(key));
        } else {
            const QString section =
                Section(finder, name, split.bass.isEmpty() ? fingerings.value(split.suffix, 2) : 2);
            if (section.isEmpty()) {
                continue;
            }
            out += section;
            written.insert(name);
            bySound.insert(key, name);
        }
        if (bAliases) {
            for (const QString &other : OtherSpellings(name)) {
                alias(other, bySound.value(key));
            }
        }
    }
    return out;
}

} // namespace dictionarybuilder
