#pragma once

#include <QWidget>

class PositionDiagram;

// Paints a PositionDiagram. Every figure falls on whole logical pixels and is
// filled, not stroked, so the diagram stays crisp at any device pixel ratio.
class PositionView : public QWidget {
    Q_OBJECT

public:
    PositionView(const PositionDiagram &diagram, QWidget *parent);

signals:
    void Pressed(Qt::MouseButton button);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;

private:
    const PositionDiagram &m_diagram;
};
