// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/SongStatus.h"

#include "chords/PitchModel.h"
#include "library/SheetSummary.h"

#include <QRegularExpression>
#include <QStringList>

namespace songstatus {

QString Text(const QString &sTitle, const PitchModel &pitch) {
    QStringList parts;
    // A first line often goes on with a label and credits: "曲名：さくら／...",
    // "ふるさと　（作詞 ...）", as the library reads them.
    QString title = sheetsummary::SplitTitle(sTitle).Title;
    const qsizetype cut = title.indexOf(QRegularExpression(QStringLiteral("　|（|\\s[(/]|\\s{2}")));
    if (cut > 0) {
        title = title.left(cut).trimmed();
    }
    if (!title.isEmpty()) {
        parts << (title.size() > 24 ? title.left(23) + u'…' : title);
    }
    const int steps = pitch.Transpose();
    const QString by = steps > 0 ? QStringLiteral("+%1").arg(steps) : QString::number(steps);
    const std::optional<Key> written = pitch.WrittenKey();
    if (written) {
        // The key as it sounds at the sheet's own capo.
        const Key original = written->Moved(pitch.SheetCapo());
        parts << (steps == 0 ? QStringLiteral("Key: %1").arg(original.Name())
                             : QStringLiteral("Key: %1 → %2 (%3)")
                                   .arg(original.Name(), original.Moved(steps).Name(), by));
    } else if (steps != 0) {
        parts << QStringLiteral("移調 %1").arg(by);
    }
    if (pitch.Capo() > 0) {
        const std::optional<Key> shapes = pitch.ShapeKey();
        parts << (shapes ? QStringLiteral("カポ %1: %2 の形").arg(pitch.Capo()).arg(shapes->Name())
                         : QStringLiteral("カポ %1").arg(pitch.Capo()));
    }
    return parts.join(QStringLiteral("　"));
}

} // namespace songstatus
