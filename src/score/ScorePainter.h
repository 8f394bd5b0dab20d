// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>
#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>

#include <cstdint>

class ChordScore;
class PositionDiagram;
class QPainter;

// Painting of diagrams, cells and whole scores into any QPainter: the
// screen's widgets, an image, a printer or a PDF. Lengths come in twips and
// become whole pixels of the painter's coordinates, so that any whole scale
// stays crisp. The widgets paint through these same functions.
namespace scorepainter {

// Screen: every figure on whole pixels. Paper: the same places, with dots
// as rounded rectangles and crosses as strokes, for a vector page.
enum class Style { Screen, Paper };

// A line of text of a cell: the chord name or the word.
struct TextPart {
    bool Shown = false;
    QString Text;
    QFont Font;
    QColor Color;
    int32_t Top = 0; // twips from the cell's top
    QSize Box;       // pixels, as the cell measured it; empty: measured here
};

// What a cell shows now, as plain data.
struct CellPicture {
    const PositionDiagram *Diagram = nullptr; // null when hidden
    TextPart Name;
    TextPart Word;
    int32_t Width = 0; // twips
    int32_t Height = 0;
};

// The diagram with its top-left corner at the origin.
void PaintDiagram(QPainter &p, const PositionDiagram &d, Style style = Style::Screen);
// One line of text on white, its box's top-left corner at the origin; a box
// the caller has measured already is not measured again.
void PaintText(QPainter &p, const QString &text, const QFont &font, const QColor &color,
               Style style = Style::Screen, QSize box = {});
// On paper a pixel of the score is 1/96 inch: the font at its size in points
// there, for a painter scaled to such pixels on a device of any resolution.
QFont PaperFont(const QFont &font, const QPainter &p);
// The dotted line between page columns, from the top, iHeight pixels long.
void PaintSeparator(QPainter &p, int x, int iHeight, const QColor &ink);
// A cell with its top-left corner at the origin.
void PaintCell(QPainter &p, const CellPicture &cell, Style style = Style::Screen);
// The score on white, from its top-left corner: its page separators and its
// cells. The screen paints the dirty rectangle through it; a null one is
// the whole score (an image, a zoom preview).
void PaintScore(QPainter &p, const ChordScore &score, const QRect &dirty = QRect());

} // namespace scorepainter
