// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/ChordToken.h"

#include "parsing/ChordPro.h"
#include "parsing/SheetLine.h"
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

sheetline::Kind ChordToken::KindOf(const QString &sToken) const {
    const auto it = m_kinds.constFind(sToken);
    if (it != m_kinds.constEnd()) {
        return *it;
    }
    const sheetline::Kind kind = sheetline::KindOf(sToken);
    m_kinds.insert(sToken, kind);
    return kind;
}

void ChordToken::SetText(const QString &sText) {
    m_text = sText;
    m_kinds.clear();
    m_sheetCapo = -1;
    m_sheetKey.clear();
    m_sheetTranspose = 0;
    m_title.clear();
    m_defines.clear();
    // Blanks pasted from web pages are spaces of the sheet.
    QString text = sText;
    const auto isWebBlank = [](QChar c) {
        return c == u'\u00A0' || c == u'\u2009' || c == u'\u202F';
    };
    // Copied only when there is one: a sheet is otherwise shared, not copied.
    if (std::any_of(sText.cbegin(), sText.cend(), isWebBlank)) {
        std::replace_if(text.begin(), text.end(), isWebBlank, QChar(u' '));
    }
    if (chordpro::IsChordPro(text)) {
        ReadChordPro(text);
        return;
    }
    ::Text walker;
    walker.SetText(text);
    walker.RemoveLastCrLf();
    m_tokens.assign(1, Record{});
    m_row = 1;

    const auto nextRow = [this] {
        if (m_row == INT32_MAX) {
            throw AppError::overflow(QStringLiteral("ChordToken"),
                                     QStringLiteral("行の数が多すぎます"));
        }
        ++m_row;
    };
    bool chordsSeen = false;
    while (!walker.EndOfText()) {
        const QString line = ConvertLine(walker.NextLine());
        const ChordLine chordLine = ReadChordLine(line);
        // What the head of the sheet says of it, before its first chords.
        if (!chordsSeen && !chordLine.chords) {
            if (m_title.isEmpty()) {
                m_title = line.trimmed();
            }
            if (m_sheetCapo < 0) {
                m_sheetCapo = static_cast<int16_t>(sheetline::CapoMention(line));
            }
            if (m_sheetKey.isEmpty()) {
                m_sheetKey = sheetline::KeyMention(line);
            }
        }
        chordsSeen = chordsSeen || chordLine.chords;
        if (chordLine.chords) {
            // A section prefix is the label of the row it stands on.
            if (!chordLine.prefix.isEmpty()) {
                AddToken(QString(), chordLine.prefix);
                nextRow();
            }
            // The conversions do not change what the next line is read as. A
            // label or a metadata line under chords is no lyric of theirs.
            if (!walker.EndOfText() && !IsLyric(walker.CurrentLine())) {
                PairChordLine(chordLine, MakeLyric(QString()));
            } else {
                PairChordLine(chordLine, MakeLyric(ConvertLine(walker.NextLine())));
            }
        } else {
            AddToken(QString(), line);
        }
        nextRow();
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
    m_sheetKey = sheet.Key;
    m_sheetTranspose = sheet.Transpose;
    m_title = sheet.Title;
    if (m_title.isEmpty()) {
        for (const chordpro::Row &row : sheet.Rows) {
            if (!row.empty() && !row.front().Word.trimmed().isEmpty()) {
                m_title = row.front().Word.trimmed();
                break;
            }
        }
    }
    m_defines = sheet.Defines;
}

QString ChordToken::ConvertLine(const QString &sLine) const {
    return basString::ExpandTabColumns(basString::WideSpaceToSpaces(sLine), m_tabSize, m_rule);
}

bool ChordToken::IsLyric(const QString &sLine) const {
    if (sheetline::IsSectionLabel(sLine)) {
        return false;
    }
    Token token;
    token.SetSeparator(m_separators);
    token.SetSource(sLine);
    const QString first = token.FirstToken();
    if (!first.isEmpty() && sheetline::IsMetadataWord(first)) {
        return false;
    }
    return !ReadChordLine(sLine).chords;
}

// A chord line holds chords and marks, at least one chord, and nothing
// else; its first word is no metadata ("Capo 2", "Key: G").
ChordToken::ChordLine ChordToken::ReadChordLine(const QString &sLine) const {
    ChordLine out;
    out.source = sLine;
    const qsizetype prefix = sheetline::SectionPrefixLength(sLine);
    if (prefix > 0) {
        out.prefix = sLine.left(prefix).trimmed();
        const std::vector<int32_t> columns = basString::PrefixColumns(sLine.left(prefix), m_rule);
        out.source = QString(columns.back(), u' ') + sLine.mid(prefix);
    }
    Token token;
    token.SetSeparator(m_separators);
    token.SetSource(out.source);
    bool first = prefix == 0;
    for (QString t = token.FirstToken(); !t.isEmpty(); t = token.NextToken()) {
        if (first && sheetline::IsMetadataWord(t)) {
            return out;
        }
        first = false;
        const sheetline::Kind kind = KindOf(t);
        if (kind == sheetline::Kind::Other) {
            out.chords = false;
            return out;
        }
        if (kind == sheetline::Kind::Arrow) {
            break;
        }
        out.chords =
            out.chords || kind == sheetline::Kind::Chord || kind == sheetline::Kind::Shaped;
    }
    return out;
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

void ChordToken::PairChordLine(const ChordLine &chordLine, const Lyric &lyric) {
    struct Item {
        QString text;
        int32_t column = 0; // 1-based byte column where it starts
        bool chord = false;
    };
    std::vector<Item> items;
    Token token;
    token.SetSeparator(m_separators);
    token.SetColumnRule(m_rule);
    token.SetSource(chordLine.source);
    QString pendingOpen; // a lone "(" opens the next chord's group
    int32_t openColumn = 0;
    for (QString t = token.FirstToken(); !t.isEmpty(); t = token.NextToken()) {
        const sheetline::Kind kind = KindOf(t);
        const int32_t column = token.TokenStartPositionB();
        if (kind == sheetline::Kind::Arrow) {
            // The arrow and what it says, to the end of the line.
            items.push_back(
                {chordLine.source.mid(token.TokenStart() - 1).trimmed(), column, false});
            break;
        }
        const bool chord = kind == sheetline::Kind::Chord || kind == sheetline::Kind::Shaped;
        if (!chord && (t == u"(" || t == u"（")) {
            if (pendingOpen.isEmpty()) {
                openColumn = column;
            }
            pendingOpen += t;
            continue;
        }
        if (!chord && (t == u")" || t == u"）") && !items.empty() && items.back().chord) {
            items.back().text += t;
            continue;
        }
        if (chord) {
            items.push_back({pendingOpen + t, pendingOpen.isEmpty() ? column : openColumn, true});
            pendingOpen.clear();
        } else {
            items.push_back({t, column, false});
        }
    }
    if (!pendingOpen.isEmpty()) {
        items.push_back({pendingOpen, openColumn, false});
    }
    // Marks stand as words of their own; the lyric runs from each chord to
    // the next chord, under any mark between them.
    const auto firstChord =
        std::find_if(items.begin(), items.end(), [](const Item &i) { return i.chord; });
    for (auto it = items.begin(); it != items.end(); ++it) {
        // The lyric before the first chord; an empty one only where the line
        // is all chords, as it always was.
        if (it == firstChord && it->column > 1) {
            const QString word = CutWord(lyric, 1, it->column);
            if (!word.isEmpty() || (it == items.begin() && chordLine.prefix.isEmpty())) {
                AddToken(QString(), word);
            }
        }
        if (!it->chord) {
            AddToken(QString(), it->text, true);
            continue;
        }
        const auto next = std::find_if(it + 1, items.end(), [](const Item &i) { return i.chord; });
        AddToken(it->text,
                 CutWord(lyric, it->column, next == items.end() ? kEndColumn : next->column));
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

void ChordToken::AddToken(const QString &sChordName, const QString &sWord, bool bMark) {
    QString name = halfwidth::ToHalfWidth(sChordName);
    name.replace(QChar(0x266D), QChar(u'b'));
    if (static_cast<int32_t>(Size()) + 1 > m_max) {
        throw AppError(ErrorTooManyTokens, QStringLiteral("ChordToken"),
                       QStringLiteral("表示制限数を越えました"));
    }
    m_tokens.push_back(Record{name, sWord, m_row, bMark});
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

bool ChordToken::IsMark(int16_t iIndex) const {
    const Record *r = At(iIndex);
    return r && r->Mark;
}
