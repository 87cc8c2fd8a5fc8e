#include "platform/linux/QtNotificationArea.h"

#include <QAbstractNativeEventFilter>
#include <QApplication>
#include <QGuiApplication>
#include <QLoggingCategory>
#include <QMenu>
#include <QSystemTrayIcon>
#include <QWidget>

#include <cstdlib>
#include <optional>
#include <xcb/xcb.h>

namespace {

Q_LOGGING_CATEGORY(lcTray, "dialtop.tray", QtWarningMsg)

} // namespace

// Qt reports an activation without its input; the XEmbed icon's presses carry the X server time,
// which a window activation needs to pass the window manager's focus-stealing prevention. Qt also
// drops presses on the icon while a modal dialog of the program is open: a left press is then
// reported here, so that a click still brings that dialog forward.
class QtNotificationArea::IconPresses : public QAbstractNativeEventFilter {
public:
    explicit IconPresses(QtNotificationArea& area) : area_(area) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~IconPresses() override { QCoreApplication::instance()->removeNativeEventFilter(this); }
    std::uint32_t last() const { return last_; }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType != "xcb_generic_event_t")
            return false;
        const std::optional<Press> press = pressIn(static_cast<const xcb_generic_event_t*>(message));
        if (!press || press->window != iconWindow())
            return false;
        // The press comes once for each input device that reports it.
        const bool again = press->time == last_;
        last_ = press->time;
        if (press->button != XCB_BUTTON_INDEX_1 || !QApplication::activeModalWidget() || !area_.handler_)
            return false;
        if (!again)
            area_.handler_(Activation::Click, last_);
        return true;
    }

private:
    struct Press {
        xcb_window_t window;
        xcb_timestamp_t time;
        std::uint32_t button;
    };

    // The head of an XInput 2 device event, as the server sends it; Qt takes the mouse this way.
    struct XiDeviceEvent {
        std::uint8_t responseType;
        std::uint8_t extension;
        std::uint16_t sequence;
        std::uint32_t length;
        std::uint16_t eventType;
        std::uint16_t deviceId;
        xcb_timestamp_t time;
        std::uint32_t detail;
        xcb_window_t root;
        xcb_window_t event;
    };
    static constexpr std::uint16_t XiButtonPress = 4;

    std::optional<Press> pressIn(const xcb_generic_event_t* event) const {
        const std::uint8_t type = event->response_type & 0x7f;
        if (type == XCB_BUTTON_PRESS) {
            const auto* press = reinterpret_cast<const xcb_button_press_event_t*>(event);
            return Press{press->event, press->time, press->detail};
        }
        if (type != XCB_GE_GENERIC || xinputOpcode_ == 0)
            return std::nullopt;
        const auto* device = reinterpret_cast<const XiDeviceEvent*>(event);
        if (device->extension != xinputOpcode_ || device->eventType != XiButtonPress)
            return std::nullopt;
        return Press{device->event, device->time, device->detail};
    }

    static std::uint8_t xinputOpcode() {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (!x11 || !x11->connection())
            return 0;
        static constexpr char Name[] = "XInputExtension";
        xcb_query_extension_reply_t* reply = xcb_query_extension_reply(
            x11->connection(), xcb_query_extension(x11->connection(), sizeof Name - 1, Name), nullptr);
        const std::uint8_t opcode = reply && reply->present ? reply->major_opcode : 0;
        std::free(reply);
        return opcode;
    }

    // Qt keeps the icon's window to itself; it is the one top-level widget of its kind.
    static xcb_window_t iconWindow() {
        for (QWidget* widget : QApplication::topLevelWidgets()) {
            if (qstrcmp(widget->metaObject()->className(), "QSystemTrayIconSys") == 0 &&
                widget->testAttribute(Qt::WA_WState_Created))
                return static_cast<xcb_window_t>(widget->winId());
        }
        return XCB_WINDOW_NONE;
    }

    QtNotificationArea& area_;
    const std::uint8_t xinputOpcode_ = xinputOpcode();
    std::uint32_t last_ = 0;
};

QtNotificationArea::QtNotificationArea() : presses_(std::make_unique<IconPresses>(*this)) {}

QtNotificationArea::~QtNotificationArea() = default;

void QtNotificationArea::makeIcon() {
    if (icon_)
        return;
    icon_ = std::make_unique<QSystemTrayIcon>(picture_);
    QObject::connect(icon_.get(), &QSystemTrayIcon::activated,
                     [this](QSystemTrayIcon::ActivationReason reason) {
                         if (!handler_)
                             return;
                         switch (reason) {
                         case QSystemTrayIcon::Trigger:
                             handler_(Activation::Click, presses_->last());
                             break;
                         case QSystemTrayIcon::DoubleClick:
                             handler_(Activation::DoubleClick, presses_->last());
                             break;
                         case QSystemTrayIcon::Context:
                             handler_(Activation::Context, presses_->last());
                             break;
                         case QSystemTrayIcon::MiddleClick:
                             handler_(Activation::MiddleClick, presses_->last());
                             break;
                         case QSystemTrayIcon::Unknown:
                             break;
                         }
                     });
    icon_->setToolTip(tip_);
    icon_->setContextMenu(menu_);
    icon_->setVisible(visible_);
}

void QtNotificationArea::setIcon(const QIcon& icon) {
    // Every change of the tip sets the icon too; the same picture again would only repaint the tray.
    if (icon.cacheKey() == picture_.cacheKey())
        return;
    picture_ = icon;
    if (icon_)
        icon_->setIcon(icon);
}

void QtNotificationArea::setToolTip(const QString& tip) {
    if (tip == tip_)
        return;
    tip_ = tip;
    if (icon_)
        icon_->setToolTip(tip);
    qCDebug(lcTray) << "tip" << tip;
}

void QtNotificationArea::setVisible(bool visible) {
    visible_ = visible;
    if (icon_)
        icon_->setVisible(visible);
}

void QtNotificationArea::setContextMenu(QMenu* menu) {
    menu_ = menu;
    if (icon_)
        icon_->setContextMenu(menu);
}

void QtNotificationArea::setActivationHandler(std::function<void(Activation, std::uint32_t)> handler) {
    handler_ = std::move(handler);
}
