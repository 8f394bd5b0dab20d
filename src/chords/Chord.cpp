// SPDX-License-Identifier: GPL-3.0-or-later
#include "chords/Chord.h"

#include "parsing/ChordSymbol.h"
#include "parsing/basPath.h"
#include "parsing/basString.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/Numeric.h"
#include "platform/TextFile.h"

#include <algorithm>

namespace {
const QString kSource = QStringLiteral("Chord");
constexpr int16_t kMaxSpan = 6;
} // namespace

Chord::Chord() {
    Initialize();
}

void Chord::Initialize() {
    m_bySound.reset();
    m_positions.assign(1, Position{});
    m_chainEnd.clear();
    m_dictionary = std::make_shared<NameDictionary>();
    m_stringSize = -1;
    m_flatSize = 4;
}

QString Chord::MakeMessage(const QString &sText) const {
    return QStringLiteral("%1(%2): %3")
        .arg(basPath::GetFileName(m_filename))
        .arg(m_line)
        .arg(sText);
}

void Chord::Raise(int32_t number, const QString &sText) const {
    throw AppError(number, kSource, MakeMessage(sText));
}

void Chord::LoadChordPosition(const QString &sFname) {
    Initialize();
    m_filename = sFname;
    m_line = 0;
    LineReader reader(sFname);
    QString current;
    QByteArray bytes;
    // Editors that save UTF-8 often put a BOM first; such a file is UTF-8.
    bool utf8 = false;
    while (reader.ReadLine(bytes)) {
        if (m_line == 0 && bytes.startsWith("\xEF\xBB\xBF")) {
            utf8 = true;
            bytes.remove(0, 3);
        }
        if (m_line == INT16_MAX) {
            throw AppError::overflow(
                kSource, QStringLiteral("ポジションファイルの行数が 32767 を越えています: %1")
                             .arg(textfile::FullPath(sFname)));
        }
        ++m_line;
        // Most lines are plain ASCII, the same in either encoding.
        const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                       [](char b) { return static_cast<unsigned char>(b) < 0x80; });
        const QString line = basString::TrimBlank(ascii  ? QString::fromLatin1(bytes)
                                                  : utf8 ? QString::fromUtf8(bytes)
                                                         : cp932::Decode(bytes));
        if (line.isEmpty() || line.startsWith(u'#')) {
            continue;
        }
        if (line.startsWith(u'[') && line.endsWith(u']')) {
            current = basString::TrimBlank(line.mid(1, line.size() - 2));
            continue;
        }
        if (current.isEmpty()) {
            Raise(ErrorFormat, QStringLiteral("コード名が指定されていません"));
        }
        if (line.startsWith(u'>')) {
            RegistAlias(basString::TrimBlank(line.mid(1)), current);
        } else {
            RegistChord(current, line);
        }
    }
}

void Chord::RegistChord(const QString &sChordName, const QString &sPosition) {
    m_bySound.reset();
    if (sChordName.isEmpty()) {
        Raise(ErrorFormat, QStringLiteral("コード名に空白は指定できません"));
    }
    Position position = ParsePosition(sPosition);
    if (m_positions.size() > static_cast<size_t>(INT16_MAX)) {
        throw AppError::overflow(kSource, QStringLiteral("ポジションの数が 32767 を越えています: "
                                                         "%1 の %2 行目")
                                              .arg(basPath::GetFileName(m_filename))
                                              .arg(m_line));
    }
    const auto id = static_cast<int16_t>(m_positions.size());
    position.NextPosition = 0;
    m_positions.push_back(position);

    // Registration goes by the written name alone, never by sound.
    int16_t first = m_dictionary->Item(
        basString::ReplaceString(sChordName, QStringLiteral("maj"), QStringLiteral("M")));
    // A name with "maj" is stored as written but looked up with "M": without
    // this its second fingering would collide with its own key.
    if (first == 0 && m_dictionary->Exists(sChordName)) {
        first = m_dictionary->Item(sChordName);
    }
    if (first == 0) {
        m_dictionary->Add(sChordName, id);
        return;
    }
    // Chains only grow, so a remembered end is still in the chain.
    const auto at = static_cast<size_t>(first);
    if (m_chainEnd.size() <= at) {
        m_chainEnd.resize(m_positions.size(), 0);
    }
    int16_t last = m_chainEnd[at] != 0 ? m_chainEnd[at] : first;
    while (m_positions[static_cast<size_t>(last)].NextPosition != 0) {
        last = m_positions[static_cast<size_t>(last)].NextPosition;
    }
    m_positions[static_cast<size_t>(last)].NextPosition = id;
    m_chainEnd[at] = id;
}

