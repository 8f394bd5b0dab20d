// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ScorePrinter.h"

#include "platform/Twips.h"
#include "score/ChordScore.h"
#include "score/ChordStrip.h"
#include "score/ChordView.h"
#include "score/DisplayStyle.h"
#include "score/PrintLayout.h"
#include "score/ScorePainter.h"
#include "score/SongbookLayout.h"
#include "score/Zoom.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

#include <algorithm>
#include <cmath>
#include <vector>

using twips::Px;

namespace scoreprinter {

namespace {

// A pixel of the screen at 100% is 1/96 inch on paper.
constexpr double kScreenDpi = 96.0;
constexpr double kFooterMm = 8.0;

QFont FooterFont() {
    QFont f(QStringLiteral("Arial"));
    f.setPointSizeF(8);
    return f;
}

// The sheet's name on the left, the page on the right, in device units.
void PaintFooter(QPainter &p, QPagedPaintDevice &device, double footer, const QString &sTitle,
                 int page, int count) {
    p.setFont(FooterFont());
    p.setPen(QColor(96, 96, 96));
    const QRectF band(0, device.height() - footer, device.width(), footer);
    p.drawText(band, Qt::AlignLeft | Qt::AlignBottom, sTitle);
    p.drawText(band, Qt::AlignRight | Qt::AlignBottom,
               QStringLiteral("ページ %1 / %2").arg(page).arg(count));
}

} // namespace

int Print(QPainter &p, QPagedPaintDevice &device, const ChordScore &score, bool bPageReturn,
          const QString &sTitle) {
    const std::vector<ScoreLayout::Box> boxes = score.LayoutBoxes();
    // Device units per pixel of the score: a zoomed score prints larger.
    const double dpi = device.logicalDpiY();
    const double unit = dpi / kScreenDpi;
    const double footer = dpi * kFooterMm / 25.4;
    const auto toTwips = [&](double units) {
        return static_cast<int32_t>(units / unit * twips::kTwipsPerPixel);
    };
    const int32_t gap = zoom::ScaleTwips(2 * ScoreLayout::Margin, score.Zoom());
    const PrintLayout layout = PrintLayout::Arrange(
        boxes, toTwips(device.width()), toTwips(device.height() - footer), bPageReturn, gap);
    const auto &pages = layout.Pages();
    const int count = std::max<int>(1, static_cast<int>(pages.size()));
    const QColor ink(Qt::black);
    for (int k = 0; k < count; ++k) {
        if (k > 0) {
            device.newPage();
        }
        if (static_cast<size_t>(k) < pages.size()) {
            const PrintLayout::Page &page = pages[static_cast<size_t>(k)];
            p.save();
            p.scale(unit * layout.Scale(), unit * layout.Scale());
            const int height = Px(toTwips(device.height() - footer));
            for (const int32_t x : page.SeparatorX) {
                scorepainter::PaintSeparator(p, Px(x), static_cast<int>(height / layout.Scale()),
                                             ink);
            }
            for (const PrintLayout::Cell &c : page.Cells) {
                const ChordView *cell = score.Cell(static_cast<int16_t>(c.Index + 1));
                // The row's bottom on a whole pixel, as on screen.
                const int top = Px(c.Top + cell->HeightTwips()) - Px(cell->HeightTwips());
                p.save();
                p.translate(Px(c.Left), top);
                scorepainter::PaintCell(p, cell->Picture(), scorepainter::Style::Paper);
                p.restore();
            }
            p.restore();
        }
        PaintFooter(p, device, footer, sTitle, k + 1, count);
    }
    return count;
}

int PrintSongbook(QPainter &p, QPagedPaintDevice &device, const ChordScore &score,
                  const Heading &heading, const QString &sFooter) {
    // Painted in pixels of the screen at 100% (1/96 inch), as Print does.
    const double dpi = device.logicalDpiY();
    const double unit = dpi / kScreenDpi;
    const double footer = dpi * kFooterMm / 25.4;
    const int pageWidth = static_cast<int>(device.width() / unit);
    const int pageHeight = static_cast<int>((device.height() - footer) / unit);
    p.save();
    p.scale(unit, unit);

    const ChordView &templ = *score.Properties();
    const QFont nameFont = scorepainter::PaperFont(templ.ChordNameFont()->ToQFont(), p);
    const QFont wordFont = scorepainter::PaperFont(templ.WordFont()->ToQFont(), p);
    const QFontMetricsF nameMetrics(nameFont, p.device());
    const QFontMetricsF wordMetrics(wordFont, p.device());
    const double nameHeight = nameMetrics.height();
    const double wordHeight = wordMetrics.height();
    // Chord names one after another keep a space between them.
    const double nameGap = nameMetrics.horizontalAdvance(u' ');

    // The heading: title, then key and capo, then the chord strip.
    QFont titleFont = templ.WordFont()->ToQFont();
    titleFont.setPointSizeF(20);
    titleFont.setBold(true);
    titleFont = scorepainter::PaperFont(titleFont, p);
    QFont infoFont = templ.WordFont()->ToQFont();
    infoFont.setPointSizeF(10.5);
    infoFont = scorepainter::PaperFont(infoFont, p);
    const QFontMetricsF titleMetrics(titleFont, p.device());
    const QFontMetricsF infoMetrics(infoFont, p.device());
    double y = 0;
    const QString title = titleMetrics.elidedText(heading.Title, Qt::ElideRight, pageWidth);
    p.setFont(titleFont);
    p.setPen(Qt::black);
    p.drawText(QPointF(0, y + titleMetrics.ascent()), title);
    y += titleMetrics.height() + 4;
    if (!heading.Info.isEmpty()) {
        p.setFont(infoFont);
        p.setPen(QColor(48, 48, 48));
        p.drawText(QPointF(0, y + infoMetrics.ascent()), heading.Info);
        y += infoMetrics.height() + 6;
    }
    ChordStrip strip;
    strip.Take(score, 100);
    const int stripHeight = strip.Arrange(pageWidth);
    p.save();
    p.translate(0, y);
    strip.Paint(p, scorepainter::Style::Paper);
    p.restore();
    y += stripHeight + 8;

    // The rows: a line of names where the row has a chord, then the words.
    const int count = score.ChordViewCount();
    std::vector<bool> chordRow;
    for (int16_t i = 1; i <= count; ++i) {
        const int32_t row = score.Cell(i)->LineNo();
        if (row >= static_cast<int32_t>(chordRow.size())) {
            chordRow.resize(static_cast<size_t>(row) + 1, false);
        }
        if (row >= 0 && !score.Cell(i)->ChordName().isEmpty()) {
            chordRow[static_cast<size_t>(row)] = true;
        }
    }
    const auto hasChords = [&](const ChordView &cell) {
        return cell.LineNo() >= 0 && chordRow[static_cast<size_t>(cell.LineNo())];
    };
    std::vector<SongbookLayout::Box> boxes;
    boxes.reserve(static_cast<size_t>(count));
    for (int16_t i = 1; i <= count; ++i) {
        const ChordView &cell = *score.Cell(i);
        const double name = cell.ChordName().isEmpty()
                                ? 0
                                : nameMetrics.horizontalAdvance(cell.ChordName()) + nameGap;
        const double word = wordMetrics.horizontalAdvance(cell.Word());
        // A blank line between verses is half a line.
        const bool blank = cell.Word().trimmed().isEmpty() && !hasChords(cell);
        const double height =
            blank ? wordHeight / 2 : (hasChords(cell) ? nameHeight : 0) + wordHeight;
        boxes.push_back(
            {static_cast<int32_t>(std::ceil(std::max(name, word)) * twips::kTwipsPerPixel),
             static_cast<int32_t>(std::ceil(height) * twips::kTwipsPerPixel), cell.LineNo()});
    }
    const int32_t px = twips::kTwipsPerPixel;
    const SongbookLayout layout = SongbookLayout::Arrange(
        boxes, pageWidth * px, pageHeight * px, static_cast<int32_t>(y) * px, 24 * px, 2 * px);
    const QColor nameColor = DisplayStyle::ToColor(templ.EnableChordNameColor());
    const QColor wordColor = DisplayStyle::ToColor(templ.EnableWordColor());
    int page = 0;
    bool scaled = false; // the first page's lines, below the heading
    for (const SongbookLayout::Cell &c : layout.Cells()) {
        while (page < c.Page) {
            p.restore();
            PaintFooter(p, device, footer, sFooter, ++page, layout.PageCount());
            device.newPage();
            p.save();
            p.scale(unit * layout.Scale(), unit * layout.Scale());
        }
        if (page == 0 && !scaled) {
            p.scale(layout.Scale(), layout.Scale());
            scaled = true;
        }
        const ChordView &cell = *score.Cell(static_cast<int16_t>(c.Index + 1));
        const double left = double(c.Left) / px;
        double top = double(c.Top) / px;
        if (!cell.ChordName().isEmpty()) {
            p.setFont(nameFont);
            p.setPen(nameColor);
            p.drawText(QPointF(left, top + nameMetrics.ascent()), cell.ChordName());
        }
        top += hasChords(cell) ? nameHeight : 0;
        if (!cell.Word().isEmpty()) {
            p.setFont(wordFont);
            p.setPen(wordColor);
            p.drawText(QPointF(left, top + wordMetrics.ascent()), cell.Word());
        }
    }
    p.restore();
    PaintFooter(p, device, footer, sFooter, page + 1, layout.PageCount());
    return layout.PageCount();
}

int PrintContents(QPainter &p, QPagedPaintDevice &device, const QString &sTitle,
                  const std::vector<ContentsLine> &lines, const QFont &font) {
    const double dpi = device.logicalDpiY();
    const double unit = dpi / kScreenDpi;
    const int pageWidth = static_cast<int>(device.width() / unit);
    const int pageHeight = static_cast<int>(device.height() / unit);
    QFont titleFont = font;
    titleFont.setPointSizeF(20);
    titleFont.setBold(true);
    titleFont = scorepainter::PaperFont(titleFont, p);
    QFont lineFont = font;
    lineFont.setPointSizeF(12);
    lineFont = scorepainter::PaperFont(lineFont, p);
    const QFontMetricsF titleMetrics(titleFont, p.device());
    const QFontMetricsF lineMetrics(lineFont, p.device());
    const double step = lineMetrics.height() * 1.5;
    p.save();
    p.scale(unit, unit);
    p.setPen(Qt::black);
    int pages = 1;
    double y = 0;
    p.setFont(titleFont);
    p.drawText(QPointF(0, titleMetrics.ascent()),
               titleMetrics.elidedText(sTitle, Qt::ElideRight, pageWidth));
    y = titleMetrics.height() * 1.6;
    p.setFont(lineFont);
    const double numberWidth = lineMetrics.horizontalAdvance(QStringLiteral("0000"));
    for (size_t i = 0; i < lines.size(); ++i) {
        if (y + step > pageHeight) {
            device.newPage();
            ++pages;
            y = 0;
        }
        const ContentsLine &line = lines[i];
        const QString page =
            line.Page > 0 ? QString::number(line.Page) : QStringLiteral("(見つかりません)");
        const double pageAdvance = std::max(numberWidth, lineMetrics.horizontalAdvance(page));
        const QString title =
            lineMetrics.elidedText(QStringLiteral("%1. %2").arg(i + 1).arg(line.Title),
                                   Qt::ElideRight, pageWidth - pageAdvance - 16);
        const double baseline = y + lineMetrics.ascent();
        p.drawText(QPointF(0, baseline), title);
        // Dots lead the eye from the title to its page.
        const double from = lineMetrics.horizontalAdvance(title) + 8;
        const double to = pageWidth - pageAdvance - 8;
        p.setPen(QPen(QColor(150, 150, 150), 1, Qt::DotLine));
        if (to > from) {
            p.drawLine(QPointF(from, baseline), QPointF(to, baseline));
        }
        p.setPen(Qt::black);
        p.drawText(QRectF(pageWidth - pageAdvance, y, pageAdvance, lineMetrics.height()),
                   Qt::AlignRight | Qt::AlignTop, page);
        y += step;
    }
    p.restore();
    return pages;
}

} // namespace scoreprinter
