#include "ui/ModalDialog.h"

#include <QCloseEvent>
#include <QKeyEvent>

TModalDialog::TModalDialog(QWidget* parent) : QDialog(parent) {
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
}

void TModalDialog::closeRequested() {
    reject();
}

void TModalDialog::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Enter:
    case Qt::Key_Return:
        event->accept(); // QDialog would reject or press a default button
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}

void TModalDialog::closeEvent(QCloseEvent* event) {
    event->ignore();
    if (isVisible())
        closeRequested();
}
