// The clock's shutdown and reboot submenus and the two countdowns they arm.
#include "clock/formDialtop.h"
#include "platform/Dialogs.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>

using platform::PowerAction;

namespace {

// The schedule is silent on screen but for the clock's colour; its run-outs are logged here too.
Q_LOGGING_CATEGORY(lcSchedule, "dialtop.schedule", QtWarningMsg)

struct Preset {
    const char* item;
    std::int32_t delayMs;
};

constexpr Preset ShutdownPresets[] = {
    {"menuS10Seconds", 10000},   {"menuS30Seconds", 30000},    {"menuS1Minute", 60000},
    {"menuS3Minutes", 180000},   {"menuS5Minutes", 300000},    {"menuS10Minutes", 600000},
    {"menuS20Minutes", 1200000}, {"menuS30Minutes", 1800000},  {"menuS45Minutes", 2700000},
    {"menuS1Hour", 3600000},     {"menuS1halfHours", 5400000}, {"menuS2Hours", 7200000},
    {"menuS3Hours", 10800000},   {"menuS5Hours", 18000000},    {"menuS10Hours", 36000000},
    {"menuS20Hours", 72000000},
};

} // namespace

void Tdialform::CreateSchedule() {
    timerOff = new MessageTimer(this);
    timerOff->setObjectName(QStringLiteral("timerOff"));
    timerOff->setInterval(60000);
    timerreboot = new MessageTimer(this);
    timerreboot->setObjectName(QStringLiteral("timerreboot"));
    timerreboot->setInterval(60000);
    connect(timerOff, &MessageTimer::timeout, this, Guarded([this] { timerOffTimer(); }));
    connect(timerreboot, &MessageTimer::timeout, this, Guarded([this] { timerrebootTimer(); }));

    auto item = [this](const char* name) {
        return PopupMenu1->findChild<QAction*>(QString::fromLatin1(name));
    };
    for (const Preset& preset : ShutdownPresets) {
        connect(item(preset.item), &QAction::triggered, this,
                Guarded([this, delay = preset.delayMs] { ScheduleShutdown(delay); }));
    }
    connect(item("menuSABORT"), &QAction::triggered, this, Guarded([this] { menuSABORTClick(); }));
    connect(item("menuSCustom"), &QAction::triggered, this, Guarded([this] { menuSCustomClick(); }));
    connect(item("menuSNow"), &QAction::triggered, this, Guarded([this] { menuSNowClick(); }));
    connect(item("menuRABORT"), &QAction::triggered, this, Guarded([this] { menuRABORTClick(); }));
    connect(item("menuRCustom"), &QAction::triggered, this, Guarded([this] { menuRCustomClick(); }));
    connect(item("menuRNow"), &QAction::triggered, this, Guarded([this] { menuRNowClick(); }));
}

void Tdialform::ScheduleShutdown(std::int32_t delayMs) {
    emit shutdownScheduleRequested(delayMs);
}

void Tdialform::menuSNowClick() {
    if (services_.dialogs.confirm(
            QStringLiteral("Confirm"),
            QStringLiteral("Your System Will ShutDown IMMEDIATELY.\n\rYou WILL NOT Have The "
                           "Ability To Abort!\n\rAre You Sure?")))
        emit nowRequested(PowerAction::PowerOff);
}

void Tdialform::menuRNowClick() {
    if (services_.dialogs.confirm(
            QStringLiteral("Confirm"),
            QStringLiteral("Your System Will Reboot IMMEDIATELY.\n\rYou WILL NOT Have The "
                           "Ability To Abort!\n\rAre You Sure?")))
        emit nowRequested(PowerAction::Reboot);
}

void Tdialform::menuSABORTClick() {
    emit abortRequested(PowerAction::PowerOff);
}

void Tdialform::menuRABORTClick() {
    emit abortRequested(PowerAction::Reboot);
}

void Tdialform::menuSCustomClick() {
    emit customScheduleRequested(PowerAction::PowerOff);
}

void Tdialform::menuRCustomClick() {
    emit customScheduleRequested(PowerAction::Reboot);
}

void Tdialform::timerOffTimer() {
    qCDebug(lcSchedule) << "shutdown countdown ran out";
    emit countdownRanOut(PowerAction::PowerOff);
}

void Tdialform::timerrebootTimer() {
    qCDebug(lcSchedule) << "reboot countdown ran out";
    emit countdownRanOut(PowerAction::Reboot);
}

void Tdialform::startCountdown(PowerAction action, std::uint32_t intervalMs) {
    MessageTimer* timer = action == PowerAction::PowerOff ? timerOff : timerreboot;
    timer->setInterval(intervalMs);
    timer->setEnabled(true);
}

void Tdialform::stopCountdown(PowerAction action) {
    (action == PowerAction::PowerOff ? timerOff : timerreboot)->setEnabled(false);
}

void Tdialform::setClockColour(std::uint32_t rgb) {
    QPalette palette = DialLabel->palette();
    palette.setColor(QPalette::WindowText, QColor(QRgb(rgb)));
    DialLabel->setPalette(palette);
}
