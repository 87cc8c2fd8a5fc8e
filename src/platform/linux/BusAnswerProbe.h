#pragma once

#include <QSocketNotifier>
#include <QString>
#include <QTimer>

#include <chrono>
#include <functional>
#include <memory>

// Whether a D-Bus daemon answers, found out on the event loop: its Unix socket is connected to and
// the authentication begun; any reply within the limit counts. Qt connects to a bus on its one D-Bus
// thread and waits for the daemon without a limit, holding every later connection behind it, so a
// bus is asked this first.
class BusAnswerProbe {
public:
    using Done = std::function<void(bool answered)>;

    // `done` is called once, from the event loop, never from within the constructor. An address
    // other than a Unix socket cannot be probed and counts as answering, leaving the verdict to Qt.
    BusAnswerProbe(const QString& address, std::chrono::milliseconds limit, Done done);
    ~BusAnswerProbe();

    BusAnswerProbe(const BusAnswerProbe&) = delete;
    BusAnswerProbe& operator=(const BusAnswerProbe&) = delete;

private:
    void conclude(bool answered);

    Done done_;
    int socket_ = -1;
    std::unique_ptr<QSocketNotifier> reply_;
    QTimer deadline_;
};

// The system bus's address as libdbus finds it.
QString SystemBusAddress();
// The session bus's address as libdbus finds it; empty when there is none to find.
QString SessionBusAddress();
