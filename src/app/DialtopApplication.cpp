#include "app/DialtopApplication.h"

#include "base/DialtopError.h"
#include "platform/Dialogs.h"

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
        ReportError(error.what());
    }
    return false;
}

void DialtopApplication::reportErrorsTo(platform::Dialogs& dialogs) {
    SetErrorReporter([&dialogs](const std::string& message) {
        dialogs.error(ApplicationTitle, QString::fromStdString(ErrorBoxText(message)));
    });
}
