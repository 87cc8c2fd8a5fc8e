#pragma once

#include "base/ApplicationTitle.h"
#include "ui/Guarded.h"

#include <QApplication>

namespace platform {
class Dialogs;
}

// Catches an error escaping any handler, so it reaches the general error box and the program runs on.
class DialtopApplication : public QApplication {
    Q_OBJECT

public:
    DialtopApplication(int& argc, char** argv);

    void setErrorReporter(ErrorReporter reporter) { SetErrorReporter(std::move(reporter)); }
    // Errors go to the general error box: caption "dialtop", error icon, the full-stop rule.
    void reportErrorsTo(platform::Dialogs& dialogs);
    bool notify(QObject* receiver, QEvent* event) override;
};
