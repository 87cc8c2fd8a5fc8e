#include "platform/linux/QtDialogs.h"

#include "base/DialtopError.h"

#include <QDialog>
#include <QLoggingCategory>

namespace {

Q_LOGGING_CATEGORY(lcMessages, "dialtop.messages", QtWarningMsg)

// The program's texts break lines with "\n\r" or a lone "\r"; Qt wants "\n".
QString displayText(QString text) {
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

} // namespace

int QtDialogs::show(QMessageBox::Icon icon, const QString& title, const QString& text,
                    QMessageBox::StandardButtons buttons) {
    qCInfo(lcMessages).noquote() << "box" << title << ":" << text;
    QMessageBox box(icon, title, displayText(text), buttons);
    // A path or a name with "<" in it is text, not markup.
    box.setTextFormat(Qt::PlainText);
    return box.exec();
}

void QtDialogs::plain(const QString& title, const QString& text) {
    show(QMessageBox::NoIcon, title, text, QMessageBox::Ok);
}

void QtDialogs::warning(const QString& title, const QString& text) {
    show(QMessageBox::Warning, title, text, QMessageBox::Ok);
}

void QtDialogs::error(const QString& title, const QString& text) {
    show(QMessageBox::Critical, title, text, QMessageBox::Ok);
}

bool QtDialogs::confirm(const QString& title, const QString& text) {
    return show(QMessageBox::Question, title, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

int QtDialogs::runModal(QDialog& dialog) {
    // exec() on a shown dialog would turn it modal where it stands.
    if (dialog.isVisible())
        throw DialtopError("Cannot make a visible window modal");
    return dialog.exec();
}
