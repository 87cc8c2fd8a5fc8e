#include "app/DialtopApplication.h"
#include "platform/fake/FakeServices.h"
#include "tweaks/frmTweakU.h"
#include "ui/TextButton.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

constexpr int MenuDelay = 3;
constexpr int ShowHidden = 13; // a description of two lines
constexpr int UserAgent = 10;
constexpr int MaxHttp10 = 7;

class TweakWindowTest : public testing::Test {
protected:
    TweakWindowTest() {
        application()->reportErrorsTo(fakes.dialogs);
        store(MenuDelay, TextValue({}, "400"));
        store(UserAgent, TextValue({}, "agent"));
    }
    ~TweakWindowTest() override { application()->setErrorReporter({}); }

    static DialtopApplication* application() {
        return qobject_cast<DialtopApplication*>(QCoreApplication::instance());
    }
    void store(int n, RegistryValue value) {
        value.name = catalogue[n].ValueName;
        fakes.registry.store(catalogue[n].Root, catalogue[n].KeyPath, std::move(value));
    }
    const RegistryValue* stored(int n) const {
        return fakes.registry.value(catalogue[n].Root, catalogue[n].KeyPath, catalogue[n].ValueName);
    }
    void choose(int n) { window.TreeView->setCurrentRow(n - 1); }
    void type(const QString& text) {
        window.edvalue->selectAll();
        QTest::keyClick(window.edvalue, Qt::Key_Backspace);
        QTest::keyClicks(window.edvalue, text);
    }
    void press(TTextButton* button, Qt::MouseButton mouse = Qt::LeftButton) {
        QTest::mouseClick(button, mouse, Qt::NoModifier, QPoint(5, 5));
    }
    std::vector<std::string> boxes(fake::Dialogs::Kind kind) const {
        std::vector<std::string> texts;
        for (const QString& text : fakes.dialogs.texts(kind))
            texts.push_back(text.toStdString());
        return texts;
    }
    std::vector<std::string> plainBoxes() const { return boxes(fake::Dialogs::Kind::Plain); }
    std::vector<std::string> errorBoxes() const { return boxes(fake::Dialogs::Kind::Error); }

    TweakCatalogue catalogue;
    fake::Services fakes;
    Tfrmtweak window{fakes.services()};
};

TEST_F(TweakWindowTest, EveryShowListsTheEntriesAfreshAndTheDetailFollowsTheSelection) {
    window.show();
    ASSERT_EQ(window.TreeView->count(), TweakCatalogue::Count);
    for (int n = 1; n <= TweakCatalogue::Count; ++n)
        EXPECT_EQ(window.TreeView->item(n - 1)->text().toStdString(), catalogue[n].Title);
    EXPECT_EQ(window.TreeView->currentRow(), 0);
    EXPECT_EQ(window.lblname->text().toStdString(), catalogue[1].Title);
    EXPECT_NEAR(window.windowOpacity(), 240 / 255.0, 0.005);

    // The keyboard moves the selection as well as the mouse.
    window.TreeView->setFocus();
    QTest::keyClick(window.TreeView, Qt::Key_Down);
    QTest::keyClick(window.TreeView, Qt::Key_Down);
    EXPECT_EQ(window.lblname->text().toStdString(), catalogue[MenuDelay].Title);
    EXPECT_EQ(window.edvalue->text(), "400");
    EXPECT_EQ(window.lblpermitted->text().toStdString(), catalogue[MenuDelay].Permitted);

    choose(ShowHidden);
    EXPECT_EQ(window.lblDescription->text().count('\n'), 1);
    EXPECT_FALSE(window.lblDescription->text().contains('\r'));

    choose(UserAgent);
    type("typed");
    EXPECT_EQ(window.Edits().EditText(UserAgent), "typed");
    EXPECT_EQ(window.Edits().EditText(MenuDelay), "400");
    choose(MenuDelay);
    EXPECT_EQ(window.edvalue->text(), "400");
    choose(UserAgent);
    EXPECT_EQ(window.edvalue->text(), "typed");

    // Shown again: the store's values, not the last opening's edits.
    window.hide();
    store(MenuDelay, TextValue({}, "100"));
    window.show();
    EXPECT_EQ(window.Edits().EditText(UserAgent), "agent");
    EXPECT_EQ(window.Edits().EditText(MenuDelay), "100");
    EXPECT_EQ(window.TreeView->currentRow(), 0);
    EXPECT_TRUE(errorBoxes().empty());
}

TEST_F(TweakWindowTest, AReadingErrorListsUpToTheBadEntryAndLeavesNothingToEdit) {
    window.show();
    choose(UserAgent);
    type("never applied");
    window.hide();
    store(MenuDelay, DwordValue({}, 400));

    window.show();

    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"Invalid data type for 'MenuShowDelay'"});
    EXPECT_TRUE(window.isVisible());
    EXPECT_EQ(window.TreeView->count(), MenuDelay);
    EXPECT_EQ(fakes.registry.openAccesses, 0);
    EXPECT_EQ(window.TreeView->currentRow(), -1);
    EXPECT_FALSE(window.edvalue->isEnabled());
    EXPECT_TRUE(window.lblname->text().isEmpty());
    // The list taking the focus does not choose a line by itself.
    QApplication::setActiveWindow(&window);
    window.TreeView->setFocus(Qt::TabFocusReason);
    ASSERT_TRUE(window.TreeView->hasFocus());
    EXPECT_EQ(window.TreeView->currentRow(), -1);
    window.edvalue->setText("nowhere");
    for (int n = 1; n <= TweakCatalogue::Count; ++n)
        EXPECT_FALSE(window.Edits().Changed(n)) << n;

    press(window.stbtnOK);
    EXPECT_EQ(plainBoxes(), std::vector<std::string>{"No changes were made"});
    EXPECT_EQ(fakes.registry.writes, 0);
}

TEST_F(TweakWindowTest, ABadNumberKeepsTheWindowOpenAndACorrectedOneClosesIt) {
    window.show();
    choose(MaxHttp10);
    type("5 ");
    press(window.stbtnOK);

    EXPECT_EQ(errorBoxes(), std::vector<std::string>{"'5 ' is not a valid integer value."});
    EXPECT_TRUE(plainBoxes().empty());
    EXPECT_TRUE(window.isVisible());

    type("0x10");
    // Any mouse button presses the text buttons.
    press(window.stbtnOK, Qt::RightButton);
    EXPECT_FALSE(window.isVisible());
    EXPECT_EQ(plainBoxes(), std::vector<std::string>{
                                "The changes you made was applied. You can see the results immediately."});
    EXPECT_EQ(window.result(), QDialog::Accepted);
    EXPECT_EQ(DwordOf(stored(MaxHttp10), "x"), 16);
}

} // namespace
