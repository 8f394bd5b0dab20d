// SPDX-License-Identifier: GPL-3.0-or-later
// Renders a strip of cells to a PNG for a look by eye:
//   render_cells POSITION.INI out.png [device-pixel-ratio]
#include "chords/Chord.h"
#include "score/ChordView.h"
#include "score/Fonts.h"

#include <QApplication>
#include <QImage>
#include <QPainter>

#include <cstdio>
#include <memory>
#include <vector>

int main(int argc, char **argv) {
    QApplication app(argc, argv);
    if (argc < 3) {
        std::fprintf(stderr, "usage: render_cells POSITION.INI out.png [dpr]\n");
        return 2;
    }
    const qreal dpr = argc > 3 ? QString(argv[3]).toDouble() : 1.0;
    scorefonts::InstallFontSubstitutions();
    auto chord = std::make_shared<Chord>();
    chord->LoadChordPosition(QString::fromLocal8Bit(argv[1]));
    const QList<QPair<QString, QString>> cells{
        {"", "そして "}, {"G", "ケンカし "}, {"Am", "なかなおり"}, {"F", "はる"},
        {"B7", "の "},   {"Zz9", "うた"},    {"C", "ひかり "},     {"Dm7", "風"}};
    std::vector<std::unique_ptr<ChordView>> views;
    int width = 0;
    int height = 0;
    for (const auto &[name, word] : cells) {
        auto v = std::make_unique<ChordView>();
        v->Initialize();
        v->SetChord(chord);
        v->SetAdjustFlatStart(true);
        v->SetChordName(name);
        v->SetWord(word);
        v->SetState(1);
        width += v->width();
        height = std::max(height, v->height());
        views.push_back(std::move(v));
    }
    QImage img(QSize(width + 12, height + 12) * dpr, QImage::Format_RGB32);
    img.setDevicePixelRatio(dpr);
    img.fill(Qt::white);
    QPainter p(&img);
    int x = 6;
    for (const auto &v : views) {
        p.save();
        p.translate(x, 6 + height - v->height());
        v->Paint(p);
        p.restore();
        x += v->width();
    }
    p.end();
    return img.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
