// The clock: the small black box in the top-right corner showing the time, its squares and its menu.
#include "clock/formDialtop.h"

#include "base/ApplicationTitle.h"
#include "base/ByteText.h"
#include "base/DateHelpers.h"
#include "base/TimeText.h"
#include "clock/PowerStatus.h"
#include "clock/SecondAligner.h"
#include "clock/TrayControl.h"
#include "platform/Dialogs.h"
#include "platform/LocalClock.h"
#include "platform/Services.h"
#include "platform/WindowSystem.h"
#include "settings/SettingsStore.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"
#include "ui/Shape.h"

#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>
#include <QScreen>
#include <QTimer>

#include <cstdlib>
#include <ctime>

namespace {

Q_LOGGING_CATEGORY(lcHotKeys, "dialtop.hotkeys", QtWarningMsg)

const QColor Amber(0xE4, 0xC1, 0x56);
const QColor Gold(0xD5, 0xAE, 0x2B);

QLabel* makeLabel(const QString& name, QWidget* parent, const QFont& font, const QColor& color) {
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    palette.setColor(QPalette::Window, Qt::black);
    label->setPalette(palette);
    label->setAutoFillBackground(true);
    return label;
}

QFont arial(int pixelSize, bool bold = false, bool italic = false) {
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

TShape* makeSquare(const QString& name, QWidget* parent, QPoint at, const QColor& fill, const QString& hint) {
    auto* square = new TShape(name, parent);
    square->setGeometry(QRect(at, QSize(10, 10)));
    square->setBrushColor(fill);
    square->setPenColor(QColor(0xC0, 0xC0, 0xC0));
    square->setCursor(Qt::PointingHandCursor);
    square->setToolTip(hint);
    return square;
}

} // namespace

Tdialform::Tdialform(const platform::Services& services, PowerSample& power, SettingsStore& settings)
    : services_(services), power_(power), settings_(settings) {
    setObjectName(QStringLiteral("dialform"));
    setWindowTitle(QStringLiteral("Dialtop"));
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, Qt::black);
    setPalette(palette);
    setAutoFillBackground(true);
    resize(83, 44);

    ReadTimeFormat();
    CreateFace();
    CreatePopupMenu();
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        connect(screen, &QScreen::availableGeometryChanged, this,
                Guarded([this] { ApplicationEvents1SettingChange(WorkAreaChanged, QString()); }));
    }
    CreateTimers();
    CreateSchedule();
    ConnectWindowBehaviour();
    ConnectSecondClock();
    FormCreate();
}

void Tdialform::CreateFace() {
    client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setGeometry(1, 1, 81, 42);

    boxout = new TShape(QStringLiteral("boxout"), client);
    boxout->setGeometry(0, 0, 81, 42);
    boxout->setBrushColor(QColor(0x80, 0x00, 0x00));
    boxout->setPenColor(Qt::white);

    boxin = new TShape(QStringLiteral("boxin"), client);
    boxin->setGeometry(3, 3, 75, 36);
    boxin->setBrushColor(Qt::black);
    boxin->setPenColor(Qt::white);

    DialLabel = makeLabel(QStringLiteral("DialLabel"), client, arial(17, true), Amber);
    DialLabel->setGeometry(6, 5, 71, 19);
    DialLabel->setAlignment(Qt::AlignCenter);

    shcorner = makeSquare(QStringLiteral("shcorner"), client, {47, 24}, QColor(0x00, 0x00, 0x80), "Corner");
    shexit = makeSquare(QStringLiteral("shexit"), client, {58, 24}, QColor(0x80, 0x00, 0x00), "Exit");
    Shmove = makeSquare(QStringLiteral("Shmove"), client, {25, 24}, QColor(0x00, 0x80, 0x00), "Move");
    Shopt = makeSquare(QStringLiteral("Shopt"), client, {36, 24}, Qt::black, "About");

    lblbattery = makeLabel(QStringLiteral("lblbattery"), client, arial(11), Amber);
    lblbattery->setGeometry(4, 22, 20, 13);
    lblbattery->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblbattery->setText(QStringLiteral("100"));
    lblbattery->setToolTip(QStringLiteral("Battery"));

    lbltimetolive = makeLabel(QStringLiteral("lbltimetolive"), client, arial(11), Amber);
    lbltimetolive->setGeometry(9, 34, 65, 11);
    lbltimetolive->setAlignment(Qt::AlignRight | Qt::AlignTop);
    lbltimetolive->setToolTip(QStringLiteral("Estimated Remaining Time (Based On Last Change)"));
    lbltimetolive->hide();

    lblother = makeLabel(QStringLiteral("lblother"), client, arial(11), Amber);
    lblother->setGeometry(68, 22, 9, 13);
    lblother->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    lblother->setText(QStringLiteral(">"));
    lblother->setToolTip(QStringLiteral("Show Additional Country's Time"));
    lblother->setCursor(Qt::PointingHandCursor);

    lblcountry = makeLabel(QStringLiteral("lblcountry"), client, arial(12, false, true), Gold);
    lblcountry->setGeometry(81, 22, 65, 16);
    lblcountry->setAlignment(Qt::AlignRight | Qt::AlignTop);

    diallabel2 = makeLabel(QStringLiteral("diallabel2"), client, arial(17, true), Gold);
    diallabel2->setGeometry(82, 5, 71, 19);
    diallabel2->setAlignment(Qt::AlignCenter);

    for (QWidget* component : {static_cast<QWidget*>(boxout), static_cast<QWidget*>(boxin),
                               static_cast<QWidget*>(shexit), static_cast<QWidget*>(Shopt)})
        component->installEventFilter(this);
}

