#include "tray/TrayClicks.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

using Button = TrayClicks::Button;

// Records, in order, everything the clicks logic raises or asks for.
class Recorder : public TrayClicks::Host {
public:
    std::vector<std::string> log;

    void showMenu(TrayClicks::MenuCause cause) override {
        log.push_back(cause == TrayClicks::MenuCause::RightPress ? "menu(right)" : "menu(left)");
    }
    void clickDefaultItem() override { log.push_back("default item"); }
    void startDoubleClickTimer(unsigned ms) override { log.push_back("timer " + std::to_string(ms)); }
    void stopDoubleClickTimer() override { log.push_back("timer off"); }
};

const char* name(Button button) {
    return button == Button::Left ? "left" : button == Button::Right ? "right" : "middle";
}

class TrayClicksTest : public testing::Test {
protected:
    TrayClicksTest() {
        clicks.events.OnClick = [this] { host.log.push_back("click"); };
        clicks.events.OnMouseDown = [this](Button b) { host.log.push_back(std::string("down ") + name(b)); };
        clicks.events.OnMouseUp = [this](Button b) { host.log.push_back(std::string("up ") + name(b)); };
    }

    void assignDoubleClick() {
        clicks.events.OnDblClick = [this] { host.log.push_back("double click"); };
    }
    // As the window system reports them: the second press of a double click comes as a double click.
    void singleClick() {
        clicks.press(Button::Left);
        clicks.release(Button::Left);
    }
    void doubleClick() {
        singleClick();
        clicks.doubleClick();
        clicks.release(Button::Left);
    }

    Recorder host;
    TrayClicks clicks{host, 400};
};

using Log = std::vector<std::string>;

TEST_F(TrayClicksTest, WithoutADoubleClickHandlerTheClickComesAtTheReleaseAndADoubleClickGivesOne) {
    clicks.press(Button::Left);
    EXPECT_EQ(host.log, Log({"down left"})) << "no click before the release";
    clicks.release(Button::Left);
    EXPECT_EQ(host.log, Log({"down left", "click", "up left"}));

    host.log.clear();
    doubleClick();
    EXPECT_EQ(host.log, Log({"down left", "click", "up left", "default item", "up left"}))
        << "one click, and the release after the double click makes none";

    host.log.clear();
    singleClick();
    EXPECT_EQ(host.log, Log({"down left", "click", "up left"})) << "a double click leaves nothing behind";
}

TEST_F(TrayClicksTest, WithADoubleClickHandlerAClickWaitsForTheTimerAndADoubleClickCancelsIt) {
    assignDoubleClick();
    singleClick();
    EXPECT_EQ(host.log, Log({"timer 400", "down left", "up left"}));
    clicks.DoubleClickTimerTick();
    EXPECT_EQ(host.log, Log({"timer 400", "down left", "up left", "timer off", "click"}));

    host.log.clear();
    doubleClick();
    clicks.DoubleClickTimerTick();
    EXPECT_EQ(host.log, Log({"timer 400", "down left", "up left", "double click", "default item", "up left",
                             "timer off"}));

    host.log.clear();
    singleClick();
    clicks.DoubleClickTimerTick();
    EXPECT_EQ(host.log.back(), "click") << "the double click seen before must not swallow a later click";
}

TEST_F(TrayClicksTest, TheRightPressOpensTheMenuBeforeTheRelease) {
    clicks.press(Button::Right);
    EXPECT_EQ(host.log, Log({"down right", "menu(right)"}));
    clicks.release(Button::Right);
    EXPECT_EQ(host.log, Log({"down right", "menu(right)", "up right"})) << "exactly one menu, and no click";

    host.log.clear();
    clicks.press(Button::Middle);
    clicks.release(Button::Middle);
    EXPECT_EQ(host.log, Log({"down middle", "up middle"}));
}

TEST_F(TrayClicksTest, LeftPopupOpensTheMenuOnTheLeftPressAndKeepsTheDefaultItemOut) {
    clicks.LeftPopup = true;
    doubleClick();
    EXPECT_EQ(host.log, Log({"down left", "menu(left)", "click", "up left", "up left"}));
}

TEST_F(TrayClicksTest, ADisabledIconIgnoresTheMouse) {
    clicks.Enabled = false;
    doubleClick();
    clicks.press(Button::Right);
    EXPECT_TRUE(host.log.empty());

    clicks.Enabled = true;
    clicks.release(Button::Left);
    EXPECT_EQ(host.log, Log({"up left"})) << "a release whose press was ignored is no click";
}

} // namespace
