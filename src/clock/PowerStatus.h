#pragma once

#include "platform/PowerSource.h"

#include <string>

// Words for the AC line state, as the clock has always shown them.
inline const std::string AcOffLineText = "ΕΚΤΟΣ";
inline const std::string AcOnLineText = "ΕΝΤΟΣ";
inline const std::string AcBackupText = "ΑΔΙΑΛΕΙΠΤΗΣ";
inline const std::string AcUnknownText = "ΑΓΝΩΣΤΗ";

// The latest power sample, shared by the whole program and written only by ReadPowerStatus.
struct PowerSample {
    // No reading until the first successful query, so a failing query never looks like an empty battery.
    int BatteryPercent = platform::NoBatteryReading;
    std::string ACStatusText;
    bool PercentChanged = false;
    int PreviousSamplePercent = 0;
    // Whether any query has succeeded yet.
    bool Sampled = false;

    void ReadPowerStatus(const platform::PowerSource& source);
};