void Chord::RegistAlias(const QString &sChordName, const QString &sAliasName) {
    m_bySound.reset();
    if (sAliasName.isEmpty()) {
        Raise(ErrorAliasEmpty, QStringLiteral("コード名に空白は指定できません"));
    }
    const int16_t id = m_dictionary->Item(
        basString::ReplaceString(sChordName, QStringLiteral("maj"), QStringLiteral("M")));
    if (id == 0) {
        Raise(ErrorAliasTarget, QStringLiteral("コード\"%1\"が登録されていません").arg(sChordName));
    }
    if (!m_dictionary->Add(sAliasName, id)) {
        throw AppError(AppError::DuplicateKey, kSource,
                       QStringLiteral("コード名 \"%1\" は既に登録されています").arg(sAliasName));
    }
}

Chord::Position Chord::ParsePosition(const QString &sPosition) {
    Position p;
    for (int s = 1; s <= 6; ++s) {
        p.Flat[static_cast<size_t>(s)] = -9;
    }
    // Most lines are written plainly ("3*5-5-5-5-3-X"): read those without
    // splitting; anything else goes the general way, with its errors.
    if (!ParsePlainFlats(sPosition, p)) {
        ParseFlats(sPosition, p);
    }
    return Finish(p);
}

bool Chord::ParsePlainFlats(const QString &sPosition, Position &p) const {
    if (m_stringSize < 3) {
        return false;
    }
    const QChar *c = sPosition.constData();
    const QChar *end = c + sPosition.size();
    int16_t string = 0;
    while (c < end) {
        if (++string > m_stringSize) {
            return false;
        }
        int16_t flat = 0;
        if (*c == u'X' || *c == u'x') {
            flat = -1;
            ++c;
        } else if (*c == u'0') {
            ++c;
        } else if (*c >= u'1' && *c <= u'9') {
            flat = static_cast<int16_t>(c->unicode() - u'0');
            ++c;
            if (c < end && *c >= u'0' && *c <= u'9') {
                flat = static_cast<int16_t>(flat * 10 + (c->unicode() - u'0'));
                ++c;
            }
            if (flat > 20) {
                return false;
            }
        } else {
            return false;
        }
        int16_t multi = 1;
        if (c < end && *c == u'*') {
            ++c;
            if (c == end || *c < u'1' || *c > u'7' || flat <= 0) {
                return false;
            }
            multi = static_cast<int16_t>(c->unicode() - u'0');
            ++c;
            if (multi > m_stringSize - string + 1) {
                return false;
            }
        }
        p.Flat[static_cast<size_t>(string)] = flat;
        p.Multi[static_cast<size_t>(string)] = multi;
        if (c < end) {
            if (*c != u'-' || c + 1 == end) {
                return false;
            }
            ++c;
        }
    }
    return string == m_stringSize;
}

