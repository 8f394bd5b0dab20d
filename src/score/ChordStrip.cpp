// SPDX-License-Identifier: GPL-3.0-or-later
#include "score/ChordStrip.h"

#include "score/ChordScore.h"

#include <QPainter>

#include <algorithm>

bool ChordStrip::Take(const ChordScore &score, int iZoom) {
    std::vector<std::pair<QString, QString>> taken;
    std::shared_ptr<::Chord> dictionary; // the sheet's, with a ChordPro sheet's own fingerings
    for (int16_t i = 1; i <= score.ChordViewCount(); ++i) {
        const ChordView &c = *score.Cell(i);
        const QString &name = c.ChordName();
        if (name.isEmpty() || std::any_of(taken.begin(), taken.end(),
                                          [&](const auto &t) { return t.first == name; })) {
            continue;
        }
        taken.emplace_back(name, score.VoicingFor(name));
        dictionary = c.Chord();
    }
    if (taken == m_taken && iZoom == m_zoom && dictionary == m_dictionary &&
        score.Properties()->Style() == m_style) {
        return false;
    }
    m_taken = std::move(taken);
    m_zoom = iZoom;
    m_dictionary = dictionary;
    m_style = score.Properties()->Style();
    m_cells.clear();
    const ChordView &templ = *score.Properties();
    for (const auto &[name, line] : m_taken) {
        auto cell = std::make_unique<ChordView>(&m_host, templ);
        cell->Load(dictionary, templ, name, QString(), 0);
        cell->SetZoom(iZoom);
        if (!line.isEmpty()) {
            cell->ChooseVoicing(line);
        }
        m_cells.push_back(std::move(cell));
    }
    m_rects.assign(m_cells.size(), QRect());
    return true;
}

int ChordStrip::Arrange(int iWidth) {
    const int gap = Gap * m_zoom / 100;
    const int margin = Margin * m_zoom / 100;
    int x = margin;
    int y = margin;
    int rowHeight = 0;
    for (size_t i = 0; i < m_cells.size(); ++i) {
        const QSize size = m_cells[i]->size();
        if (x > margin && x + size.width() + margin > iWidth) {
            x = margin;
            y += rowHeight + gap;
            rowHeight = 0;
        }
        m_rects[i] = QRect(QPoint(x, y), size);
        x += size.width() + gap;
        rowHeight = std::max(rowHeight, size.height());
    }
    m_height = m_cells.empty() ? 0 : y + rowHeight + margin;
    return m_height;
}

int ChordStrip::CellAt(const QPoint &at) const {
    for (size_t i = 0; i < m_rects.size(); ++i) {
        if (m_rects[i].contains(at)) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

std::pair<QString, QString> ChordStrip::Step(int i) {
    ChordView &cell = *m_cells[static_cast<size_t>(i)];
    cell.Press(cell.DiagramRect().center(), Qt::LeftButton);
    m_taken[static_cast<size_t>(i)].second = cell.VoicingLine();
    return m_taken[static_cast<size_t>(i)];
}

void ChordStrip::Paint(QPainter &p, scorepainter::Style style) const {
    for (size_t i = 0; i < m_cells.size(); ++i) {
        p.save();
        p.translate(m_rects[i].topLeft());
        scorepainter::PaintCell(p, m_cells[i]->Picture(), style);
        p.restore();
    }
}

QRect ChordStrip::Host::CellRect(const ChordView &cell) const {
    for (size_t i = 0; i < m_strip.m_cells.size(); ++i) {
        if (m_strip.m_cells[i].get() == &cell) {
            return m_strip.m_rects[i];
        }
    }
    return {};
}
