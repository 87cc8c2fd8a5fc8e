#pragma once

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
