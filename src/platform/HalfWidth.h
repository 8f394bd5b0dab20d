// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// Full-width to half-width through ICU's "Fullwidth-Halfwidth" transliterator:
// full-width letters, digits and signs become ASCII, katakana half-width.
namespace halfwidth {

QString ToHalfWidth(const QString &text);

} // namespace halfwidth
