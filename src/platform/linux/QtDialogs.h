#pragma once

#include "platform/Dialogs.h"

#include <QMessageBox>

// Message boxes and modal runs with Qt's own dialogs.
class QtDialogs : public platform::Dialogs {
public:
    void plain(const QString& title, const QString& text) override;
    void warning(const QString& title, const QString& text) override;
    void error(const QString& title, const QString& text) override;
    bool confirm(const QString& title, const QString& text) override;
    int runModal(QDialog& dialog) override;

private:
    static int show(QMessageBox::Icon icon, const QString& title, const QString& text,
                    QMessageBox::StandardButtons buttons);
};
