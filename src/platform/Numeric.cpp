// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Numeric.h"

#include <cfenv>
#include <cmath>
#include <limits>

namespace numeric {

bool IsBlank(QChar c) {
    const char16_t u = c.unicode();
    return u == u' ' || u == u'\t' || u == 0x3000 || u == 0;
}

namespace {

template <typename T> std::optional<T> ToInteger(double value) {
    if (!std::isfinite(value)) {
        return std::nullopt;
    }
    // nearbyint follows the default mode, round-to-nearest-even.
    const double r = std::nearbyint(value);
    if (r < static_cast<double>(std::numeric_limits<T>::min()) ||
        r > static_cast<double>(std::numeric_limits<T>::max())) {
        return std::nullopt;
    }
    return static_cast<T>(r);
}

} // namespace

std::optional<double> ParseNumber(const QString &text) {
    qsizetype i = 0;
    qsizetype end = text.size();
    while (i < end && IsBlank(text[i])) {
        ++i;
    }
    while (end > i && IsBlank(text[end - 1])) {
        --end;
    }
    QByteArray ascii;
    ascii.reserve(end - i);
    bool digits = false;
    bool point = false;
    qsizetype k = i;
    if (k < end && (text[k] == u'+' || text[k] == u'-')) {
        ascii.append(static_cast<char>(text[k].unicode()));
        ++k;
    }
    for (; k < end; ++k) {
        const char16_t u = text[k].unicode();
        if (u >= u'0' && u <= u'9') {
            digits = true;
        } else if (u == u'.' && !point) {
            point = true;
        } else {
            break;
        }
        ascii.append(static_cast<char>(u));
    }
    if (!digits) {
        return std::nullopt;
    }
    if (k < end && (text[k] == u'e' || text[k] == u'E')) {
        ascii.append('e');
        ++k;
        if (k < end && (text[k] == u'+' || text[k] == u'-')) {
            ascii.append(static_cast<char>(text[k].unicode()));
            ++k;
        }
        bool expDigits = false;
        for (; k < end && text[k].unicode() >= u'0' && text[k].unicode() <= u'9'; ++k) {
            ascii.append(static_cast<char>(text[k].unicode()));
            expDigits = true;
        }
        if (!expDigits) {
            return std::nullopt;
        }
    }
    if (k != end) {
        return std::nullopt;
    }
    bool ok = false;
    const double value = ascii.toDouble(&ok);
    // toDouble refuses values beyond double's range; they are numbers all the
    // same, too large for any integer.
    if (!ok) {
        return std::numeric_limits<double>::infinity();
    }
    return value;
}

std::optional<int16_t> ToInt16(double value) {
    return ToInteger<int16_t>(value);
}
std::optional<int32_t> ToInt32(double value) {
    return ToInteger<int32_t>(value);
}

} // namespace numeric
