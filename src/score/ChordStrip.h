// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "score/ChordView.h"
#include "score/ScorePainter.h"

#include <QRect>
#include <QString>

#include <memory>
#include <utility>
#include <vector>

class ChordScore;
class QPainter;

// The chords of a sheet, each once, in the order they first come, each with
// the diagram of the fingering in use for the whole sheet: what a player
// warms up on, shown above the score and at the head of a songbook page.
// Cells flow in rows as wide as they are given, as the score's own cells.
class ChordStrip {
public:
    ChordStrip() = default;
    ChordStrip(const ChordStrip &) = delete;
    ChordStrip &operator=(const ChordStrip &) = delete;

    // Takes the score's chords as its cells show them (capo, transposition,
    // spelling), with its fonts and colours, at iZoom percent. False when
    // nothing that shows has changed since the last time.
    bool Take(const ChordScore &score, int iZoom);
    // Lays the cells out in rows at most iWidth pixels wide; the height.
    int Arrange(int iWidth);
    int Height() const { return m_height; }
    int Count() const { return static_cast<int>(m_cells.size()); }
    const ChordView &Cell(int i) const { return *m_cells[static_cast<size_t>(i)]; }
    QRect CellRect(int i) const { return m_rects[static_cast<size_t>(i)]; }
    // The cell under a point, -1 for none.
    int CellAt(const QPoint &at) const;
    // Shows cell i's next fingering; its chord name and the fingering's line.
    std::pair<QString, QString> Step(int i);
    // On white, from the top-left corner.
    void Paint(QPainter &p, scorepainter::Style style = scorepainter::Style::Screen) const;

    // Gaps between cells and around them, in pixels at 100%.
    static constexpr int Gap = 10;
    static constexpr int Margin = 6;

private:
    // The cells' host: where they are; they ask nothing else of the strip.
    class Host final : public CellHost {
    public:
        explicit Host(const ChordStrip &strip) : m_strip(strip) {}
        QRect CellRect(const ChordView &cell) const override;
        void CellMenu(ChordView &) override {}
        void CellChanged(const ChordView &) override {}
        void CellEvent(ChordView &, Event) override {}

    private:
        const ChordStrip &m_strip;
    };

    Host m_host{*this};

    std::vector<std::unique_ptr<ChordView>> m_cells;
    std::vector<QRect> m_rects;
    // What the cells were made from: name and fingering line of each.
    std::vector<std::pair<QString, QString>> m_taken;
    std::shared_ptr<::Chord> m_dictionary;
    DisplayStyle m_style;
    int m_zoom = 100;
    int m_height = 0;
};
