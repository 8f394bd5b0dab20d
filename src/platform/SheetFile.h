#pragma once

#include <QString>

// Reading a chord sheet file whole. Errors are AppErrors whose Japanese
// descriptions name the file: 53 not there, 75 cannot be opened, 57 cannot
// be read, 7 too large (more than MaxBytes), 13 not a text file (NUL bytes,
// as in a binary or a UTF-16 file).
namespace sheetfile {

constexpr qint64 MaxBytes = 4 * 1024 * 1024;

// The file's bytes decoded from CP932, every LF not after a CR made CR LF.
QString Read(const QString &path);

// Every LF not preceded by CR becomes CR LF: sheets from any platform end
// their lines the way the sheet parser expects.
QString ToCrLf(const QString &text);

} // namespace sheetfile
