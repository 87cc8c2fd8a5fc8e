#pragma once

#include <functional>

namespace platform {

enum class PowerAction { PowerOff, Reboot };

// Asks the operating system to power the machine off or restart it.
class PowerActions {
public:
    // Whether the system accepted a request (it is then on its way down).
    using Answer = std::function<void(bool accepted)>;

    virtual ~PowerActions() = default;
    // Starts a request and returns true; `answer` is called later, from the event loop. While an earlier
    // request is still unanswered nothing is asked, `answer` is dropped and the result is false.
    virtual bool request(PowerAction action, Answer answer) = 0;
};

} // namespace platform
