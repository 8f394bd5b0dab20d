// SPDX-License-Identifier: GPL-3.0-or-later
// tamblin-dict: writes a position file for a tuning and a list of chord names,
// with voicings from Tamblin's voicing finder.
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"
#include "platform/CodePage932.h"

#include <QCoreApplication>
#include <QFile>
#include <QSaveFile>
#include <QTextStream>

#include <cstdio>

namespace {

const char *const kUsage = R"(usage: tamblin-dict [options]
  --guitar            standard tuning E A D G B E (the default)
  --ukulele           G C E A, with the high re-entrant G
  --tuning P1,P2,...  open pitches of strings 1..N as MIDI numbers (3 to 7)
  --names FILE        chord names, one a line (default: the standard set)
  --no-slash          leave the slash chords out of the standard set
  --header FILE       comment header to write first (UTF-8)
  --show NAME...      print the fingerings found for each name, best first
  -o FILE             write the position file here (CP932, CR LF)
)";

QString Header(bool ukulele) {
    const char *guitar =
        R"(# POSITION.INI: Tamblin's fingering dictionary for a six-string guitar in
# standard tuning (E A D G B E), written by tamblin-dict.
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
# or use "押さえ方を作って辞書に追加" in a cell's pop-up menu.
# "maj" in a sheet is read as "M": Cmaj7 finds [CM7]. "dim" here is the
# diminished seventh, as Japanese chord books write it. A name written
# another way (C7(9) for C9, Db for C#, ConE for C/E) finds the chord of the
# same sound.
)";
    const char *uke = R"(# UKULELE.INI: Tamblin's fingering dictionary for a ukulele tuned G C E A
# (the G an octave up, re-entrant), written by tamblin-dict.
#
# A section [name] holds one line per fingering; the first is shown first and
# a click on the diagram steps through the others. A line lists the frets of
# string 1 (A) to string 4 (G), separated by "-": X = not played, 0 = open,
# 1 to 20 = fret. "2*4" is a barre at fret 2 over this string and the next
# three. A line ">name" makes the section another name of a chord given above
# it. Lines starting with "#" are comments.
#
# To add a chord, write for example:
#   [Cadd9]
#   3-0-2-0
# "dim" here is the diminished seventh, as Japanese chord books write it.
)";
    QString h = QString::fromUtf8(ukulele ? uke : guitar);
    h.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return h;
}

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    std::vector<int> tuning = VoicingFinder::StandardGuitar();
    bool ukulele = false;
    bool slash = true;
    QString namesFile, headerFile, out;
    QStringList show;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString a = args[i];
        const auto next = [&]() -> QString { return i + 1 < args.size() ? args[++i] : QString(); };
        if (a == u"--guitar") {
            tuning = VoicingFinder::StandardGuitar();
        } else if (a == u"--ukulele") {
            tuning = VoicingFinder::Ukulele();
            ukulele = true;
            slash = false;
        } else if (a == u"--tuning") {
            tuning.clear();
            for (const QString &p : next().split(u',')) {
                tuning.push_back(p.toInt());
            }
        } else if (a == u"--names") {
            namesFile = next();
        } else if (a == u"--no-slash") {
            slash = false;
        } else if (a == u"--header") {
            headerFile = next();
        } else if (a == u"-o") {
            out = next();
        } else if (a == u"--show") {
            show = args.mid(i + 1);
            break;
        } else {
            std::fputs(kUsage, a == u"--help" ? stdout : stderr);
            return a == u"--help" ? 0 : 2;
        }
    }
    if (tuning.size() < 3 || tuning.size() > 7) {
        std::fputs("tamblin-dict: a tuning has 3 to 7 strings\n", stderr);
        return 2;
    }
    const VoicingFinder finder(tuning);
    QTextStream stdOut(stdout);
    if (!show.isEmpty()) {
        for (const QString &name : show) {
            const auto chord = ChordSymbol::Read(name);
            if (!chord) {
                stdOut << name << ": not a chord name this reader knows\n";
                continue;
            }
            const auto all = finder.Find(*chord);
            stdOut << name << ": " << all.size() << " fingerings;";
            for (const Voicing &v : finder.Pick(*chord, 3)) {
                stdOut << "  " << v.ToPositionLine();
            }
            stdOut << "\n";
        }
        return 0;
    }
    QStringList names;
    if (namesFile.isEmpty()) {
        names = dictionarybuilder::StandardNames(slash);
    } else {
        QFile f(namesFile);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tamblin-dict: cannot read %s\n", qPrintable(namesFile));
            return 1;
        }
        for (const QString &line : QString::fromUtf8(f.readAll()).split(u'\n')) {
            if (!line.trimmed().isEmpty() && !line.trimmed().startsWith(u'#')) {
                names << line.trimmed();
            }
        }
    }
    QString header = Header(ukulele);
    if (!headerFile.isEmpty()) {
        QFile f(headerFile);
        if (!f.open(QIODevice::ReadOnly)) {
            std::fprintf(stderr, "tamblin-dict: cannot read %s\n", qPrintable(headerFile));
            return 1;
        }
        header = QString::fromUtf8(f.readAll())
                     .replace(QStringLiteral("\r\n"), "\n")
                     .replace(u'\n', QStringLiteral("\r\n"));
    }
    const QByteArray text = cp932::Encode(dictionarybuilder::Build(finder, names, header, true));
    if (out.isEmpty()) {
        std::fwrite(text.constData(), 1, size_t(text.size()), stdout);
        return 0;
    }
    QSaveFile f(out);
    if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size() || !f.commit()) {
        std::fprintf(stderr, "tamblin-dict: cannot write %s\n", qPrintable(out));
        return 1;
    }
    return 0;
}
