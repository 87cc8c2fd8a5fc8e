#include "platform/linux/BusAnswerProbe.h"

#include <QByteArray>

#include <algorithm>
#include <cstddef>
#include <optional>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>
#include <utility>

namespace {

struct UnixSocket {
    sockaddr_un address{};
    socklen_t length = 0;
};

// The socket of the first Unix entry of a D-Bus address ("unix:path=/run/bus,guid=...;tcp:..."),
// whose values are percent-escaped.
std::optional<UnixSocket> UnixSocketOf(const QString& address) {
    for (const QString& entry : address.split(u';', Qt::SkipEmptyParts)) {
        if (!entry.startsWith(QLatin1String("unix:")))
            continue;
        for (const QString& pair : entry.mid(5).split(u',')) {
            const QString key = pair.section(u'=', 0, 0);
            if (key != QLatin1String("path") && key != QLatin1String("abstract"))
                continue;
            const QByteArray name = QByteArray::fromPercentEncoding(pair.section(u'=', 1).toLatin1());
            UnixSocket socket;
            socket.address.sun_family = AF_UNIX;
            // An abstract name starts with a zero byte and ends where the length says.
            const std::size_t start = key == QLatin1String("abstract") ? 1 : 0;
            const std::size_t end = start + static_cast<std::size_t>(name.size());
            if (name.isEmpty() || end >= sizeof socket.address.sun_path)
                return std::nullopt;
            std::copy(name.begin(), name.end(), socket.address.sun_path + start);
            socket.length = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + end + (start ? 0 : 1));
            return socket;
        }
    }
    return std::nullopt;
}

} // namespace

BusAnswerProbe::BusAnswerProbe(const QString& address, std::chrono::milliseconds limit, Done done)
    : done_(std::move(done)) {
    deadline_.setSingleShot(true);
    const std::optional<UnixSocket> where = UnixSocketOf(address);
    if (!where) {
        QObject::connect(&deadline_, &QTimer::timeout, [this] { conclude(true); });
        deadline_.start(0);
        return;
    }
    QObject::connect(&deadline_, &QTimer::timeout, [this] { conclude(false); });
    QByteArray hello(1, '\0');
    hello += "AUTH EXTERNAL " + QByteArray::number(geteuid()).toHex() + "\r\n";
    socket_ = ::socket(AF_UNIX, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    // A missing, refusing or overfull socket has no daemon that will answer.
    if (socket_ < 0 ||
        ::connect(socket_, reinterpret_cast<const sockaddr*>(&where->address), where->length) != 0 ||
        ::send(socket_, hello.constData(), static_cast<std::size_t>(hello.size()), MSG_NOSIGNAL) !=
            hello.size()) {
        deadline_.start(0);
        return;
    }
    reply_ = std::make_unique<QSocketNotifier>(socket_, QSocketNotifier::Read);
    QObject::connect(reply_.get(), &QSocketNotifier::activated, [this] {
        char first = 0;
        conclude(::recv(socket_, &first, 1, 0) == 1);
    });
    deadline_.start(limit);
}

BusAnswerProbe::~BusAnswerProbe() {
    reply_.reset();
    if (socket_ >= 0)
        ::close(socket_);
}

void BusAnswerProbe::conclude(bool answered) {
    deadline_.stop();
    if (reply_)
        reply_->setEnabled(false);
    if (Done done = std::exchange(done_, nullptr))
        done(answered);
}

QString SystemBusAddress() {
    const QString address = qEnvironmentVariable("DBUS_SYSTEM_BUS_ADDRESS");
    return address.isEmpty() ? QStringLiteral("unix:path=/var/run/dbus/system_bus_socket") : address;
}

QString SessionBusAddress() {
    const QString address = qEnvironmentVariable("DBUS_SESSION_BUS_ADDRESS");
    if (!address.isEmpty())
        return address;
    // libdbus's own fall-back: the per-user bus in the runtime directory.
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    return runtime.isEmpty() ? QString() : QStringLiteral("unix:path=%1/bus").arg(runtime);
}
