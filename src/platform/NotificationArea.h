#pragma once

#include <cstdint>
#include <functional>

class QIcon;
class QMenu;
class QString;

namespace platform {

// The program's icon in the desktop's notification area (the system tray). The desktop reports
// only what the user did with it, not the single presses and releases.
class NotificationArea {
public:
    enum class Activation { Click, DoubleClick, Context, MiddleClick };

    virtual ~NotificationArea() = default;
    virtual void setIcon(const QIcon& icon) = 0;
    virtual void setToolTip(const QString& tip) = 0;
    // A visible icon waits for a tray host and appears when one comes.
    virtual void setVisible(bool visible) = 0;
    // The menu the desktop shows on a right press, by itself.
    virtual void setContextMenu(QMenu* menu) = 0;
    // With the X server time of the input behind it (0 when unknown), for the window activation it asks.
    virtual void setActivationHandler(std::function<void(Activation, std::uint32_t time)> handler) = 0;
};

} // namespace platform
