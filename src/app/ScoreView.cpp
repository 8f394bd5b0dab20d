// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/ScoreView.h"

#include "library/SetPlayer.h"

#include "platform/Twips.h"
#include "platform/WidgetHelpers.h"
#include "score/ChordScore.h"
#include "score/ChordView.h"

#include <algorithm>

#include <QMouseEvent>
#include <QScrollBar>
#include <QWheelEvent>

namespace {

// The viewport: white, a drop target, right clicks open the window's menu.
class ViewPort : public QWidget {
public:
    ViewPort(QWidget *parent, std::function<void()> popup,
             std::function<void(const QMimeData *)> drop)
        : QWidget(parent), m_popup(std::move(popup)) {
        widgethelpers::SetWhiteBackground(this);
        widgethelpers::AcceptDrops(this, std::move(drop));
    }

protected:
    void mousePressEvent(QMouseEvent *event) override {
        if (event->button() == Qt::RightButton) {
            m_popup();
        }
        event->accept();
    }

private:
    std::function<void()> m_popup;
};

} // namespace

ScoreView::ScoreView(QWidget *parent, std::function<void()> popup,
                     std::function<void(const QMimeData *)> drop)
    : QWidget(parent), m_picView(new ViewPort(this, std::move(popup), std::move(drop))),
      m_chsChord(new ChordScore(m_picView)), m_hsbScore(new QScrollBar(Qt::Horizontal, this)),
      m_vsbScore(new QScrollBar(Qt::Vertical, this)) {
    for (QScrollBar *bar : {m_hsbScore, m_vsbScore}) {
        bar->setFocusPolicy(Qt::NoFocus);
        bar->setRange(0, 0);
        bar->setValue(0);
    }
    m_hsbScore->setPageStep(HsbLargeChange);
    m_hsbScore->setSingleStep(HsbSmallChange);
    m_vsbScore->setPageStep(VsbLargeChange);
    m_vsbScore->setSingleStep(VsbSmallChange);
    connect(m_hsbScore, &QScrollBar::valueChanged, this, [this](int value) {
        m_chsChord->move(scoreviewport::ScoreOffset(value), m_chsChord->y());
    });
    connect(m_vsbScore, &QScrollBar::valueChanged, this, [this](int value) {
        m_chsChord->move(m_chsChord->x(), scoreviewport::ScoreOffset(value));
    });
}

void ScoreView::LayoutView(bool bPageReturn) {
    const scoreviewport::ViewLayout l = scoreviewport::LayOut(
        size(), ScrollBarTwips, m_chsChord->WidthTwips(), m_chsChord->HeightTwips(), bPageReturn);
    if (!l.Valid) {
        return;
    }
    m_picView->setGeometry(l.View);
    m_hsbScore->setGeometry(l.HorizontalBar);
    if (!l.HorizontalEnabled) {
        m_chsChord->move(0, m_chsChord->y());
    }
    // An empty range: a disabled bar shows no thumb.
    m_hsbScore->setRange(0, l.HorizontalMaximum);
    m_hsbScore->setEnabled(l.HorizontalEnabled);
    m_vsbScore->setGeometry(l.VerticalBar);
    if (!l.VerticalEnabled) {
        m_chsChord->move(m_chsChord->x(), 0);
    }
    m_vsbScore->setRange(0, l.VerticalMaximum);
    m_vsbScore->setEnabled(l.VerticalEnabled);
}

void ScoreView::Reveal(const QRect &rect) {
    const QSize view = m_picView->size();
    if (m_hsbScore->isEnabled()) {
        m_hsbScore->setValue(std::min(m_hsbScore->maximum(),
                                      scoreviewport::Revealed(m_hsbScore->value(), rect.left(),
                                                              rect.right() + 1, view.width())));
    }
    if (m_vsbScore->isEnabled()) {
        m_vsbScore->setValue(std::min(m_vsbScore->maximum(),
                                      scoreviewport::Revealed(m_vsbScore->value(), rect.top(),
                                                              rect.bottom() + 1, view.height())));
    }
}

void ScoreView::ResetScroll() {
    m_hsbScore->setValue(m_hsbScore->minimum());
    m_vsbScore->setValue(m_vsbScore->minimum());
}

void ScoreView::ScrollStep(QScrollBar *bar, int64_t delta) {
    if (bar->isEnabled()) {
        bar->setValue(scoreviewport::Stepped(bar->value(), bar->minimum(), bar->maximum(), delta));
    }
}

