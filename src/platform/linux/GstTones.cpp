#include "platform/linux/GstTones.h"

#include <QApplication>

void GstTones::tone(int, int) {
    QApplication::beep();
}

void GstTones::defaultBeep() {
    QApplication::beep();
}
