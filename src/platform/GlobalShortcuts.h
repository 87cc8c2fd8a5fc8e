#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace platform {

// Shortcuts the desktop itself holds for the program, for sessions where the program cannot hold keys
// (a Wayland desktop gives no client every key press). The desktop, not the program, picks the keys.
class GlobalShortcuts {
public:
    struct Wanted {
        std::string id;
        std::string description;
        // In the freedesktop shortcuts syntax, e.g. "CTRL+F1".
        std::string preferredTrigger;
    };
    struct Bound {
        std::string id;
        // As the desktop describes it; empty when the desktop recorded the shortcut without a key.
        std::string trigger;
    };
    // The bound shortcuts, or nothing when the desktop refused or could not be asked.
    using Answer = std::function<void(const std::optional<std::vector<Bound>>& bound)>;
    using ActivationHandler = std::function<void(const std::string& id)>;

    virtual ~GlobalShortcuts() = default;
    // False when this session has no desktop to ask; `answer` is then never called. Otherwise `answer`
    // is called once, later, from the event loop.
    virtual bool bind(const std::vector<Wanted>& shortcuts, Answer answer) = 0;
    virtual void setActivationHandler(ActivationHandler handler) = 0;
};

} // namespace platform
