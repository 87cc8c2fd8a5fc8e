#include "ui/Shape.h"

#include <QPainter>

TShape::TShape(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
}

void TShape::setBrushColor(const QColor& color) {
    brush_ = color;
    update();
}

void TShape::setBrushStyle(Qt::BrushStyle style) {
    brushStyle_ = style;
    update();
}

void TShape::setPenColor(const QColor& color) {
    pen_ = color;
    update();
}

void TShape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (brushStyle_ != Qt::NoBrush)
        painter.fillRect(rect(), QBrush(brush_, brushStyle_));
    painter.setPen(pen_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}