void Chord::ParseFlats(const QString &sPosition, Position &p) {
    const QStringList entries = sPosition.split(u'-');
    const qsizetype n = entries.size();
    if (m_stringSize == -1) {
        if (n < 3 || n > 7) {
            Raise(ErrorFormat, QStringLiteral("弦の数は3～7本です"));
        }
        m_stringSize = static_cast<int16_t>(n);
    }
    if (n != m_stringSize) {
        Raise(ErrorFormat, QStringLiteral("ポジションデータが不正です"));
    }
    for (int32_t k = 1; k <= n; ++k) {
        ParseFlat(entries[k - 1], k, p.Flat[static_cast<size_t>(k)],
                  p.Multi[static_cast<size_t>(k)]);
    }
}

Chord::Position Chord::Finish(Position &p) {
    const int16_t n = m_stringSize;
    int16_t low = 20;
    int16_t high = 1;
    for (int32_t k = 1; k <= n; ++k) {
        const int16_t f = p.Flat[static_cast<size_t>(k)];
        if (f >= 1) {
            low = std::min(low, f);
            high = std::max(high, f);
        }
    }
    if (low == 20 && high == 1) {
        low = 1;
    }
    p.FlatMin = low;
    p.FlatMax = high;
    const auto span = static_cast<int16_t>(high - low + 1);
    if (span > kMaxSpan) {
        Raise(ErrorFretRange, QStringLiteral("フレットの範囲は最大%1です").arg(kMaxSpan));
    }
    if (span > m_flatSize) {
        m_flatSize = span;
    }
    return p;
}

void Chord::ParseFlat(const QString &sEntry, int16_t iString, int16_t &flat, int16_t &multi) const {
    QString entry = sEntry;
    int16_t times = 1;
    const qsizetype star = entry.indexOf(u'*');
    if (star >= 0) {
        const QString m = basString::TrimBlank(entry.mid(star + 1));
        const std::optional<double> value = numeric::ParseNumber(m);
        if (!value) {
            Raise(ErrorMultiNotNumber, QStringLiteral("倍数指定に数値以外を使用しています"));
        }
        const std::optional<int16_t> rounded = numeric::ToInt16(*value);
        if (!rounded) {
            throw AppError::overflow(
                kSource, QStringLiteral("倍数指定 \"%1\" が 16 ビットの範囲を越えています: "
                                        "%2 の %3 行目")
                             .arg(m, basPath::GetFileName(m_filename))
                             .arg(m_line));
        }
        times = *rounded;
        if (times > m_stringSize - iString + 1 || times < 1) {
            Raise(ErrorMultiRange, QStringLiteral("倍数指定の値が誤っています"));
        }
        entry = entry.left(star);
    }
    const QString f = basString::TrimBlank(entry.toUpper());
    if (f == u"X") {
        flat = -1;
        multi = 1;
        return;
    }
    if (f == u"0") {
        flat = 0;
        multi = 1;
        return;
    }
    // "1" to "20" written exactly so: no sign, no leading zero, no fraction.
    bool ok = false;
    const int value = f.toInt(&ok);
    if (ok && value >= 1 && value <= 20 && f == QString::number(value)) {
        flat = static_cast<int16_t>(value);
        multi = times;
        return;
    }
    Raise(ErrorFret, QStringLiteral("フレットの指定が誤っています"));
}

int16_t Chord::SearchPosition(const QString &sChordName) const {
    const QString name =
        basString::ReplaceString(sChordName, QStringLiteral("maj"), QStringLiteral("M"));
    const int16_t exact = m_dictionary->Item(name);
    if (exact != 0 || sChordName.isEmpty()) {
        return exact;
    }
    // Not written so in the file: a name of the same sound that is ("C7(9)"
    // finds [C9], "Db" finds [C#], "ConE" finds [C/E]).
    const auto symbol = ChordSymbol::Read(sChordName);
    if (!symbol) {
        return 0;
    }
    if (!m_bySound) {
        m_bySound = std::make_shared<QHash<QString, int16_t>>();
        for (const auto &[entry, id] : m_dictionary->Entries()) {
            if (const auto s = ChordSymbol::Read(entry)) {
                m_bySound->insert(s->Key(), id); // the first name of a sound wins
            }
        }
    }
    return m_bySound->value(symbol->Key(), 0);
}

