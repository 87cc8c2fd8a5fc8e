#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct _XDisplay;

// Another client on the same X server, standing in for "another program" in the hotkey tests.
// Keys are X keysym names ("F1", "Control_L"); states are X modifier masks.
class OtherClient {
public:
    OtherClient();
    ~OtherClient();

    OtherClient(const OtherClient&) = delete;
    OtherClient& operator=(const OtherClient&) = delete;

    bool connected() const { return display_ != nullptr; }

    // True when the combination could be grabbed; it is then held until ungrab().
    bool grab(std::uint16_t state, const std::string& key);
    void ungrab(std::uint16_t state, const std::string& key);

    // True when every lock variant (none, Num Lock, Caps Lock, both) could be grabbed; lets them go.
    bool couldGrabEveryVariant(std::uint16_t state, const std::string& key);
    // True when no lock variant could be grabbed.
    bool refusedEveryVariant(std::uint16_t state, const std::string& key);

    // Presses the keys in order and releases them in reverse, as a user would, through XTest.
    void type(const std::vector<std::string>& keys);

private:
    std::vector<std::uint16_t> lockVariants() const;
    std::uint8_t keycode(const std::string& key) const;
    void fake(std::uint8_t type, const std::string& key);

    _XDisplay* display_ = nullptr;
    std::uint16_t numLock_ = 0;
};
