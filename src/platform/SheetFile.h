// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Reading a chord sheet file whole. Errors are AppErrors whose Japanese
// descriptions name the file: 53 not there, 75 cannot be opened, 57 cannot
// be read, 7 too large (more than MaxBytes), 13 not a text file (NUL bytes,
// as in a binary) or a broken UTF-8 or UTF-16 one.
namespace sheetfile {

constexpr qint64 MaxBytes = qint64{4} * 1024 * 1024;

enum class Encoding { Cp932, Utf8, Utf8Bom, Utf16Le, Utf16Be };

// How a sheet's bytes are to be read: a UTF-8 or UTF-16 BOM, or valid UTF-8
// holding something beyond ASCII, is Unicode; anything else CP932.
Encoding DetectEncoding(const QByteArray &bytes);

// The file's text in the encoding its bytes show, every lone LF or CR made
// CR LF.
QString Read(const QString &path, Encoding *encoding = nullptr);

// The same for bytes already read; sName is the file named in a refusal. A
// Unicode file (BOM, or valid UTF-8) that is broken after its BOM is
// refused; text read as CP932 holds U+FFFD for bytes the code page lacks,
// never half of a surrogate pair.
QString Decode(const QByteArray &bytes, const QString &sName, Encoding *encoding = nullptr);

// Every LF not preceded by CR becomes CR LF: sheets from any platform end
// their lines the way the sheet parser expects.
QString ToCrLf(const QString &text);

} // namespace sheetfile
