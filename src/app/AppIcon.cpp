// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/AppIcon.h"

#include <QPainter>

namespace appicon {

QPixmap Pixmap(int size) {
    QPixmap pm(size, size);
    pm.fill(Qt::transparent);
    QPainter p(&pm);
    p.scale(size / 32.0, size / 32.0);
    // The neck, in rosewood brown, with a light edge.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(120, 72, 40));
    p.setPen(QPen(QColor(70, 40, 20), 1));
    p.drawRoundedRect(QRectF(2.5, 6.5, 27, 19), 3, 3);
    p.setRenderHint(QPainter::Antialiasing, false);
    // The nut and four frets, the last one inside the neck's edge.
    p.fillRect(4, 7, 2, 18, QColor(240, 235, 220));
    for (int k = 1; k <= 4; ++k) {
        p.fillRect(4 + 6 * k, 7, 1, 18, QColor(200, 200, 205));
    }
    // Six strings.
    for (int i = 0; i < 6; ++i) {
        p.fillRect(4, 9 + 3 * i, 25, 1, QColor(235, 235, 235));
    }
    // Two red fingers, as the diagrams show them.
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(QColor(255, 0, 0));
    p.setPen(QPen(Qt::black, 1));
    p.drawEllipse(QRectF(11, 10.5, 4, 4));
    p.drawEllipse(QRectF(17, 19.5, 4, 4));
    return pm;
}

QIcon Icon() {
    QIcon icon;
    for (int s : {16, 32, 48, 64}) {
        icon.addPixmap(Pixmap(s));
    }
    return icon;
}

} // namespace appicon
