#include "platform/linux/QtDialogs.h"

#include <QApplication>
#include <QMessageBox>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(QtDialogs, BoxesShowTheirTextAsPlainText) {
    QtDialogs dialogs;
    const QString path = QStringLiteral("Unable to write to /home/u/<b>odd</b>/settings.ini");
    Qt::TextFormat format = Qt::AutoText;
    QString shown;
    QTimer::singleShot(0, [&] {
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            format = box->textFormat();
            shown = box->text();
            box->accept();
        }
    });
    dialogs.error(QStringLiteral("dialtop"), path);
    EXPECT_EQ(format, Qt::PlainText);
    EXPECT_EQ(shown, path);
}

} // namespace
