#include "platform/SheetFile.h"

#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>

namespace sheetfile {

QString ToCrLf(const QString &text) {
    if (!text.contains(u'\n') && !text.contains(u'\r')) {
        return text;
    }
    // LF alone (Unix) and CR alone (classic Mac) both become CR LF.
    QString out;
    out.reserve(text.size() + text.size() / 16);
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = text[i];
        if (c == u'\r') {
            out += u"\r\n";
            if (i + 1 < n && text[i + 1] == u'\n') {
                ++i;
            }
        } else if (c == u'\n') {
            out += u"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

QString Read(const QString &path) {
    const QString full = textfile::FullPath(path);
    const QFileInfo info(path);
    if (!info.exists()) {
        throw AppError(AppError::FileNotFound, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルが見つかりません: %1").arg(full));
    }
    QFile f(path);
    // A FIFO or a device would block in open or read for ever.
    if (!info.isFile() || !f.open(QIODevice::ReadOnly)) {
        throw AppError(AppError::FileIo, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルを開けません: %1").arg(full));
    }
    // A sheet is a few kilobytes; a huge file is not one, and reading it
    // would hold the window up.
    if (f.size() > MaxBytes) {
        throw AppError(AppError::OutOfMemory, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルが大きすぎます (%1 MB まで): %2")
                           .arg(MaxBytes / (1024 * 1024))
                           .arg(full));
    }
    const QByteArray bytes = f.read(MaxBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        throw AppError(AppError::DeviceIo, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルを読めません: %1 (%2)").arg(full, f.errorString()));
    }
    if (bytes.size() > MaxBytes) {
        throw AppError(AppError::OutOfMemory, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルが大きすぎます (%1 MB まで): %2")
                           .arg(MaxBytes / (1024 * 1024))
                           .arg(full));
    }
    if (bytes.contains('\0')) {
        throw AppError(
            AppError::TypeMismatch, QStringLiteral("ChordScore"),
            QStringLiteral("Shift-JIS のテキストファイルではないため開けません: %1").arg(full));
    }
    return ToCrLf(cp932::Decode(bytes));
}

} // namespace sheetfile
