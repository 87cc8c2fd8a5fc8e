#include "clock/DialtopApplication.h"

#include "clock/DialtopError.h"
#include "platform/Dialogs.h"

#include <cstdio>
#include <exception>

DialtopApplication::DialtopApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(ApplicationTitle);
    // The clock lives on when its dialogs close; only Exit ends it.
    setQuitOnLastWindowClosed(false);
}

bool DialtopApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        report(error.what());
    }
    return false;
}

void DialtopApplication::reportErrorsTo(platform::Dialogs& dialogs) {
    reporter_ = [&dialogs](const std::string& message) {
        dialogs.error(ApplicationTitle, QString::fromStdString(ErrorBoxText(message)));
    };
}

void DialtopApplication::guarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        report(error.what());
    }
}

void DialtopApplication::report(const std::string& message) {
    if (reporter_)
        reporter_(message);
    else
        std::fprintf(stderr, "dialtop: %s\n", message.c_str());
}
