// The blank screen: the whole screen black, with a "Press Esc To Exit" that moves every second.

#include "fullscreen/frmSleepU.h"

#include "fullscreen/ExitKeys.h"
#include "platform/WindowSystem.h"
#include "ui/BorderlessWindow.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QKeyEvent>
#include <QLabel>

#include <random>

TfrmSleep::TfrmSleep(const platform::Services& services)
    : services_(services), grid_(std::random_device{}()) {
    MakeBorderless(*this, QStringLiteral("frmSleep"), Qt::black, QSize(640, 480));
    // The only way out is a key, so the window itself takes the keyboard; nothing in it takes Tab.
    setFocusPolicy(Qt::StrongFocus);
    // Shown, it is the top of the program's modal windows: it takes the keys over any open dialog and
    // over the other full-screen window, and leaving it hands them back to what is modal beneath.
    setWindowModality(Qt::ApplicationModal);
    lblesc1 = MakeExitHint(QStringLiteral("lblesc1"), this);
    lblesc1->move(0, 0);

    Timer1 = new MessageTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    // Started by whoever shows the window: its ticks only move a hint on the shown blank screen, and
    // a clock kept on the desk all day should not wake once a second for nothing.
    Timer1->setInterval(1000);
    connect(Timer1, &MessageTimer::timeout, this, Guarded([this] { Timer1Timer(); }));
}

void TfrmSleep::coverScreen(std::uint32_t time) {
    services_.windows.coverScreen(*this);
    services_.windows.activate(*this, time);
    Timer1->setEnabled(true);
}

void TfrmSleep::Timer1Timer() {
    const QRect screen = services_.windows.screenGeometry();
    const GridPicker::Cell cell = grid_.PickCell(screen.width(), screen.height(), HintWidth, HintHeight);
    lblesc1->move(cell.x, cell.y);
}

void TfrmSleep::FormKeyDown(int key) {
    if (!IsExitKey(key))
        return;
    hide();
    Timer1->setEnabled(false);
    emit left();
}

bool TfrmSleep::event(QEvent* event) {
    // Ahead of Qt's own use of Tab for moving the focus.
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        RunGuarded([this, key] { FormKeyDown(key); });
        return true;
    }
    return QWidget::event(event);
}
