#pragma once

#include <QWidget>

// The dotted vertical line between two page columns, 1 pixel wide.
class ScoreSeparator : public QWidget {
    Q_OBJECT

public:
    explicit ScoreSeparator(QWidget *parent);

protected:
    void paintEvent(QPaintEvent *event) override;
};
