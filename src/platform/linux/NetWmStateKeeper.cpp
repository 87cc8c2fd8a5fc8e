#include "platform/linux/NetWmStateKeeper.h"

#include <QEvent>
#include <QPointer>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <utility>
#include <vector>

namespace {

const char* const WantedProperty = "dialtopNetWmState";

int wanted(const QWidget& window) {
    return window.property(WantedProperty).toInt();
}

// Skipping the taskbar goes with skipping the pager.
std::vector<NetWmState::Flag> spelledOut(int flags) {
    std::vector<NetWmState::Flag> result;
    if (flags & (1 << NetWmState::SkipTaskbar)) {
        result.push_back(NetWmState::SkipTaskbar);
        result.push_back(NetWmState::SkipPager);
    }
    if (flags & (1 << NetWmState::Above))
        result.push_back(NetWmState::Above);
    return result;
}

} // namespace

NetWmStateKeeper::NetWmStateKeeper(std::function<const NetWmState*()> state) : state_(std::move(state)) {}

void NetWmStateKeeper::want(QWidget& window, NetWmState::Flag flag, bool on) {
    const int bit = 1 << flag;
    window.setProperty(WantedProperty, on ? wanted(window) | bit : wanted(window) & ~bit);
    // Installing the same filter again only moves it to the front.
    window.installEventFilter(this);
}

bool NetWmStateKeeper::wants(const QWidget& window, NetWmState::Flag flag) {
    return wanted(window) & (1 << flag);
}

std::uint32_t NetWmStateKeeper::xWindow(QWidget& window) {
    window.winId();
    return static_cast<std::uint32_t>(window.windowHandle()->winId());
}

void NetWmStateKeeper::apply(const NetWmState& state, QWidget& window, bool add,
                             const std::vector<NetWmState::Flag>& flags) {
    if (!window.testAttribute(Qt::WA_WState_Created))
        return;
    if (window.isVisible())
        state.request(xWindow(window), add, flags);
    else
        state.setWhileUnmapped(xWindow(window), add, flags);
}

bool NetWmStateKeeper::eventFilter(QObject* watched, QEvent* event) {
    auto* window = qobject_cast<QWidget*>(watched);
    const NetWmState* state = state_();
    // QWidget sends its own Show before it maps the window: the property is still ours to write.
    if (event->type() != QEvent::Show || event->spontaneous() || !window || !state ||
        !window->testAttribute(Qt::WA_WState_Created))
        return false;
    const std::vector<NetWmState::Flag> flags = spelledOut(wanted(*window));
    if (flags.empty())
        return false;
    state->setWhileUnmapped(xWindow(*window), true, flags);
    // A window manager still busy withdrawing the window may drop that write; ask it again once the
    // window is mapped.
    QTimer::singleShot(0, this, [state, flags, window = QPointer<QWidget>(window)] {
        if (!window || !window->isVisible())
            return;
        state->request(xWindow(*window), true, flags);
    });
    return false;
}
