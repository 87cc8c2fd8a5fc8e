#include "platform/linux/X11WindowSystem.h"

#include "platform/linux/NetActiveWindow.h"
#include "platform/linux/NetWmState.h"
#include "platform/linux/NetWmStateKeeper.h"

#include <QAbstractNativeEventFilter>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cstdlib>
#include <xcb/xcb.h>

namespace {

class StateChangeFilter : public QAbstractNativeEventFilter {
public:
    explicit StateChangeFilter(const NetWmState& state) : state_(state) {
        QCoreApplication::instance()->installNativeEventFilter(this);
    }
    ~StateChangeFilter() override {
        if (QCoreApplication* application = QCoreApplication::instance())
            application->removeNativeEventFilter(this);
    }

    bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
        if (eventType == "xcb_generic_event_t")
            state_.noteEvent(message);
        return false;
    }

private:
    const NetWmState& state_;
};

xcb_connection_t* Connection() {
    const auto* x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
    return x11 ? x11->connection() : nullptr;
}

xcb_window_t RootWindow(xcb_connection_t* connection) {
    return xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
}

} // namespace

X11WindowSystem::X11WindowSystem()
    : keeper_(std::make_unique<NetWmStateKeeper>([this] { return netWmState(); })) {}

X11WindowSystem::~X11WindowSystem() = default;

const NetWmState* X11WindowSystem::netWmState() const {
    if (!netWmState_ && qGuiApp) {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 && x11->connection()) {
            netWmState_ = std::make_unique<NetWmState>(x11->connection());
            stateChanges_ = std::make_unique<StateChangeFilter>(*netWmState_);
        }
    }
    return netWmState_.get();
}

const NetActiveWindow* X11WindowSystem::netActiveWindow() const {
    if (!netActiveWindow_ && qGuiApp) {
        const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        if (x11 && x11->connection())
            netActiveWindow_ = std::make_unique<NetActiveWindow>(x11->connection());
    }
    return netActiveWindow_.get();
}

QRect X11WindowSystem::screenGeometry() const {
    return QGuiApplication::primaryScreen()->geometry();
}

// Qt reads _NET_WORKAREA for the primary screen.
QRect X11WindowSystem::workArea() const {
    return QGuiApplication::primaryScreen()->availableGeometry();
}

bool X11WindowSystem::isTaskbarButtonVisible(QWidget& window) const {
    const NetWmState* state = netWmState();
    if (!state)
        return !NetWmStateKeeper::wants(window, NetWmState::SkipTaskbar);
    if (!window.testAttribute(Qt::WA_WState_Created))
        return false; // no X window, no button
    return !state->has(NetWmStateKeeper::xWindow(window), NetWmState::SkipTaskbar);
}

void X11WindowSystem::hideTaskbarButton(QWidget& window) {
    keeper_->want(window, NetWmState::SkipTaskbar, true);
    if (const NetWmState* state = netWmState())
        NetWmStateKeeper::apply(*state, window, true, {NetWmState::SkipTaskbar, NetWmState::SkipPager});
}

void X11WindowSystem::showTaskbarButton(QWidget& window) {
    keeper_->want(window, NetWmState::SkipTaskbar, false);
    if (const NetWmState* state = netWmState())
        NetWmStateKeeper::apply(*state, window, false, {NetWmState::SkipTaskbar, NetWmState::SkipPager});
}

// Not through Qt's window flags: changing Qt::WindowStaysOnTopHint makes Qt re-create the X window
// at the next show (QWidget::setWindowFlag at once).
void X11WindowSystem::setTopmost(QWidget& window, bool topmost) {
    keeper_->want(window, NetWmState::Above, topmost);
    if (const NetWmState* state = netWmState()) {
        NetWmStateKeeper::apply(*state, window, topmost, {NetWmState::Above});
        return;
    }
    if (QWindow* handle = window.windowHandle())
        handle->setFlag(Qt::WindowStaysOnTopHint, topmost);
    else
        window.setWindowFlag(Qt::WindowStaysOnTopHint, topmost); // nothing to re-create yet
}

void X11WindowSystem::bringToFront(QWidget& window) {
    const NetWmState* state = netWmState();
    if (state && window.isVisible() && !NetWmStateKeeper::wants(window, NetWmState::Above)) {
        // Above everything for a moment, then back among the normal windows, still in front.
        NetWmStateKeeper::apply(*state, window, true, {NetWmState::Above});
        NetWmStateKeeper::apply(*state, window, false, {NetWmState::Above});
    }
    window.raise();
}

bool X11WindowSystem::isApplicationActive() const {
    return QGuiApplication::applicationState() == Qt::ApplicationActive;
}

bool X11WindowSystem::systemMove(QWidget& window) {
    QWindow* handle = window.windowHandle();
    return handle && handle->startSystemMove();
}

bool X11WindowSystem::isLeftButtonDown() const {
    xcb_connection_t* connection = Connection();
    if (!connection)
        return true; // cannot tell: trust the press
    const xcb_window_t root = RootWindow(connection);
    xcb_query_pointer_reply_t* reply =
        xcb_query_pointer_reply(connection, xcb_query_pointer(connection, root), nullptr);
    const bool down = !reply || (reply->mask & XCB_BUTTON_MASK_1);
    std::free(reply);
    return down;
}

QPoint X11WindowSystem::windowPosition(QWidget& window) const {
    xcb_connection_t* connection = Connection();
    if (!connection || !window.isVisible())
        return window.pos();
    // Until the window manager has placed and mapped it, the server's place is not the window's yet.
    const xcb_window_t id = NetWmStateKeeper::xWindow(window);
    xcb_get_window_attributes_reply_t* attributes =
        xcb_get_window_attributes_reply(connection, xcb_get_window_attributes(connection, id), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    if (!viewable)
        return window.pos();
    const auto cookie = xcb_translate_coordinates(connection, id, RootWindow(connection), 0, 0);
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(connection, cookie, nullptr);
    const QPoint position = reply ? QPoint(reply->dst_x, reply->dst_y) : window.pos();
    std::free(reply);
    return position;
}

void X11WindowSystem::activate(QWidget& window, std::uint32_t userTime) {
    window.raise();
    // Without a window manager Qt sets the input focus itself.
    window.activateWindow();
    const NetActiveWindow* active = netActiveWindow();
    if (active && window.isVisible() && active->hasWindowManager())
        active->request(NetWmStateKeeper::xWindow(window), userTime);
}

// Maximised is not enough: panels would stay on top.
void X11WindowSystem::coverScreen(QWidget& window) {
    window.setGeometry(screenGeometry());
    const NetActiveWindow* active = netActiveWindow();
    if (!active || active->hasWindowManager()) {
        window.showFullScreen();
        return;
    }
    window.show();
    window.raise();
}
