#pragma once

#include "platform/linux/NetWmState.h"

#include <QObject>

#include <functional>

class QWidget;

// Remembers which _NET_WM_STATE flags a window should carry and puts them back each time Qt maps it:
// the window manager drops the state of a withdrawn window, so every hide and show would lose them.
class NetWmStateKeeper : public QObject {
public:
    // `state` is null without an X display; the wishes are still remembered.
    explicit NetWmStateKeeper(std::function<const NetWmState*()> state);

    void want(QWidget& window, NetWmState::Flag flag, bool on);
    static bool wants(const QWidget& window, NetWmState::Flag flag);
    // Applies the flags now: a request to the window manager for a mapped window, the property for an
    // unmapped one, nothing when there is no X window yet (the next show applies them).
    static void apply(const NetWmState& state, QWidget& window, bool add,
                      const std::vector<NetWmState::Flag>& flags);
    // The X window Qt currently has; QWidget::winId() can be stale after Qt re-creates the window.
    static std::uint32_t xWindow(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::function<const NetWmState*()> state_;
};
