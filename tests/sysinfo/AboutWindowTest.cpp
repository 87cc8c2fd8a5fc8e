#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/fake/FakeServices.h"
#include "sysinfo/MonitorBar.h"
#include "sysinfo/frmAboutU.h"
#include "ui/TextButton.h"

#include <QLabel>
#include <QLocale>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>
#include <memory>

namespace {

using platform::FactReading;
using platform::LockKey;

class AboutWindowTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
        fakes.process.path = folder.filePath(QStringLiteral("dialtop")).toStdString();
        fakes.clock.set(14, 5, 0);
        program = std::make_unique<DialtopProgram>(fakes.services());
    }
    void TearDown() override { QLocale::setDefault(QLocale::c()); }

    Tfrmabout& about() { return program->informationWindow(); }
    void open() { program->clock().ShoptMouseUp(); }
    void answer(std::size_t lookup, const char* address, const char* domain) {
        fakes.facts.lookups.at(lookup)(platform::NetworkFacts{domain, address});
    }

    QTemporaryDir folder;
    fake::Services fakes;
    std::unique_ptr<DialtopProgram> program;
};

TEST_F(AboutWindowTest, ShowingCollectsTheFactsAndTheNetworkOnesWhenTheyArrive) {
    EXPECT_EQ(about().lblshutdownafter->text(), "Not Sceduled");
    EXPECT_EQ(about().lblrebootafter->text(), "Not Sceduled");
    open();
    EXPECT_EQ(about().lbluser->text(), "ada");
    EXPECT_EQ(about().lblwin->text(), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(about().lblPID->text(), "0a1b2c3d-4e5f-4a6b-8c7d-8e9f0a1b2c3d");
    EXPECT_EQ(about().lblCPU->text(), "Test CPU @ 2.40GHz");
    EXPECT_EQ(about().lblMHz->text(), "2400");
    // The name lookup has not answered yet: the window shows, with the template texts.
    ASSERT_EQ(fakes.facts.lookups.size(), 1u);
    EXPECT_EQ(about().lblIP->text(), "0.0.0.0");
    EXPECT_EQ(about().lblhost->text(), "ur pc");
    answer(0, "192.168.1.20", "");
    EXPECT_EQ(about().lblIP->text(), "192.168.1.20");
    EXPECT_EQ(about().lblhost->text(), "bench / ");

    // Opening again while shown collects nothing; after hiding, the facts are collected anew and
    // only the latest lookup's answer counts.
    open();
    EXPECT_EQ(fakes.facts.lookups.size(), 1u);
    about().hide();
    open();
    ASSERT_EQ(fakes.facts.lookups.size(), 2u);
    answer(1, "10.0.0.7", "example.org");
    answer(0, "192.168.1.20", "");
    EXPECT_EQ(about().lblIP->text(), "10.0.0.7");
    EXPECT_EQ(about().lblhost->text(), "bench / example.org");
}

TEST_F(AboutWindowTest, MissingFactsSayNotFoundAndUnreadableOnesKeepTheLabel) {
    fakes.facts.product = {FactReading::Missing, {}};
    fakes.facts.cpu = {{FactReading::Unreadable, {}}, {FactReading::Missing, {}}};
    fakes.facts.os.clear();
    open();
    EXPECT_EQ(about().lblPID->text(), "The Product ID was not found");
    EXPECT_EQ(about().lblCPU->text(), "processor name");
    EXPECT_EQ(about().lblMHz->text(), "The Processor's speed was not found");
    EXPECT_EQ(about().lblwin->text(), "");
    about().hide();
    fakes.facts.cpu.name = {FactReading::Missing, {}};
    open();
    EXPECT_EQ(about().lblCPU->text(), "The Processor's name was not found");
}

TEST_F(AboutWindowTest, PlacedByTheWorkAreaSizeAloneWithTheTopForAFixedHeight) {
    fakes.windows.work = QRect(100, 40, 1280, 984);
    open();
    EXPECT_EQ(about().pos(), QPoint((1280 - 328) / 2, (984 - 275) / 2));
    EXPECT_EQ(about().height(), 14); // the clock unrolls it from here
}

TEST_F(AboutWindowTest, CentredFromThePrimaryScreensOrigin) {
    fakes.windows.screen = QRect(1920, 1080, 1280, 1024);
    fakes.windows.work = QRect(2020, 1120, 1180, 984);
    open();
    EXPECT_EQ(about().pos(), QPoint(1920 + (1180 - 328) / 2, 1080 + (984 - 275) / 2));
}

TEST_F(AboutWindowTest, MonitorShowsUptimeMemoryNoSwapAndTheLoad) {
    fakes.live.milliseconds = 3661000;
    fakes.live.status = {8ULL << 30, 6ULL << 30, 0, 0};
    fakes.live.times = platform::CpuTimes{2, 8000, 10000};
    open(); // the first tick runs at once
    EXPECT_EQ(about().lbluptime->text(), "01 hour, 01 min, 01 sec");
    EXPECT_EQ(about().pboxmem->length(), 25);
    EXPECT_EQ(about().pboxmem->text(), "2,048 / 8,192 (MB)");
    EXPECT_EQ(about().lblMem->text(), "Used : 2,048 / 8,192");
    EXPECT_EQ(about().lblavailmem->text(), "Available : 6,144");
    EXPECT_EQ(about().pboxswap->length(), 0);
    EXPECT_EQ(about().pboxswap->text(), "0 / 0 (MB)");
    EXPECT_EQ(about().lblavailswap->text(), "Available : 0");
    EXPECT_EQ(about().lblcpuusage->text(), "0%");
    EXPECT_TRUE(about().Timertime->isActive());

    fakes.live.times = platform::CpuTimes{2, 8000, 10400}; // fully busy: 100.5
    about().TimertimeTimer();
    EXPECT_EQ(about().lblcpuusage->text(), "100%");
    EXPECT_EQ(about().pboxcpu->length(), 100);
    EXPECT_EQ(about().pboxcpu->text(), "100%");
    fakes.live.times.reset();
    about().TimertimeTimer();
    EXPECT_EQ(about().lblcpuusage->text(), "0%");
}

TEST_F(AboutWindowTest, ExitRollsUpOnlyOnAReleaseInsideTheShiftedArea) {
    open();
    about().resize(about().width(), 302);
    TTextButton* exit = about().stbtnexit;
    QTest::mousePress(exit, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(exit, Qt::LeftButton, {}, QPoint(exit->width() - 2, 10));
    EXPECT_FALSE(about().Timerhide->isActive());
    EXPECT_TRUE(about().Timertime->isActive());

    QTest::mousePress(exit, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(exit, Qt::LeftButton, {}, QPoint(-3, -3));
    EXPECT_TRUE(about().Timerhide->isActive());
    EXPECT_FALSE(about().Timertime->isActive());
    std::vector<int> heights;
    while (about().isVisible() && heights.size() < 40) {
        about().TimerhideTimer();
        heights.push_back(about().height());
    }
    EXPECT_FALSE(about().isVisible());
    EXPECT_FALSE(about().Timerhide->isActive());
    ASSERT_GE(heights.size(), 3u);
    EXPECT_EQ(heights.front(), 287);
    EXPECT_EQ(heights[heights.size() - 3], 17);
    EXPECT_EQ(heights[heights.size() - 2], 15);
    EXPECT_EQ(heights.size(), 21u); // 287 ... 17, 15, and the closing tick
}

TEST_F(AboutWindowTest, TheFaceDragsTheWindowButTheWebAddressDoesNot) {
    open();
    QTest::mousePress(about().Label1, Qt::LeftButton, {}, QPoint(5, 5));
    // Let go beside it: a click would start the browser.
    QTest::mouseRelease(about().Label1, Qt::LeftButton, {}, QPoint(-50, -50));
    EXPECT_TRUE(fakes.windows.systemMoves.empty());
    for (QWidget* face : {static_cast<QWidget*>(about().lblkey), static_cast<QWidget*>(about().lblPID),
                          static_cast<QWidget*>(about().pboxcpu), static_cast<QWidget*>(&about())}) {
        QTest::mousePress(face, Qt::LeftButton, {}, QPoint(2, 2));
        QTest::mouseRelease(face, Qt::LeftButton, {}, QPoint(2, 2));
    }
    EXPECT_EQ(fakes.windows.systemMoves.size(), 4u);
}

TEST_F(AboutWindowTest, LightsPlayOnATimerAndEndAsTheyBegan) {
    open();
    fakes.lockLights.on[LockKey::Num] = true;
    const auto before = fakes.lockLights.on;
    TTextButton* lights = about().stbtnlights;
    QTest::mousePress(lights, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(lights, Qt::LeftButton, {}, QPoint(lights->width() - 3, 5)); // outside the area
    EXPECT_FALSE(about().lightsShowRunning());
    QTest::mousePress(lights, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(lights, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(about().lightsShowRunning());
    EXPECT_TRUE(fakes.lockLights.toggles.empty()); // nothing before the first 100 ms
    // The clock keeps ticking meanwhile: the show runs from the event loop.
    EXPECT_TRUE(QTest::qWaitFor([&] { return !about().lightsShowRunning(); }, 6000));
    EXPECT_GE(fakes.lockLights.toggles.size(), 31u);
    EXPECT_EQ(fakes.lockLights.on, before);
}

TEST_F(AboutWindowTest, LightsEndAsTheyBeganWhenTheWindowRollsUpOrGoesMidShow) {
    open();
    fakes.lockLights.on[LockKey::Num] = true;
    const auto before = fakes.lockLights.on;
    const auto startShowAndWaitForAChange = [&] {
        TTextButton* lights = about().stbtnlights;
        QTest::mousePress(lights, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(lights, Qt::LeftButton, {}, QPoint(5, 5));
        return QTest::qWaitFor([&] { return fakes.lockLights.on != before; }, 6000);
    };
    ASSERT_TRUE(startShowAndWaitForAChange());
    TTextButton* exit = about().stbtnexit;
    QTest::mousePress(exit, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(exit, Qt::LeftButton, {}, QPoint(5, 5));
    ASSERT_TRUE(QTest::qWaitFor([&] { return !about().isVisible(); }, 6000));
    EXPECT_FALSE(about().lightsShowRunning());
    EXPECT_EQ(fakes.lockLights.on, before);

    open();
    ASSERT_TRUE(startShowAndWaitForAChange());
    program.reset(); // the program ends mid-show
    EXPECT_EQ(fakes.lockLights.on, before);
}

} // namespace
