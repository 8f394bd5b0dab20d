#include "score/CellText.h"

#include <QFontMetrics>
#include <QHash>

#include <vector>

namespace {

// The cells of a score share a few fonts and many texts ("C", "Am", ...):
// one QFont per font and zoom (so its engine is looked up once), its line
// height, and the widths of the texts measured in it. The UI thread only.
struct Measured {
    Font Source;
    int Zoom = 100;
    QFont Made;
    int Height = 0;
    QHash<QString, int> Widths;
};

Measured &MeasuredFont(const Font &font, int iZoom) {
    static thread_local std::vector<Measured> fonts;
    for (Measured &m : fonts) {
        if (m.Zoom == iZoom && m.Source == font) {
            return m;
        }
    }
    // A handful in use at a time: the score's two, the settings preview's.
    if (fonts.size() >= 8) {
        fonts.erase(fonts.begin());
    }
    Measured m;
    m.Source = font;
    m.Zoom = iZoom;
    m.Made = font.ToQFont();
    if (iZoom != 100) {
        m.Made.setPointSizeF(m.Made.pointSizeF() * iZoom / 100.0);
    }
    m.Height = QFontMetrics(m.Made).height();
    fonts.push_back(std::move(m));
    return fonts.back();
}

} // namespace

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
        m_qfont = MeasuredFont(m_madeFrom, m_zoom).Made;
        m_made = true;
        m_measured = false;
    }
    return m_qfont;
}

QSize CellText::TextSize() const {
    CurrentFont();
    if (!m_measured) {
        Measured &m = MeasuredFont(m_madeFrom, m_zoom);
        auto it = m.Widths.constFind(m_text);
        if (it == m.Widths.constEnd()) {
            // Bounded: a long sheet's words are mostly once each.
            if (m.Widths.size() >= 4096) {
                m.Widths.clear();
            }
            it = m.Widths.insert(m_text, QFontMetrics(m.Made).horizontalAdvance(m_text));
        }
        m_textSize = {*it, m.Height};
        m_measured = true;
    }
    return m_textSize;
}
