// Dialogs end only through their own buttons, refuse to run twice, and handler errors stop at the
// handler's own boundary.
#include "app/DialtopApplication.h"
#include "base/DialtopError.h"
#include "platform/fake/FakeServices.h"
#include "ui/FocusEvents.h"
#include "ui/Guarded.h"
#include "ui/ModalDialog.h"

#include <QAction>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

TEST(ModalDialog, EscapeEnterAndReturnDoNotEndTheRunACloseRequestCancels) {
    TModalDialog dialog;
    QLineEdit* edit = new QLineEdit(&dialog);
    dialog.show();
    edit->setFocus();
    for (int key : {Qt::Key_Escape, Qt::Key_Return, Qt::Key_Enter}) {
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
        QCoreApplication::sendEvent(edit, &press);
        EXPECT_TRUE(dialog.isVisible()) << key;
    }
    dialog.setResult(QDialog::Accepted);
    dialog.close();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST(ModalDialog, RunningADialogThatIsAlreadyShownIsRefused) {
    fake::Dialogs dialogs;
    TModalDialog dialog;
    dialog.show();
    try {
        dialogs.runModal(dialog);
        ADD_FAILURE() << "a shown dialog was run modally";
    } catch (const DialtopError& error) {
        EXPECT_STREQ(error.what(), "Cannot make a visible window modal");
    }
}

TEST(FocusEvents, OnlyARealLossOfFocusCountsAsLeaving) {
    QLineEdit edit;
    int left = 0;
    OnRealFocusLeave(edit, [&] { ++left; });
    for (Qt::FocusReason reason :
         {Qt::ActiveWindowFocusReason, Qt::PopupFocusReason, Qt::MenuBarFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(&edit, &out);
    }
    EXPECT_EQ(left, 0);
    for (Qt::FocusReason reason : {Qt::TabFocusReason, Qt::BacktabFocusReason, Qt::MouseFocusReason}) {
        QFocusEvent out(QEvent::FocusOut, reason);
        QCoreApplication::sendEvent(&edit, &out);
    }
    EXPECT_EQ(left, 3);
}

TEST(FocusEvents, AnEditBeingDeletedRunsNoHandler) {
    // Deleted with its window, an edit that has the focus loses it only once the window is half gone,
    // and the handlers work on the window.
    QWidget window;
    auto* edit = new QLineEdit(&window);
    int calls = 0;
    OnRealFocusLeave(*edit, [&] { ++calls; });
    window.show();
    window.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    edit->setFocus();
    ASSERT_TRUE(edit->hasFocus());
    delete edit;
    EXPECT_EQ(calls, 0);
}

TEST(Guarded, AnErrorEndsOnlyItsHandlerAndReachesTheErrorBox) {
    auto* application = qobject_cast<DialtopApplication*>(QCoreApplication::instance());
    ASSERT_NE(application, nullptr);
    std::vector<std::string> reported;
    application->setErrorReporter([&](const std::string& message) { reported.push_back(message); });

    QAction source;
    bool laterHandlerRan = false;
    QObject::connect(&source, &QAction::triggered,
                     Guarded([] { throw DialtopError("'x' is not a valid integer value"); }));
    QObject::connect(&source, &QAction::triggered, [&] { laterHandlerRan = true; });
    source.trigger();

    EXPECT_EQ(reported, std::vector<std::string>{"'x' is not a valid integer value"});
    EXPECT_TRUE(laterHandlerRan);
    application->setErrorReporter({});
}

} // namespace
