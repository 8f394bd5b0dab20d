// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/ProfileFile.h"

#include "platform/AtomicFile.h"
#include "platform/CodePage932.h"
#include "platform/Directory.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <unistd.h>

#include <algorithm>
#include <optional>
#include <vector>

namespace profile {
namespace {

// A settings file this big is not ours: it is neither read nor rewritten.
constexpr qint64 kMaxFileBytes = qint64{64} * 1024 * 1024;

struct Line {
    QByteArray text; // without its line end
    enum Kind { Other, Section, Key } kind = Other;
    QString name;     // section or key name, decoded
    QByteArray value; // for a key: the raw value, blanks and quotes removed
};

bool IsBlankByte(char c) {
    return c == ' ' || c == '\t';
}

QByteArray TrimBytes(const QByteArray &b) {
    qsizetype from = 0;
    qsizetype to = b.size();
    while (from < to && IsBlankByte(b[from])) {
        ++from;
    }
    while (to > from && IsBlankByte(b[to - 1])) {
        --to;
    }
    return b.mid(from, to - from);
}

QString TrimChars(const QString &s) {
    qsizetype from = 0;
    qsizetype to = s.size();
    while (from < to && (s[from] == u' ' || s[from] == u'\t')) {
        ++from;
    }
    while (to > from && (s[to - 1] == u' ' || s[to - 1] == u'\t')) {
        --to;
    }
    return s.mid(from, to - from);
}

Line Classify(QByteArray text, bool first) {
    Line line;
    line.text = text;
    if (first && text.startsWith("\xEF\xBB\xBF")) {
        text.remove(0, 3); // a BOM left by an editor
    }
    const QByteArray t = TrimBytes(text);
    if (t.startsWith('[')) {
        // Looked for among characters: "]" is also the trail byte of "ゾ" (83 5D).
        const QString header = cp932::Decode(t);
        const qsizetype close = header.indexOf(u']');
        if (close > 0) {
            line.kind = Line::Section;
            line.name = TrimChars(header.mid(1, close - 1));
        }
        return line;
    }
    if (t.startsWith(';') || t.startsWith('#')) {
        return line;
    }
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0) {
        return line;
    }
    line.kind = Line::Key;
    line.name = cp932::Decode(TrimBytes(t.left(eq)));
    QByteArray v = TrimBytes(t.mid(eq + 1));
    // One pair of matching quotes, double or single, goes; blanks inside stay.
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        v = v.mid(1, v.size() - 2);
    }
    line.value = v;
    return line;
}

// The file's lines, or nothing when it is absent; an unreadable file is
// reported through `readable`.
std::optional<std::vector<Line>> Load(const QString &path, bool *readable) {
    *readable = true;
    const QFileInfo info(path);
    if (!info.exists()) {
        return std::nullopt;
    }
    // Not a regular file (a FIFO would block in open): never read, never replaced.
    QFile f(path);
    if (!info.isFile() || !f.open(QIODevice::ReadOnly) || f.size() > kMaxFileBytes) {
        *readable = false;
        return std::nullopt;
    }
    const QByteArray all = f.readAll();
    if (f.error() != QFileDevice::NoError) {
        *readable = false;
        return std::nullopt;
    }
    std::vector<Line> lines;
    qsizetype start = 0;
    for (qsizetype i = 0; i < all.size(); ++i) {
        const char c = all[i];
        if (c != '\r' && c != '\n') {
            continue;
        }
        lines.push_back(Classify(all.mid(start, i - start), lines.empty()));
        if (c == '\r' && i + 1 < all.size() && all[i + 1] == '\n') {
            ++i;
        }
        start = i + 1;
    }
    if (start < all.size()) {
        lines.push_back(Classify(all.mid(start), lines.empty()));
    }
    return lines;
}

bool SameName(const QString &a, const QString &b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

// Index of the first header of the section, or -1.
qsizetype FindSection(const std::vector<Line> &lines, const QString &section) {
    for (size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind == Line::Section && SameName(lines[i].name, section)) {
            return static_cast<qsizetype>(i);
        }
    }
    return -1;
}

// The first line after the section's header that is not part of it.
qsizetype SectionEnd(const std::vector<Line> &lines, qsizetype header) {
    qsizetype i = header + 1;
    while (i < static_cast<qsizetype>(lines.size()) &&
           lines[static_cast<size_t>(i)].kind != Line::Section) {
        ++i;
    }
    return i;
}

qsizetype FindKey(const std::vector<Line> &lines, qsizetype header, const QString &key) {
    const qsizetype end = SectionEnd(lines, header);
    for (qsizetype i = header + 1; i < end; ++i) {
        const Line &l = lines[static_cast<size_t>(i)];
        if (l.kind == Line::Key && SameName(l.name, key)) {
            return i;
        }
    }
    return -1;
}

// Text up to maxBytes of its CP932 form, cut before a character that would
// not fit whole.
QString CutToBytes(const QString &text, int maxBytes) {
    const std::vector<int32_t> prefix = cp932::PrefixByteLengths(text);
    qsizetype n = text.size();
    while (n > 0 && prefix[static_cast<size_t>(n)] > maxBytes) {
        --n;
    }
    // Never keep half of a surrogate pair.
    if (n > 0 && n < text.size() && text[n - 1].isHighSurrogate()) {
        --n;
    }
    return text.left(n);
}

