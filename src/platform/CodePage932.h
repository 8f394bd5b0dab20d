// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// Shift-JIS (code page 932) through ICU's "windows-31j" converter. A character
// that the code page cannot represent becomes "?" (one byte). Every byte
// width and column of the program comes from this one conversion.
namespace cp932 {

QByteArray Encode(const QString &text);
QString Decode(const QByteArray &bytes);
QString Decode(const char *bytes, qsizetype length);

// Number of bytes of the CP932 form of text.
qsizetype ByteLength(const QString &text);
qsizetype ByteLength(const QChar *text, qsizetype length);

// True when Decode(Encode(text)) gives text back: every unit is in the code
// page and none is dropped or shares its bytes with another character.
bool RoundTrips(const QString &text);

// Bytes that each UTF-16 unit of text adds to the CP932 form: 1 or 2, 0 for
// the low half of a surrogate pair (the pair becomes one "?").
// prefix[i] is the byte length of the first i units; size is length + 1.
std::vector<int32_t> PrefixByteLengths(const QString &text);

// Columns of a Unicode sheet, as a monospace editor shows them: a unit the
// code page has counts its CP932 bytes, as above; any other character its
// East Asian Width (wide and full-width 2, combining marks 0, the rest 1).
// prefix[i] is the column count of the first i units.
std::vector<int32_t> PrefixColumns(const QString &text);
int UnicodeWidth(char32_t c);

} // namespace cp932
