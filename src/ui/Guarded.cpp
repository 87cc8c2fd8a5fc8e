#include "ui/Guarded.h"

#include "clock/DialtopApplication.h"

void RunGuarded(const std::function<void()>& handler) {
    if (auto* application = qobject_cast<DialtopApplication*>(QCoreApplication::instance()))
        application->guarded(handler);
    else
        handler();
}
