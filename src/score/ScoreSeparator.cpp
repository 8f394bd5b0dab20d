#include "score/ScoreSeparator.h"

#include "score/ScorePainter.h"

#include <QPainter>

ScoreSeparator::ScoreSeparator(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    hide();
}

void ScoreSeparator::paintEvent(QPaintEvent *) {
    QPainter p(this);
    scorepainter::PaintSeparator(p, 0, height(), palette().color(QPalette::WindowText));
}
