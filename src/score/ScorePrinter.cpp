#include "score/ScorePrinter.h"

#include "platform/Twips.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"
#include "score/PrintLayout.h"
#include "score/ScorePainter.h"
#include "score/Zoom.h"

#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>

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
        // The footer: the sheet's name on the left, the page on the right.
        const QFont font = FooterFont();
        p.setFont(font);
        p.setPen(QColor(96, 96, 96));
        const QRectF band(0, device.height() - footer, device.width(), footer);
        p.drawText(band, Qt::AlignLeft | Qt::AlignBottom, sTitle);
        p.drawText(band, Qt::AlignRight | Qt::AlignBottom,
                   QStringLiteral("ページ %1 / %2").arg(k + 1).arg(count));
    }
    return count;
}

} // namespace scoreprinter
