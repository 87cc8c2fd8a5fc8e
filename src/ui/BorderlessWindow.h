#pragma once

#include "platform/WindowSystem.h"

#include <QColor>
#include <QSize>
#include <QWidget>

// No window of the program has a caption bar; each has a plain background of its own.
inline void MakeBorderless(QWidget& window, const QString& name, const QColor& background, QSize size) {
    window.setObjectName(name);
    const Qt::WindowType type = window.windowType() == Qt::Dialog ? Qt::Dialog : Qt::Window;
    window.setWindowFlags(type | Qt::FramelessWindowHint);
    QPalette palette = window.palette();
    palette.setColor(QPalette::Window, background);
    window.setPalette(palette);
    window.setAutoFillBackground(true);
    window.resize(size);
}

// A plain resize sends Qt's idea of the place along, which can be stale once a window manager has
// mapped the window, and the window manager would move it there.
inline void ResizeWhereItIs(QWidget& window, const platform::WindowSystem& windows, QSize size) {
    window.setGeometry(QRect(windows.windowPosition(window), size));
}
