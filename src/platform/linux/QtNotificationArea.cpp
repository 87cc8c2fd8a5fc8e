#include "platform/linux/QtNotificationArea.h"

#include <QLoggingCategory>
#include <QSystemTrayIcon>

namespace {

Q_LOGGING_CATEGORY(lcTray, "dialtop.tray", QtWarningMsg)

} // namespace

QtNotificationArea::QtNotificationArea() : icon_(std::make_unique<QSystemTrayIcon>()) {
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (!handler_)
                             return;
                         switch (reason) {
                         case QSystemTrayIcon::Trigger:
                             handler_(Activation::Click);
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             handler_(Activation::DoubleClick);
                             break;
                         case QSystemTrayIcon::Context:
                             handler_(Activation::Context);
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             handler_(Activation::MiddleClick);
                             break;
                         case QSystemTrayIcon::Unknown:
                             break;
                         }
                     });
}

QtNotificationArea::~QtNotificationArea() = default;

void QtNotificationArea::setIcon(const QIcon& icon) {
    // Every change of the tip sets the icon too; the same picture again would only repaint the tray.
    if (icon.cacheKey() == icon_->icon().cacheKey())
        return;
    icon_->setIcon(icon);
}

void QtNotificationArea::setToolTip(const QString& tip) {
    if (tip == icon_->toolTip())
        return;
    icon_->setToolTip(tip);
    qCDebug(lcTray) << "tip" << tip;
}

void QtNotificationArea::setVisible(bool visible) {
    icon_->setVisible(visible);
}

void QtNotificationArea::setContextMenu(QMenu* menu) {
    icon_->setContextMenu(menu);
}

void QtNotificationArea::setActivationHandler(std::function<void(Activation)> handler) {
    handler_ = std::move(handler);
}
