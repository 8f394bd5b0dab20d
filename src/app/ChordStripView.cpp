// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ChordStripView.h"

#include "platform/WidgetHelpers.h"
#include "score/ChordScore.h"

#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace {

// The strip itself, inside the scroll area.
class Canvas : public QWidget {
public:
    Canvas(const ChordStrip &strip, std::function<void(const QPoint &, Qt::MouseButton)> press)
        : m_strip(strip), m_press(std::move(press)) {
        widgethelpers::SetWhiteBackground(this);
    }

protected:
    void paintEvent(QPaintEvent *) override {
        QPainter p(this);
        p.fillRect(rect(), Qt::white);
        m_strip.Paint(p);
    }
    void mousePressEvent(QMouseEvent *event) override {
        event->accept();
        m_press(event->position().toPoint(), event->button());
    }

private:
    const ChordStrip &m_strip;
    std::function<void(const QPoint &, Qt::MouseButton)> m_press;
};

} // namespace

ChordStripView::ChordStripView(QWidget *parent,
                               std::function<void(const QString &, const QString &)> chosen)
    : QScrollArea(parent), m_chosen(std::move(chosen)) {
    setWidget(new Canvas(m_strip,
                         [this](const QPoint &at, Qt::MouseButton button) { Press(at, button); }));
    setWidgetResizable(false);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFocusPolicy(Qt::NoFocus);
    // The pixel under the strip, the area's own grey, parts it from the score.
    setFrameShape(QFrame::NoFrame);
    QPalette grey = palette();
    grey.setColor(QPalette::Window, QColor(0xC0, 0xC0, 0xC0));
    setPalette(grey);
    setAutoFillBackground(true);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
    widget()->setToolTip(
        QStringLiteral("押さえ方をクリックすると、曲全体でその次の押さえ方に変わります"));
    setAccessibleName(QStringLiteral("コード一覧"));
    setFixedHeight(0);
}

void ChordStripView::Follow(const ChordScore &score) {
    if (m_strip.Take(score, score.Zoom())) {
        Fit();
    }
    widget()->update();
}

void ChordStripView::Fit() {
    const int bar = verticalScrollBar()->sizeHint().width();
    int width = std::max(1, this->width());
    int height = m_strip.Arrange(width);
    // At most a third of the window; then a scroll bar, and rows beside it.
    const int most = parentWidget() ? parentWidget()->height() / 3 : height;
    if (height > most) {
        width = std::max(1, width - bar);
        height = m_strip.Arrange(width);
    }
    widget()->resize(width, height);
    setFixedHeight(m_strip.Count() == 0 ? 0 : std::min(height, std::max(most, 1)) + 1);
}

void ChordStripView::resizeEvent(QResizeEvent *event) {
    QScrollArea::resizeEvent(event);
    Fit();
}

void ChordStripView::Press(const QPoint &at, Qt::MouseButton button) {
    const int i = m_strip.CellAt(at);
    if (i < 0 || button != Qt::LeftButton) {
        return;
    }
    const auto [name, line] = m_strip.Step(i);
    widget()->update();
    if (!line.isEmpty()) {
        m_chosen(name, line);
    }
}
