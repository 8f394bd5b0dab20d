#include "score/CellText.h"

#include <QFontMetrics>

CellText::CellText() : m_font(std::make_shared<Font>()) {}

bool CellText::SetText(const QString &sText) {
    if (sText == m_text) {
        return false;
    }
    m_text = sText;
    m_measured = false;
    return true;
}

void CellText::SetFont(std::shared_ptr<Font> fnt) {
    m_font = fnt ? std::move(fnt) : std::make_shared<Font>();
}

bool CellText::SetColor(const QColor &color) {
    if (color == m_color) {
        return false;
    }
    m_color = color;
    return true;
}

void CellText::SetZoom(int iPercent) {
    if (iPercent != m_zoom) {
        m_zoom = iPercent;
        m_made = false;
    }
}

const QFont &CellText::CurrentFont() const {
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

QSize CellText::TextSize() const {
    const QFont &font = CurrentFont();
    if (!m_measured) {
        const QFontMetrics fm(font);
        m_textSize = {fm.horizontalAdvance(m_text), fm.height()};
        m_measured = true;
    }
    return m_textSize;
}