bool ScoreView::ScrollKey(int key, bool bCtrl) {
    QScrollBar *h = m_hsbScore;
    QScrollBar *v = m_vsbScore;
    switch (key) {
    case Qt::Key_PageUp:
        ScrollStep(v, -int64_t(v->pageStep()));
        return true;
    case Qt::Key_PageDown:
        ScrollStep(v, v->pageStep());
        return true;
    case Qt::Key_End:
    case Qt::Key_Home: {
        QScrollBar *bar = bCtrl ? v : h;
        if (bar->isEnabled()) {
            bar->setValue(key == Qt::Key_End ? bar->maximum() : bar->minimum());
        }
        return true;
    }
    case Qt::Key_Left:
        ScrollStep(h, -int64_t(h->singleStep()));
        return true;
    case Qt::Key_Up:
        ScrollStep(v, -int64_t(v->singleStep()));
        return true;
    case Qt::Key_Right:
        ScrollStep(h, h->singleStep());
        return true;
    case Qt::Key_Down:
        ScrollStep(v, v->singleStep());
        return true;
    default:
        return false;
    }
}

bool ScoreView::TurnPage(bool bForward, const std::vector<int> &columnStarts) {
    const bool paged = !columnStarts.empty();
    QScrollBar *bar = paged ? m_hsbScore : m_vsbScore;
    if (!bar->isEnabled() || pageturn::Decide(bForward, bar->value(), bar->minimum(),
                                              bar->maximum()) != pageturn::Action::Scroll) {
        return false;
    }
    if (!paged) {
        // A screen less an eighth: the line at the bottom is read again at the top.
        const int64_t screen = int64_t(ViewHeightTwips()) * 7 / 8 / scoreviewport::kTwipsPerUnit;
        ScrollStep(bar, bForward ? screen : -screen);
        return true;
    }
    const int view = m_picView->width();
    const int left = -scoreviewport::ScoreOffset(bar->value());
    const int target = scoreviewport::TurnedColumn(columnStarts, left, view, bForward);
    if (target == left) {
        // No column edge to go to: a screen's width.
        ScrollStep(bar, (bForward ? 1 : -1) * int64_t(ViewWidthTwips()) * 7 / 8 /
                            scoreviewport::kTwipsPerUnit);
        return true;
    }
    bar->setValue(std::clamp(scoreviewport::Revealed(bar->value(), target, target + view, view),
                             bar->minimum(), bar->maximum()));
    return true;
}

bool ScoreView::Wheel(const QWheelEvent &event) {
    // Ctrl+wheel is kept for zooming.
    if (event.modifiers() & Qt::ControlModifier) {
        return false;
    }
    const scoreviewport::WheelSteps steps =
        m_wheel.Take(event.angleDelta(), event.pixelDelta(), event.modifiers() & Qt::ShiftModifier,
                     m_hsbScore->singleStep(), m_vsbScore->singleStep());
    if (steps.Horizontal != 0) {
        ScrollStep(m_hsbScore, steps.Horizontal);
    }
    if (steps.Vertical != 0) {
        ScrollStep(m_vsbScore, steps.Vertical);
    }
    return true;
}

int16_t ScoreView::FirstVisibleCell() const {
    const int64_t left = int64_t{m_hsbScore->value()} * scoreviewport::kTwipsPerUnit;
    const int64_t top = int64_t{m_vsbScore->value()} * scoreviewport::kTwipsPerUnit;
    const auto &places = m_chsChord->Layout().Places();
    for (size_t k = 0; k < places.size(); ++k) {
        const ScoreLayout::Place &p = places[k];
        const auto i = static_cast<int16_t>(k + 1);
        if (p.Bottom > top && p.Left + m_chsChord->Cell(i)->WidthTwips() > left) {
            return i;
        }
    }
    return 0;
}

void ScoreView::SetZoom(int iPercent, bool bPageReturn) {
    const int before = m_chsChord->Zoom();
    const int16_t anchor = FirstVisibleCell();
    // Where the anchor stood in the view, in twips of the old zoom.
    const int64_t dx = anchor ? int64_t{m_hsbScore->value()} * scoreviewport::kTwipsPerUnit -
                                    m_chsChord->CellLeft(anchor)
                              : 0;
    const int64_t dy = anchor ? int64_t{m_vsbScore->value()} * scoreviewport::kTwipsPerUnit -
                                    m_chsChord->CellTop(anchor)
                              : 0;
    m_chsChord->SetZoom(iPercent);
    LayoutView(bPageReturn);
    if (anchor == 0 || anchor > m_chsChord->ChordViewCount()) {
        return;
    }
    const auto scaled = [&](int64_t d) { return d * iPercent / before; };
    // Rounded up: the row above must not creep into the view.
    const auto unit = [](int64_t t) {
        const int64_t u = scoreviewport::kTwipsPerUnit;
        return static_cast<int>(std::max<int64_t>(0, (t + u - 1) / u));
    };
    m_hsbScore->setValue(unit(m_chsChord->CellLeft(anchor) + scaled(dx)));
    m_vsbScore->setValue(unit(m_chsChord->CellTop(anchor) + scaled(dy)));
}

int32_t ScoreView::ViewWidthTwips() const {
    return twips::FromPx(m_picView->width());
}

int32_t ScoreView::ViewHeightTwips() const {
    return twips::FromPx(m_picView->height());
}
