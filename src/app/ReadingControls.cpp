// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ReadingControls.h"

#include "app/ScoreView.h"
#include "app/ScoreViewport.h"
#include "score/ChordScore.h"
#include "score/Zoom.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>
#include <QTimer>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>
#include <memory>

ReadingControls::ReadingControls(QMainWindow *window, ScoreView *view)
    : QObject(window), m_window(window), m_view(view), m_tmrAutoScroll(new QTimer(this)),
      m_tmrOverlay(new QTimer(this)) {
    // At 60 Hz; the clock, not the tick count, sets the pace.
    m_tmrAutoScroll->setTimerType(Qt::PreciseTimer);
    m_tmrAutoScroll->setInterval(16);
    connect(m_tmrAutoScroll, &QTimer::timeout, this, &ReadingControls::AutoScrollTick);
    m_clock = [timer = std::make_shared<QElapsedTimer>()] {
        if (!timer->isValid()) {
            timer->start();
        }
        return timer->elapsed();
    };
    for (QScrollBar *bar : {view->hsbScore(), view->vsbScore()}) {
        connect(bar, &QScrollBar::actionTriggered, this, [this] { UserScrolled(); });
        connect(bar, &QScrollBar::sliderPressed, this,
                [this] { m_autoScroll.SetHeld(true, m_clock()); });
        connect(bar, &QScrollBar::sliderReleased, this,
                [this] { m_autoScroll.SetHeld(false, m_clock()); });
    }
    m_tmrOverlay->setSingleShot(true);
    m_tmrOverlay->setInterval(1500);
    connect(m_tmrOverlay, &QTimer::timeout, this, [this] {
        if (m_overlay) {
            m_overlay->hide();
        }
    });
}

void ReadingControls::BuildMenus(QMenu *visible) {
    visible->addSeparator();
    mnuVisible_Zoom = visible->addMenu(QStringLiteral("ズーム(&Z)"));
    mnuVisible_ZoomIn = mnuVisible_Zoom->addAction(QStringLiteral("拡大(&I)"), this,
                                                   [this] { SetZoom(zoom::In(Zoom())); });
    mnuVisible_ZoomIn->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Plus),
                                     QKeySequence(Qt::CTRL | Qt::Key_Equal),
                                     QKeySequence(Qt::CTRL | Qt::Key_Semicolon)});
    mnuVisible_ZoomOut = mnuVisible_Zoom->addAction(QStringLiteral("縮小(&O)"), this,
                                                    [this] { SetZoom(zoom::Out(Zoom())); });
    mnuVisible_ZoomOut->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Minus));
    mnuVisible_ZoomReset = mnuVisible_Zoom->addAction(QStringLiteral("100% に戻す(&R)"), this,
                                                      [this] { SetZoom(zoom::kDefault); });
    mnuVisible_ZoomReset->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_0));
    mnuVisible_Zoom->addSeparator();
    for (const int step : zoom::kSteps) {
        QAction *a = mnuVisible_Zoom->addAction(QStringLiteral("%1%").arg(step), this,
                                                [this, step] { SetZoom(step); });
        a->setCheckable(true);
        a->setChecked(step == zoom::kDefault);
        mnuVisible_ZoomStep.push_back(a);
    }
    visible->addSeparator();
    mnuVisible_AutoScroll = visible->addAction(QStringLiteral("自動スクロール(&A)"), this,
                                               &ReadingControls::ToggleAutoScroll);
    mnuVisible_AutoScroll->setCheckable(true);
    mnuVisible_AutoScroll->setShortcut(QKeySequence(Qt::Key_Space));
    mnuVisible_FullScreen = visible->addAction(QStringLiteral("全画面表示(&U)"), this,
                                               &ReadingControls::ToggleFullScreen);
    mnuVisible_FullScreen->setCheckable(true);
    mnuVisible_FullScreen->setShortcut(QKeySequence(Qt::Key_F11));
    mnuVisible_HideMenuBar = visible->addAction(QStringLiteral("全画面でメニューバーを隠す(&B)"),
                                                this, &ReadingControls::ApplyMenuBarVisibility);
    mnuVisible_HideMenuBar->setCheckable(true);
    mnuVisible_HideMenuBar->setChecked(true);
}

int ReadingControls::Zoom() const {
    return m_view->chsChord()->Zoom();
}

void ReadingControls::SetZoom(int iPercent) {
    const int percent = zoom::Nearest(iPercent);
    const bool changed = percent != Zoom();
    m_view->SetZoom(percent, m_view->chsChord()->PageReturn());
    ShowZoom();
    if (changed && m_window->isVisible()) {
        ShowOverlay(QStringLiteral("ズーム %1%").arg(percent));
    }
}

void ReadingControls::ShowZoom() {
    const int percent = Zoom();
    for (size_t k = 0; k < mnuVisible_ZoomStep.size(); ++k) {
        mnuVisible_ZoomStep[k]->setChecked(zoom::kSteps[k] == percent);
    }
    mnuVisible_ZoomIn->setEnabled(percent < std::end(zoom::kSteps)[-1]);
    mnuVisible_ZoomOut->setEnabled(percent > zoom::kSteps[0]);
}

