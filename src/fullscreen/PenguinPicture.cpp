#include "fullscreen/PenguinPicture.h"

#include <QPainter>
#include <QPainterPath>

namespace {

const QColor Ink(0x1A, 0x1A, 0x1A);
const QColor Belly(0xF4, 0xF4, 0xF0);
const QColor Beak(0xF0, 0xA0, 0x1C);

void drawFoot(QPainter& painter, qreal x) {
    painter.setBrush(Beak);
    painter.drawEllipse(QRectF(x, 172, 42, 16));
}

void drawEye(QPainter& painter, qreal x) {
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, 46, 16, 20));
    painter.setBrush(Ink);
    painter.drawEllipse(QRectF(x + 6, 54, 7, 9));
}

} // namespace

QImage PenguinPicture() {
    QImage picture(200, 200, QImage::Format_ARGB32_Premultiplied);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);

    drawFoot(painter, 54);
    drawFoot(painter, 104);

    // Flippers behind the body.
    painter.setBrush(Ink);
    painter.save();
    painter.translate(46, 118);
    painter.rotate(24);
    painter.drawEllipse(QRectF(-14, -40, 28, 80));
    painter.restore();
    painter.save();
    painter.translate(154, 118);
    painter.rotate(-24);
    painter.drawEllipse(QRectF(-14, -40, 28, 80));
    painter.restore();

    painter.drawEllipse(QRectF(48, 62, 104, 120)); // body
    painter.drawEllipse(QRectF(60, 14, 80, 76));   // head
    painter.setBrush(Belly);
    painter.drawEllipse(QRectF(64, 84, 72, 92));
    painter.drawEllipse(QRectF(72, 34, 56, 50)); // face

    drawEye(painter, 80);
    drawEye(painter, 104);

    QPainterPath beak;
    beak.moveTo(86, 70);
    beak.quadTo(100, 62, 114, 70);
    beak.quadTo(100, 88, 86, 70);
    painter.setBrush(Beak);
    painter.drawPath(beak);
    return picture;
}
