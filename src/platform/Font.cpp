// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/Font.h"

#include <algorithm>
#include <cmath>
#include <limits>

Font::Font(const QString &sName, double dSize, bool bBold) : m_name(sName), m_size(dSize) {
    SetBold(bBold);
}

void Font::SetBold(bool bBold) {
    m_bold = bBold;
    m_weight = bBold ? 700 : 400;
}

void Font::SetWeight(int16_t iWeight) {
    m_weight = iWeight;
    m_bold = iWeight >= 600;
}

int32_t Font::RoundedSize() const {
    if (!std::isfinite(m_size)) {
        return 0;
    }
    const double r = std::nearbyint(m_size);
    return static_cast<int32_t>(std::clamp(r, double(std::numeric_limits<int32_t>::min()),
                                           double(std::numeric_limits<int32_t>::max())));
}

QFont Font::ToQFont() const {
    QFont f(m_name);
    // A hand-edited size must not make Qt warn or draw glyphs a page high.
    const double size = std::isfinite(m_size) ? std::clamp(m_size, 1.0, 200.0) : 9.0;
    f.setPointSizeF(size);
    f.setWeight(static_cast<QFont::Weight>(std::clamp<int>(m_weight, 1, 1000)));
    f.setItalic(m_italic);
    f.setUnderline(m_underline);
    f.setStrikeOut(m_strikethrough);
    return f;
}

Font Font::FromQFont(const QFont &font) {
    Font f;
    f.SetName(font.family());
    f.SetSize(font.pointSizeF() > 0 ? font.pointSizeF() : 9.0);
    f.SetWeight(static_cast<int16_t>(font.weight()));
    f.SetItalic(font.italic());
    f.SetUnderline(font.underline());
    f.SetStrikethrough(font.strikeOut());
    return f;
}
