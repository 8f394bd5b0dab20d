// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/DictionaryEdit.h"

#include "chords/Chord.h"
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/TextFile.h"

#include <QSet>

#include <utility>

namespace dictionaryedit {

namespace {
const QString kSource = QStringLiteral("DictionaryEdit");
constexpr int kFingerings = 3;
} // namespace

std::vector<int> TuningOf(const Chord &chord) {
    switch (chord.StringSize()) {
    case 6:
        return VoicingFinder::StandardGuitar();
    case 4:
        return VoicingFinder::Ukulele();
    default:
        return {};
    }
}

QString MakeSection(const Chord &chord, const QString &sChordName) {
    if (!ChordSymbol::Read(sChordName)) {
        throw AppError(Chord::ErrorFormat, kSource,
                       QStringLiteral("\"%1\" はコード名として読めないため、押さえ方を作れません")
                           .arg(sChordName));
    }
    const std::vector<int> tuning = TuningOf(chord);
    if (tuning.empty()) {
        throw AppError(Chord::ErrorFormat, kSource,
                       QStringLiteral("弦が %1 本の辞書には押さえ方を作れません (6 本のギターと "
                                      "4 本のウクレレのみ)")
                           .arg(chord.StringSize()));
    }
    QString section = dictionarybuilder::Section(VoicingFinder(tuning), sChordName, kFingerings);
    if (section.isEmpty()) {
        throw AppError(Chord::ErrorFormat, kSource,
                       QStringLiteral("\"%1\" の弾ける押さえ方が見つかりません").arg(sChordName));
    }
    return section;
}

void AddToFile(const Chord &chord, const QString &sChordName) {
    const QString section = MakeSection(chord, sChordName);
    // A name CP932 cannot hold would come back as another name.
    if (cp932::Decode(cp932::Encode(sChordName)) != sChordName) {
        throw AppError(
            Chord::ErrorFormat, kSource,
            QStringLiteral("\"%1\" は Shift-JIS で書けない文字を含むため、辞書に追加できません")
                .arg(sChordName));
    }
    textfile::AppendAtomically(chord.Filename(),
                               cp932::Encode(QStringLiteral("# added by Tamblin\r\n") + section));
}

namespace {

// "[name]" of a section line (blanks around it allowed), or null.
QByteArray SectionName(QByteArrayView line) {
    line = line.trimmed();
    if (line.size() < 2 || line.front() != '[' || line.back() != ']') {
        return {};
    }
    return line.sliced(1, line.size() - 2).trimmed().toByteArray();
}

// The sections of a file: name and bytes from its "[" line to the next one.
std::vector<std::pair<QByteArray, QByteArrayView>> Sections(const QByteArray &text) {
    std::vector<std::pair<QByteArray, QByteArrayView>> out;
    qsizetype start = -1;
    QByteArray name;
    for (qsizetype at = 0; at < text.size();) {
        qsizetype end = text.indexOf('\n', at);
        end = end < 0 ? text.size() : end + 1;
        const QByteArray found = SectionName(QByteArrayView(text).sliced(at, end - at));
        if (!found.isEmpty()) {
            if (start >= 0) {
                out.emplace_back(name, QByteArrayView(text).sliced(start, at - start));
            }
            start = at;
            name = found;
        }
        at = end;
    }
    if (start >= 0) {
        out.emplace_back(name, QByteArrayView(text).sliced(start));
    }
    return out;
}

} // namespace

QByteArray Rebase(const QByteArray &shipped, const QByteArray &copy) {
    QSet<QByteArray> known;
    for (const auto &section : Sections(shipped)) {
        known.insert(section.first);
    }
    QByteArray out = shipped;
    for (const auto &[name, bytes] : Sections(copy)) {
        if (known.contains(name)) {
            continue;
        }
        if (!out.isEmpty() && !out.endsWith('\n')) {
            out += "\r\n";
        }
        out += bytes;
        known.insert(name);
    }
    return out;
}

} // namespace dictionaryedit
