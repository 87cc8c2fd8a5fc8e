#pragma once

#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/fake/FakeServices.h"
#include "tray/TrayIcon.h"
#include "ui/Shape.h"

#include <QLabel>
#include <QTemporaryDir>

#include <gtest/gtest.h>
#include <memory>

// The whole program on fake services, its executable in a fresh folder so no settings file is found.
class ClockFixture : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(folder.isValid());
        fakes.process.path = folder.filePath(QStringLiteral("dialtop")).toStdString();
        fakes.clock.set(14, 5, 0);
    }

    void start() { program = std::make_unique<DialtopProgram>(fakes.services()); }

    Tdialform& clock() { return program->clock(); }
    Settings& settings() { return program->settings().values; }

    // One tick at the given time.
    void tickAt(int hour, int minute, int second) {
        fakes.clock.set(hour, minute, second);
        clock().Timer1Timer();
    }

    // A tick in the last second of the minute before, then one at the given time: an alarm rings only
    // when its minute begins while the clock runs.
    void tickInto(int hour, int minute, int second) {
        const int before = (hour * 60 + minute + 1439) % 1440;
        tickAt(before / 60, before % 60, 59);
        if (before == 1439)
            ++fakes.clock.time.day;
        tickAt(hour, minute, second);
    }

    void tickOnBattery(int percent, int times = 1) {
        fakes.power.onBattery(percent);
        for (int i = 0; i < times; ++i)
            clock().Timer1Timer();
    }

    void tickOnMains(int percent) {
        fakes.power.onMains(percent);
        clock().Timer1Timer();
    }

    std::vector<QString> warnings() const { return fakes.dialogs.texts(fake::Dialogs::Kind::Warning); }

    QTemporaryDir folder;
    fake::Services fakes;
    std::unique_ptr<DialtopProgram> program;
};
