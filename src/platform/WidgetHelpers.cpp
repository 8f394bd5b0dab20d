// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/WidgetHelpers.h"

#include <QClipboard>
#include <QDropEvent>
#include <QGuiApplication>
#include <QMimeData>
#include <QWidget>

namespace widgethelpers {

namespace {

class DropFilter : public QObject {
public:
    DropFilter(QWidget *w, std::function<void(const QMimeData *)> onDrop)
        : QObject(w), m_onDrop(std::move(onDrop)) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        switch (event->type()) {
        case QEvent::DragEnter:
        case QEvent::DragMove:
            static_cast<QDragMoveEvent *>(event)->acceptProposedAction();
            return true;
        case QEvent::Drop: {
            auto *drop = static_cast<QDropEvent *>(event);
            drop->acceptProposedAction();
            m_onDrop(drop->mimeData());
            return true;
        }
        default:
            return QObject::eventFilter(watched, event);
        }
    }

private:
    std::function<void(const QMimeData *)> m_onDrop;
};

} // namespace

void SetWhiteBackground(QWidget *w) {
    w->setAutoFillBackground(true);
    QPalette pal = w->palette();
    pal.setColor(QPalette::Window, Qt::white);
    w->setPalette(pal);
}

bool ClipboardHasText() {
    const QMimeData *clip = QGuiApplication::clipboard()->mimeData();
    return clip && clip->hasText();
}

void AcceptDrops(QWidget *w, std::function<void(const QMimeData *)> onDrop) {
    w->setAcceptDrops(true);
    w->installEventFilter(new DropFilter(w, std::move(onDrop)));
}

} // namespace widgethelpers
