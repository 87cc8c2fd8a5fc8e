#pragma once

#include "clock/DialtopProgram.h"
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

    Tdialform& clock() { return *program->forms().dialform; }

    // One tick at the given time.
    void tickAt(int hour, int minute, int second) {
        fakes.clock.set(hour, minute, second);
        clock().Timer1Timer();
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
