#include "tray/TrayFrames.h"

#include <QPainter>
#include <QPixmap>

namespace {

const QColor Amber(0xE4, 0xC1, 0x56);

QPixmap drawFace(int size, const QColor& face, const QColor& ink) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const qreal unit = size / 16.0;
    painter.scale(unit, unit);

    painter.setPen(QPen(ink, 1.2));
    painter.setBrush(face);
    painter.drawEllipse(QRectF(1, 1, 14, 14));

    // Hands at ten past ten, the rim's quarter marks.
    painter.setPen(QPen(ink, 1.6, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(8, 8), QPointF(5.2, 6.0));
    painter.drawLine(QPointF(8, 8), QPointF(11.6, 4.8));
    painter.setPen(QPen(ink, 1.0));
    for (const QLineF& mark :
         {QLineF(8, 2.4, 8, 3.6), QLineF(13.6, 8, 12.4, 8), QLineF(8, 13.6, 8, 12.4), QLineF(2.4, 8, 3.6, 8)})
        painter.drawLine(mark);
    return pixmap;
}

QIcon frame(const QColor& face, const QColor& ink) {
    QIcon icon;
    for (int size : {16, 22, 24, 32})
        icon.addPixmap(drawFace(size, face, ink));
    return icon;
}

} // namespace

QList<QIcon> TrayFrames() {
    return {frame(Qt::black, Amber), frame(Amber, Qt::black)};
}
