// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/ChordSymbol.h"

#include <QRegularExpression>

#include <algorithm>
#include <array>
#include <bit>

namespace {

uint16_t Bit(int interval) {
    return static_cast<uint16_t>(1u << (((interval % 12) + 12) % 12));
}

uint16_t Rotate(uint16_t mask, int by) {
    uint16_t out = 0;
    for (int i = 0; i < 12; ++i) {
        if (mask & (1u << i)) {
            out |= Bit(i + by);
        }
    }
    return out;
}

// Sheets write the same signs in many ways: full-width forms, music signs,
// triangles for "major seventh", a circle for "diminished".
QString Normalize(const QString &name) {
    QString out;
    out.reserve(name.size());
    for (const QChar c : name) {
        const char16_t u = c.unicode();
        if (u >= 0xFF01 && u <= 0xFF5E) {
            out += QChar(u - 0xFEE0);
        } else if (u == u'♯') {
            out += u'#';
        } else if (u == u'♭') {
            out += u'b';
        } else if (u == u'△' || u == u'Δ' || u == u'∆' || u == u'▵') {
            out += u'^';
        } else if (u == u'°' || u == u'º' || u == u'˚') {
            out += QStringLiteral("dim");
        } else if (u == u'ø' || u == u'Ø') {
            out += QStringLiteral("ø");
        } else if (u == u'（') {
            out += u'(';
        } else if (u == u'）') {
            out += u')';
        } else if (u == u'，' || u == u'、') {
            out += u',';
        } else if (u == u'＋') {
            out += u'+';
        } else if (u == u'－' || u == u'−') {
            out += u'-';
        } else if (!c.isSpace()) {
            out += c;
        }
    }
    return out;
}

// The parts of a suffix, as they are read from left to right.
struct Parts {
    enum Third { Major, Minor, Sus2, Sus4, NoThird } third = Major;
    bool thirdOptional = false; // "2": sus2 or add9, the third may sound
    enum Fifth { Perfect, Flat, Sharp, NoFifth } fifth = Perfect;
    int seventh = -1; // 10, 11 or 9 (diminished), -1 none
    bool sixth = false;
    bool power = false;
    bool dim7 = false;
    bool halfDim = false;
    bool alt = false;
    int extension = 0;     // 9, 11 or 13 written as the chord's number
    uint16_t tensions = 0; // written tensions and additions, above the root
    bool flat9 = false, sharp9 = false, sharp11 = false, flat13 = false;
};

class SuffixReader {
public:
    explicit SuffixReader(const QString &s) : m_s(s) {}

