#include "ClockFixture.h"
#include "alarms/frmalarmU.h"
#include "support/ClockParts.h"
#include "ui/Shape.h"

#include <QEvent>
#include <QFile>

namespace {

class ClockTick : public ClockFixture {
protected:
    void SetUp() override {
        ClockFixture::SetUp();
        start();
    }
};

TEST_F(ClockTick, SecondClockAddsTheDifferenceAcrossMidnight) {
    struct Case {
        int hour, minute, difference;
        const char* local;
        const char* second;
    };
    const Case cases[] = {
        {23, 30, 60, "23:30:00", "00:30:00"}, {0, 30, -90, "00:30:00", "23:00:00"},
        {1, 0, -120, "01:00:00", "23:00:00"}, {14, 5, 1440, "14:05:00", "14:05:00"},
        {14, 5, 0, "14:05:00", "14:05:00"},
    };
    for (const Case& c : cases) {
        settings().TimeDifference = c.difference;
        tickAt(c.hour, c.minute, 0);
        EXPECT_EQ(ClockParts(clock()).DialLabel->text(), QString::fromLatin1(c.local));
        EXPECT_EQ(ClockParts(clock()).diallabel2->text(), QString::fromLatin1(c.second)) << c.difference;
    }
}

TEST_F(ClockTick, ShowsTheCountryNameEverySecond) {
    settings().CountryName = QStringLiteral("Ελλάδα");
    clock().Timer1Timer();
    EXPECT_EQ(ClockParts(clock()).lblcountry->text(), QStringLiteral("Ελλάδα"));
}

TEST_F(ClockTick, FontsFitTheTimeInto65To71Pixels) {
    struct Case {
        const char* name;
        platform::TimeFormat format;
        int hour;
    };
    const Case cases[] = {
        {"24-hour", {false, false, true, ":", "", ""}, 14},
        {"12-hour", {true, false, false, ":", "AM", "PM"}, 14},
        {"12-hour with zero", {true, false, true, ":", "AM", "PM"}, 14},
        {"marker before", {true, true, true, ":", "AM", "PM"}, 9},
        {"long markers", {true, false, true, ":", "vorm.", "nachm."}, 14},
    };
    for (const Case& c : cases) {
        program.reset();
        fakes.timeFormat.format = c.format;
        start();
        tickAt(c.hour, 5, 9);
        for (QLabel* label : {ClockParts(clock()).DialLabel, ClockParts(clock()).diallabel2}) {
            EXPECT_GE(label->width(), 65) << c.name << " " << label->text().toStdString();
            EXPECT_LE(label->width(), 71) << c.name << " " << label->text().toStdString();
        }
    }
}

TEST_F(ClockTick, TwelveHourTextShrinksFromTheDesignSize) {
    program.reset();
    fakes.timeFormat.format = {true, false, false, ":", "AM", "PM"};
    start();
    tickAt(14, 5, 9);
    EXPECT_EQ(ClockParts(clock()).DialLabel->text(), QStringLiteral("2:05:09 PM"));
    EXPECT_LT(ClockParts(clock()).DialLabel->font().pixelSize(), 17);
}

TEST_F(ClockTick, HidesATaskbarButtonThatCameBack) {
    fakes.windows.taskbarHidden.clear();
    clock().Timer1Timer();
    EXPECT_TRUE(fakes.windows.taskbarHidden.count(&clock()));
}

// Minimize takes the clock off the screen, into the tray.
class WindowStateCounter : public QObject {
public:
    int minimised = 0;
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Hide)
            ++minimised;
        return false;
    }
};

TEST_F(ClockTick, BringsTheClockBackOnceWhenTheTaskbarReturnsWithoutIconifyingIt) {
    fakes.taskbar.there = false;
    clock().Timer1Timer();
    clock().menuMinimizeClick(); // the user put the clock away while the taskbar was gone
    ASSERT_TRUE(clock().isMinimized());

    WindowStateCounter counter;
    counter.setParent(&clock());
    clock().installEventFilter(&counter);
    fakes.taskbar.there = true;
    clock().Timer1Timer();
    EXPECT_FALSE(clock().isMinimized());
    EXPECT_TRUE(clock().isVisible());
    EXPECT_EQ(counter.minimised, 0) << "a window manager may carry out a late iconify last";
    EXPECT_TRUE(ClockParts(clock()).menuMinimize->isEnabled());
    EXPECT_FALSE(ClockParts(clock()).menuRestore->isEnabled());

    clock().menuMinimizeClick();
    clock().Timer1Timer();
    EXPECT_TRUE(clock().isMinimized() || !clock().isVisible())
        << "only the first tick that finds the taskbar again";
    clock().removeEventFilter(&counter);
}

TEST_F(ClockTick, RingsADueRowOnceInItsMinuteEvenWhenSecondZeroHadNoTick) {
    // Ringing reloads the table from the file, so the row is on there too.
    QFile settings(folder.filePath(QStringLiteral("settings.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[alarm4]\nison=1\nhour=7\nminute=30\nsound=None\n");
    settings.close();
    Tfrmalarm& alarm = program->alarmWindow();
    program->settings().load();

    tickAt(7, 29, 59);
    EXPECT_FALSE(alarm.isVisible());
    EXPECT_TRUE(fakes.tones.played.empty());

    tickAt(7, 30, 2); // the tick of second 0 came late
    EXPECT_TRUE(alarm.isVisible());
    EXPECT_EQ(fakes.tones.played, (std::vector<std::pair<int, int>>{{0, 0}})) << "one default beep";
    EXPECT_TRUE(alarm.stal->isEnabled());
    tickAt(7, 30, 2);
    tickAt(7, 30, 40);
    tickAt(7, 31, 0);
    EXPECT_EQ(fakes.tones.played.size(), 1u) << "once in its minute";

    fakes.clock.time.day += 1;
    tickAt(7, 29, 59);
    tickAt(7, 30, 0);
    EXPECT_EQ(fakes.tones.played.size(), 2u) << "again the next day";
}

TEST_F(ClockTick, FollowsAChangeOfZoneWithinATickAndRingsAtTheNewLocalTime) {
    QFile settings(folder.filePath(QStringLiteral("settings.ini")));
    ASSERT_TRUE(settings.open(QIODevice::WriteOnly));
    settings.write("[timedif]\nminutes=120\n[alarm4]\nison=1\nhour=7\nminute=30\nsound=None\n");
    settings.close();
    program->settings().load();
    Tfrmalarm& alarm = program->alarmWindow();
    tickAt(7, 29, 59);
    tickAt(7, 30, 0);
    alarm.stalMouseUp(Qt::LeftButton, {}, 0, 0);

    // The system moves to a zone an hour behind: 07:30:20 becomes 06:30:20.
    fakes.clock.time.zoneChanges = 1;
    tickAt(6, 30, 20);
    EXPECT_EQ(ClockParts(clock()).DialLabel->text(), QStringLiteral("06:30:20"));
    EXPECT_EQ(ClockParts(clock()).diallabel2->text(), QStringLiteral("08:30:20"));
    EXPECT_TRUE(fakes.tray.toolTip.startsWith(QStringLiteral("06:30:20 (")))
        << fakes.tray.toolTip.toStdString();
    tickAt(7, 29, 59);
    tickAt(7, 30, 0);
    tickAt(7, 30, 1);
    EXPECT_EQ(fakes.tones.played.size(), 2u) << "once more, at 07:30 of the new zone";
}

} // namespace
