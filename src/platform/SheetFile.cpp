// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/SheetFile.h"

#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/TextFile.h"

#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <algorithm>

namespace sheetfile {

QString ToCrLf(const QString &text) {
    // Most files have CR LF already: they are handed on as they are, shared.
    const qsizetype n = text.size();
    qsizetype first = 0;
    for (; first < n; ++first) {
        const QChar c = text[first];
        if (c == u'\r' && first + 1 < n && text[first + 1] == u'\n') {
            ++first;
        } else if (c == u'\r' || c == u'\n') {
            break;
        }
    }
    if (first == n) {
        return text;
    }
    // LF alone (Unix) and CR alone (classic Mac) both become CR LF.
    QString out;
    out.reserve(text.size() + text.size() / 16);
    out += QStringView(text).left(first);
    for (qsizetype i = first; i < n; ++i) {
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

namespace {

bool DecodeStrict(QStringConverter::Encoding encoding, const QByteArray &bytes, QString &out) {
    QStringDecoder decoder(encoding, QStringConverter::Flag::Stateless);
    out = decoder.decode(bytes);
    return !decoder.hasError();
}

// Qt's UTF-16 decoder passes a lone half of a surrogate pair through; such a
// file is as broken as one with a bad UTF-8 byte.
bool PairedSurrogates(const QString &text) {
    const qsizetype n = text.size();
    for (qsizetype i = 0; i < n; ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < n &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;
        } else if (QChar::isSurrogate(u)) {
            return false;
        }
    }
    return true;
}

} // namespace

Encoding DetectEncoding(const QByteArray &bytes) {
    if (bytes.startsWith("\xEF\xBB\xBF")) {
        return Encoding::Utf8Bom;
    }
    if (bytes.startsWith("\xFF\xFE")) {
        return Encoding::Utf16Le;
    }
    if (bytes.startsWith("\xFE\xFF")) {
        return Encoding::Utf16Be;
    }
    // Valid UTF-8 with something beyond ASCII: UTF-8. ASCII reads the same
    // either way; all else is CP932, as ever.
    const bool ascii = std::all_of(bytes.begin(), bytes.end(),
                                   [](char b) { return static_cast<unsigned char>(b) < 0x80; });
    QString ignored;
    if (!ascii && !bytes.contains('\0') && DecodeStrict(QStringConverter::Utf8, bytes, ignored)) {
        return Encoding::Utf8;
    }
    return Encoding::Cp932;
}

QString Decode(const QByteArray &bytes, const QString &sName, Encoding *encodingOut) {
    const auto refuse = [&sName](const QString &why) {
        throw AppError(AppError::TypeMismatch, QStringLiteral("ChordScore"), why.arg(sName));
    };
    QString text;
    const Encoding encoding = DetectEncoding(bytes);
    switch (encoding) {
    case Encoding::Utf8Bom:
        if (!DecodeStrict(QStringConverter::Utf8, bytes.mid(3), text)) {
            refuse(QStringLiteral("UTF-8 として読めないバイトがあるため開けません: %1"));
        }
        break;
    case Encoding::Utf16Le:
    case Encoding::Utf16Be:
        if (bytes.size() % 2 != 0) {
            refuse(QStringLiteral("UTF-16 のファイルが途中で切れているため開けません: %1"));
        }
        if (!DecodeStrict(encoding == Encoding::Utf16Le ? QStringConverter::Utf16LE
                                                        : QStringConverter::Utf16BE,
                          bytes.mid(2), text) ||
            !PairedSurrogates(text)) {
            refuse(QStringLiteral("UTF-16 として読めないため開けません: %1"));
        }
        break;
    case Encoding::Utf8:
        DecodeStrict(QStringConverter::Utf8, bytes, text);
        break;
    case Encoding::Cp932:
        text = cp932::Decode(bytes);
        break;
    }
    if (text.contains(QChar(0))) {
        refuse(encoding == Encoding::Cp932
                   ? QStringLiteral("Shift-JIS のテキストファイルではないため開けません: %1")
                   : QStringLiteral("テキストファイルではないため開けません: %1"));
    }
    if (encodingOut) {
        *encodingOut = encoding;
    }
    return ToCrLf(text);
}

QString Read(const QString &path, Encoding *encodingOut) {
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
    // would hold the window up. Checked before reading and after, for a file
    // that grows meanwhile.
    const auto tooLarge = [&full] {
        return AppError(AppError::OutOfMemory, QStringLiteral("ChordScore"),
                        QStringLiteral("ファイルが大きすぎます (%1 MB まで): %2")
                            .arg(MaxBytes / (qint64{1024} * 1024))
                            .arg(full));
    };
    if (f.size() > MaxBytes) {
        throw tooLarge();
    }
    const QByteArray bytes = f.read(MaxBytes + 1);
    if (f.error() != QFileDevice::NoError) {
        throw AppError(AppError::DeviceIo, QStringLiteral("ChordScore"),
                       QStringLiteral("ファイルを読めません: %1 (%2)").arg(full, f.errorString()));
    }
    if (bytes.size() > MaxBytes) {
        throw tooLarge();
    }
    return Decode(bytes, full, encodingOut);
}

} // namespace sheetfile
