#pragma once

#include <QByteArray>
#include <QDBusConnection>
#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// A dbus-daemon of the test's own, standing in for the session bus while it lives: nothing reaches the
// desktop's bus.
class PrivateBus {
public:
    PrivateBus() : saved_(qgetenv("DBUS_SESSION_BUS_ADDRESS")) {
        daemon_.start(
            QStringLiteral("/usr/bin/dbus-daemon"),
            {QStringLiteral("--session"), QStringLiteral("--nofork"), QStringLiteral("--print-address=1")});
        EXPECT_TRUE(daemon_.waitForReadyRead(10000)) << "no private dbus-daemon";
        address = QString::fromUtf8(daemon_.readLine()).trimmed();
        qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
    }

    ~PrivateBus() {
        for (const QString& name : names_)
            QDBusConnection::disconnectFromBus(name);
        qputenv("DBUS_SESSION_BUS_ADDRESS", saved_);
        daemon_.kill();
        daemon_.waitForFinished(5000);
    }

    // A connection of its own: each stands for another program on the bus.
    QDBusConnection connect(const QString& name) {
        names_ << name;
        return QDBusConnection::connectToBus(address, name);
    }

    QString address;

private:
    QByteArray saved_;
    QProcess daemon_;
    QStringList names_;
};
