#pragma once

#include <QDialog>

// A borderless dialog run modally with no keyboard defaults: Escape, Enter and Return do nothing,
// so only its own buttons end a run. A close request from the window manager cancels it unless
// the dialog says otherwise.
class TModalDialog : public QDialog {
    Q_OBJECT

public:
    explicit TModalDialog(QWidget* parent = nullptr);

protected:
    // A close request (Alt+F4, the window manager's close): Cancel by default.
    virtual void closeRequested();

    void keyPressEvent(QKeyEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
};
