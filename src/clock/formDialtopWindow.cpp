// The clock window's own behaviour: dragging, the corner, the creep along the top, on top,
// translucency and the start at log-in.
#include "clock/formDialtop.h"
#include "platform/Autostart.h"
#include "platform/ProcessInfo.h"
#include "platform/WindowSystem.h"
#include "ui/FaceDrag.h"
#include "ui/Guarded.h"
#include "ui/Shape.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMouseEvent>
#include <QTimer>

#include <functional>

namespace {

const QColor CornerPressed(0x00, 0x80, 0x00);
const QColor CornerIdle(0x00, 0x00, 0x80);
const QString StartCaption = QStringLiteral("Start with Windows");
const QString DontStartCaption = QStringLiteral("Don't Start with Windows");

// Hands the events of one widget to a handler; the handler's answer says whether they stop there.
class EventHook : public QObject {
public:
    EventHook(QWidget& widget, std::function<bool(QEvent&)> handler)
        : QObject(&widget), handler_(std::move(handler)) {
        widget.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override { return handler_(*event); }

private:
    std::function<bool(QEvent&)> handler_;
};

bool isPress(const QEvent& event) {
    return event.type() == QEvent::MouseButtonPress || event.type() == QEvent::MouseButtonDblClick;
}

bool isMouseButton(const QEvent& event) {
    return isPress(event) || event.type() == QEvent::MouseButtonRelease;
}

// A square takes every button, the right one included: the menu a right press asks for would take the
// release the square acts on.
bool takenBySquare(QEvent& event) {
    if (event.type() == QEvent::ContextMenu) {
        event.accept();
        return true;
    }
    return isMouseButton(event);
}

// 255 × (1 − percent/100), rounded half up.
int opacityOf(int percent) {
    return (255 * (100 - percent) + 50) / 100;
}

} // namespace

void Tdialform::ConnectWindowBehaviour() {
    auto* drag = new FaceDrag(*this, services_.windows);
    drag->addSources({this, boxout, boxin});
    // What the face's other parts leave unhandled goes no further: only the sources start a drag.
    new EventHook(*client,
                  [](QEvent& event) { return isMouseButton(event) || event.type() == QEvent::MouseMove; });

    for (QLabel* label : {DialLabel, diallabel2, lblcountry}) {
        new EventHook(*label, [this, label](QEvent& event) {
            switch (event.type()) {
            case QEvent::MouseButtonPress:
            case QEvent::MouseButtonDblClick:
                DialLabelMouseDown(static_cast<QMouseEvent&>(event).position().toPoint());
                return true;
            case QEvent::MouseMove: {
                const auto& move = static_cast<QMouseEvent&>(event);
                DialLabelMouseMove(label, move.buttons(), move.modifiers(), move.globalPosition().toPoint());
                return true;
            }
            case QEvent::MouseButtonRelease:
                DialLabelMouseUp();
                return true;
            case QEvent::ContextMenu:
                // The menu opens on the press and takes the release: the drag ends here.
                DialLabelMouseUp();
                return false;
            default:
                return false;
            }
        });
    }

    // Any button, on the squares.
    new EventHook(*shcorner, [this](QEvent& event) {
        if (isPress(event))
            shcornerMouseDown();
        else if (event.type() == QEvent::MouseButtonRelease)
            shcornerMouseUp();
        return takenBySquare(event);
    });
    new EventHook(*Shmove, [this](QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease)
            ShmoveMouseUp();
        return takenBySquare(event);
    });
    connect(timermove, &QTimer::timeout, this, Guarded([this] { timermoveTimer(); }));

