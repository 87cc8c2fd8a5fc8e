// The penguin screen: white, with penguins popping up and vanishing at random.

#include "fullscreen/frmroseU.h"

#include "fullscreen/ExitKeys.h"
#include "fullscreen/PenguinPicture.h"
#include "platform/WindowSystem.h"
#include "ui/BorderlessWindow.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPainter>

#include <random>

Tfrmrose::Tfrmrose(const platform::Services& services)
    : ImageList1(PenguinPicture()), services_(services), grid_(std::random_device{}()) {
    MakeBorderless(*this, QStringLiteral("frmrose"), Qt::white, QSize(640, 480));
    // The only way out is a key, so the window itself takes the keyboard; nothing in it takes Tab.
    setFocusPolicy(Qt::StrongFocus);
    // Shown, it is the top of the program's modal windows: it takes the keys over any open dialog and
    // over the other full-screen window, and leaving it hands them back to what is modal beneath.
    setWindowModality(Qt::ApplicationModal);
    lblesc1 = MakeExitHint(QStringLiteral("lblesc1"), this);
    lblesc2 = MakeExitHint(QStringLiteral("lblesc2"), this);
    lblesc1->move(0, 0);

    timerrose = new MessageTimer(this);
    timerrose->setObjectName(QStringLiteral("timerrose"));
    timerrose->setInterval(500);
    connect(timerrose, &MessageTimer::timeout, this, Guarded([this] { timerroseTimer(); }));
    ClearCanvas();
}

void Tfrmrose::ClearCanvas() {
    canvas_ = QImage(size(), QImage::Format_RGB32);
    canvas_.fill(Qt::white);
    update();
}

void Tfrmrose::coverScreen(std::uint32_t time) {
    services_.windows.coverScreen(*this);
    services_.windows.activate(*this, time);
    timerrose->setEnabled(true);
}

void Tfrmrose::timerroseTimer() {
    const QRect screen = services_.windows.screenGeometry();
    const GridPicker::Cell drawn = grid_.PickCell(screen.width(), screen.height(), CellSize, CellSize);
    const GridPicker::Cell wiped = grid_.PickCell(screen.width(), screen.height(), CellSize, CellSize);
    {
        QPainter painter(&canvas_);
        painter.drawImage(drawn.x, drawn.y, ImageList1);
        painter.fillRect(wiped.x, wiped.y, CellSize, CellSize, Qt::white);
    }
    update(drawn.x, drawn.y, CellSize, CellSize);
    update(wiped.x, wiped.y, CellSize, CellSize);
    lblesc2->raise();
    lblesc1->raise();
}

void Tfrmrose::FormKeyDown(int key, std::uint32_t time) {
    const bool leaving = IsExitKey(key);
    if (leaving) {
        hide();
        timerrose->setEnabled(false);
    }
    emit keyPressed();
    // The clock just shown again may have taken the keyboard, and a key is the only way out of here.
    if (!leaving)
        services_.windows.activate(*this, time);
}

bool Tfrmrose::event(QEvent* event) {
    // Every key, ahead of Qt's own use of Tab for moving the focus.
    if (event->type() == QEvent::KeyPress) {
        const auto* press = static_cast<QKeyEvent*>(event);
        const int key = press->key();
        const auto time = static_cast<std::uint32_t>(press->timestamp());
        RunGuarded([this, key, time] { FormKeyDown(key, time); });
        return true;
    }
    return QWidget::event(event);
}

void Tfrmrose::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    const QRect area = event->rect();
    painter.drawImage(area, canvas_, area);
}

void Tfrmrose::resizeEvent(QResizeEvent* event) {
    // The second hint keeps to the top-right corner.
    lblesc2->move(width() - lblesc2->width(), 0);
    ClearCanvas();
    QWidget::resizeEvent(event);
}

void Tfrmrose::showEvent(QShowEvent* event) {
    ClearCanvas();
    QWidget::showEvent(event);
}
