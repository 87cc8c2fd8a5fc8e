#include "platform/linux/QtNotificationArea.h"

#include <QSystemTrayIcon>

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
    icon_->setIcon(icon);
}

void QtNotificationArea::setToolTip(const QString& tip) {
    icon_->setToolTip(tip);
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
