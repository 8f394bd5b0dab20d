// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <cstdint>

// Rewrites a chord name from the sheet into the shape to finger with a capo:
// the root, and the bass of a slash or "on" chord, go down by Capo semitones.
class Capo {
public:
    static constexpr int32_t ErrorCapo = static_cast<int32_t>(0x8004C378u);

    struct BassSplit {
        QString Main;
        QString Separator; // "/", the "on" as written, or empty
        QString Bass;
    };
    struct RootSplit {
        QString Root;
        QString Rest;
    };

    Capo();

    void SetCapo(int16_t iCapo) { m_capo = iCapo; }
    int16_t Value() const { return m_capo; }
    QString Chord(const QString &sChord) const;

    BassSplit SplitBass(const QString &sChord) const;
    RootSplit SplitRoot(const QString &sPart) const;
    QString TransposePart(const QString &sPart) const;

private:
    int16_t m_capo = 0;
    QHash<QString, QString> m_stepDown; // keys in upper case
    QStringList m_roots;
};
