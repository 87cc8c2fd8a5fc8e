#include "platform/linux/SysfsPowerSource.h"

#include <QTemporaryDir>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <map>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace platform {
void PrintTo(const PowerStatus& s, std::ostream* out) {
    *out << "{ac=" << s.acLineStatus << " percent=" << s.batteryLifePercent << "}";
}
} // namespace platform

namespace {

using platform::AcOffline;
using platform::AcOnline;
using platform::NoBatteryReading;
using Files = std::map<std::string, std::string>; // file name -> contents
using Layout = std::map<std::string, Files>;      // supply folder -> its files

struct Case {
    const char* name;
    Layout layout;
    platform::PowerStatus expected;
};

void PrintTo(const Case& c, std::ostream* out) {
    *out << c.name;
}

void build(const fs::path& root, const Layout& layout) {
    for (const auto& [supply, files] : layout) {
        fs::create_directories(root / supply);
        for (const auto& [file, contents] : files)
            std::ofstream(root / supply / file) << contents << "\n";
    }
}

Files mains(const char* online) {
    return {{"type", "Mains"}, {"online", online}};
}

Files battery(const char* status, const char* capacity) {
    return {{"type", "Battery"}, {"status", status}, {"capacity", capacity}};
}

class SysfsLayout : public testing::TestWithParam<Case> {};

TEST_P(SysfsLayout, GivesThePowerStatus) {
    QTemporaryDir root;
    ASSERT_TRUE(root.isValid());
    build(root.path().toStdString(), GetParam().layout);
    const auto status = SysfsPowerSource(root.path().toStdString()).query();
    ASSERT_TRUE(status.has_value());
    EXPECT_EQ(*status, GetParam().expected);
}

const Case Cases[] = {
    {"NothingAtAll", {}, {AcOnline, NoBatteryReading}},
    {"DesktopOnMains", {{"AC", mains("1")}}, {AcOnline, NoBatteryReading}},
    {"LaptopCharging", {{"AC", mains("1")}, {"BAT0", battery("Charging", "80")}}, {AcOnline, 80}},
    {"LaptopUnplugged", {{"AC", mains("0")}, {"BAT0", battery("Discharging", "42")}}, {AcOffline, 42}},
    {"MainsOffButUsbOn",
     {{"AC", mains("0")}, {"usb", {{"type", "USB"}, {"online", "1"}}}, {"BAT0", battery("Charging", "50")}},
     {AcOnline, 50}},
    {"UsbPdProgrammableOnline",
     {{"ucsi", {{"type", "USB_PD"}, {"online", "2"}}}},
     {AcOnline, NoBatteryReading}},
    {"MainsWithoutOnlineFile",
     {{"AC", {{"type", "Mains"}}}, {"BAT0", battery("Full", "100")}},
     {AcOffline, 100}},
    {"NoMainsEntryDischarging", {{"BAT0", battery("Discharging", "30")}}, {AcOffline, 30}},
    {"NoMainsEntryFull", {{"BAT0", battery("Full", "100")}}, {AcOnline, 100}},
    {"NoMainsEntryNotCharging", {{"BAT0", battery("Not charging", "77")}}, {AcOnline, 77}},
    {"EnergyRatio",
     {{"BAT0", {{"type", "Battery"}, {"energy_now", "25000000"}, {"energy_full", "50000000"}}}},
     {AcOnline, 50}},
    {"ChargeRatioRoundsUp",
     {{"BAT0", {{"type", "Battery"}, {"charge_now", "2"}, {"charge_full", "3"}}}},
     {AcOnline, 67}},
    {"CapacityBeforeRatio",
     {{"BAT0", {{"type", "Battery"}, {"capacity", "90"}, {"energy_now", "1"}, {"energy_full", "2"}}}},
     {AcOnline, 90}},
    {"GarbageCapacityFallsBackToRatio",
     {{"BAT0", {{"type", "Battery"}, {"capacity", "n/a"}, {"energy_now", "3"}, {"energy_full", "4"}}}},
     {AcOnline, 75}},
    {"CapacityAboveHundred", {{"BAT0", battery("Full", "104")}}, {AcOnline, 100}},
    {"NegativeCapacity", {{"BAT0", battery("Discharging", "-5")}}, {AcOffline, 0}},
    {"ZeroFullEnergy",
     {{"BAT0", {{"type", "Battery"}, {"energy_now", "0"}, {"energy_full", "0"}}}},
     {AcOnline, NoBatteryReading}},
    {"BatteryWithoutReadingStillDischarges",
     {{"BAT0", {{"type", "Battery"}, {"status", "Discharging"}}}},
     {AcOffline, NoBatteryReading}},
    {"PeripheralIgnored",
     {{"hid-mouse",
       {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "20"}}}},
     {AcOnline, NoBatteryReading}},
    {"PeripheralBesideSystemBattery",
     {{"hid-mouse",
       {{"type", "Battery"}, {"scope", "Device"}, {"status", "Discharging"}, {"capacity", "20"}}},
      {"BAT0", {{"type", "Battery"}, {"scope", "System"}, {"status", "Charging"}, {"capacity", "60"}}}},
     {AcOnline, 60}},
    {"TwoBatteriesWeightedByEnergy",
     {{"BAT0", {{"type", "Battery"}, {"capacity", "100"}, {"energy_full", "20000000"}}},
      {"BAT1", {{"type", "Battery"}, {"capacity", "0"}, {"energy_full", "60000000"}}}},
     {AcOnline, 25}},
    {"TwoBatteriesWeightedByCharge",
     {{"BAT0", {{"type", "Battery"}, {"charge_now", "1000"}, {"charge_full", "1000"}}},
      {"BAT1", {{"type", "Battery"}, {"charge_now", "0"}, {"charge_full", "3000"}, {"energy_full", "9"}}}},
     {AcOnline, 25}},
    {"TwoBatteriesOfUnknownSize",
     {{"BAT0", battery("Full", "100")}, {"BAT1", battery("Charging", "51")}},
     {AcOnline, 76}},
    {"OneOfTwoBatteriesDischarging",
     {{"BAT0", battery("Discharging", "40")}, {"BAT1", battery("Full", "100")}},
     {AcOffline, 70}},
    {"UpsIsNotTheLine",
     {{"ups", {{"type", "UPS"}, {"online", "1"}, {"status", "Discharging"}}}},
     {AcOnline, NoBatteryReading}},
    {"OverfullBeyondRoundingIsFull",
     {{"BAT0", {{"type", "Battery"}, {"energy_now", "9223372036854775807"}, {"energy_full", "1"}}}},
     {AcOnline, 100}},
    {"CapacityBeyondRoundingIsFull", {{"BAT0", battery("Full", "9223372036854775807")}}, {AcOnline, 100}},
    {"EntryWithoutType", {{"junk", {{"online", "0"}, {"capacity", "5"}}}}, {AcOnline, NoBatteryReading}},
};

