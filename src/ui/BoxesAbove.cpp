#include "ui/BoxesAbove.h"

#include "platform/WindowSystem.h"

#include <QApplication>
#include <QEvent>
#include <QWindow>

#include <algorithm>

BoxesAbove::BoxesAbove(QWidget& window, platform::WindowSystem& windows)
    : QObject(&window), window_(window), windows_(windows) {}

void BoxesAbove::start() {
    qApp->installEventFilter(this);
}

void BoxesAbove::stop() {
    qApp->removeEventFilter(this);
    for (const QPointer<QWidget>& box : boxes_) {
        if (box)
            windows_.setTopmost(*box, false);
    }
    boxes_.clear();
}

void BoxesAbove::release(QWidget& box) {
    windows_.setTopmost(box, false);
    std::erase(boxes_, QPointer<QWidget>(&box));
}

bool BoxesAbove::eventFilter(QObject* watched, QEvent* event) {
    if (!watched->isWidgetType() || (event->type() != QEvent::Show && event->type() != QEvent::Hide))
        return false;
    auto* box = static_cast<QWidget*>(watched);
    if (!box->isWindow() || box == &window_)
        return false;
    if (event->type() == QEvent::Hide) {
        if (std::find(boxes_.begin(), boxes_.end(), box) != boxes_.end())
            release(*box);
        return false;
    }
    // The show event comes before the window is mapped, while its modality can still change.
    if (box->windowModality() == Qt::ApplicationModal) {
        box->setWindowModality(Qt::WindowModal);
        if (QWindow* handle = box->windowHandle())
            handle->setModality(Qt::WindowModal); // a created window keeps what it was created with
        windows_.setTopmost(*box, true);
        boxes_.emplace_back(box);
    }
    return false;
}
