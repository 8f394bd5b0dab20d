#include "chords/DictionaryEdit.h"

#include "chords/Chord.h"
#include "chords/DictionaryBuilder.h"
#include "chords/VoicingFinder.h"
#include "parsing/ChordSymbol.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/TextFile.h"

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

} // namespace dictionaryedit
