#pragma once

#include "ui/MessageTimer.h"
#include "ui/Shape.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QTimer>
#include <QWidget>

#include <stdexcept>
#include <string>

// The clock's parts, found by their names; the window keeps them to itself.
struct ClockParts {
    explicit ClockParts(QWidget& clock) : clock_(clock) {}

    template <class Part> Part* named(const char* name) const {
        if (auto* part = clock_.findChild<Part*>(QString::fromLatin1(name)))
            return part;
        throw std::logic_error(std::string("the clock has no part named ") + name);
    }

    QWidget& clock_;
    TShape* boxout = named<TShape>("boxout");
    TShape* boxin = named<TShape>("boxin");
    QLabel* DialLabel = named<QLabel>("DialLabel");
    QLabel* diallabel2 = named<QLabel>("diallabel2");
    QLabel* lblbattery = named<QLabel>("lblbattery");
    QLabel* lbltimetolive = named<QLabel>("lbltimetolive");
    QLabel* lblother = named<QLabel>("lblother");
    QLabel* lblcountry = named<QLabel>("lblcountry");
    TShape* shcorner = named<TShape>("shcorner");
    TShape* shexit = named<TShape>("shexit");
    TShape* Shmove = named<TShape>("Shmove");
    TShape* Shopt = named<TShape>("Shopt");
    QTimer* Timer1 = named<QTimer>("Timer1");
    QTimer* timermove = named<QTimer>("timermove");
    MessageTimer* timerOff = named<MessageTimer>("timerOff");
    MessageTimer* timerreboot = named<MessageTimer>("timerreboot");
    QMenu* PopupMenu1 = named<QMenu>("PopupMenu1");
    QAction* menuAlwaysOnTop = named<QAction>("menuAlwaysOnTop");
    QAction* menuTrasparencyEnable = named<QAction>("menuTrasparencyEnable");
    QAction* menuCountrySettings = named<QAction>("menuCountrySettings");
    QAction* menuTweaking = named<QAction>("menuTweaking");
    QAction* Alarm1 = named<QAction>("Alarm1");
    QAction* menuAbout1 = named<QAction>("menuAbout1");
    QAction* menuStartWithWindows = named<QAction>("menuStartWithWindows");
    QAction* menuRestore = named<QAction>("menuRestore");
    QAction* menuMinimize = named<QAction>("menuMinimize");
    QAction* menuExit = named<QAction>("menuExit");
};
