// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/SheetSummary.h"

#include "chords/PitchModel.h"
#include "parsing/ChordToken.h"
#include "parsing/SheetLine.h"
#include "platform/AppError.h"

#include <QRegularExpression>

namespace sheetsummary {
namespace {

// "{title: X}", "{t:X}", "{meta: artist X}": the directive and its value.
struct Directive {
    QString Name;
    QString Value;
};

Directive ReadDirective(const QString &sLine) {
    static const QRegularExpression re(
        QStringLiteral(R"(^\s*\{\s*([A-Za-z_-]+)\s*[: ]\s*(.*?)\s*\}\s*$)"));
    const QRegularExpressionMatch m = re.match(sLine);
    if (!m.hasMatch()) {
        return {};
    }
    Directive d{m.captured(1).toLower(), m.captured(2)};
    if (d.Name == u"meta") {
        const qsizetype space = d.Value.indexOf(QRegularExpression(QStringLiteral("[\\s:]")));
        if (space <= 0) {
            return {};
        }
        d.Name = d.Value.left(space).toLower();
        d.Value = d.Value.mid(space + 1).trimmed();
    }
    if (d.Name == u"t") {
        d.Name = QStringLiteral("title");
    } else if (d.Name == u"st") {
        d.Name = QStringLiteral("subtitle");
    }
    return d;
}

// The name a credit line gives: "歌：山田太郎", "作詞・作曲: 鈴木", "Artist -
// The Band"; rank orders them (the singer first), -1 for no credit line.
QString Credit(const QString &sLine, int &rank) {
    // Japanese credit words stand alone; others need a colon, since a lyric
    // may start with "By" or "歌う".
    static const QRegularExpression re(
        QStringLiteral(
            R"(^\s*(?:(作詞・作曲|作詞作曲|作詞|作曲)\s*[:：=／/\-－]?|)"
            R"((歌手|歌唱|アーティスト|歌|唄|Artist|Singer|Vocals?|By|Music|Words|Lyrics))"
            R"(\s*[:：=]|((?:Words|Lyrics)\s*(?:&|and)\s*Music|Written|Composed|Music))"
            R"(\s+by\b\s*[:：]?)\s*(.+)$)"),
        QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = re.match(sLine);
    rank = -1;
    if (!m.hasMatch()) {
        return {};
    }
    // "Music by the river" is a lyric: a name after "by" starts with a capital.
    if (m.hasCaptured(3) && (m.captured(4).front().isLower() || m.captured(4).count(u' ') > 5)) {
        return {};
    }
    static const QStringList singers{"歌手",   "歌唱",   "アーティスト", "歌",     "唄",
                                     "artist", "singer", "vocal",        "vocals", "by"};
    const QString word = (m.captured(1) + m.captured(2)).toLower();
    rank = singers.contains(word)                                               ? 0
           : (word.startsWith(u"作曲") || word == u"music" || m.hasCaptured(3)) ? 1
                                                                                : 2;
    // Another credit on the same line ends this one.
    static const QRegularExpression next(
        QStringLiteral(R"((\s{2,}|　|\s+(作詞|作曲|編曲|歌|唄|Words|Music)\b))"));
    QString name = m.captured(4);
    const qsizetype end = name.indexOf(next);
    if (end > 0) {
        name.truncate(end);
    }
    return name.trimmed();
}

} // namespace

TitleLine SplitTitle(const QString &sLine) {
    TitleLine t;
    t.Title = sLine.trimmed();
    // "曲名：さくら", "Title: Danny Boy": the label is no part of the title.
    static const QRegularExpression label(
        QStringLiteral(R"(^(?:曲名|タイトル|題名|Title|Song)\s*[:：]\s*(?=\S))"),
        QRegularExpression::CaseInsensitiveOption);
    t.Title.remove(label);
    // "ふるさと　（作詞 高野辰之／作曲 岡野貞一）", "Amazing Grace (John Newton,
    // 1779)": the title before the brackets, the credits inside them.
    static const QRegularExpression bracketed(
        QStringLiteral(R"(^(.*?\S)\s*[（(]([^（()）]+)[)）]\s*$)"));
    const QRegularExpressionMatch m = bracketed.match(t.Title);
    if (m.hasMatch()) {
        t.Title = m.captured(1).trimmed();
        t.Credits = m.captured(2);
    }
    // "さくら／森山直太朗", "Wonderwall - Oasis": the title, then who sings it,
    // as chord sites write them.
    static const QRegularExpression byline(
        QStringLiteral(R"(^(.*?\S)(?:\s+[/\-–—]\s+|\s*／\s*)(\S[^/／]*)$)"));
    const QRegularExpressionMatch by = byline.match(t.Title);
    if (by.hasMatch()) {
        t.Title = by.captured(1);
        t.Singer = by.captured(2).trimmed();
    }
    return t;
}

Summary Summarize(const QString &sText) {
    Summary s;
    ChordToken tokens;
    tokens.SetMax(5000);
    try {
        tokens.SetText(sText);
    } catch (const AppError &) {
        // A huge sheet: the cells before the limit stay readable.
    }
    const int16_t size = tokens.Size();
    QString lyricLine;
    int32_t row = -1;
    for (int16_t i = 1; i <= size; ++i) {
        const QString chord = tokens.IsMark(i) ? QString() : tokens.ChordName(i);
        if (!chord.isEmpty() && !s.Chords.contains(chord)) {
            s.Chords << chord;
        }
        if (tokens.LineNo(i) != row) {
            if (!lyricLine.trimmed().isEmpty()) {
                s.Lyrics += lyricLine.trimmed() + u'\n';
            }
            lyricLine.clear();
            row = tokens.LineNo(i);
        }
        if (!tokens.IsMark(i)) {
            lyricLine += tokens.Word(i);
        }
    }
    if (!lyricLine.trimmed().isEmpty()) {
        s.Lyrics += lyricLine.trimmed() + u'\n';
    }
    s.IsSheet = !s.Chords.isEmpty();
    s.Capo = tokens.SheetCapo();
    QString key = tokens.SheetKey();

    // Directives and credit lines of the sheet's head.
    int creditRank = 3;
    QString firstLine;
    const QStringList lines = sText.split(QStringLiteral("\r\n"));
    for (const QString &line : lines) {
        if (firstLine.isEmpty() && !line.trimmed().isEmpty() && !line.trimmed().startsWith(u'{') &&
            !line.trimmed().startsWith(u'#')) {
            firstLine = line.trimmed();
        }
        const Directive d = ReadDirective(line);
        if (d.Name == u"title" && s.Title.isEmpty()) {
            s.Title = d.Value;
        } else if ((d.Name == u"artist" || d.Name == u"subtitle") && creditRank > 0) {
            if (!d.Value.isEmpty() && (d.Name == u"artist" || creditRank > 1)) {
                s.Artist = d.Value;
                creditRank = d.Name == u"artist" ? 0 : 1;
            }
        } else if (d.Name == u"key" && key.isEmpty()) {
            key = d.Value;
        } else if (d.Name.isEmpty()) {
            int rank = -1;
            const QString name = Credit(line, rank);
            if (rank >= 0 && rank < creditRank && !name.isEmpty()) {
                s.Artist = name;
                creditRank = rank;
            }
        }
    }
    if (s.Title.isEmpty()) {
        s.Title = tokens.Title().trimmed();
    }
    if (s.Title.isEmpty()) {
        s.Title = firstLine;
    }
    const TitleLine line = SplitTitle(s.Title);
    s.Title = line.Title;
    if (!line.Credits.isEmpty()) {
        static const QRegularExpression separators(QStringLiteral("[,、，／/;；]"));
        static const QRegularExpression notAName(
            QStringLiteral(R"(^\s*(\d|public domain|traditional\b|trad\.?$))"),
            QRegularExpression::CaseInsensitiveOption);
        QString plain;
        for (const QString &part : line.Credits.split(separators, Qt::SkipEmptyParts)) {
            int rank = -1;
            const QString name = Credit(part, rank);
            if (rank >= 0 && rank < creditRank && !name.isEmpty()) {
                s.Artist = name;
                creditRank = rank;
            } else if (rank < 0 && plain.isEmpty() && !notAName.match(part).hasMatch()) {
                plain = part.trimmed();
            }
        }
        if (s.Artist.isEmpty()) {
            s.Artist = plain;
        }
    }
    // A singer named elsewhere comes first.
    if (creditRank > 0 && !line.Singer.isEmpty()) {
        s.Artist = line.Singer;
    }
    std::optional<Key> k = Key::Read(key.trimmed());
    if (!k) {
        k = PitchModel::KeyOfChords(s.Chords, nullptr);
    }
    if (k) {
        s.Key = k->Name();
        s.KeyPitch = k->Pitch;
        s.KeyMinor = k->Minor;
    }
    return s;
}

} // namespace sheetsummary
