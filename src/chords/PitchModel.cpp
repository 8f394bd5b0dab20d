// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/PitchModel.h"

#include "parsing/ChordSymbol.h"
#include "platform/AppError.h"

#include <array>
#include <exception>

namespace {

const std::array<const char *, 12> kSharpNames = {"C",  "C#", "D",  "D#", "E",  "F",
                                                  "F#", "G",  "G#", "A",  "A#", "B"};
const std::array<const char *, 12> kFlatNames = {"C",  "Db", "D",  "Eb", "E",  "F",
                                                 "Gb", "G",  "Ab", "A",  "Bb", "B"};

int Mod12(int n) {
    return ((n % 12) + 12) % 12;
}

} // namespace

std::optional<Key> Key::Read(const QString &sName) {
    QString name = ChordSymbol::PlainSigns(sName.trimmed());
    if (name.isEmpty()) {
        return std::nullopt;
    }
    name[0] = name[0].toUpper();
    qsizetype rootLength = name.size() >= 2 && (name[1] == u'#' || name[1] == u'b') ? 2 : 1;
    const int pitch = ChordSymbol::NotePitch(name.left(rootLength));
    if (pitch < 0) {
        return std::nullopt;
    }
    const QString rest = name.mid(rootLength).trimmed().toLower();
    if (rest.isEmpty() || rest == u"major" || rest == u"maj" || rest == u"dur") {
        return Key{pitch, false};
    }
    if (rest == u"m" || rest == u"min" || rest == u"minor" || rest == u"moll") {
        return Key{pitch, true};
    }
    return std::nullopt;
}

Key Key::Moved(int iSteps) const {
    return {Mod12(Pitch + iSteps), Minor};
}

bool Key::PrefersFlats() const {
    // Major keys F, B♭, E♭, A♭, D♭; minor keys Dm, Gm, Cm, Fm, B♭m, E♭m.
    static constexpr std::array<bool, 12> major = {false, true,  false, true,  false, true,
                                                   false, false, true,  false, true,  false};
    static constexpr std::array<bool, 12> minor = {true,  false, true,  true,  false, true,
                                                   false, true,  false, false, true,  false};
    return (Minor ? minor : major)[static_cast<size_t>(Pitch)];
}

QString Key::Name() const {
    const auto &names = PrefersFlats() ? kFlatNames : kSharpNames;
    QString name = QString::fromLatin1(names[static_cast<size_t>(Pitch)]);
    name.replace(u'b', u'♭');
    return Minor ? name + u'm' : name;
}

std::optional<Key> PitchModel::SoundingKey() const {
    if (!m_key) {
        return std::nullopt;
    }
    return m_key->Moved(m_sheetCapo + m_transpose);
}

std::optional<Key> PitchModel::ShapeKey() const {
    if (!m_key) {
        return std::nullopt;
    }
    return m_key->Moved(Shift());
}

bool PitchModel::UseFlats() const {
    switch (m_spelling) {
    case Spelling::Sharp:
        return false;
    case Spelling::Flat:
        return true;
    case Spelling::ByKey:
        break;
    }
    // Unmoved and with no key of its own, a sheet keeps its majority.
    if (Shift() == 0 && m_writtenFlats) {
        return true;
    }
    const std::optional<Key> shape = ShapeKey();
    return shape ? shape->PrefersFlats() : m_writtenFlats;
}

QString PitchModel::MovePart(const QString &sPart, int iSteps, bool bFlats) const {
    const ::Capo::RootSplit split = m_capo.SplitRoot(ChordSymbol::PlainSigns(sPart));
    const int pitch = ChordSymbol::NotePitch(split.Root);
    if (pitch < 0) {
        return sPart; // no root the capo knows: as written
    }
    const auto &names = bFlats ? kFlatNames : kSharpNames;
    return QString::fromLatin1(names[static_cast<size_t>(Mod12(pitch + iSteps))]) + split.Rest;
}

QString PitchModel::Chord(const QString &sWritten) const {
    if (sWritten.isEmpty()) {
        return {};
    }
    auto it = m_shown.constFind(sWritten);
    if (it == m_shown.constEnd()) {
        it = m_shown.insert(sWritten, Move(sWritten));
    }
    return *it;
}

QString PitchModel::Move(const QString &sWritten) const {
    const int shift = Shift();
    // Sharps and no move: as written, as the capo always showed it.
    if (shift == 0 && m_spelling == Spelling::Sharp) {
        return sWritten;
    }
    try {
        const bool flats = UseFlats();
        const ChordSymbol::Decoration d = ChordSymbol::StripDecoration(sWritten);
        const ::Capo::BassSplit split = m_capo.SplitBass(d.core);
        QString out = d.before + MovePart(split.Main, shift, flats);
        if (!split.Separator.isEmpty()) {
            out += split.Separator + MovePart(split.Bass, shift, flats);
        }
        return out + d.after;
    } catch (const std::exception &) {
        throw AppError(::Capo::ErrorCapo, QStringLiteral("Capo"),
                       sWritten + QStringLiteral(" カポ変換でエラーが発生しました"));
    }
}

std::optional<Key> PitchModel::KeyOfChords(const QStringList &names, bool *flats) {
    int sharps = 0;
    int flatCount = 0;
    std::optional<Key> key;
    const ::Capo capo;
    for (const QString &name : names) {
        const ::Capo::BassSplit split = capo.SplitBass(ChordSymbol::StripDecoration(name).core);
        for (const QString &part : {split.Main, split.Bass}) {
            const ::Capo::RootSplit root = capo.SplitRoot(ChordSymbol::PlainSigns(part));
            if (root.Root.size() == 2) {
                (root.Root[1] == u'b' ? flatCount : sharps) += 1;
            }
        }
        if (!key) {
            const ::Capo::RootSplit root = capo.SplitRoot(ChordSymbol::PlainSigns(split.Main));
            const int pitch = ChordSymbol::NotePitch(root.Root);
            if (pitch >= 0) {
                const bool minor = root.Rest.startsWith(u'm') && !root.Rest.startsWith(u"maj");
                key = Key{pitch, minor};
            }
        }
    }
    if (flats) {
        *flats = flatCount > sharps;
    }
    return key;
}
