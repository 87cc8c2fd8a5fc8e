#include "ClockFixture.h"
#include "support/ClockParts.h"

namespace {

const QString Warning5 = QStringLiteral("Ποσοστό Μπαταρίας 5% !!");
const QString Warning3 = QStringLiteral("Ποσοστό Μπαταρίας 3%!!!\rΤερματίστε Το Συντομότερο Δυνατό Τον "
                                        "Υπολογιστή\rή\rΣυνδέστε ΑΜΕΣΩΣ Τον Υπολογιστή Σε Πηγή Τροφοδοσίας");

class BatteryWatch : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        start();
    }
};

TEST_F(BatteryWatch, EachWarningOncePerDischargeWithItsRearmRules) {
    struct Step {
        int percent;
        std::vector<QString> newWarnings;
    };
    const Step discharge[] = {
        {7, {}},
        {5, {Warning5}},
        {5, {}},
        {4, {}},
        {3, {Warning3}},
        {3, {}},
        {2, {}},
        {4, {}},
        {3, {Warning3}}, // back to 4% re-arms only the 3%
                         // warning
        {5, {}},
        {6, {}},
        {5, {Warning5}}, // 6% re-arms the 5% warning
        {255, {}},       // no reading is above every threshold
    };
    std::size_t seen = 0;
    for (const Step& step : discharge) {
        tickOnBattery(step.percent);
        const auto all = warnings();
        const std::vector<QString> fresh(all.begin() + static_cast<long>(seen), all.end());
        EXPECT_EQ(fresh, step.newWarnings) << "at " << step.percent << "%";
        seen = all.size();
    }
    for (const auto& box : fakes.dialogs.boxes)
        EXPECT_EQ(box.title, QStringLiteral("Warning"));
}

TEST_F(BatteryWatch, WarningsBeepRaiseAndComeBackToTheFront) {
    tickOnBattery(5);
    EXPECT_EQ(fakes.tones.played, (std::vector<std::pair<int, int>>{{500, 200}}));
    EXPECT_EQ(fakes.windows.broughtToFront, 1);
    tickOnBattery(3);
    EXPECT_EQ(fakes.tones.played.size(), 3u) << "two more beeps for 3%";
    EXPECT_EQ(fakes.windows.broughtToFront, 2);
    EXPECT_TRUE(clock().isVisible());
    EXPECT_FALSE(clock().isMinimized());
}

TEST_F(BatteryWatch, TicksWhileTheBoxIsOpenDoNotOpenAnother) {
    int nestedTicks = 0;
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) {
        if (nestedTicks++ < 3)
            clock().Timer1Timer(); // the nested loop of the box keeps ticking
    };
    tickOnBattery(5);
    EXPECT_EQ(warnings(), std::vector<QString>{Warning5});
    tickOnBattery(2);
    EXPECT_EQ(warnings(), (std::vector<QString>{Warning5, Warning3}));
}

TEST_F(BatteryWatch, ATickResumingAfterTheBoxUsesTheNewestSample) {
    tickOnBattery(6);
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) { tickOnBattery(4, 60); };
    tickOnBattery(5);
    ASSERT_EQ(warnings(), std::vector<QString>{Warning5});
    EXPECT_EQ(ClockParts(clock()).lbltimetolive->text(), QStringLiteral("TTL = 00:01"))
        << "6 -> 4 after one tick";
    EXPECT_EQ(clock().LastPercent, 4);
    tickOnBattery(4);
    EXPECT_EQ(ClockParts(clock()).lbltimetolive->text(), QStringLiteral("TTL = 00:01"))
        << "no drop after the box";
    EXPECT_EQ(ClockParts(clock()).lblbattery->text(), QStringLiteral("4"));
}

TEST_F(BatteryWatch, AWarningBringsAnIconifiedClockBackWithoutIconifyingIt) {
    clock().menuMinimizeClick(); // into the tray, or iconified without one
    ASSERT_TRUE(clock().isMinimized() || !clock().isVisible());
    bool shownUnderTheBox = false;
    fakes.dialogs.whileOpen = [&](const fake::Dialogs::Box&) {
        shownUnderTheBox = clock().isVisible() && !clock().isMinimized();
    };
    tickOnBattery(5);
    EXPECT_TRUE(shownUnderTheBox);
    EXPECT_EQ(fakes.windows.activations,
              (std::vector<std::pair<const QWidget*, std::uint32_t>>{{&clock(), 0}}));
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());
}

