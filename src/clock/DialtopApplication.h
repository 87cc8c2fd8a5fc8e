#pragma once

#include <QApplication>

#include <functional>
#include <string>

namespace platform {
class Dialogs;
}

// The application title: caption of plain message boxes and of the general error box.
inline const QString ApplicationTitle = QStringLiteral("dialtop");

// Catches an error escaping any handler, so it reaches the general error box and the program runs on.
class DialtopApplication : public QApplication {
    Q_OBJECT

public:
    using ErrorReporter = std::function<void(const std::string& message)>;

    DialtopApplication(int& argc, char** argv);

    void setErrorReporter(ErrorReporter reporter) { reporter_ = std::move(reporter); }
    // Errors go to the general error box: caption "dialtop", error icon, the full-stop rule.
    void reportErrorsTo(platform::Dialogs& dialogs);
    bool notify(QObject* receiver, QEvent* event) override;

    // Runs a handler directly, reporting what escapes it as notify() would.
    void guarded(const std::function<void()>& handler);

private:
    void report(const std::string& message);

    ErrorReporter reporter_;
};
