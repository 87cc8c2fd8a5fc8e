// XcbHotKeyService against a real X server, with a second client of our own as "another program".
#include "hotkey_other_client.h"
#include "platform/linux/XcbHotKeyService.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>

#include <gtest/gtest.h>
#include <string>
#include <tuple>
#include <vector>
#include <xcb/xproto.h>

namespace {

using platform::ModAlt;
using platform::ModCtrl;
using Press = std::tuple<std::uint16_t, unsigned, unsigned>;

constexpr unsigned F1 = 112;
constexpr unsigned F2 = 113;

class XcbHotKeyServiceTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(other.connected()) << "no X display";
        service.setPressHandler([this](std::uint16_t id, unsigned modifiers, unsigned virtualKey,
                                       std::uint32_t) { presses.emplace_back(id, modifiers, virtualKey); });
    }

    // Runs the event loop until `count` presses arrived (an X round trip, not a timing claim).
    bool waitForPresses(std::size_t count) {
        QElapsedTimer waited;
        waited.start();
        while (presses.size() < count && waited.elapsed() < 10000) {
            QCoreApplication::processEvents();
            QThread::msleep(5);
        }
        return presses.size() >= count;
    }

    XcbHotKeyService service;
    OtherClient other;
    std::vector<Press> presses;
};

TEST_F(XcbHotKeyServiceTest, AHeldCombinationIsRefusedToOthersInEveryLockVariantUntilReleased) {
    ASSERT_TRUE(service.registerHotKey(1, ModCtrl, F1));
    EXPECT_TRUE(other.refusedEveryVariant(XCB_MOD_MASK_CONTROL, "F1"));
    // Only the exact combination is held.
    EXPECT_TRUE(other.couldGrabEveryVariant(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_SHIFT, "F1"));

    ASSERT_TRUE(service.unregisterHotKey(1));
    // Released at once for everybody else: no waiting.
    EXPECT_TRUE(other.couldGrabEveryVariant(XCB_MOD_MASK_CONTROL, "F1"));
    EXPECT_FALSE(service.unregisterHotKey(1));
}

TEST_F(XcbHotKeyServiceTest, ACombinationTakenInOneVariantIsRefusedAndLeavesNoGrabBehind) {
    const std::uint16_t capsLock = XCB_MOD_MASK_LOCK | XCB_MOD_MASK_CONTROL;
    ASSERT_TRUE(other.grab(capsLock, "F2"));
    EXPECT_FALSE(service.registerHotKey(2, ModCtrl, F2));
    other.ungrab(capsLock, "F2");
    EXPECT_TRUE(other.couldGrabEveryVariant(XCB_MOD_MASK_CONTROL, "F2"));
    EXPECT_FALSE(service.unregisterHotKey(2));
}

TEST_F(XcbHotKeyServiceTest, RefusesKeysWithoutAKeyAndOwnRepeats) {
    for (const unsigned virtualKey : {0u, 7u, 136u, 255u})
        EXPECT_FALSE(service.registerHotKey(3, ModCtrl, virtualKey)) << virtualKey;
    ASSERT_TRUE(service.registerHotKey(3, ModCtrl, F1));
    EXPECT_FALSE(service.registerHotKey(4, ModCtrl, F1)) << "the same combination twice";
    EXPECT_FALSE(service.registerHotKey(3, ModCtrl, F2)) << "the same id twice";
    EXPECT_FALSE(service.registerHotKey(0, ModCtrl, F2)) << "id 0";
    ASSERT_TRUE(service.unregisterHotKey(3));
    EXPECT_TRUE(other.couldGrabEveryVariant(XCB_MOD_MASK_CONTROL, "F1"));
}

TEST_F(XcbHotKeyServiceTest, ACombinationTheServerActsOnIsRefusedAndNotGrabbed) {
    // The standard keymap makes Ctrl+Alt+F1 and Ctrl+Alt+F7 switch virtual terminals.
    for (const unsigned key : {F1, F1 + 6}) {
        EXPECT_FALSE(service.registerHotKey(7, ModAlt | ModCtrl, key)) << key;
        EXPECT_FALSE(service.unregisterHotKey(7));
    }
    EXPECT_TRUE(other.couldGrabEveryVariant(XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1, "F1"));
    // The same keys with other modifiers stay ordinary keys.
    EXPECT_TRUE(service.registerHotKey(8, ModCtrl, F1));
    EXPECT_TRUE(service.registerHotKey(10, ModAlt | ModCtrl, 'R'));
}

TEST_F(XcbHotKeyServiceTest, PressesAreReportedWhateverTheLockKeys) {
    ASSERT_TRUE(service.registerHotKey(5, ModCtrl, F1));
    ASSERT_TRUE(service.registerHotKey(6, ModAlt | ModCtrl, 'R'));

    struct Step {
        const char* name;
        std::vector<std::string> toggle; // a lock key pressed once before the combination
        std::vector<std::string> keys;
        Press press;
    };
    const Step steps[] = {
        {"Ctrl+F1", {}, {"Control_L", "F1"}, {5, ModCtrl, F1}},
        {"Alt+Ctrl+R", {}, {"Alt_L", "Control_L", "r"}, {6, ModAlt | ModCtrl, 'R'}},
        {"Ctrl+F1 with Num Lock on", {"Num_Lock"}, {"Control_L", "F1"}, {5, ModCtrl, F1}},
        {"Ctrl+F1 with Num Lock and Caps Lock on", {"Caps_Lock"}, {"Control_L", "F1"}, {5, ModCtrl, F1}},
        {"Alt+Ctrl+R with Caps Lock on",
         {"Num_Lock"},
         {"Alt_L", "Control_L", "r"},
         {6, ModAlt | ModCtrl, 'R'}},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        presses.clear();
        if (!step.toggle.empty())
            other.type(step.toggle);
        // An unheld combination first: being typed earlier, it would be reported first.
        other.type({"Control_L", "Shift_L", "F1"});
        other.type(step.keys);
        ASSERT_TRUE(waitForPresses(1));
        EXPECT_EQ(presses, std::vector<Press>{step.press});
    }
    other.type({"Caps_Lock"});
}

} // namespace