    std::optional<Parts> Read() {
        if (m_s == u"5") {
            Parts p;
            p.power = true;
            return p;
        }
        bool majorMark = false;
        // "maj", "ma", "M", "^", "j" before "m": "Cmaj7" is not minor.
        // "madd9" is minor.
        if (!Peek("madd") && (Take("maj") || Take("Maj") || Take("MAJ") || Take("ma") ||
                              Take("Ma") || Take("MA") || Take("M") || Take("^") || Take("j"))) {
            majorMark = true;
        } else if (Take("min") || Take("mi") || Take("m") || TakeMinusAsMinor()) {
            m_p.third = Parts::Minor;
            if (Take("maj") || Take("Maj") || Take("ma") || Take("M") || Take("^") || Take("j")) {
                majorMark = true;
            } else if (TakeParenMajorSeventh()) {
                m_p.seventh = 11;
            }
        } else if (Take("dim") || Take("o7") || (m_s.mid(m_at) == u"o" && Take("o"))) {
            m_p.third = Parts::Minor;
            m_p.fifth = Parts::Flat;
            // As Japanese chord books write it, "dim" is the diminished seventh.
            m_p.dim7 = true;
            Take("7");
        } else if (Take("ø")) {
            m_p.halfDim = true;
            Take("7");
        } else if (Take("aug") || Take("+")) {
            m_p.fifth = Parts::Sharp;
        }
        if (!m_p.dim7 && !m_p.halfDim) {
            ReadNumber(majorMark);
        }
        while (!AtEnd()) {
            if (!ReadModifier()) {
                return std::nullopt;
            }
        }
        return m_p;
    }

private:
    bool AtEnd() const { return m_at >= m_s.size(); }
    bool Take(const char *word) {
        const QString w = QString::fromUtf8(word);
        if (m_s.mid(m_at, w.size()) == w) {
            m_at += w.size();
            return true;
        }
        return false;
    }
    bool Peek(const char *word) const {
        const QString w = QString::fromUtf8(word);
        return m_s.mid(m_at, w.size()) == w;
    }
    // "-" is minor ("C-7") unless it flattens a fifth or ninth ("C-5").
    bool TakeMinusAsMinor() {
        if (Peek("-") && !Peek("-5") && !Peek("-9") && !Peek("-13")) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool TakeParenMajorSeventh() {
        return Take("(M7)") || Take("(maj7)") || Take("(Maj7)") || Take("(^7)") || Take("(^)") ||
               Take("(ma7)");
    }

    // The chord's own number: 6, 69, 7, 9, 11, 13, 2, 4.
    void ReadNumber(bool majorMark) {
        if (Take("69") || Take("6/9") || Take("6(9)") || Take("6add9")) {
            m_p.sixth = true;
            m_p.tensions |= Bit(2);
        } else if (Take("6")) {
            m_p.sixth = true;
        } else if (Take("7")) {
            m_p.seventh = majorMark ? 11 : 10;
        } else if (Take("9")) {
            m_p.seventh = majorMark ? 11 : 10;
            m_p.extension = 9;
        } else if (Take("11")) {
            m_p.seventh = majorMark ? 11 : 10;
            m_p.extension = 11;
        } else if (Take("13")) {
            m_p.seventh = majorMark ? 11 : 10;
            m_p.extension = 13;
        } else if (majorMark && (m_p.third == Parts::Minor || m_s.mid(m_at - 1, 1) == u"^")) {
            // "mM", "m^": minor with the major seventh; a triangle alone is
            // the major seventh
            m_p.seventh = 11;
        } else if (m_p.third == Parts::Major && m_p.fifth == Parts::Perfect && Take("2")) {
            m_p.third = Parts::Sus2;
            m_p.thirdOptional = true;
        } else if (m_p.third == Parts::Major && m_p.fifth == Parts::Perfect && Take("4")) {
            m_p.third = Parts::Sus4;
        }
    }

    bool ReadModifier() {
        if (Take("(") || Take(")") || Take(",") || Take("/")) {
            return true;
        }
        if (Take("sus2")) {
            m_p.third = Parts::Sus2;
            return true;
        }
        if (Take("sus4") || Take("sus")) {
            m_p.third = Parts::Sus4;
            return true;
        }
        if (Take("add9") || Take("add2")) {
            m_p.tensions |= Bit(2);
            return true;
        }
        if (Take("add11") || Take("add4")) {
            m_p.tensions |= Bit(5);
            return true;
        }
        if (Take("add13") || Take("add6")) {
            m_p.tensions |= Bit(9);
            return true;
        }
        if (Take("omit3") || Take("no3")) {
            m_p.third = Parts::NoThird;
            return true;
        }
        if (Take("omit5") || Take("no5")) {
            m_p.fifth = Parts::NoFifth;
            return true;
        }
        if (Take("alt")) {
            m_p.alt = true;
            if (m_p.seventh < 0) {
                m_p.seventh = 10;
            }
            return true;
        }
        if (Take("M7") || Take("maj7") || Take("Maj7") || Take("^7") || Take("ma7")) {
            m_p.seventh = 11;
            return true;
        }
        if (Take("b5") || Take("-5")) {
            m_p.fifth = Parts::Flat;
            return true;
        }
        if (Take("#5") || Take("+5") || Take("aug")) {
            m_p.fifth = Parts::Sharp;
            return true;
        }
        if (Take("b9") || Take("-9")) {
            m_p.flat9 = true;
            return true;
        }
        if (Take("#9") || Take("+9")) {
            m_p.sharp9 = true;
            return true;
        }
        if (Take("#11") || Take("+11")) {
            m_p.sharp11 = true;
            return true;
        }
        if (Take("b13") || Take("-13")) {
            m_p.flat13 = true;
            return true;
        }
        if (Take("13")) {
            m_p.tensions |= Bit(9);
            return true;
        }
        if (Take("11")) {
            m_p.tensions |= Bit(5);
            return true;
        }
        if (Take("9")) {
            m_p.tensions |= Bit(2);
            return true;
        }
        if (Take("+")) {
            m_p.fifth = Parts::Sharp; // "C7+"
            return true;
        }
        if (m_p.seventh < 0 && !m_p.sixth && Take("7")) {
            m_p.seventh = 10; // "Csus47", "C(7)"
            return true;
        }
        return false;
    }

    QString m_s;
    qsizetype m_at = 0;
    Parts m_p;
};

int Count(uint16_t mask) {
    return std::popcount(static_cast<unsigned>(mask));
}

// The third, the sixth and the seventh of a read suffix.
void ChordTones(const Parts &p, uint16_t &required, uint16_t &optional) {
    if (p.halfDim) {
        required |= Bit(3) | Bit(6) | Bit(10);
    } else {
        switch (p.third) {
        case Parts::Major:
            required |= Bit(4);
            break;
        case Parts::Minor:
            required |= Bit(3);
            break;
        case Parts::Sus2:
            required |= Bit(2);
            if (p.thirdOptional) {
                optional |= Bit(4);
            }
            break;
        case Parts::Sus4:
            required |= Bit(5);
            break;
        case Parts::NoThird:
            break;
        }
        if (p.dim7) {
            required |= Bit(9);
        }
        if (p.seventh >= 0) {
            required |= Bit(p.seventh);
        }
        if (p.sixth) {
            required |= Bit(9);
        }
    }
}

// The ninth, eleventh and thirteenth the chord's number names, the written
// tensions and the alterations.
void Extensions(const Parts &p, uint16_t &required, uint16_t &optional) {
    // Extensions named by the chord's number: the ninth of an eleventh, and
    // the ninth and eleventh of a thirteenth may be left out; a major or
    // dominant thirteenth leaves its eleventh out altogether.
    const bool alteredNinth = p.flat9 || p.sharp9;
    if (p.extension == 9 && !alteredNinth) {
        required |= Bit(2);
    } else if (p.extension == 11) {
        required |= Bit(5);
        if (!alteredNinth) {
            optional |= Bit(2);
        }
    } else if (p.extension == 13) {
        required |= Bit(9);
        if (!alteredNinth) {
            optional |= Bit(2);
        }
        if (p.third == Parts::Minor && !p.sharp11) {
            optional |= Bit(5);
        }
    }
    required |= p.tensions;
    if (p.flat9) {
        required |= Bit(1);
    }
    if (p.sharp9) {
        required |= Bit(3); // the sharp ninth sounds as the minor third
    }
    if (p.sharp11) {
        required |= Bit(6);
    }
    if (p.flat13) {
        required |= Bit(8);
    }
    if (p.alt) {
        // An altered dominant: no fifth, a sharp ninth, and the other
        // alterations as the player likes.
        required |= Bit(3);
        optional |= Bit(1) | Bit(6) | Bit(8);
    }
}

// The fifth, left optional in a chord of four or more tones.
void Fifth(const Parts &p, uint16_t &required, uint16_t &optional) {
    // The fifth.
    if (!p.halfDim && !p.dim7 && !p.alt) {
        switch (p.fifth) {
        case Parts::Perfect:
            required |= Bit(7);
            break;
        case Parts::Flat:
            required |= Bit(6);
            break;
        case Parts::Sharp:
            required |= Bit(8);
            break;
        case Parts::NoFifth:
            break;
        }
    }
    if (p.dim7 || p.halfDim) {
        required |= Bit(6);
    }
    // Four or more tones: the perfect fifth may be left out.
    if ((required & Bit(7)) && p.fifth == Parts::Perfect && Count(required) >= 4) {
        required &= static_cast<uint16_t>(~Bit(7));
        optional |= Bit(7);
    }
}

// The intervals a read suffix names: those that must sound and those that
// may, as masks above the root.
void Intervals(const Parts &p, uint16_t &required, uint16_t &optional) {
    required = Bit(0);
    optional = 0;
    if (p.power) {
        required = Bit(0) | Bit(7);
        optional = 0;
        return;
    }
    ChordTones(p, required, optional);
    Extensions(p, required, optional);
    Fifth(p, required, optional);
    optional &= static_cast<uint16_t>(~required);
}

} // namespace

ChordSymbol::Decoration ChordSymbol::StripDecoration(const QString &sName) {
    Decoration d{QString(), sName, QString()};
    // Stars after the name: a voicing of the sheet's own ("C*", "Em**").
    while (d.core.endsWith(u'*')) {
        d.core.chop(1);
        d.after.prepend(u'*');
    }
    // Parentheses around a passing chord ("(C7)"), or the first and last
    // of a group ("(D", "A)").
    const auto opens = [](QChar c) { return c == u'(' || c == u'（'; };
    const auto closes = [](QChar c) { return c == u')' || c == u'）'; };
    if (!d.core.isEmpty() && opens(d.core.front())) {
        d.before = d.core.left(1);
        d.core.remove(0, 1);
    }
    const auto count = [&](const auto &test) {
        return std::count_if(d.core.begin(), d.core.end(), test);
    };
    if (!d.core.isEmpty() && closes(d.core.back()) && count(closes) > count(opens)) {
        d.after.prepend(d.core.back());
        d.core.chop(1);
    }
    return d;
}

QString ChordSymbol::PlainSigns(const QString &sName) {
    QString out = sName;
    for (QChar &c : out) {
        if (c == u'♯') {
            c = u'#';
        } else if (c == u'♭') {
            c = u'b';
        }
    }
    return out;
}

int ChordSymbol::NotePitch(const QString &sNote) {
    static const std::array<int, 7> letters{9, 11, 0, 2, 4, 5, 7}; // A B C D E F G
    if (sNote.isEmpty() || sNote.size() > 2 || sNote[0] < u'A' || sNote[0] > u'G') {
        return -1;
    }
    int pc = letters[static_cast<size_t>(sNote[0].unicode() - u'A')];
    if (sNote.size() == 2) {
        if (sNote[1] == u'#') {
            ++pc;
        } else if (sNote[1] == u'b') {
            --pc;
        } else {
            return -1;
        }
    }
    return (pc + 12) % 12;
}

std::optional<ChordSymbol> ChordSymbol::Read(const QString &sName) {
    const QString name = Normalize(StripDecoration(sName).core);
    if (name.isEmpty() || name[0] < u'A' || name[0] > u'G') {
        return std::nullopt;
    }
    const qsizetype rootLength = name.size() > 1 && (name[1] == u'#' || name[1] == u'b') ? 2 : 1;
    ChordSymbol c;
    c.m_root = NotePitch(name.left(rootLength));
    QString rest = name.mid(rootLength);

    // The bass: "/E", "onE", "ONE", "(onE)". "6/9" has no bass.
    static const QRegularExpression on(QStringLiteral("^(.*?)\\(?[oO][nN]([A-G][#b]?)\\)?$"));
    static const QRegularExpression slash(QStringLiteral("^(.*)/([A-G][#b]?)$"));
    QRegularExpressionMatch m = slash.match(rest);
    if (!m.hasMatch()) {
        m = on.match(rest);
    }
    if (m.hasMatch()) {
        rest = m.captured(1);
        c.m_bass = NotePitch(m.captured(2));
        // A parenthesis the "(on" opened must close.
        if (rest.endsWith(u'(')) {
            return std::nullopt;
        }
    }
    if (rest.count(u'(') != rest.count(u')')) {
        return std::nullopt;
    }

    const std::optional<Parts> read = SuffixReader(rest).Read();
    if (!read) {
        return std::nullopt;
    }
    Intervals(*read, c.m_required, c.m_optional);
    if (c.m_bass == c.m_root) {
        c.m_bass = -1;
    }
    return c;
}

std::optional<ChordSymbol> ChordSymbol::Parent() const {
    ChordSymbol p = *this;
    if (m_bass >= 0) {
        p.m_bass = -1;
        return p;
    }
    constexpr uint16_t kSecond = 1u << 2;
    constexpr uint16_t kThirds = (1u << 3) | (1u << 4);
    constexpr uint16_t kFourth = 1u << 5;
    if ((Allowed() & kThirds) == 0 && (m_required & (kSecond | kFourth)) != 0) {
        p.m_required = uint16_t((m_required & ~(kSecond | kFourth)) | (1u << 4));
        p.m_optional = uint16_t(m_optional & ~(kSecond | kFourth));
        return p;
    }
    return std::nullopt;
}

uint16_t ChordSymbol::RequiredPitches() const {
    uint16_t r = Rotate(m_required, m_root);
    if (m_bass >= 0) {
        r |= Bit(m_bass);
    }
    return r;
}

uint16_t ChordSymbol::AllowedPitches() const {
    return static_cast<uint16_t>(RequiredPitches() | Rotate(m_optional, m_root));
}

QString ChordSymbol::Key() const {
    return QStringLiteral("%1:%2:%3:%4").arg(m_root).arg(m_required).arg(m_optional).arg(m_bass);
}
