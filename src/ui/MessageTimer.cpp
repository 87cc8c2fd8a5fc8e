#include "ui/MessageTimer.h"

#include <algorithm>
#include <limits>

MessageTimer::MessageTimer(QObject* parent) : QObject(parent) {
    timer_.setTimerType(Qt::PreciseTimer);
    connect(&timer_, &QTimer::timeout, this, &MessageTimer::timeout);
}

void MessageTimer::setInterval(std::uint32_t milliseconds) {
    interval_ = milliseconds;
    if (enabled_)
        restart();
}

void MessageTimer::setEnabled(bool enabled) {
    enabled_ = enabled;
    if (enabled_)
        restart();
    else
        timer_.stop();
}

void MessageTimer::restart() {
    if (interval_ == 0) {
        timer_.stop();
        return;
    }
    constexpr std::uint32_t longest = std::numeric_limits<int>::max();
    timer_.start(static_cast<int>(std::min(interval_, longest)));
}
