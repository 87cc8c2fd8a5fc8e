#pragma once

#include <QString>

class QDialog;

namespace platform {

// Every message box and every modal run goes through here, so tests can answer them and read their texts.
class Dialogs {
public:
    virtual ~Dialogs() = default;
    // One OK button, no icon.
    virtual void plain(const QString& title, const QString& text) = 0;
    // Warning icon, one OK button.
    virtual void warning(const QString& title, const QString& text) = 0;
    // Error icon, one OK button.
    virtual void error(const QString& title, const QString& text) = 0;
    // Question icon, Yes and No; true only for Yes.
    virtual bool confirm(const QString& title, const QString& text) = 0;
    // Shows the dialog modally and returns its result code; a dialog already shown is refused with
    // a DialtopError ("Cannot make a visible window modal").
    virtual int runModal(QDialog& dialog) = 0;
};

} // namespace platform
