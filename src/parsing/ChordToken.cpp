#include "parsing/ChordToken.h"

#include "parsing/ChordPro.h"
#include "parsing/Text.h"
#include "parsing/Token.h"
#include "parsing/basString.h"
#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/HalfWidth.h"

#include <algorithm>

namespace {
// Column past the end of any line a sheet holds in practice.
constexpr int32_t kEndColumn = 10000;
} // namespace

ChordToken::ChordToken() : m_tokens(1), m_separators(QStringLiteral(" \t\u3000|\uFF5C\u2503")) {}

void ChordToken::SetText(const QString &sText) {
    m_text = sText;
    m_sheetCapo = -1;
    m_defines.clear();
    if (chordpro::IsChordPro(sText)) {
        ReadChordPro(sText);
        return;
    }
    ::Text walker;
    walker.SetText(sText);
    walker.RemoveLastCrLf();
    m_tokens.assign(1, Record{});
    m_row = 1;

    while (!walker.EndOfText()) {
        const QString line = ConvertLine(walker.NextLine());
        if (IsChordLine(line)) {
            // The separators make the conversions irrelevant for this test.
            if (IsChordLine(walker.CurrentLine())) {
                PairChordLine(line, MakeLyric(QString()));
            } else {
                PairChordLine(line, MakeLyric(ConvertLine(walker.NextLine())));
            }
        } else {
            AddToken(QString(), line);
        }
        if (m_row == INT32_MAX) {
            throw AppError::overflow(QStringLiteral("ChordToken"),
                                     QStringLiteral("行の数が多すぎます"));
        }
        ++m_row;
    }
}

void ChordToken::ReadChordPro(const QString &sText) {
    const chordpro::Sheet sheet = chordpro::Read(sText);
    m_tokens.assign(1, Record{});
    m_row = 1;
    for (const chordpro::Row &row : sheet.Rows) {
        for (const chordpro::Cell &cell : row) {
            AddToken(cell.Chord, ConvertLine(cell.Word));
        }
        if (m_row == INT32_MAX) {
            throw AppError::overflow(QStringLiteral("ChordToken"),
                                     QStringLiteral("行の数が多すぎます"));
        }
        ++m_row;
    }
    m_sheetCapo = sheet.Capo;
    m_defines = sheet.Defines;
}

QString ChordToken::ConvertLine(const QString &sLine) const {
    return basString::ExpandTabColumns(basString::WideSpaceToSpaces(sLine), m_tabSize, m_rule);
}

bool ChordToken::IsChordLine(const QString &sLine) const {
    Token token;
    token.SetSeparator(m_separators);
    token.SetSource(sLine);
    QString t = token.FirstToken();
    if (t.isEmpty()) {
        return false;
    }
    while (!t.isEmpty()) {
        if (!IsNoteLetter(t[0])) {
            return false;
        }
        t = token.NextToken();
    }
    return true;
}

// The first letter of a chord, half-width or full-width. Full-width to
// half-width yields these seven letters from these fourteen characters alone
// (a test holds this against the transliterator), so no conversion is needed.
bool ChordToken::IsNoteLetter(QChar c) {
    const char16_t u = c.unicode();
    const char16_t ascii =
        (u >= 0xFF21 && u <= 0xFF27) ? static_cast<char16_t>(u - 0xFF21 + u'A') : u;
    return ascii >= u'A' && ascii <= u'G';
}

void ChordToken::PairChordLine(const QString &sChordLine, const Lyric &lyric) {
    Token token;
    token.SetSeparator(m_separators);
    token.SetColumnRule(m_rule);
    token.SetSource(sChordLine);
    QString t = token.FirstToken();
    const int32_t s = token.TokenStartPositionB();
    if (s > 1) {
        AddToken(QString(), CutWord(lyric, 1, s));
    }
    while (!t.isEmpty()) {
        const int32_t f = token.TokenStartPositionB();
        const QString n = token.NextToken();
        const int32_t e = n.isEmpty() ? kEndColumn : token.TokenStartPositionB();
        AddToken(t, CutWord(lyric, f, e));
        t = n;
    }
}

ChordToken::Lyric ChordToken::MakeLyric(const QString &sLine) const {
    Lyric lyric;
    lyric.text = sLine;
    const std::vector<int32_t> prefix = basString::PrefixColumns(sLine, m_rule);
    lyric.end.assign(prefix.begin() + 1, prefix.end());
    return lyric;
}

// Columns s to e - 1 of the lyric (1-based), keeping wide characters whole:
// one split by s belongs to this word, one split by e to the next. A unit
// belongs to the word when its last column lies in s..e - 1.
QString ChordToken::CutWord(const Lyric &lyric, int32_t s, int32_t e) {
    const auto first = std::lower_bound(lyric.end.begin(), lyric.end.end(), s);
    const auto past = std::upper_bound(first, lyric.end.end(), e - 1);
    const auto from = static_cast<qsizetype>(first - lyric.end.begin());
    const auto count = static_cast<qsizetype>(past - first);
    return count > 0 ? lyric.text.mid(from, count) : QString();
}

void ChordToken::AddToken(const QString &sChordName, const QString &sWord) {
    QString name = halfwidth::ToHalfWidth(sChordName);
    name.replace(QChar(0x266D), QChar(u'b'));
    if (static_cast<int32_t>(Size()) + 1 > m_max) {
        throw AppError(ErrorTooManyTokens, QStringLiteral("ChordToken"),
                       QStringLiteral("表示制限数を越えました"));
    }
    m_tokens.push_back(Record{name, sWord, m_row});
}

const ChordToken::Record *ChordToken::At(int16_t iIndex) const {
    if (iIndex < 1 || iIndex > Size()) {
        return nullptr;
    }
    return &m_tokens[static_cast<size_t>(iIndex)];
}

QString ChordToken::ChordName(int16_t iIndex) const {
    const Record *r = At(iIndex);
    return r ? r->ChordName : QString();
}

QString ChordToken::Word(int16_t iIndex) const {
    const Record *r = At(iIndex);
    return r ? r->Word : QString();
}

int32_t ChordToken::LineNo(int16_t iIndex) const {
    const Record *r = At(iIndex);
    return r ? r->LineNo : 0;
}