void Tdialform::CreateTimers() {
    auto makeTimer = [this](const QString& name, int interval) {
        auto* timer = new QTimer(this);
        timer->setObjectName(name);
        timer->setInterval(interval);
        return timer;
    };
    Timer1 = makeTimer(QStringLiteral("Timer1"), 1000);
    timermove = makeTimer(QStringLiteral("timermove"), 45);

    Timer1->setSingleShot(true);
    Timer1->setTimerType(Qt::PreciseTimer);
    connect(Timer1, &QTimer::timeout, this, [this] {
        const platform::LocalTime now = services_.clock.now();
        // Re-aimed before the tick runs, so that ticks go on inside the boxes a tick may open; the one
        // reading serves the aim, the second's claim and everything the tick shows and rings.
        ScheduleNextTick(now);
        if (tickSeconds_.Claim(now)) {
            RunGuarded([this, &now] { Timer1Timer(now); });
            tray_->stepFrame();
        }
    });
    ScheduleNextTick(services_.clock.now());
}

void Tdialform::ScheduleNextTick(const platform::LocalTime& now) {
    Timer1->start(SecondAligner::DelayMs(now));
}

void Tdialform::FormCreate() {
    settings_.values.TimeDifference = 120;
    timerOff->setEnabled(false);
    timerreboot->setEnabled(false);

    menuMinimize->setEnabled(true);
    menuRestore->setEnabled(false);

    std::srand(static_cast<unsigned>(std::time(nullptr)));

    Warned5 = false;
    Warned3 = false;

    ShowTimeTexts(services_.clock.now());

    hide();
    Moving = false;
    MovingBeforeDrag = false;
    resize(83, 44);
    client->resize(81, 42);
    // The primary screen need not start at the desktop's origin.
    const QRect screen = services_.windows.screenGeometry();
    move(screen.x() + screen.width() - width(), screen.y());
    boxin->resize(boxin->width(), 36);
    boxout->resize(boxout->width(), 42);
    show();

    LoadSettingsAtStart();
    if (settings_.values.ShowExpanded) {
        lblother->setText(QStringLiteral(">"));
        lblotherMouseUp();
    }

    menuAlwaysOnTop->setChecked(false);
    // Timer1 has run since the window was made.
    FitTimeFonts();

    PreviousPercent = power_.Sampled ? power_.BatteryPercent : 0;
    LastPercent = PreviousPercent;
    TicksSinceDrop = 0;
}

void Tdialform::ReadTimeFormat() {
    timeFormat_ = services_.timeFormat.read();
}

void Tdialform::LoadSettingsAtStart() {
    if (!settings_.loadAtStart())
        services_.dialogs.warning(ApplicationTitle,
                                  TextOfBytes(settings_.path()) +
                                      QStringLiteral(" is too large to be read; Dialtop starts "
                                                     "with its defaults and will not change it."));
}

void Tdialform::ShowTimeTexts(const platform::LocalTime& now) {
    DialLabel->setText(QString::fromStdString(TimeText(now, timeFormat_)));
    diallabel2->setText(
        QString::fromStdString(TimeText(AddMinutes(now, settings_.values.TimeDifference), timeFormat_)));
}

void Tdialform::menuExitClick() {
    settings_.save();
    emit terminateRequested();
}

void Tdialform::shexitMouseDown() {
    menuExitClick();
}

void Tdialform::ShoptMouseUp() {
    emit aboutRequested();
}

void Tdialform::menuAbout1Click() {
    ShoptMouseUp();
}

void Tdialform::menuTweakingClick() {
    emit tweakEditorRequested();
}

int Tdialform::ApplicationEvents1SettingChange(unsigned flag, const QString&) {
    // Only a work-area change is answered, and the window deliberately stays where it is.
    return flag == WorkAreaChanged ? 0 : -1;
}

void Tdialform::BringApplicationToFront() {
    services_.windows.bringToFront(*this);
}

bool Tdialform::eventFilter(QObject* watched, QEvent* event) {
    // Like Corner and Move, these squares take every button: a menu opened by the right one would take
    // the release About acts on.
    if ((watched == shexit || watched == Shopt) && event->type() == QEvent::ContextMenu) {
        event->accept();
        return true;
    }
    if (watched == shexit && event->type() == QEvent::MouseButtonPress) {
        RunGuarded([this] { shexitMouseDown(); });
        return true;
    }
    if (watched == Shopt && event->type() == QEvent::MouseButtonRelease) {
        RunGuarded([this] { ShoptMouseUp(); });
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void Tdialform::changeEvent(QEvent* event) {
    if (event->type() == QEvent::LocaleChange)
        ReadTimeFormat();
    QWidget::changeEvent(event);
}

// Ends the program without saving, as any end other than Exit does; the hotkeys are let go on the way out.
void Tdialform::closeEvent(QCloseEvent* event) {
    event->ignore();
    emit terminateRequested();
}

void Tdialform::contextMenuEvent(QContextMenuEvent* event) {
    PopupMenu1->popup(event->globalPos());
}

void Tdialform::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    const bool altCtrl = modifiers.testFlag(Qt::AltModifier) && modifiers.testFlag(Qt::ControlModifier);
    if (key == Qt::Key_R && altCtrl && !modifiers.testFlag(Qt::ShiftModifier)) {
        qCInfo(lcHotKeys) << "Alt+Ctrl+R in the clock";
        emit penguinRequested();
    }
}

void Tdialform::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key(), event->modifiers());
    QWidget::keyPressEvent(event);
}
