#include "platform/linux/QtNotificationArea.h"

#include <QCoreApplication>
#include <QInputEvent>
#include <QLoggingCategory>
#include <QSystemTrayIcon>

namespace {

Q_LOGGING_CATEGORY(lcTray, "dialtop.tray", QtWarningMsg)

} // namespace

// Qt reports an activation without its input; the XEmbed icon's presses carry the X server time,
// which a window activation needs to pass the window manager's focus-stealing prevention.
class QtNotificationArea::ClickTime : public QObject {
public:
    ClickTime() { QCoreApplication::instance()->installEventFilter(this); }
    std::uint32_t last() const { return last_; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonRelease ||
            event->type() == QEvent::MouseButtonDblClick)
            last_ = static_cast<std::uint32_t>(static_cast<QInputEvent*>(event)->timestamp());
        return false;
    }

private:
    std::uint32_t last_ = 0;
};

QtNotificationArea::QtNotificationArea()
    : icon_(std::make_unique<QSystemTrayIcon>()), clickTime_(std::make_unique<ClickTime>()) {
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (!handler_)
                             return;
                         switch (reason) {
                         case QSystemTrayIcon::Trigger:
                             handler_(Activation::Click, clickTime_->last());
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             handler_(Activation::DoubleClick, clickTime_->last());
                             break;
                         case QSystemTrayIcon::Context:
                             handler_(Activation::Context, clickTime_->last());
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             handler_(Activation::MiddleClick, clickTime_->last());
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

void QtNotificationArea::setActivationHandler(std::function<void(Activation, std::uint32_t)> handler) {
    handler_ = std::move(handler);
}
