// SPDX-License-Identifier: GPL-3.0-or-later
// Reading a sheet's bytes: the encoding detector and the decoder. Whatever
// the bytes, the text is refused with a message or has every line ended by
// CR LF and no half of a surrogate pair.
#include "platform/AppError.h"
#include "platform/SheetFile.h"

#include <QString>

#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char *>(data), static_cast<qsizetype>(size));
    try {
        const QString text = sheetfile::Decode(bytes, QStringLiteral("fuzz.txt"));
        const qsizetype n = text.size();
        for (qsizetype i = 0; i < n; ++i) {
            const char16_t u = text[i].unicode();
            if (QChar::isHighSurrogate(u) && i + 1 < n &&
                QChar::isLowSurrogate(text[i + 1].unicode())) {
                ++i;
            } else if (QChar::isSurrogate(u) || u == 0 ||
                       (u == u'\n' && (i == 0 || text[i - 1] != u'\r')) ||
                       (u == u'\r' && (i + 1 == n || text[i + 1] != u'\n'))) {
                std::abort();
            }
        }
    } catch (const AppError &e) {
        if (!e.Description().contains(QStringLiteral("fuzz.txt"))) {
            std::abort();
        }
    }
    return 0;
}
