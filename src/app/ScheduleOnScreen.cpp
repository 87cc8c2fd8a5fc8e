#include "app/ScheduleOnScreen.h"

#include "clock/formDialtop.h"
#include "sysinfo/frmAboutU.h"

#include <QLoggingCategory>

using platform::PowerAction;

namespace {

// The schedule is silent on screen but for the clock's colour; its due times are logged here too.
Q_LOGGING_CATEGORY(lcSchedule, "dialtop.schedule", QtWarningMsg)

} // namespace

void ScheduleOnScreen::startCountdown(PowerAction action, std::uint32_t intervalMs) {
    clock_.startCountdown(action, intervalMs);
}

void ScheduleOnScreen::stopCountdown(PowerAction action) {
    clock_.stopCountdown(action);
}

void ScheduleOnScreen::setClockColour(std::uint32_t rgb) {
    clock_.setClockColour(rgb);
}

void ScheduleOnScreen::setDueText(PowerAction action, const std::string& text) {
    qCInfo(lcSchedule).noquote() << (action == PowerAction::PowerOff ? "shutdown at" : "reboot at")
                                 << QString::fromStdString(text);
    about_.setDueText(action, QString::fromStdString(text));
}
