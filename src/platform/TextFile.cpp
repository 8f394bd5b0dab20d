// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/TextFile.h"

#include "platform/AppError.h"
#include "platform/AtomicFile.h"

#include <QFileInfo>

namespace {
constexpr qsizetype kChunk = qsizetype{64} * 1024;
} // namespace

namespace textfile {

QString FullPath(const QString &path) {
    return QFileInfo(path).absoluteFilePath();
}

void AppendAtomically(const QString &path, const QByteArray &bytes) {
    const auto refuse = [&path](const QString &why) {
        throw AppError(
            AppError::FileIo, QStringLiteral("TextFile"),
            QStringLiteral("ファイルに書き込めません: %1 (%2)").arg(FullPath(path), why));
    };
    const QFileInfo info(path);
    QFile in(path);
    if (!info.isFile() || !in.open(QIODevice::ReadOnly)) {
        refuse(QStringLiteral("読み込めません"));
    }
    QByteArray all = in.readAll();
    if (in.error() != QFileDevice::NoError) {
        refuse(in.errorString());
    }
    in.close();
    if (!all.isEmpty() && !all.endsWith('\n') && !all.endsWith('\r')) {
        all += "\r\n";
    }
    all += bytes;
    // A read-only file is refused rather than renamed over. A link is
    // replaced by the new file, so only its folder counts.
    const bool writable =
        info.isSymLink() ? QFileInfo(info.absolutePath()).isWritable() : info.isWritable();
    if (!writable) {
        refuse(QStringLiteral("書き込みが許可されていません"));
    }
    AtomicFile out(path);
    if (!out.Open()) {
        refuse(out.ErrorString());
    }
    out.Device().write(all);
    if (!out.Commit()) {
        refuse(out.ErrorString());
    }
}

} // namespace textfile

LineReader::LineReader(const QString &path) : m_path(path), m_file(path) {
    const QFileInfo info(path);
    if (!info.exists()) {
        throw AppError(
            AppError::FileNotFound, QStringLiteral("LineReader"),
            QStringLiteral("ファイルが見つかりません: %1").arg(textfile::FullPath(path)));
    }
    // Only regular files: a FIFO or a device would block in open for ever.
    if (!info.isFile() || !m_file.open(QIODevice::ReadOnly)) {
        throw AppError(AppError::FileIo, QStringLiteral("LineReader"),
                       QStringLiteral("ファイルを開けません: %1").arg(textfile::FullPath(path)));
    }
}

bool LineReader::Fill() {
    if (m_eof) {
        return false;
    }
    m_buffer.remove(0, m_pos);
    m_pos = 0;
    const QByteArray chunk = m_file.read(kChunk);
    if (chunk.isEmpty()) {
        if (m_file.error() != QFileDevice::NoError) {
            throw AppError(AppError::DeviceIo, QStringLiteral("LineReader"),
                           QStringLiteral("ファイルを読めません: %1 (%2)")
                               .arg(textfile::FullPath(m_path), m_file.errorString()));
        }
        m_eof = true;
        return false;
    }
    m_buffer.append(chunk);
    return true;
}

bool LineReader::ReadLine(QByteArray &line) {
    qsizetype scanned = m_pos;
    for (;;) {
        for (qsizetype i = scanned; i < m_buffer.size(); ++i) {
            const char c = m_buffer[i];
            if (c != '\n' && c != '\r') {
                continue;
            }
            // A CR at the end of the buffer may be the first half of CR LF.
            if (c == '\r' && i + 1 == m_buffer.size() && !m_eof) {
                break;
            }
            line = m_buffer.mid(m_pos, i - m_pos);
            m_pos = i + 1;
            if (c == '\r' && m_pos < m_buffer.size() && m_buffer[m_pos] == '\n') {
                ++m_pos;
            }
            return true;
        }
        if (m_eof) {
            if (m_pos >= m_buffer.size()) {
                return false;
            }
            line = m_buffer.mid(m_pos);
            m_pos = m_buffer.size();
            return true;
        }
        // No line end yet: the bytes so far hold none, but for a CR at the very
        // end, which is looked at again once the next chunk is in.
        const bool pendingCr = m_buffer.size() > m_pos && m_buffer.back() == '\r';
        const qsizetype rescan = m_buffer.size() - (pendingCr ? 1 : 0) - m_pos;
        Fill(); // drops the m_pos bytes already handed out
        scanned = rescan;
    }
}
