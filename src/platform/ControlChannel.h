#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace platform {

// What another program may ask of the running clock, e.g. a command bound to a key in the desktop's
// keyboard settings.
enum class ControlAction { StopAlarm, Penguin, Blank, Show, Exit };

// The actions' names outside the program, in the order of ControlAction.
inline constexpr std::array<std::string_view, 5> ControlActionNames{"stop-alarm", "penguin", "blank", "show",
                                                                    "exit"};

constexpr std::string_view ControlActionName(ControlAction action) {
    return ControlActionNames[static_cast<std::size_t>(action)];
}

inline std::optional<ControlAction> ControlActionNamed(std::string_view name) {
    for (std::size_t i = 0; i < ControlActionNames.size(); ++i) {
        if (ControlActionNames[i] == name)
            return static_cast<ControlAction>(i);
    }
    return std::nullopt;
}

// "stop-alarm, penguin, blank, show, exit", for messages.
inline std::string ControlActionList() {
    std::string list;
    for (std::string_view name : ControlActionNames)
        list += (list.empty() ? "" : ", ") + std::string(name);
    return list;
}

// Takes the actions from outside and hands each to the program, on the event loop.
class ControlChannel {
public:
    using Handler = std::function<void(ControlAction action)>;

    virtual ~ControlChannel() = default;
    // Starts taking actions. A channel that cannot be reached from outside simply never calls.
    virtual void serve(Handler handler) = 0;
};

} // namespace platform