TEST_F(BatteryWatch, NoWarningOnMainsEvenAtOnePercent) {
    for (int percent : {5, 4, 3, 2, 1})
        tickOnMains(percent);
    EXPECT_TRUE(warnings().empty());
    EXPECT_TRUE(fakes.tones.played.empty());
}

TEST_F(BatteryWatch, BackupAndUnknownPowerCountAsNotOnMainsForWarnings) {
    fakes.power.status = platform::PowerStatus{platform::AcUnknown, 4};
    clock().Timer1Timer();
    EXPECT_EQ(warnings(), std::vector<QString>{Warning5});
    EXPECT_EQ(clock().height(), 44) << "neither branch of the estimate runs";
    EXPECT_FALSE(ClockParts(clock()).lbltimetolive->isVisibleTo(&clock()));
}

TEST_F(BatteryWatch, NoReadingShowsACInTheLabelAndTheTip) {
    fakes.power.status = platform::PowerStatus{platform::AcOnline, platform::NoBatteryReading};
    tickAt(14, 5, 0);
    EXPECT_EQ(ClockParts(clock()).lblbattery->text(), QStringLiteral("AC"));
    EXPECT_EQ(program->trayIcon().Hint(), QStringLiteral("14:05:00 (AC%)"));
    tickOnBattery(87);
    EXPECT_EQ(program->trayIcon().Hint(), QStringLiteral("14:05:00 (87%)"));
}

TEST_F(BatteryWatch, EstimateLineShowsOnBatteryOnly) {
    tickOnBattery(80);
    EXPECT_EQ(clock().height(), 53);
    EXPECT_EQ(ClockParts(clock()).boxout->height(), 51);
    EXPECT_EQ(ClockParts(clock()).boxin->height(), 45);
    EXPECT_TRUE(ClockParts(clock()).lbltimetolive->isVisibleTo(&clock()));
    EXPECT_EQ(ClockParts(clock()).lbltimetolive->text(), QStringLiteral("TTL = #"));

    tickOnMains(80);
    EXPECT_EQ(clock().height(), 44);
    EXPECT_EQ(ClockParts(clock()).boxout->height(), 42);
    EXPECT_EQ(ClockParts(clock()).boxin->height(), 36);
    EXPECT_FALSE(ClockParts(clock()).lbltimetolive->isVisibleTo(&clock()));
    EXPECT_EQ(ClockParts(clock()).lbltimetolive->text(), QStringLiteral("TTL = #")) << "the text stays";
}

TEST_F(BatteryWatch, EstimateFromTheTicksSinceTheLastDrop) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, int>> steps; // (percent, ticks); percent < 0 means mains at -percent
        const char* expected;
    };
    const Case cases[] = {
        {"first tick on battery", {{50, 1}}, "TTL = #"},
        {"no drop seen yet", {{50, 5}}, "TTL = #"},
        {"drop on the first tick after mains", {{50, 1}, {-50, 1}, {49, 1}}, "TTL = 00:00"},
        {"one minute per percent", {{50, 60}, {49, 1}}, "TTL = 46:00"},
        {"minutes beyond two digits", {{98, 360}, {97, 1}}, "TTL = 564:00"},
        {"below 3% the estimate is negative", {{4, 1}, {3, 2}, {2, 1}}, "TTL = 00:-02"},
        {"seconds", {{10, 10}, {9, 1}}, "TTL = 01:00"},
    };
    for (const Case& c : cases) {
        program.reset();
        fakes = {};
        fakes.process.path = folder.filePath(QStringLiteral("dialtop")).toStdString();
        start();
        for (const auto& [percent, ticks] : c.steps) {
            if (percent < 0)
                tickOnMains(-percent);
            else
                tickOnBattery(percent, ticks);
        }
        EXPECT_EQ(ClockParts(clock()).lbltimetolive->text(), QString::fromUtf8(c.expected)) << c.name;
    }
}

TEST_F(BatteryWatch, BatteryColourMarksTheTickOfAChange) {
    const auto colour = [this] {
        return ClockParts(clock()).lblbattery->palette().color(QPalette::WindowText);
    };
    tickOnBattery(60);
    EXPECT_EQ(colour(), QColor(0xFF, 0x00, 0x00));
    tickOnBattery(60);
    EXPECT_EQ(colour(), QColor(0xE4, 0xC1, 0x56));
    tickOnMains(61);
    EXPECT_EQ(colour(), QColor(0x00, 0x80, 0x00));
    tickOnMains(61);
    EXPECT_EQ(colour(), QColor(0xE4, 0xC1, 0x56));
}

} // namespace