// A line end inside a name or value would break the file's structure.
QByteArray OneLine(const QString &text) {
    QString t = text;
    t.replace(u'\r', u' ').replace(u'\n', u' ');
    return cp932::Encode(t);
}

} // namespace

namespace {

// The writes of the open batch, if any: its file's lines with them applied.
struct Pending {
    QString path;
    std::optional<std::vector<Line>> lines;
    bool readable = true;
    bool dirty = false;
};
Pending *g_pending = nullptr;

bool InBatch(const QString &path) {
    return g_pending && g_pending->path == path;
}

// The value of section/key in lines, if there.
std::optional<QByteArray> Find(const std::vector<Line> &lines, const QString &section,
                               const QString &key) {
    const qsizetype header = FindSection(lines, section);
    if (header < 0) {
        return std::nullopt;
    }
    const qsizetype k = FindKey(lines, header, key);
    if (k < 0) {
        return std::nullopt;
    }
    return lines[static_cast<size_t>(k)].value;
}

void Apply(std::vector<Line> &lines, const QString &section, const QString &key,
           const QString &value) {
    const QByteArray keyBytes = OneLine(key);
    const QByteArray entry = keyBytes + '=' + OneLine(value);

    const qsizetype header = FindSection(lines, section);
    if (header < 0) {
        // Right after the last line, as the system's writer puts it.
        // Classified as a reload would, so that a batch reads them back alike.
        lines.push_back(Classify('[' + OneLine(section) + ']', false));
        lines.push_back(Classify(entry, false));
        return;
    }
    const qsizetype k = FindKey(lines, header, key);
    if (k >= 0) {
        // Keep the key as it was spelled; only the value changes.
        Line &l = lines[static_cast<size_t>(k)];
        const qsizetype eq = l.text.indexOf('=');
        l = Classify(l.text.left(eq + 1) + OneLine(value), k == 0);
        return;
    }
    // After the section's last non-blank line.
    qsizetype at = SectionEnd(lines, header);
    while (at - 1 > header && TrimBytes(lines[static_cast<size_t>(at - 1)].text).isEmpty()) {
        --at;
    }
    lines.insert(lines.begin() + at, Classify(entry, false));
}

// Empty when written, else why not, in Japanese.
QString Save(const QString &path, const std::vector<Line> &lines) {
    QByteArray out;
    for (const Line &l : lines) {
        out += l.text;
        out += "\r\n";
    }
    // A link (a settings file kept elsewhere) is written through; a
    // read-only file stays as it is, rather than being renamed over.
    const QFileInfo link(path);
    const QFileInfo info(link.isSymLink() ? link.symLinkTarget() : path);
    if (info.exists() && ::access(QFile::encodeName(info.filePath()).constData(), W_OK) != 0) {
        return QStringLiteral("書き込みが許可されていません");
    }
    // A settings folder of its own (~/.config/tamblin) is made at the first
    // write, and a new file, for the user alone.
    if (!directory::MakeFolders(info.absolutePath())) {
        return QStringLiteral("フォルダー \"%1\" を作れません").arg(info.absolutePath());
    }
    AtomicFile file(info.filePath(), QString(), 0600);
    if (!file.Open()) {
        return file.ErrorString();
    }
    if (file.Device().write(out) != out.size() || !file.Commit()) {
        return file.ErrorString();
    }
    return {};
}

} // namespace

QString ReadString(const QString &path, const QString &section, const QString &key,
                   const QString &defaultValue, int bufferBytes) {
    const int maxBytes = std::max(0, bufferBytes - 1);
    // The system function drops trailing blanks of the default.
    QString fallback = defaultValue;
    while (!fallback.isEmpty() && (fallback.back() == u' ' || fallback.back() == u'\t')) {
        fallback.chop(1);
    }
    bool readable = true;
    const auto lines = InBatch(path) ? g_pending->lines : Load(path, &readable);
    if (lines) {
        if (const auto value = Find(*lines, section, key)) {
            return CutToBytes(cp932::Decode(*value), maxBytes);
        }
    }
    return CutToBytes(fallback, maxBytes);
}

void WriteString(const QString &path, const QString &section, const QString &key,
                 const QString &value) {
    if (InBatch(path)) {
        if (g_pending->readable) {
            if (!g_pending->lines) {
                g_pending->lines.emplace();
            }
            Apply(*g_pending->lines, section, key, value);
            g_pending->dirty = true;
        }
        return;
    }
    bool readable = true;
    auto loaded = Load(path, &readable);
    if (!readable) {
        return; // rewriting a file we cannot read would lose it
    }
    std::vector<Line> lines = loaded ? std::move(*loaded) : std::vector<Line>{};
    Apply(lines, section, key, value);
    Save(path, lines);
}

WriteBatch::WriteBatch(const QString &path) {
    if (g_pending) {
        return; // one at a time; an inner batch adds to the outer one
    }
    m_owner = true;
    g_pending = new Pending{path, {}, true, false};
    g_pending->lines = Load(path, &g_pending->readable);
}

WriteBatch::~WriteBatch() {
    if (m_owner) {
        delete g_pending;
        g_pending = nullptr;
    }
}

QString WriteBatch::Commit() {
    QString why;
    if (m_owner && g_pending->dirty && g_pending->readable && g_pending->lines) {
        why = Save(g_pending->path, *g_pending->lines);
    }
    if (m_owner && why.isEmpty()) {
        g_pending->dirty = false;
    }
    return why;
}

} // namespace profile
