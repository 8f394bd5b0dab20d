#include "score/CellLabel.h"

#include "score/ScorePainter.h"

#include <QFontMetrics>
#include <QMouseEvent>
#include <QPainter>

CellLabel::CellLabel(QWidget *parent) : QWidget(parent), m_font(std::make_shared<Font>()) {
    // Paints all of itself, but does not claim to: see ChordView.
}

void CellLabel::SetText(const QString &sText) {
    if (sText != m_text) {
        m_text = sText;
        m_measured = false;
        update();
    }
}

void CellLabel::SetFont(std::shared_ptr<Font> fnt) {
    m_font = fnt ? std::move(fnt) : std::make_shared<Font>();
    update();
}

void CellLabel::SetColor(const QColor &color) {
    if (color != m_color) {
        m_color = color;
        update();
    }
}

void CellLabel::SetZoom(int iPercent) {
    if (iPercent != m_zoom) {
        m_zoom = iPercent;
        m_made = false;
        update();
    }
}

const QFont &CellLabel::CurrentFont() const {
    if (!m_made || !(m_madeFrom == *m_font)) {
        m_madeFrom = *m_font;
        m_qfont = m_font->ToQFont();
        if (m_zoom != 100) {
            m_qfont.setPointSizeF(m_qfont.pointSizeF() * m_zoom / 100.0);
        }
        m_made = true;
        m_measured = false;
    }
    return m_qfont;
}

QSize CellLabel::TextSize() const {
    const QFont &font = CurrentFont();
    if (!m_measured) {
        const QFontMetrics fm(font);
        m_textSize = {fm.horizontalAdvance(m_text), fm.height()};
        m_measured = true;
    }
    return m_textSize;
}

QSize CellLabel::FitToText() {
    const QSize s = TextSize();
    resize(s);
    return s;
}

void CellLabel::paintEvent(QPaintEvent *) {
    QPainter p(this);
    scorepainter::PaintText(p, m_text, CurrentFont(), m_color);
}

void CellLabel::mousePressEvent(QMouseEvent *event) {
    emit Pressed(event->button());
    event->accept();
}
