// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/ChordPro.h"

#include "parsing/ChordSymbol.h"
#include "parsing/Token.h"

#include <QHash>
#include <QRegularExpression>

namespace chordpro {

namespace {

struct Directive {
    QString name; // lower case
    QString value;
};

// "{name}", "{name: value}" or "{name value}" alone on a line.
bool ReadDirective(const QString &line, Directive &d) {
    const QString t = line.trimmed();
    if (!t.startsWith(u'{') || !t.endsWith(u'}') || t.size() < 3) {
        return false;
    }
    static const QRegularExpression re(
        QStringLiteral("^\\{\\s*([A-Za-z_-]+)\\s*(?:[:\\s]\\s*(.*?))?\\s*\\}$"));
    const QRegularExpressionMatch m = re.match(t);
    if (!m.hasMatch()) {
        return false;
    }
    d.name = m.captured(1).toLower();
    d.value = m.captured(2);
    return true;
}

// The inline marks of a line: each [X] that closes, in order.
struct Mark {
    qsizetype open;
    qsizetype close;
};

std::vector<Mark> Marks(const QString &line) {
    std::vector<Mark> marks;
    qsizetype at = 0;
    for (;;) {
        const qsizetype open = line.indexOf(u'[', at);
        if (open < 0) {
            break;
        }
        const qsizetype close = line.indexOf(u']', open + 1);
        const qsizetype reopen = line.indexOf(u'[', open + 1);
        if (close < 0) {
            break; // a bracket that does not close stays text
        }
        if (reopen >= 0 && reopen < close) {
            at = reopen;
            continue;
        }
        marks.push_back({open, close});
        at = close + 1;
    }
    return marks;
}

bool HasLyricBeside(const QString &line, const std::vector<Mark> &marks) {
    qsizetype at = 0;
    for (const Mark &m : marks) {
        if (!line.mid(at, m.open - at).trimmed().isEmpty()) {
            return true;
        }
        at = m.close + 1;
    }
    return !line.mid(at).trimmed().isEmpty();
}

bool IsChordMark(const QString &line, const Mark &m) {
    return ChordSymbol::Read(line.mid(m.open + 1, m.close - m.open - 1)).has_value();
}

const QHash<QString, QString> &Aliases() {
    static const QHash<QString, QString> a{{"t", "title"},           {"st", "subtitle"},
                                           {"c", "comment"},         {"ci", "comment_italic"},
                                           {"cb", "comment_box"},    {"soc", "start_of_chorus"},
                                           {"eoc", "end_of_chorus"}, {"sov", "start_of_verse"},
                                           {"eov", "end_of_verse"},  {"sob", "start_of_bridge"},
                                           {"eob", "end_of_bridge"}, {"sot", "start_of_tab"},
                                           {"eot", "end_of_tab"}};
    return a;
}

// Text shown for a directive that becomes a plain row.
QString MetaRow(const QString &name, const QString &value) {
    static const QHash<QString, QString> labels{{"artist", "アーティスト"},
                                                {"composer", "作曲"},
                                                {"lyricist", "作詞"},
                                                {"album", "アルバム"},
                                                {"key", "キー"},
                                                {"tempo", "テンポ"},
                                                {"time", "拍子"}};
    if (labels.contains(name)) {
        return labels.value(name) + QStringLiteral(": ") + value;
    }
    return value; // title, subtitle, comments
}

// The label a section directive gives ("label=\"Verse 1\"" or plain text).
QString SectionLabel(const QString &value, const QString &fallback) {
    static const QRegularExpression labelRe(QStringLiteral("label\\s*=\\s*\"([^\"]*)\""));
    const QRegularExpressionMatch m = labelRe.match(value);
    if (m.hasMatch()) {
        return m.captured(1);
    }
    return value.trimmed().isEmpty() ? fallback : value.trimmed();
}

Row LineRow(const QString &line) {
    const std::vector<Mark> marks = Marks(line);
    Row row;
    if (marks.empty() ||
        (marks.size() == 1 && !HasLyricBeside(line, marks) && !IsChordMark(line, marks.front()))) {
        row.push_back({QString(), line}); // plain text, or a section header
        return row;
    }
    if (marks.front().open > 0) {
        row.push_back({QString(), line.left(marks.front().open)});
    }
    for (size_t i = 0; i < marks.size(); ++i) {
        const qsizetype from = marks[i].close + 1;
        const qsizetype to = i + 1 < marks.size() ? marks[i + 1].open : line.size();
        row.push_back({line.mid(marks[i].open + 1, marks[i].close - marks[i].open - 1).trimmed(),
                       line.mid(from, to - from)});
    }
    return row;
}

} // namespace

bool IsChordPro(const QString &sText) {
    // Directives need a brace and chords a bracket: most sheets have neither.
    if (!sText.contains(u'{') && !sText.contains(u'[')) {
        return false;
    }
    for (const QString &line : sText.split(QStringLiteral("\r\n"))) {
        Directive d;
        if (ReadDirective(line, d)) {
            return true;
        }
        const std::vector<Mark> marks = Marks(line);
        if (!marks.empty() && HasLyricBeside(line, marks)) {
            for (const Mark &m : marks) {
                if (IsChordMark(line, m)) {
                    return true;
                }
            }
        }
    }
    return false;
}

QString DefineToPosition(const QString &sSpec, QString &sName) {
    const QStringList parts = sSpec.simplified().split(u' ');
    if (parts.size() < 3) {
        return {};
    }
    sName = parts[0];
    int base = 1;
    QStringList frets;
    for (qsizetype i = 1; i < parts.size(); ++i) {
        const QString p = parts[i].toLower();
        if (p == u"base-fret" && i + 1 < parts.size()) {
            base = parts[++i].toInt();
        } else if (p == u"frets") {
            // Up to the next keyword ("fingers", "base-fret", ...); "-1" is a fret.
            static const QRegularExpression fret(QStringLiteral("^(-?[0-9]+|[xXnN])$"));
            while (i + 1 < parts.size() && fret.match(parts[i + 1]).hasMatch()) {
                frets << parts[++i];
            }
        }
    }
    if (frets.size() < 3 || frets.size() > 7 || base < 1 || base > 20) {
        return {};
    }
    QStringList line;
    // ChordPro lists the lowest string first; a position line the highest.
    for (qsizetype i = frets.size() - 1; i >= 0; --i) {
        const QString f = frets[i].toLower();
        bool ok = false;
        const int n = f.toInt(&ok);
        if (f == u"x" || f == u"n" || (ok && n < 0)) {
            line << QStringLiteral("X");
        } else if (ok && n == 0) {
            line << QStringLiteral("0");
        } else if (ok && n + base - 1 <= 20) {
            line << QString::number(n + base - 1);
        } else {
            return {};
        }
    }
    return line.join(u'-');
}

Sheet Read(const QString &sText) {
    Sheet sheet;
    QStringList lines = sText.split(QStringLiteral("\r\n"));
    while (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    for (const QString &line : lines) {
        Token::CheckLineLength(line);
    }
    std::vector<Row> chorus; // the last chorus, label row first
    std::vector<Row> *collecting = nullptr;
    std::vector<Row> current;
    bool inTab = false;
    const auto add = [&](const Row &row) {
        sheet.Rows.push_back(row);
        if (collecting) {
            collecting->push_back(row);
        }
    };
    for (const QString &line : lines) {
        Directive d;
        if (ReadDirective(line, d)) {
            // {meta: artist X} is {artist: X}.
            if (d.name == u"meta") {
                const QString v = d.value.trimmed();
                const qsizetype space = v.indexOf(u' ');
                d.name = (space < 0 ? v : v.left(space)).toLower();
                d.value = space < 0 ? QString() : v.mid(space + 1).trimmed();
            }
            QString name = Aliases().value(d.name, d.name);
            // Short forms of any section: {soi}, {eoo}.
            static const QRegularExpression shortSection(QStringLiteral("^([se])o([a-z])$"));
            if (const QRegularExpressionMatch m = shortSection.match(name); m.hasMatch()) {
                name = (m.captured(1) == u"s" ? QStringLiteral("start_of_")
                                              : QStringLiteral("end_of_")) +
                       m.captured(2);
            }
            if (name == u"end_of_tab") {
                inTab = false;
                continue;
            }
            if (inTab) {
                add({{QString(), line}});
                continue;
            }
            if (name == u"start_of_chorus") {
                current.clear();
                collecting = &current;
                add({{QString(), SectionLabel(d.value, QStringLiteral("サビ"))}});
            } else if (name == u"end_of_chorus") {
                if (collecting == &current) {
                    chorus = current;
                }
                collecting = nullptr;
            } else if (name == u"chorus") {
                // add() appends to the sheet and to the chorus being
                // collected, never to the last one.
                for (const Row &r : chorus) {
                    add(r);
                }
            } else if (name == u"start_of_verse" || name == u"start_of_bridge") {
                const QString label = SectionLabel(
                    d.value, name == u"start_of_bridge" ? QStringLiteral("ブリッジ") : QString());
                if (!label.isEmpty()) {
                    add({{QString(), label}});
                }
            } else if (name == u"start_of_tab") {
                add({{QString(), SectionLabel(d.value, QStringLiteral("TAB"))}});
                inTab = true;
            } else if (name == u"capo") {
                bool ok = false;
                const int n = d.value.trimmed().toInt(&ok);
                if (ok && n >= 0 && n <= 9) {
                    sheet.Capo = static_cast<int16_t>(n);
                }
            } else if (name == u"transpose") {
                bool ok = false;
                const int n = d.value.trimmed().toInt(&ok);
                if (ok && n >= -11 && n <= 11) {
                    sheet.Transpose = static_cast<int16_t>(n);
                }
            } else if (name == u"define" || name == u"chord") {
                QString chordName;
                const QString position = DefineToPosition(d.value, chordName);
                if (!position.isEmpty()) {
                    sheet.Defines.push_back({chordName, position});
                } else {
                    add({{QString(), line}});
                }
            } else if (name == u"title" || name == u"subtitle" || name == u"artist" ||
                       name == u"composer" || name == u"lyricist" || name == u"album" ||
                       name == u"key" || name == u"tempo" || name == u"time" ||
                       name == u"comment" || name == u"comment_italic" || name == u"comment_box") {
                if (name == u"key" && sheet.Key.isEmpty()) {
                    sheet.Key = d.value.trimmed();
                } else if (name == u"title" && sheet.Title.isEmpty()) {
                    sheet.Title = d.value.trimmed();
                }
                add({{QString(), MetaRow(name, d.value)}});
            } else if (name.startsWith(u"start_of_") && name.size() > 9) {
                // A section of the sheet's own: intro, outro, solo, ...
                add({{QString(), SectionLabel(d.value, name.mid(9))}});
            } else if (name.startsWith(u"end_of_") && name.size() > 7) {
                // nothing to show: the end of a verse, a bridge, any section
            } else {
                add({{QString(), line}}); // unknown: kept as it stands
            }
            continue;
        }
        if (inTab) {
            add({{QString(), line}});
            continue;
        }
        if (line.startsWith(u'#')) {
            continue;
        }
        add(LineRow(line));
    }
    return sheet;
}

} // namespace chordpro
