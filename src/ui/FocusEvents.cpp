#include "ui/FocusEvents.h"

#include <QEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QObject>
#include <QWidget>

namespace {

class EventHook : public QObject {
public:
    EventHook(QWidget& widget, std::function<void(QEvent&)> handler)
        : QObject(&widget), handler_(std::move(handler)), class_(widget.metaObject()) {
        widget.installEventFilter(this);
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        // A widget whose own class is already destroyed is being deleted, most often with its window,
        // which the handlers work on: the focus it loses on the way is no user's.
        if (watched->metaObject() == class_)
            handler_(*event);
        return false; // the widget still sees the event
    }

private:
    std::function<void(QEvent&)> handler_;
    const QMetaObject* class_;
};

bool IsRealFocusLoss(Qt::FocusReason reason) {
    switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::MouseFocusReason:
    case Qt::ShortcutFocusReason:
    case Qt::OtherFocusReason:
        return true;
    default:
        return false; // ActiveWindow, Popup, MenuBar
    }
}

} // namespace

void OnRealFocusLeave(QWidget& widget, std::function<void()> handler) {
    new EventHook(widget, [handler = std::move(handler)](QEvent& event) {
        if (event.type() == QEvent::FocusOut && IsRealFocusLoss(static_cast<QFocusEvent&>(event).reason()))
            handler();
    });
}

void OnFocusEnter(QWidget& widget, std::function<void()> handler) {
    new EventHook(widget, [handler = std::move(handler)](QEvent& event) {
        if (event.type() == QEvent::FocusIn)
            handler();
    });
}

void OnKeyRelease(QWidget& widget, std::function<void(QKeyEvent&)> handler) {
    new EventHook(widget, [handler = std::move(handler)](QEvent& event) {
        if (event.type() == QEvent::KeyRelease)
            handler(static_cast<QKeyEvent&>(event));
    });
}
