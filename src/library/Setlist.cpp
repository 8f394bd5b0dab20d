// SPDX-License-Identifier: GPL-3.0-or-later
#include "library/Setlist.h"

#include "platform/AtomicFile.h"
#include "platform/Directory.h"
#include "platform/SheetFile.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace {

// "capo=3" gives 3 when the value is an integer in range; false otherwise.
bool ReadOption(const QString &sField, const QString &sName, int lo, int hi, int &value) {
    if (!sField.startsWith(sName + u'=')) {
        return false;
    }
    bool ok = false;
    const int v = sField.mid(sName.size() + 1).trimmed().toInt(&ok);
    if (!ok || v < lo || v > hi) {
        return false;
    }
    value = v;
    return true;
}

} // namespace

Setlist Setlist::Parse(const QString &sText) {
    Setlist list;
    QString text = sText;
    if (text.startsWith(QChar(0xFEFF))) {
        text.remove(0, 1);
    }
    QStringList lines = text.split(u'\n');
    // A final line end makes no line of its own.
    if (!lines.isEmpty() && lines.back().isEmpty()) {
        lines.removeLast();
    }
    for (QString line : lines) {
        // CR LF from another system, or stray CRs before the LF.
        while (line.endsWith(u'\r')) {
            line.chop(1);
        }
        if (line.trimmed().isEmpty() || line.trimmed().startsWith(u'#')) {
            list.m_lines.push_back({false, line});
            continue;
        }
        const QStringList fields = line.split(u'\t');
        Entry e;
        e.Path = fields.front().trimmed();
        for (qsizetype i = 1; i < fields.size(); ++i) {
            const QString field = fields[i].trimmed();
            int v = 0;
            if (ReadOption(field, QStringLiteral("capo"), 0, 9, v)) {
                e.Capo = v;
            } else if (ReadOption(field, QStringLiteral("transpose"), -11, 11, v)) {
                e.HasTranspose = true;
                e.Transpose = v;
            } else if (!field.isEmpty()) {
                e.Other << field;
            }
        }
        list.m_lines.push_back({true, {}});
        list.m_entries.push_back(e);
    }
    return list;
}

QString Setlist::Text() const {
    QString out;
    size_t next = 0;
    auto write = [&](const Entry &e) {
        out += e.Path;
        if (e.Capo >= 0) {
            out += QStringLiteral("\tcapo=%1").arg(e.Capo);
        }
        if (e.HasTranspose) {
            out += QStringLiteral("\ttranspose=%1").arg(e.Transpose);
        }
        for (const QString &other : e.Other) {
            out += u'\t' + other;
        }
        out += u'\n';
    };
    for (const Line &line : m_lines) {
        if (!line.IsEntry) {
            out += line.Text + u'\n';
        } else if (next < m_entries.size()) {
            write(m_entries[next++]);
        }
    }
    // Entries added after the last line of the file.
    while (next < m_entries.size()) {
        write(m_entries[next++]);
    }
    return out;
}

void Setlist::Append(const Entry &entry) {
    m_entries.push_back(entry);
    // A new song goes at the very end of the file.
    m_lines.push_back({true, {}});
}

void Setlist::Remove(int i) {
    if (i < 0 || i >= Count()) {
        return;
    }
    m_entries.erase(m_entries.begin() + i);
    // The entry's own line goes: the (i+1)-th entry line.
    int seen = -1;
    for (auto it = m_lines.begin(); it != m_lines.end(); ++it) {
        if (it->IsEntry && ++seen == i) {
            m_lines.erase(it);
            break;
        }
    }
}

void Setlist::Move(int from, int to) {
    if (from < 0 || from >= Count() || to < 0 || to >= Count() || from == to) {
        return;
    }
    const Entry moved = m_entries[static_cast<size_t>(from)];
    m_entries.erase(m_entries.begin() + from);
    m_entries.insert(m_entries.begin() + to, moved);
}

QString Setlist::Resolve(const QString &sWritten, const QString &sSetlistFolder,
                         const QStringList &libraryFolders,
                         const std::function<bool(const QString &)> &exists) {
    if (QDir::isAbsolutePath(sWritten)) {
        return QDir::cleanPath(sWritten);
    }
    QStringList candidates{QDir::cleanPath(sSetlistFolder + u'/' + sWritten)};
    for (const QString &folder : libraryFolders) {
        candidates << QDir::cleanPath(folder + u'/' + sWritten);
    }
    const auto found = std::find_if(candidates.begin(), candidates.end(), exists);
    return found != candidates.end() ? *found : candidates.front();
}

QString Setlist::WrittenPath(const QString &sPath, const QStringList &libraryFolders) {
    QString path = QDir::cleanPath(sPath);
    for (const QString &folder : libraryFolders) {
        const QString base = QDir::cleanPath(folder) + u'/';
        if (path.startsWith(base)) {
            return path.mid(base.size());
        }
    }
    return path;
}

QStringList Setlist::Names(const QString &sFolder) {
    QStringList names;
    for (const QString &file : directory::ListFiles(sFolder, QStringLiteral("*.setlist"))) {
        names << file.left(file.size() - static_cast<qsizetype>(qstrlen(Suffix)));
    }
    return names;
}

Setlist Setlist::Load(const QString &sPath) {
    // Read as sheets are: UTF-8, or CP932 from an older editor.
    return Parse(sheetfile::Read(sPath).replace(QStringLiteral("\r\n"), QStringLiteral("\n")));
}

QString Setlist::Save(const QString &sPath) const {
    directory::MakeFolders(QFileInfo(sPath).absolutePath());
    AtomicFile file(sPath, QStringLiteral(".part"));
    if (!file.Open()) {
        return file.ErrorString();
    }
    file.Device().write(Text().toUtf8());
    if (!file.Commit()) {
        return file.ErrorString();
    }
    return {};
}