void ReadingControls::ToggleAutoScroll() {
    if (m_autoScroll.Running()) {
        StopAutoScroll();
        ShowOverlay(QStringLiteral("自動スクロール 停止"));
        return;
    }
    m_autoScroll.Start(m_clock());
    m_tmrAutoScroll->start();
    mnuVisible_AutoScroll->setChecked(true);
    ShowOverlay(QStringLiteral("自動スクロール 速度 %1").arg(m_autoScroll.Speed()));
}

void ReadingControls::StopAutoScroll() {
    m_autoScroll.Stop();
    m_tmrAutoScroll->stop();
    mnuVisible_AutoScroll->setChecked(false);
}

void ReadingControls::AutoScrollTick() {
    const int64_t now = m_clock();
    AutoScroll::Move move;
    if (m_view->chsChord()->PageReturn()) {
        QScrollBar *bar = m_view->hsbScore();
        std::vector<int> columns;
        for (const int32_t x : m_view->chsChord()->Layout().SeparatorX()) {
            columns.push_back(x / scoreviewport::kTwipsPerUnit);
        }
        move = m_autoScroll.Pages(now, bar->value(), bar->maximum(), columns);
        bar->setValue(move.Value);
    } else {
        QScrollBar *bar = m_view->vsbScore();
        move = m_autoScroll.Smooth(now, bar->value(), bar->maximum(),
                                   AutoScroll::UnitsPerSecond(m_autoScroll.Speed(), Zoom()));
        bar->setValue(move.Value);
    }
    if (move.Ended) {
        StopAutoScroll();
        ShowOverlay(QStringLiteral("自動スクロール 終了"));
    }
}

void ReadingControls::ChangeAutoScrollSpeed(int iDelta) {
    m_autoScroll.SetSpeed(m_autoScroll.Speed() + iDelta);
    ShowOverlay(QStringLiteral("自動スクロール 速度 %1").arg(m_autoScroll.Speed()));
}

void ReadingControls::UserScrolled() {
    if (m_autoScroll.Running()) {
        m_autoScroll.UserScrolled(m_clock());
    }
}

void ReadingControls::ShowOverlay(const QString &sText) {
    // Made on first use: a style sheet costs start-up time.
    if (!m_overlay) {
        m_overlay = new QLabel(m_view->picView());
        m_overlay->setAttribute(Qt::WA_TransparentForMouseEvents);
        m_overlay->setStyleSheet(QStringLiteral(
            "QLabel { background: rgba(40, 40, 40, 200); color: white; border-radius: 6px;"
            " padding: 6px 12px; }"));
    }
    m_overlay->setText(sText);
    m_overlay->adjustSize();
    const int margin = 12;
    const int width = m_view->picView()->width();
    m_overlay->move(std::max(0, width - m_overlay->width() - margin), margin);
    m_overlay->raise();
    m_overlay->show();
    m_tmrOverlay->start();
}

void ReadingControls::ToggleFullScreen() {
    if (m_window->isFullScreen()) {
        if (m_wasMaximized) {
            m_window->showMaximized();
        } else {
            m_window->showNormal();
        }
    } else {
        m_wasMaximized = m_window->isMaximized();
        m_window->showFullScreen();
    }
    ApplyMenuBarVisibility();
}

void ReadingControls::ApplyMenuBarVisibility() {
    const bool full = m_window->isFullScreen();
    mnuVisible_FullScreen->setChecked(full);
    m_window->menuBar()->setVisible(!(full && mnuVisible_HideMenuBar->isChecked()));
}

bool ReadingControls::Key(int key, Qt::KeyboardModifiers modifiers, quint32 nativeScanCode) {
    if (key == Qt::Key_Escape && m_window->isFullScreen()) {
        ToggleFullScreen();
        return true;
    }
    // Zoom keys the menu's shortcuts may not match (the keypad, layouts).
    if (modifiers & Qt::ControlModifier) {
        if (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Semicolon) {
            SetZoom(zoom::In(Zoom()));
            return true;
        }
        if (key == Qt::Key_Minus) {
            SetZoom(zoom::Out(Zoom()));
            return true;
        }
        // Ctrl+0 of either keyboard; the other digits stay the capo's.
        if (key == Qt::Key_0 || nativeScanCode == 19) {
            SetZoom(zoom::kDefault);
            return true;
        }
        return false;
    }
    if (key == Qt::Key_Plus || key == Qt::Key_Equal || key == Qt::Key_Minus) {
        ChangeAutoScrollSpeed(key == Qt::Key_Minus ? -1 : 1);
        return true;
    }
    return false;
}

bool ReadingControls::Wheel(const QWheelEvent &event) {
    if (!(event.modifiers() & Qt::ControlModifier)) {
        return false;
    }
    // A notch a step; a fine wheel's parts add up.
    m_zoomWheel += event.angleDelta().y();
    for (; m_zoomWheel >= 120; m_zoomWheel -= 120) {
        SetZoom(zoom::In(Zoom()));
    }
    for (; m_zoomWheel <= -120; m_zoomWheel += 120) {
        SetZoom(zoom::Out(Zoom()));
    }
    return true;
}
