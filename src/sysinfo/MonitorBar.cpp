#include "sysinfo/MonitorBar.h"

#include <QPainter>

#include <cmath>

TMonitorBar::TMonitorBar(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void TMonitorBar::draw(int length, const QString& text) {
    length_ = length;
    text_ = text;
    update();
}

void TMonitorBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (length_ > 0)
        painter.fillRect(QRect(0, 0, length_, 13), QColor(0x70, 0x70, 0x70));
    painter.setPen(QColor(0xE1, 0xB4, 0x48));
    const QFontMetrics metrics(font());
    const int x = static_cast<int>(std::lround(width() / 2.0 - metrics.horizontalAdvance(text_) / 2.0));
    painter.drawText(x, metrics.ascent(), text_);
    // The frame's fixed lines fit the 100 x 13 box and lie over the bar and the figure.
    painter.setPen(QColor(0xC0, 0xC0, 0xC0));
    painter.drawLine(0, 0, 99, 0);
    painter.drawLine(0, 12, 99, 12);
    painter.drawLine(0, 0, 0, 12);
    painter.drawLine(99, 0, 99, 12);
}
