// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "platform/Font.h"

#include <QColor>
#include <QFont>
#include <QSize>
#include <QString>

#include <cstdint>
#include <memory>

namespace celltext {
struct Measured;
}

// One line of text of a cell, the chord name or the word: its text, its
// shared font, its colour, and its size measured once per change. The cell
// paints it; it is no widget of its own, which matters for thousands of cells.
class CellText {
public:
    CellText();

    const QString &Text() const { return m_text; }
    // True when the text changed.
    bool SetText(const QString &sText);
    // Shared with every cell of the score: read anew at each measure and paint.
    const std::shared_ptr<Font> &GetFont() const { return m_font; }
    void SetFont(std::shared_ptr<Font> fnt);
    // True when the colour changed.
    bool SetColor(const QColor &color);
    const QColor &Color() const { return m_color; }
    // The text drawn at this percent of the font's size.
    void SetZoom(int iPercent);
    int Zoom() const { return m_zoom; }

    // Text width and line height in pixels, for the font as it is now.
    QSize TextSize() const;
    // The QFont of the shared font as it is now; made again only when the
    // font object has changed since.
    const QFont &CurrentFont() const;

private:
    QString m_text;
    std::shared_ptr<Font> m_font;
    mutable Font m_madeFrom;
    mutable QFont m_qfont;
    mutable bool m_made = false;
    // The shared measures of the font at this zoom, while they stand.
    mutable celltext::Measured *m_entry = nullptr;
    mutable uint64_t m_entryDrops = 0;
    int m_zoom = 100;
    mutable QSize m_textSize;
    mutable bool m_measured = false;
    QColor m_color = Qt::black;
};
