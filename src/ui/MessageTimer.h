#pragma once

#include <QObject>
#include <QTimer>

#include <cstdint>

// A periodic timer that keeps the rules the program's countdowns and animations rely on: it fires
// every interval while enabled, firing does not disable it, setting the interval or enabling it
// (again) restarts the period, and an interval of 0 is armed but never fires. (A QTimer with
// interval 0 fires at every pass of the event loop.)
class MessageTimer : public QObject {
    Q_OBJECT

public:
    explicit MessageTimer(QObject* parent = nullptr);

    void setInterval(std::uint32_t milliseconds);
    std::uint32_t interval() const { return interval_; }
    void setEnabled(bool enabled);
    bool isEnabled() const { return enabled_; }

signals:
    void timeout();

private:
    void restart();

    QTimer timer_;
    std::uint32_t interval_ = 1000;
    bool enabled_ = false;
};
