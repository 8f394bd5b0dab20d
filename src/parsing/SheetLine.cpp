// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/SheetLine.h"

#include "parsing/ChordSymbol.h"

#include <QRegularExpression>
#include <QStringList>

#include <array>

namespace sheetline {

namespace {

// Full-width ASCII as ASCII, for matching only: the text shown is the sheet's.
QChar NarrowChar(QChar c) {
    const char16_t u = c.unicode();
    if (u >= 0xFF01 && u <= 0xFF5E) {
        return QChar(u - 0xFEE0);
    }
    return u == 0x3000 ? QChar(u' ') : c;
}

QString Narrow(const QString &s) {
    // Most text has nothing to narrow: shared, not copied.
    qsizetype i = 0;
    while (i < s.size() && NarrowChar(s[i]) == s[i]) {
        ++i;
    }
    if (i == s.size()) {
        return s;
    }
    QString out = s;
    for (; i < out.size(); ++i) {
        out[i] = NarrowChar(out[i]);
    }
    return out;
}

constexpr qsizetype kLongestChord = 32;

bool StartsWithNote(const QString &narrow) {
    return !narrow.isEmpty() && narrow[0] >= u'A' && narrow[0] <= u'G';
}

// The letters a chord name may hold after its root, as whole words.
bool ChordLetters(QStringView letters) {
    static const std::array<QStringView, 14> words{u"maj", u"min",  u"dim", u"aug", u"sus",
                                                   u"add", u"omit", u"alt", u"no",  u"on",
                                                   u"ON",  u"m",    u"M",   u"j"};
    if (letters.isEmpty()) {
        return true;
    }
    for (const QStringView w : words) {
        if (letters.startsWith(w) && ChordLetters(letters.mid(w.size()))) {
            return true;
        }
    }
    // A flat sign written as a letter ("Ab9b5", "C7b9").
    return letters.startsWith(u'b') && ChordLetters(letters.mid(1));
}

bool Shaped(const QString &narrow) {
    // No chord name is this long; nor is the reading below meant for one.
    if (!StartsWithNote(narrow) || narrow.size() > kLongestChord) {
        return false;
    }
    static const QString signs = QStringLiteral("#b♯♭+-−()/,.*^°ø△Δ");
    QString letters;
    for (qsizetype i = 1; i < narrow.size(); ++i) {
        const QChar c = narrow[i];
        if (c.isDigit() || signs.contains(c)) {
            if (!ChordLetters(letters)) {
                return false;
            }
            letters.clear();
            // A bass note after the slash.
            if (c == u'/' && i + 1 < narrow.size() && narrow[i + 1] >= u'A' &&
                narrow[i + 1] <= u'G') {
                ++i;
            }
        } else if (c.unicode() < 128 && c.isLetter()) {
            letters += c;
        } else {
            return false;
        }
    }
    return ChordLetters(letters);
}

const QRegularExpression &MarkPattern() {
    static const QRegularExpression re(QStringLiteral(
        "^(?:"
        "[(\\[]?[xX×*]\\d+[)\\]]?"          // x2, ×2, (x2), *2
        "|[(\\[]?\\d+[xX×][)\\]]?"          // 2x, (2x)
        "|[(]?[Nn]\\.?[Cc]\\.?[)]?"         // N.C., NC, n.c.
        "|/+|%|-{1,3}|—+|―+|・+|…+|\\.{2,}" // bar fills; a tab staff's long run of dashes is none
        "|[()\\[\\]:]"                      // a lone parenthesis, a repeat colon
        ")$"));
    return re;
}

const QRegularExpression &LabelPattern() {
    static const QRegularExpression re(
        QStringLiteral(
            "^(?:[AaBbCcDd]メロ|大?サビ|落ちサビ|イントロ|間奏|アウトロ|エンディング|前奏|後奏"
            "|intro|verse|pre-?chorus|chorus|bridge|solo|interlude|outro|coda|refrain|tag"
            "|\\d+番)"
            " ?\\d*$"),
        QRegularExpression::CaseInsensitiveOption);
    return re;
}

const QString kOpen = QStringLiteral("【［[(（＜<");
const QString kClose = QStringLiteral("】］])）＞>");

// The characters a section label can start with: most lines of a sheet are
// told from one without a pattern.
bool MayStartLabel(QChar c) {
    static const QString starts =
        QStringLiteral("【［[(（＜<AaBbCcDd大落サイ間アエ前後IiVvPpSsOoRrTt0123456789");
    return starts.contains(c);
}

} // namespace

Kind KindOf(const QString &sToken) {
    const QString narrow = Narrow(sToken);
    // Most words of a sheet are lyrics: those that can start no chord and no
    // mark are told at once.
    static const QString markStarts = QStringLiteral("xX×*0123456789([Nn/%-—―・….:)]→⇒");
    if (narrow.isEmpty() || (!StartsWithNote(narrow) && !markStarts.contains(narrow[0]))) {
        return Kind::Other;
    }
    if (narrow.startsWith(u'→') || narrow.startsWith(u'⇒') || narrow.startsWith(u"->")) {
        return Kind::Arrow;
    }
    if (MarkPattern().match(narrow).hasMatch()) {
        return Kind::Mark;
    }
    if (ChordSymbol::Read(narrow)) {
        return Kind::Chord;
    }
    return Shaped(ChordSymbol::StripDecoration(narrow).core) ? Kind::Shaped : Kind::Other;
}

bool IsMetadataWord(const QString &sToken) {
    static const QString starts = QStringLiteral("KkCcTtBbAaWwMm作編歌カキ");
    if (sToken.isEmpty() || !starts.contains(NarrowChar(sToken.front()))) {
        return false;
    }
    // The English words have three letters at least: no chord name is read
    // against the pattern.
    if (sToken.size() < 3 && NarrowChar(sToken.front()).unicode() < 0x80) {
        return false;
    }
    static const QRegularExpression re(
        QStringLiteral(
            "^(?:key|capo|tempo|bpm|time|title|artist|words|music|作詞|作曲|編曲|歌|カポ|キー)"
            "(?:$|[:=\\d])"),
        QRegularExpression::CaseInsensitiveOption);
    return re.match(Narrow(sToken)).hasMatch();
}

bool IsSectionLabel(const QString &sText) {
    QString t = Narrow(sText).trimmed();
    // "エンディング 2:" is about the longest one; "1番" the shortest.
    if (t.size() < 2 || t.size() > 16 || !MayStartLabel(t.front())) {
        return false;
    }
    if (t.size() >= 2 && kOpen.contains(t.front()) &&
        kClose.indexOf(t.back()) == kOpen.indexOf(t.front())) {
        t = t.mid(1, t.size() - 2).trimmed();
    }
    if (t.endsWith(u':')) {
        t.chop(1);
    }
    return !t.isEmpty() && LabelPattern().match(t.trimmed()).hasMatch();
}

qsizetype SectionPrefixLength(const QString &sLine) {
    const QString narrow = Narrow(sLine);
    qsizetype start = 0;
    while (start < narrow.size() && narrow[start] == u' ') {
        ++start;
    }
    if (start == narrow.size() || !MayStartLabel(narrow[start])) {
        return 0;
    }
    qsizetype end = -1;
    const qsizetype open = kOpen.indexOf(narrow[start]);
    if (open >= 0) {
        const qsizetype close = narrow.indexOf(kClose[open], start + 1);
        end = close < 0 ? -1 : close + 1;
    } else {
        const qsizetype colon = narrow.indexOf(u':', start);
        end = colon < 0 ? -1 : colon + 1;
        // Or a section word alone before the chords: "イントロ　Am F".
        if (end < 0 || !IsSectionLabel(narrow.mid(start, end - start))) {
            end = narrow.indexOf(u' ', start);
        }
    }
    if (end < 0 || !IsSectionLabel(narrow.mid(start, end - start))) {
        return 0;
    }
    return end;
}

int CapoMention(const QString &sLine) {
    const QString line = Narrow(sLine).trimmed();
    const qsizetype blank = line.indexOf(u' ');
    if (line.isEmpty() || !IsMetadataWord(blank < 0 ? line : line.left(blank))) {
        return -1;
    }
    static const QRegularExpression re(
        QStringLiteral("(?:^|\\s)(?:capo|カポ)\\s*:?\\s*([0-9])\\s*(?:fret|フレット|f)?(?=\\s|$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(line);
    return m.hasMatch() ? m.captured(1).toInt() : -1;
}

QString KeyMention(const QString &sLine) {
    const QString line = Narrow(sLine).trimmed();
    const qsizetype blank = line.indexOf(u' ');
    if (line.isEmpty() || !IsMetadataWord(blank < 0 ? line : line.left(blank))) {
        return {};
    }
    static const QRegularExpression re(
        QStringLiteral("(?:^|\\s)(?:key|キー)\\s*[:=]?\\s*([A-Ga-g][#b♯♭]?m?)(?=\\s|$|\\()"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(line);
    return m.hasMatch() ? m.captured(1) : QString();
}

} // namespace sheetline
