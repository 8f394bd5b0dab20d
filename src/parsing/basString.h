// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>
#include <vector>

// String helpers of the sheet parser and the chord dictionary. Columns are
// bytes of the Shift-JIS (code page 932) form of a line.
namespace basString {

// Every occurrence of sFind (not empty) replaced, left to right; after a
// replacement at i the search goes on from i + 1 of the new string.
QString ReplaceString(const QString &sSource, const QString &sFind, const QString &sReplace);

// Blanks are space, tab, ideographic space U+3000 and U+0000.
QString TrimBlank(const QString &sText);
QString TrimBlankLeft(const QString &sText);
QString TrimBlankRight(const QString &sText);

// Shift-JIS byte classes: lead 0x81-0x9F, 0xE0-0xEF; trail 0x40-0xFC but 0x7F.
bool IsLeadByte(uint8_t b);
bool IsTrailByte(uint8_t b);

// Each tab replaced by spaces up to the next multiple of iTabSize byte
// columns. The text makes a round trip through code page 932. A tab size
// below 1 counts as 1. A result longer than a sheet line may be (more than
// 65,534 bytes) raises error 6 instead of growing without bound.
QString ExpandTab(const QString &sText, int16_t iTabSize);
// The same, as the code page 932 bytes of the result.
QByteArray ExpandTabBytes(const QString &sText, int16_t iTabSize);

// How a sheet's characters count in columns: CodePage, as the bytes of their
// code page 932 form (a character it lacks is "?", one column); Unicode, for
// a sheet read from a Unicode file, the same for every character the code
// page has and the East Asian Width for any other, which is kept as it is.
enum class ColumnRule { CodePage, Unicode };

// prefix[i]: columns of the first i UTF-16 units of text.
std::vector<int32_t> PrefixColumns(const QString &sText, ColumnRule rule);
// ExpandTab by the rule's columns; CodePage is ExpandTab itself.
QString ExpandTabColumns(const QString &sText, int16_t iTabSize, ColumnRule rule);

// Each ideographic space U+3000 becomes two spaces, keeping its column width.
QString WideSpaceToSpaces(const QString &sText);

} // namespace basString
