#pragma once

#include "platform/LockLights.h"

struct _XDisplay;

// Caps Lock and Num Lock as XKB lock modifiers, Scroll Lock as its named indicator: the states and
// lights change without a key event reaching the focused program. Does nothing without an X display.
class XkbLockLights : public platform::LockLights {
public:
    void toggle(platform::LockKey key) override;

private:
    _XDisplay* display();

    _XDisplay* display_ = nullptr;
    unsigned numLockMask_ = 0;
    unsigned long scrollLock_ = 0; // the indicator's name atom
};
