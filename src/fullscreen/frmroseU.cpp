#include "fullscreen/frmroseU.h"

#include "ui/BorderlessWindow.h"

#include <QTimer>

Tfrmrose::Tfrmrose(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmrose"), Qt::white, QSize(640, 480));
    timerrose = new QTimer(this);
    timerrose->setObjectName(QStringLiteral("timerrose"));
    timerrose->setInterval(500);
}
