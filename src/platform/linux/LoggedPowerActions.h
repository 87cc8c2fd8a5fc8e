#pragma once

#include "platform/PowerActions.h"

#include <QObject>

#include <memory>

// Writes each request to standard error instead of performing it, and reports it accepted: for
// demonstrations and black-box tests of the real program.
class LoggedPowerActions : public platform::PowerActions {
public:
    bool request(platform::PowerAction action, Answer answer) override;

private:
    bool answering_ = false;
    // Ends a pending answer with this object.
    QObject context_;
};

// The real power requests, unless DIALTOP_POWER_ACTIONS=log asks for the log instead. Any other value
// is taken as a mistyped "log": a typo must never power the machine off.
std::unique_ptr<platform::PowerActions> ChoosePowerActions();
