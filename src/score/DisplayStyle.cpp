// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/DisplayStyle.h"

QColor DisplayStyle::ToColor(int32_t lColor) {
    const auto c = static_cast<uint32_t>(lColor);
    return QColor(static_cast<int>(c & 0xFF), static_cast<int>((c >> 8) & 0xFF),
                  static_cast<int>((c >> 16) & 0xFF));
}

int32_t DisplayStyle::FromColor(const QColor &color) {
    return static_cast<int32_t>(static_cast<uint32_t>(color.red()) |
                                (static_cast<uint32_t>(color.green()) << 8) |
                                (static_cast<uint32_t>(color.blue()) << 16));
}
