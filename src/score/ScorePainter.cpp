// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScorePainter.h"

#include "platform/Twips.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/Fonts.h"
#include "score/PositionDiagram.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPen>

#include <algorithm>

using twips::Px;

namespace scorepainter {

namespace {

// Two diagonal strokes of square pixels, iLine wide.
void DrawCross(QPainter &p, const PositionDiagram::Cross &c, int iLine, const QColor &ink) {
    const int left = Px(c.Left);
    const int top = Px(c.Top);
    const int n = Px(c.Size);
    for (int k = 0; k + iLine <= n; ++k) {
        p.fillRect(left + k, top + k, iLine, iLine, ink);
        p.fillRect(left + n - iLine - k, top + k, iLine, iLine, ink);
    }
}

// A rounded rectangle of pixels: the corners left out, an iLine-pixel border.
void DrawDot(QPainter &p, const PositionDiagram::Dot &d, int iLine, const QColor &ink) {
    const int x = Px(d.Left);
    const int y = Px(d.Top);
    const int w = Px(d.Width);
    const int h = Px(d.Height);
    const int t = iLine;
    // Too small for a border and some red inside: all red, so it still shows.
    if (w < 5) {
        p.fillRect(x, y, w, h, QColor(255, 0, 0));
        return;
    }
    p.fillRect(x + t, y + t, w - 2 * t, h - 2 * t, QColor(255, 0, 0));
    p.fillRect(x + t, y, w - 2 * t, t, ink);
    p.fillRect(x + t, y + h - t, w - 2 * t, t, ink);
    p.fillRect(x, y + t, t, h - 2 * t, ink);
    p.fillRect(x + w - t, y + t, t, h - 2 * t, ink);
}

// The paper forms: a stroked cross and a rounded rectangle, antialiased.
void DrawCrossStroke(QPainter &p, const PositionDiagram::Cross &c, int iLine, const QColor &ink) {
    const double left = Px(c.Left) + iLine / 2.0;
    const double top = Px(c.Top) + iLine / 2.0;
    const double n = Px(c.Size) - iLine;
    p.setPen(QPen(ink, iLine, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(left, top), QPointF(left + n, top + n));
    p.drawLine(QPointF(left + n, top), QPointF(left, top + n));
}

void DrawDotShape(QPainter &p, const PositionDiagram::Dot &d, int iLine, const QColor &ink) {
    const QRectF r(Px(d.Left) + iLine / 2.0, Px(d.Top) + iLine / 2.0, Px(d.Width) - iLine,
                   Px(d.Height) - iLine);
    p.setPen(QPen(ink, iLine));
    p.setBrush(QColor(255, 0, 0));
    const double radius = std::min(r.width(), r.height()) / 3.0;
    p.drawRoundedRect(r, radius, radius);
}

void PaintPart(QPainter &p, const TextPart &part, Style style) {
    if (!part.Shown) {
        return;
    }
    p.save();
    p.translate(0, Px(part.Top));
    PaintText(p, part.Text, part.Font, part.Color, style, part.Box);
    p.restore();
}

} // namespace

void PaintDiagram(QPainter &p, const PositionDiagram &d, Style style) {
    if (style == Style::Paper) {
        p.save();
        p.setRenderHint(QPainter::Antialiasing);
    }
    const QColor ink(Qt::black);
    const int line = d.String(1).WidthPx;
    p.fillRect(0, 0, Px(d.Width()), Px(d.Height()), Qt::white);
    for (int16_t i = 1; i <= PositionDiagram::MaxStrings; ++i) {
        const PositionDiagram::Line &s = d.String(i);
        if (s.Visible) {
            // To the far edge of the last fret line.
            p.fillRect(Px(s.X1), Px(s.Y1), Px(s.X2) - Px(s.X1) + line, s.WidthPx, ink);
        }
    }
    for (int16_t k = 0; k <= PositionDiagram::MaxFrets; ++k) {
        const PositionDiagram::Line &f = d.Fret(k);
        if (f.Visible) {
            // A thick nut grows to the left, away from the first fret column.
            const int x = k == 0 ? Px(f.X1) - (f.WidthPx - line) : Px(f.X1);
            p.fillRect(x, Px(f.Y1), f.WidthPx, Px(f.Y2) - Px(f.Y1) + line, ink);
        }
    }
    for (int16_t i = 1; i <= PositionDiagram::MaxStrings; ++i) {
        if (d.Mute(i).Visible) {
            if (style == Style::Paper) {
                DrawCrossStroke(p, d.Mute(i), line, ink);
            } else {
                DrawCross(p, d.Mute(i), line, ink);
            }
        }
    }
    const PositionDiagram::Label &number = d.FretNumber();
    if (number.Visible) {
        const QFont &font = scorefonts::FretNumberFont(d.Zoom());
        p.setFont(style == Style::Paper ? PaperFont(font, p) : font);
        p.setPen(ink);
        p.drawText(QRect(Px(number.Left), Px(number.Top), Px(number.Width), Px(number.Height)),
                   Qt::AlignCenter, number.Text);
    }
    const PositionDiagram::Mark &mark = d.Variation();
    if (mark.Visible) {
        const int x = Px(mark.Left);
        const int y = Px(mark.Top);
        const int n = Px(mark.Size);
        const int arm = (n - line) / 2;
        p.fillRect(x, y, n, n, Qt::white);
        p.fillRect(x + arm, y, line, n, ink);
        p.fillRect(x, y + arm, n, line, ink);
    }
    // String 1's dot on top.
    for (int16_t i = PositionDiagram::MaxStrings; i >= 1; --i) {
        if (d.Thumb(i).Visible) {
            if (style == Style::Paper) {
                DrawDotShape(p, d.Thumb(i), line, ink);
            } else {
                DrawDot(p, d.Thumb(i), line, ink);
            }
        }
    }
    if (style == Style::Paper) {
        p.restore();
    }
}

QFont PaperFont(const QFont &font, const QPainter &p) {
    QFont f = font;
    // No ligatures: "fi" must stay two letters for a PDF's search and copy.
    f.setStyleStrategy(QFont::StyleStrategy(f.styleStrategy() | QFont::PreferNoShaping));
    const int dpi = p.device() ? p.device()->logicalDpiY() : 96;
    if (font.pointSizeF() > 0 && dpi > 0) {
        f.setPointSizeF(font.pointSizeF() * 96.0 / dpi);
    }
    return f;
}

void PaintText(QPainter &p, const QString &text, const QFont &font, const QColor &color,
               Style style, QSize box) {
    if (style == Style::Paper) {
        // The page is white already; only the text.
        const QFont f = PaperFont(font, p);
        const QFontMetrics fm(f, p.device());
        p.setFont(f);
        p.setPen(color);
        p.drawText(0, fm.ascent(), text);
        return;
    }
    // Within its box, as a label of its own would be: an antialiased edge
    // past the line's height is not drawn.
    const QFontMetrics fm(font);
    if (box.isEmpty()) {
        box = {fm.horizontalAdvance(text), fm.height()};
    }
    const QRect rect(QPoint(), box);
    p.fillRect(rect, Qt::white);
    p.save();
    p.setClipRect(rect, Qt::IntersectClip);
    p.setFont(font);
    p.setPen(color);
    p.drawText(0, fm.ascent(), text);
    p.restore();
}

void PaintSeparator(QPainter &p, int x, int iHeight, const QColor &ink) {
    // One pixel on, one off, from the top.
    for (int y = 0; y < iHeight; y += 2) {
        p.fillRect(x, y, 1, 1, ink);
    }
}

void PaintCell(QPainter &p, const CellPicture &cell, Style style) {
    p.fillRect(0, 0, Px(cell.Width), Px(cell.Height), Qt::white);
    if (cell.Diagram) {
        PaintDiagram(p, *cell.Diagram, style);
    }
    PaintPart(p, cell.Name, style);
    PaintPart(p, cell.Word, style);
}

void PaintScore(QPainter &p, const ChordScore &score, const QRect &dirty) {
    const QRect all(0, 0, Px(score.WidthTwips()), Px(score.HeightTwips()));
    const QRect area = dirty.isNull() ? all : dirty;
    p.fillRect(area, Qt::white);
    const QColor ink = score.palette().color(QPalette::WindowText);
    for (const int32_t x : score.Layout().SeparatorX()) {
        if (Px(x) >= area.left() && Px(x) <= area.right()) {
            PaintSeparator(p, Px(x), all.height(), ink);
        }
    }
    for (int32_t i = 1; i <= score.ChordViewCount(); ++i) {
        const ChordView *cell = score.Cell(i);
        const QRect box = score.CellRect(i);
        if (!box.intersects(area)) {
            continue;
        }
        p.save();
        p.setClipRect(box);
        p.translate(box.topLeft());
        PaintCell(p, cell->Picture());
        p.restore();
    }
}

} // namespace scorepainter
