#pragma once

#include <QLabel>
#include <QString>
#include <QWidget>

// Esc, Tab (Shift+Tab included) and Alt (AltGr included) leave the full-screen windows.
inline bool IsExitKey(int key) {
    return key == Qt::Key_Escape || key == Qt::Key_Tab || key == Qt::Key_Backtab || key == Qt::Key_Alt ||
           key == Qt::Key_AltGr;
}

// The "Press Esc To Exit" hint of both windows: bold silver small text on whatever is below it.
inline QLabel* MakeExitHint(const QString& name, QWidget* parent) {
    auto* label = new QLabel(QStringLiteral("Press Esc To Exit"), parent);
    label->setObjectName(name);
    QFont font(QStringLiteral("Sans Serif"));
    font.setPixelSize(11);
    font.setBold(true);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(0xC0, 0xC0, 0xC0));
    label->setPalette(palette);
    label->setAttribute(Qt::WA_TranslucentBackground);
    label->setFocusPolicy(Qt::NoFocus);
    label->adjustSize();
    return label;
}
