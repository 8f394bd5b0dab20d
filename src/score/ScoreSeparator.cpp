#include "score/ScoreSeparator.h"

#include <QPainter>

ScoreSeparator::ScoreSeparator(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ScoreSeparator::paintEvent(QPaintEvent *) {
    QPainter p(this);
    const QColor ink = palette().color(QPalette::WindowText);
    // One pixel on, one off, from the top.
    for (int y = 0; y < height(); y += 2) {
        p.fillRect(0, y, 1, 1, ink);
    }
}
