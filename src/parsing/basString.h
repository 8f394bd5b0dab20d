#pragma once

#include <QByteArray>
#include <QString>

#include <cstdint>

// String helpers of the sheet parser and the chord dictionary. Columns are
// bytes of the Shift-JIS (code page 932) form of a line.
namespace basString {

// Every occurrence of sFind (not empty) replaced, left to right; after a
// replacement at i the search goes on from i + 1 of the new string.
QString ReplaceString(const QString &sSource, const QString &sFind, const QString &sReplace);

// Blanks are space, tab, ideographic space U+3000 and U+0000.
bool IsBlank(QChar c);
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

// Each ideographic space U+3000 becomes two spaces, keeping its column width.
QString WideSpaceToSpaces(const QString &sText);

} // namespace basString
