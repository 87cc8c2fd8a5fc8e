#include "fullscreen/frmSleepU.h"

#include "clock/BorderlessWindow.h"

#include <QTimer>

TfrmSleep::TfrmSleep(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmSleep"), Qt::black, QSize(640, 480));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(1000);
    Timer1->start();
}
