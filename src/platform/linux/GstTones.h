#pragma once

#include "platform/Tones.h"

// Tones through GStreamer, the default beep through the X bell.
class GstTones : public platform::Tones {
public:
    void tone(int frequencyHz, int durationMs) override;
    void defaultBeep() override;
};
