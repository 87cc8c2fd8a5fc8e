#pragma once

#include "platform/NotificationArea.h"

#include <cstdint>
#include <memory>

class QSystemTrayIcon;

// The freedesktop tray through Qt: an XEmbed icon, or a StatusNotifierItem where a watcher runs.
class QtNotificationArea : public platform::NotificationArea {
public:
    QtNotificationArea();
    ~QtNotificationArea() override;

    void setIcon(const QIcon& icon) override;
    void setToolTip(const QString& tip) override;
    void setVisible(bool visible) override;
    void setContextMenu(QMenu* menu) override;
    void setActivationHandler(std::function<void(Activation, std::uint32_t)> handler) override;

private:
    class IconPresses;

    std::unique_ptr<QSystemTrayIcon> icon_;
    std::unique_ptr<IconPresses> presses_;
    std::function<void(Activation, std::uint32_t)> handler_;
};