std::shared_ptr<Chord>
Chord::WithFirst(const std::vector<std::pair<QString, QString>> &defines) const {
    auto copy = std::make_shared<Chord>(*this);
    copy->m_dictionary = std::make_shared<NameDictionary>(*m_dictionary);
    copy->m_bySound.reset();
    for (const auto &[name, line] : defines) {
        try {
            Position p = copy->ParsePosition(line);
            if (copy->m_positions.size() > static_cast<size_t>(INT16_MAX)) {
                break;
            }
            const auto id = static_cast<int16_t>(copy->m_positions.size());
            const int16_t old = copy->SearchPosition(name);
            p.NextPosition = old;
            copy->m_positions.push_back(p);
            if (old == 0) {
                copy->m_dictionary->Add(name, id);
                continue;
            }
            // Every name of the chord, aliases too, starts at the new one.
            for (const auto &[entry, first] : copy->m_dictionary->Entries()) {
                if (first == old) {
                    copy->m_dictionary->SetItem(entry, id);
                }
            }
            if (!copy->m_dictionary->Exists(name)) {
                copy->m_dictionary->Add(name, id);
            }
        } catch (const AppError &) {
            // A definition for another instrument or a broken one: skipped.
        }
        copy->m_bySound.reset();
    }
    return copy;
}

const Chord::Position *Chord::At(int16_t iPositionId) const {
    if (iPositionId < 1 || static_cast<size_t>(iPositionId) >= m_positions.size()) {
        return nullptr;
    }
    return &m_positions[static_cast<size_t>(iPositionId)];
}

int16_t Chord::NextPosition(int16_t iCurrent) const {
    const Position *p = At(iCurrent);
    return p ? p->NextPosition : 0;
}

int16_t Chord::PositionSize(int16_t iPositionId) const {
    int16_t count = 0;
    for (const Position *p = At(iPositionId); p; p = At(p->NextPosition)) {
        ++count;
    }
    return count;
}

// Ids and strings outside the ranges give an unplayed string of one fret.
int16_t Chord::Flat(int16_t iPositionId, int16_t iString) const {
    const Position *p = At(iPositionId);
    return p && ValidString(iString) ? p->Flat[static_cast<size_t>(iString)] : -1;
}

int16_t Chord::Multi(int16_t iPositionId, int16_t iString) const {
    const Position *p = At(iPositionId);
    return p && ValidString(iString) ? p->Multi[static_cast<size_t>(iString)] : 1;
}

QString Chord::PositionLine(int16_t iPositionId) const {
    const Position *p = At(iPositionId);
    if (!p) {
        return {};
    }
    QStringList parts;
    for (int16_t s = 1; s <= m_stringSize; ++s) {
        const int16_t f = p->Flat[static_cast<size_t>(s)];
        QString part = f < 0 ? QStringLiteral("X") : QString::number(f);
        if (p->Multi[static_cast<size_t>(s)] > 1) {
            part += QStringLiteral("*%1").arg(p->Multi[static_cast<size_t>(s)]);
        }
        parts << part;
    }
    return parts.join(u'-');
}

int16_t Chord::FlatMin(int16_t iPositionId) const {
    const Position *p = At(iPositionId);
    return p ? p->FlatMin : 1;
}

int16_t Chord::FlatMax(int16_t iPositionId) const {
    const Position *p = At(iPositionId);
    return p ? p->FlatMax : 1;
}

Chord::AliasMap Chord::AliasDictionary() const {
    AliasMap aliases;
    for (const auto &[name, id] : m_dictionary->Entries()) {
        if (aliases.Exists(id)) {
            aliases.SetItem(id, aliases.Item(id) + u' ' + name);
        } else {
            aliases.Add(id, name);
        }
    }
    return aliases;
}
