// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "score/ChordStrip.h"

#include <QScrollArea>

#include <functional>

class ChordScore;

// The strip of the sheet's chords above the score (表示 > コード一覧): a
// ChordStrip as wide as the window and as tall as its rows, up to a third of
// the window, scrolled beyond that. A click on a chord steps its fingering
// for the whole sheet.
class ChordStripView : public QScrollArea {
public:
    // chosen: a chord's fingering picked here (name, position line).
    ChordStripView(QWidget *parent, std::function<void(const QString &, const QString &)> chosen);

    // Follows the score: its chords, fingerings, fonts and zoom.
    void Follow(const ChordScore &score);
    const ChordStrip &Strip() const { return m_strip; }
    // Lays the strip out again for the space it has: after a resize of the
    // window, which bounds its height.
    void Fit();

protected:
    void resizeEvent(QResizeEvent *event) override;

private:
    void Press(const QPoint &at, Qt::MouseButton button);

    ChordStrip m_strip;
    std::function<void(const QString &, const QString &)> m_chosen;
};
