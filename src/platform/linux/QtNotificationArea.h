#pragma once

#include "platform/NotificationArea.h"

#include <QIcon>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <memory>

class QSystemTrayIcon;

// The freedesktop tray through Qt: an XEmbed icon, or a StatusNotifierItem where a host runs. Qt's
// icon is made only by makeIcon(), once a tray host is there; what is set before waits for it.
class QtNotificationArea : public platform::NotificationArea {
public:
    QtNotificationArea();
    ~QtNotificationArea() override;

    bool hasIcon() const { return icon_ != nullptr; }
    void makeIcon();

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
    QIcon picture_;
    QString tip_;
    bool visible_ = false;
    QPointer<QMenu> menu_;
};
