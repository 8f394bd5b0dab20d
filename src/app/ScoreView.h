// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/ScoreViewport.h"

#include <QWidget>

#include <cstdint>
#include <functional>
#include <vector>

class ChordScore;
class QMimeData;
class QScrollBar;
class QWheelEvent;

// The main window's client area: the score in a white viewport, with a
// horizontal and a vertical scroll bar. Scroll bar values count 10 twips.
class ScoreView : public QWidget {
public:
    // popup: a right click on the viewport; drop: data dropped on it.
    ScoreView(QWidget *parent, std::function<void()> popup,
              std::function<void(const QMimeData *)> drop);

    ChordScore *chsChord() const { return m_chsChord; }
    QWidget *picView() const { return m_picView; }
    QScrollBar *hsbScore() const { return m_hsbScore; }
    QScrollBar *vsbScore() const { return m_vsbScore; }

    // Places the viewport and the bars and sets the bars' ranges for the
    // score's size; in page-return mode the vertical bar is off.
    void LayoutView(bool bPageReturn);
    void ResetScroll();
    // A step on a bar, held to its range; nothing while the bar is off.
    void ScrollStep(QScrollBar *bar, int64_t delta);
    // The page, arrow, Home and End keys (Ctrl: the vertical bar for Home
    // and End); false for any other key.
    bool ScrollKey(int key, bool bCtrl);
    // One screen on (bForward) or back, for a page turner: down the
    // score, or across the page columns whose left edges columnStarts gives
    // (pixels; empty when not paged). False when the view is at that end
    // already.
    bool TurnPage(bool bForward, const std::vector<int> &columnStarts);
    // Wheel input over the viewport or the bars; false for Ctrl+wheel.
    bool Wheel(const QWheelEvent &event);
    // Zooms the score (percent); the cell at the view's top left stays at
    // the same place in the view.
    void SetZoom(int iPercent, bool bPageReturn);
    // Scrolls the least that brings a rectangle of the score (its pixels)
    // into the view.
    void Reveal(const QRect &rect);
    // The first cell that shows in the view, 0 for none.
    int16_t FirstVisibleCell() const;
    // Inner size of the viewport in twips.
    int32_t ViewWidthTwips() const;
    int32_t ViewHeightTwips() const;

    // Steps of the scroll bars, in scroll units.
    static constexpr int HsbLargeChange = 90;
    static constexpr int HsbSmallChange = 45;
    static constexpr int VsbLargeChange = 60;
    static constexpr int VsbSmallChange = 30;
    // Thickness of both scroll bars.
    static constexpr int32_t ScrollBarTwips = 240;

private:
    QWidget *m_picView;
    ChordScore *m_chsChord;
    QScrollBar *m_hsbScore;
    QScrollBar *m_vsbScore;
    scoreviewport::WheelScroll m_wheel;
};
