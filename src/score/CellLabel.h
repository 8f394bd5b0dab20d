#pragma once

#include "platform/Font.h"

#include <QColor>
#include <QWidget>

#include <memory>

// One line of text on white, sized exactly to its text: the chord name and
// the word of a cell. Lighter than QLabel, which matters for hundreds of cells.
class CellLabel : public QWidget {
    Q_OBJECT

public:
    explicit CellLabel(QWidget *parent);

    const QString &Text() const { return m_text; }
    void SetText(const QString &sText);
    // Shared with every cell of the score: read anew at each measure and paint.
    const std::shared_ptr<Font> &GetFont() const { return m_font; }
    void SetFont(std::shared_ptr<Font> fnt);
    void SetColor(const QColor &color);
    // The text drawn at this percent of the font's size.
    void SetZoom(int iPercent);
    int Zoom() const { return m_zoom; }
    const QColor &Color() const { return m_color; }

    // Text width and line height in pixels, for the font as it is now.
    QSize TextSize() const;
    // Sizes the widget to TextSize and returns it.
    QSize FitToText();
    // The QFont of the shared font as it is now; made again only when the
    // font object has changed since.
    const QFont &CurrentFont() const;

signals:
    void Pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    QString m_text;
    std::shared_ptr<Font> m_font;
    mutable Font m_madeFrom;
    mutable QFont m_qfont;
    mutable bool m_made = false;
    int m_zoom = 100;
    mutable QSize m_textSize;
    mutable bool m_measured = false;
    QColor m_color = Qt::black;
};
