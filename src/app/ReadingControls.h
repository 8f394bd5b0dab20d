// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "app/AutoScroll.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <vector>

class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class QTimer;
class QWheelEvent;
class ScoreView;

// Reading while playing: the zoom, auto-scroll with its short messages over
// the score, and full screen; their items in 表示(V) and their keys. The
// window asks it first about keys and Ctrl+wheel.
class ReadingControls : public QObject {
    Q_OBJECT

public:
    // Whether the score is in page columns is the score's to say.
    ReadingControls(QMainWindow *window, ScoreView *view);

    void BuildMenus(QMenu *visible);

    int Zoom() const;
    // The zoom menu as the score's zoom stands (a sheet may open at its own).
    void ShowZoom();
    // Zooms to the step nearest iPercent, keeping the part of the sheet in view.
    void SetZoom(int iPercent);

    // Auto-scroll and its clock (milliseconds); tests set their own clock
    // and call the tick themselves.
    AutoScroll &AutoScroller() { return m_autoScroll; }
    QTimer *tmrAutoScroll() const { return m_tmrAutoScroll; }
    void SetClock(std::function<int64_t()> clock) { m_clock = std::move(clock); }
    void ToggleAutoScroll();
    void StopAutoScroll();
    void AutoScrollTick();
    void ChangeAutoScrollSpeed(int iDelta);
    // The user scrolled by a key, the wheel or a bar: auto-scroll waits.
    void UserScrolled();

    // The short message over the score ("自動スクロール 速度 3"); null
    // until the first one.
    QLabel *Overlay() const { return m_overlay; }
    void ShowOverlay(const QString &sText);

    void ToggleFullScreen();
    // The menu bar hidden in full screen when the item says so.
    void ApplyMenuBarVisibility();

    // Esc in full screen, the zoom keys, plus and minus for the speed;
    // false for any other key.
    bool Key(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode);
    // Ctrl+wheel zooms a step a notch; false for any other wheel.
    bool Wheel(const QWheelEvent &event);

    QMenu *mnuVisible_Zoom = nullptr;
    QAction *mnuVisible_ZoomIn = nullptr;
    QAction *mnuVisible_ZoomOut = nullptr;
    QAction *mnuVisible_ZoomReset = nullptr;
    std::vector<QAction *> mnuVisible_ZoomStep; // one per zoom step
    QAction *mnuVisible_AutoScroll = nullptr;
    QAction *mnuVisible_FullScreen = nullptr;
    QAction *mnuVisible_HideMenuBar = nullptr;

private:
    QMainWindow *m_window;
    ScoreView *m_view;
    AutoScroll m_autoScroll;
    QTimer *m_tmrAutoScroll;
    std::function<int64_t()> m_clock;
    QLabel *m_overlay = nullptr;
    QTimer *m_tmrOverlay;
    int m_zoomWheel = 0; // eighths of a degree not yet used for zooming
    bool m_wasMaximized = false;
};
