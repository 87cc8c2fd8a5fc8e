#include "fullscreen/frmSleepU.h"

#include "ui/BorderlessWindow.h"

#include <QTimer>

TfrmSleep::TfrmSleep(const platform::Services&, Forms&) {
    MakeBorderless(*this, QStringLiteral("frmSleep"), Qt::black, QSize(640, 480));
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // Started by whoever shows the window: its ticks only move a hint on the shown blank screen, and
    // a clock kept on the desk all day should not wake once a second for nothing.
    Timer1->setInterval(1000);
}
