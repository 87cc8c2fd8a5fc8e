#include "ui/FaceDrag.h"

#include "platform/WindowSystem.h"

#include <QMouseEvent>
#include <QWidget>

FaceDrag::FaceDrag(QWidget& window, platform::WindowSystem& windows)
    : QObject(&window), window_(window), windows_(windows) {}

void FaceDrag::addSources(std::initializer_list<QWidget*> sources) {
    for (QWidget* source : sources)
        source->installEventFilter(this);
}

bool FaceDrag::eventFilter(QObject*, QEvent* event) {
    switch (event->type()) {
    case QEvent::MouseButtonPress: {
        const auto* press = static_cast<QMouseEvent*>(event);
        if (press->button() != Qt::LeftButton || press->buttons() != Qt::LeftButton)
            return true;
        // Read late by a busy program, the press of a plain click: a move now would glue the
        // window to the free pointer.
        if (!windows_.isLeftButtonDown())
            return true;
        emit started();
        if (!windows_.systemMove(window_)) {
            following_ = true;
            grabOffset_ = press->globalPosition().toPoint() - window_.pos();
        }
        return true;
    }
    case QEvent::MouseMove:
        if (following_)
            window_.move(static_cast<QMouseEvent*>(event)->globalPosition().toPoint() - grabOffset_);
        return following_;
    case QEvent::MouseButtonRelease:
        if (following_ && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            following_ = false;
            return true;
        }
        return false;
    default:
        return false;
    }
}
