#include "score/PositionView.h"

#include "score/ScorePainter.h"

#include <QMouseEvent>
#include <QPainter>

PositionView::PositionView(const PositionDiagram &diagram, QWidget *parent)
    : QWidget(parent), m_diagram(diagram) {
    // Paints all of itself, but does not claim to: see ChordView.
}

void PositionView::paintEvent(QPaintEvent *) {
    QPainter p(this);
    scorepainter::PaintDiagram(p, m_diagram);
}

void PositionView::mousePressEvent(QMouseEvent *event) {
    emit Pressed(event->button());
    event->accept();
}