INSTANTIATE_TEST_SUITE_P(Layouts, SysfsLayout, testing::ValuesIn(Cases),
                         [](const testing::TestParamInfo<Case>& info) { return info.param.name; });

TEST(SysfsPowerSource, MissingFolderCannotBeQueried) {
    EXPECT_FALSE(SysfsPowerSource("/nonexistent/dialtop/power_supply").query().has_value());
}

TEST(SysfsPowerSource, FileInsteadOfFolderCannotBeQueried) {
    QTemporaryDir root;
    const fs::path file = fs::path(root.path().toStdString()) / "plain";
    std::ofstream(file) << "Mains\n";
    EXPECT_FALSE(SysfsPowerSource(file).query().has_value());
}

// The kernel's entries are links to device folders.
TEST(SysfsPowerSource, FollowsLinkedSupplies) {
    QTemporaryDir root;
    const fs::path base = root.path().toStdString();
    build(base / "devices", {{"BAT1", battery("Discharging", "12")}});
    fs::create_directories(base / "class");
    fs::create_directory_symlink(base / "devices" / "BAT1", base / "class" / "BAT1");
    EXPECT_EQ(SysfsPowerSource(base / "class").query(), (platform::PowerStatus{AcOffline, 12}));
}

TEST(SysfsPowerSource, SimulatedFolderFromTheEnvironment) {
    QTemporaryDir root;
    build(root.path().toStdString(), {{"AC", mains("0")}, {"BAT0", battery("Discharging", "4")}});
    const char* saved = std::getenv("DIALTOP_POWER_SUPPLY_DIR");
    const std::optional<std::string> previous = saved ? std::optional<std::string>(saved) : std::nullopt;
    setenv("DIALTOP_POWER_SUPPLY_DIR", root.path().toLocal8Bit().constData(), 1);
    const SysfsPowerSource source;
    if (previous)
        setenv("DIALTOP_POWER_SUPPLY_DIR", previous->c_str(), 1);
    else
        unsetenv("DIALTOP_POWER_SUPPLY_DIR");
    EXPECT_EQ(source.query(), (platform::PowerStatus{AcOffline, 4}));
}

// The simulation is read at every query, so a test can change the battery while the program runs.
TEST(SysfsPowerSource, ReadsChangesAtEachQuery) {
    QTemporaryDir root;
    const fs::path base = root.path().toStdString();
    build(base, {{"AC", mains("1")}, {"BAT0", battery("Charging", "5")}});
    const SysfsPowerSource source(base);
    EXPECT_EQ(source.query(), (platform::PowerStatus{AcOnline, 5}));
    build(base, {{"AC", mains("0")}, {"BAT0", battery("Discharging", "3")}});
    EXPECT_EQ(source.query(), (platform::PowerStatus{AcOffline, 3}));
}

} // namespace
