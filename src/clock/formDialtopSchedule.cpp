// The clock's shutdown and reboot submenus, their countdowns and the due-time lines they write.
#include "clock/Forms.h"
#include "clock/formDialtop.h"
#include "platform/Dialogs.h"
#include "power/frmcustskedU.h"
#include "sysinfo/frmAboutU.h"
#include "ui/Guarded.h"
#include "ui/MessageTimer.h"

#include <QAction>
#include <QLabel>
#include <QLoggingCategory>
#include <QMenu>

using platform::PowerAction;

namespace {

// The schedule is silent on screen but for the clock's colour; its due times are logged here too.
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
    connect(timerOff, &MessageTimer::timeout, this, &Tdialform::timerOffTimer);
    connect(timerreboot, &MessageTimer::timeout, this, &Tdialform::timerrebootTimer);

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
    Schedule.ScheduleShutdown(delayMs);
}

void Tdialform::menuSNowClick() {
    if (services_.dialogs.confirm(
            QStringLiteral("Confirm"),
            QStringLiteral("Your System Will ShutDown IMMEDIATELY.\n\rYou WILL NOT Have The "
                           "Ability To Abort!\n\rAre You Sure?")))
        Schedule.Now(PowerAction::PowerOff);
}

void Tdialform::menuRNowClick() {
    if (services_.dialogs.confirm(
            QStringLiteral("Confirm"),
            QStringLiteral("Your System Will Reboot IMMEDIATELY.\n\rYou WILL NOT Have The "
                           "Ability To Abort!\n\rAre You Sure?")))
        Schedule.Now(PowerAction::Reboot);
}

void Tdialform::menuSABORTClick() {
    Schedule.Abort(PowerAction::PowerOff);
}

void Tdialform::menuRABORTClick() {
    Schedule.Abort(PowerAction::Reboot);
}

void Tdialform::menuSCustomClick() {
    RunCustomSchedule(PowerAction::PowerOff, QStringLiteral("Shutdown"));
}

void Tdialform::menuRCustomClick() {
    RunCustomSchedule(PowerAction::Reboot, QStringLiteral("Reboot"));
}

void Tdialform::RunCustomSchedule(PowerAction action, const QString& actionWord) {
    Tfrmcustsked& dialog = *forms_.frmcustsked;
    dialog.resize(100, dialog.height());
    dialog.ActionWord = actionWord;
    dialog.move(x() + width() - dialog.width(), y() + height());
    if (services_.dialogs.runModal(dialog) != QDialog::Accepted)
        return;
    Schedule.Custom(action, dialog.lblhours->text().toStdString(), dialog.lblmins->text().toStdString(),
                    dialog.lblsecs->text().toStdString());
}

void Tdialform::timerOffTimer() {
    qCDebug(lcSchedule) << "shutdown countdown ran out";
    Schedule.CountdownFired(PowerAction::PowerOff);
}

void Tdialform::timerrebootTimer() {
    qCDebug(lcSchedule) << "reboot countdown ran out";
    Schedule.CountdownFired(PowerAction::Reboot);
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

void Tdialform::setDueText(PowerAction action, const std::string& text) {
    qCInfo(lcSchedule).noquote() << (action == PowerAction::PowerOff ? "shutdown at" : "reboot at")
                                 << QString::fromStdString(text);
    Tfrmabout& about = *forms_.frmabout;
    (action == PowerAction::PowerOff ? about.lblshutdownafter : about.lblrebootafter)
        ->setText(QString::fromStdString(text));
}
