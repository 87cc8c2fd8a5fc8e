#include "sysinfo/ProductPicture.h"

#include <QPainter>
#include <QPainterPath>

QPixmap ProductPicture() {
    QPixmap picture(57, 77);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    const QColor amber(0xE4, 0xC1, 0x56), gold(0xD5, 0xAE, 0x2B), black(Qt::black);

    // Feet and body of the desk clock.
    painter.setPen(Qt::NoPen);
    painter.setBrush(gold);
    painter.drawRect(QRectF(9, 68, 8, 7));
    painter.drawRect(QRectF(40, 68, 8, 7));
    painter.setBrush(black);
    painter.setPen(QPen(gold, 2));
    painter.drawRoundedRect(QRectF(3, 10, 51, 60), 8, 8);
    // The bell on top.
    painter.setBrush(gold);
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(QRectF(21, 1, 15, 11));

    // The dial with its twelve marks and hands at ten past ten.
    const QPointF centre(28.5, 40);
    painter.setPen(QPen(amber, 1.5));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(centre, 20, 20);
    for (int mark = 0; mark < 12; ++mark) {
        painter.save();
        painter.translate(centre);
        painter.rotate(mark * 30.0);
        painter.drawLine(QPointF(0, -17), QPointF(0, mark % 3 == 0 ? -13 : -15));
        painter.restore();
    }
    painter.setPen(QPen(amber, 2.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(-9, -5));
    painter.setPen(QPen(amber, 1.5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(centre, centre + QPointF(12, -8));
    painter.setBrush(amber);
    painter.drawEllipse(centre, 2, 2);
    return picture;
}
