#include "platform/linux/LoggedPowerActions.h"

#include "platform/linux/LogindPowerActions.h"

#include <QTimer>

#include <cstdio>

bool LoggedPowerActions::request(platform::PowerAction action, Answer answer) {
    if (answering_)
        return false;
    std::fprintf(stderr, "dialtop: %s requested (DIALTOP_POWER_ACTIONS=log: not performed)\n",
                 action == platform::PowerAction::PowerOff ? "power off" : "reboot");
    answering_ = true;
    QTimer::singleShot(0, &context_, [this, answer = std::move(answer)] {
        answering_ = false;
        answer(true);
    });
    return true;
}

std::unique_ptr<platform::PowerActions> ChoosePowerActions() {
    const QByteArray choice = qgetenv("DIALTOP_POWER_ACTIONS");
    if (choice.isEmpty())
        return std::make_unique<LogindPowerActions>();
    if (choice != "log")
        std::fprintf(stderr, "dialtop: DIALTOP_POWER_ACTIONS=%s is not \"log\"; taken as \"log\"\n",
                     choice.constData());
    std::fprintf(stderr, "dialtop: power requests are written here, not performed\n");
    return std::make_unique<LoggedPowerActions>();
}