    connect(menuAlwaysOnTop, &QAction::triggered, this, Guarded([this] { menuAlwaysOnTopClick(); }));
    connect(menuTrasparencyEnable, &QAction::triggered, this,
            Guarded([this] { menuTrasparencyEnableClick(); }));
    for (int percent = 10; percent <= 90; percent += 10) {
        QAction*& item = menuTrasp_[percent / 10 - 1];
        item = PopupMenu1->findChild<QAction*>(QStringLiteral("menuTrasp%1").arg(percent));
        connect(item, &QAction::triggered, this, Guarded([this, percent] { menuTraspClick(percent); }));
    }
    connect(PopupMenu1, &QMenu::aboutToShow, this, Guarded([this] { PopupMenu1Popup(); }));
    connect(menuStartWithWindows, &QAction::triggered, this,
            Guarded([this] { menuStartWithWindowsClick(); }));
}

void Tdialform::DialLabelMouseDown(QPoint pressed) {
    DragY = pressed.y();
    DragX = pressed.x();
    MovingBeforeDrag = Moving;
    Moving = false;
    creptPastLeftEdge_ = false;
}

void Tdialform::DialLabelMouseMove(QLabel* label, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers,
                                   QPoint cursor) {
    if (buttons != Qt::LeftButton ||
        (modifiers & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier)))
        return;
    // The pressed point stays level with the cursor, one pixel to its right (the window's border).
    move(cursor.x() - DragX - label->x(), cursor.y() - DragY - label->y() - 1);
}

void Tdialform::DialLabelMouseUp() {
    Moving = MovingBeforeDrag;
}

void Tdialform::shcornerMouseDown() {
    shcorner->setBrushColor(CornerPressed);
}

void Tdialform::shcornerMouseUp() {
    hide();
    // The work area's width from the primary screen's origin; the work area's own offset is not added.
    const QRect screen = services_.windows.screenGeometry();
    move(screen.x() + services_.windows.workArea().width() - width(), screen.y());
    show();
    shcorner->setBrushColor(CornerIdle);
}

void Tdialform::ShmoveMouseUp() {
    Moving = !Moving;
    if (timermove->isActive())
        timermove->stop();
    else
        timermove->start();
    creptPastLeftEdge_ = false;
}

void Tdialform::timermoveTimer() {
    if (!Moving)
        return;
    // A window manager may keep the window at the screen's left edge when asked for one pixel past it;
    // the wrap follows our own request.
    const int screenLeft = services_.windows.screenGeometry().x();
    const bool pastLeftEdge = x() < screenLeft || creptPastLeftEdge_;
    const int left = pastLeftEdge ? screenLeft + services_.windows.workArea().width() - width() : x() - 1;
    creptPastLeftEdge_ = left < screenLeft;
    move(left, y());
}

// Qt has already toggled the checkable items when their handlers run.
void Tdialform::menuAlwaysOnTopClick() {
    services_.windows.setTopmost(*this, menuAlwaysOnTop->isChecked());
}

void Tdialform::menuTrasparencyEnableClick() {
    clrmenu();
    transparent_ = menuTrasparencyEnable->isChecked();
    if (transparent_) {
        menuTrasp_[2]->setChecked(true);
        opacity_ = opacityOf(30);
    }
    ApplyOpacity();
}

void Tdialform::menuTraspClick(int percent) {
    menuTrasparencyEnable->setChecked(true);
    transparent_ = true;
    clrmenu();
    menuTrasp_[percent / 10 - 1]->setChecked(true);
    opacity_ = opacityOf(percent);
    ApplyOpacity();
}

void Tdialform::clrmenu() {
    for (QAction* item : menuTrasp_)
        item->setChecked(false);
}

void Tdialform::ApplyOpacity() {
    setWindowOpacity(transparent_ ? opacity_ / 255.0 : 1.0);
}

void Tdialform::PopupMenu1Popup() {
    if (const std::optional<bool> registered = services_.autostart.isRegistered())
        menuStartWithWindows->setText(*registered ? DontStartCaption : StartCaption);
}

// The caption chooses; it is brought up to date the next time the menu opens.
void Tdialform::menuStartWithWindowsClick() {
    if (menuStartWithWindows->text() == StartCaption)
        services_.autostart.registerExecutable(services_.process.executablePath());
    else
        services_.autostart.unregister();
}
