// SPDX-License-Identifier: GPL-3.0-or-later
#include "parsing/basString.h"

#include "platform/AppError.h"
#include "platform/CodePage932.h"
#include "platform/Numeric.h"

namespace basString {

namespace {
constexpr char16_t kIdeographicSpace = 0x3000;
// Token holds at most 32,767 characters of two bytes at most.
constexpr qsizetype kMaxExpandedBytes = qsizetype{0x7FFF} * 2;
} // namespace

QString ReplaceString(const QString &sSource, const QString &sFind, const QString &sReplace) {
    QString s = sSource;
    if (sFind.isEmpty()) {
        return s;
    }
    qsizetype i = s.indexOf(sFind, 0, Qt::CaseSensitive);
    while (i >= 0) {
        s.replace(i, sFind.size(), sReplace);
        i = s.indexOf(sFind, i + 1, Qt::CaseSensitive);
    }
    return s;
}

using numeric::IsBlank;

QString TrimBlankLeft(const QString &sText) {
    qsizetype i = 0;
    while (i < sText.size() && IsBlank(sText[i])) {
        ++i;
    }
    return sText.mid(i);
}

QString TrimBlankRight(const QString &sText) {
    qsizetype n = sText.size();
    while (n > 0 && IsBlank(sText[n - 1])) {
        --n;
    }
    return sText.left(n);
}

QString TrimBlank(const QString &sText) {
    return TrimBlankLeft(TrimBlankRight(sText));
}

bool IsLeadByte(uint8_t b) {
    return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xEF);
}

bool IsTrailByte(uint8_t b) {
    return b >= 0x40 && b <= 0xFC && b != 0x7F;
}

QByteArray ExpandTabBytes(const QString &sText, int16_t iTabSize) {
    QByteArray in = cp932::Encode(sText);
    if (!in.contains('\t')) {
        return in;
    }
    const qsizetype tab = iTabSize < 1 ? 1 : iTabSize;
    // One pass; the same as replacing the first tab again and again, since a
    // tab's offset depends only on what comes before it.
    QByteArray out;
    out.reserve(in.size() + tab);
    for (char b : in) {
        if (b == '\t') {
            const qsizetype spaces = tab - (out.size() % tab);
            if (out.size() + spaces > kMaxExpandedBytes) {
                throw AppError::overflow(QStringLiteral("basString"),
                                         QStringLiteral("タブを展開した行が長すぎます"));
            }
            out.append(spaces, ' ');
        } else {
            out.append(b);
        }
    }
    return out;
}

namespace {

// Tabs to spaces up to the next stop, each other unit as wide as prefix says.
QString ExpandByColumns(const QString &sText, int16_t iTabSize,
                        const std::vector<int32_t> &prefix) {
    const qsizetype tab = iTabSize < 1 ? 1 : iTabSize;
    QString out;
    out.reserve(sText.size() + tab);
    qsizetype column = 0;
    for (qsizetype i = 0; i < sText.size(); ++i) {
        if (sText[i] == u'\t') {
            const qsizetype spaces = tab - (column % tab);
            if (column + spaces > kMaxExpandedBytes) {
                throw AppError::overflow(QStringLiteral("basString"),
                                         QStringLiteral("タブを展開した行が長すぎます"));
            }
            out.append(QString(spaces, u' '));
            column += spaces;
        } else {
            out.append(sText[i]);
            column += prefix[static_cast<size_t>(i) + 1] - prefix[static_cast<size_t>(i)];
        }
    }
    return out;
}

} // namespace

QString ExpandTab(const QString &sText, int16_t iTabSize) {
    // Text the code page holds is its own round trip: its tabs expand by
    // byte columns without going through the bytes.
    if (!cp932::RoundTrips(sText)) {
        return cp932::Decode(ExpandTabBytes(sText, iTabSize));
    }
    if (!sText.contains(u'\t')) {
        return sText;
    }
    return ExpandByColumns(sText, iTabSize, cp932::PrefixByteLengths(sText));
}

std::vector<int32_t> PrefixColumns(const QString &sText, ColumnRule rule) {
    return rule == ColumnRule::CodePage ? cp932::PrefixByteLengths(sText)
                                        : cp932::PrefixColumns(sText);
}

QString ExpandTabColumns(const QString &sText, int16_t iTabSize, ColumnRule rule) {
    if (rule == ColumnRule::CodePage) {
        return ExpandTab(sText, iTabSize);
    }
    if (!sText.contains(u'\t')) {
        return sText;
    }
    return ExpandByColumns(sText, iTabSize, PrefixColumns(sText, rule));
}

QString WideSpaceToSpaces(const QString &sText) {
    if (!sText.contains(QChar(kIdeographicSpace))) {
        return sText;
    }
    QString s = sText;
    s.replace(QChar(kIdeographicSpace), QStringLiteral("  "));
    return s;
}

} // namespace basString
