// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// Numbers written as text, read the way the original runtime read them:
// blanks around, an optional sign, digits with an optional fraction and
// exponent; conversion to an integer rounds halves to even.
namespace numeric {

// The blanks that numbers and trimmed strings may stand between: space,
// tab, the ideographic space and NUL.
bool IsBlank(QChar c);

// The value of text, or nothing when text is not a number.
std::optional<double> ParseNumber(const QString &text);

// value rounded to the nearest integer (halves to even), or nothing when
// that does not fit the type.
std::optional<int16_t> ToInt16(double value);
std::optional<int32_t> ToInt32(double value);

} // namespace numeric
