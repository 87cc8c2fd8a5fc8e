#pragma once

#include <functional>
#include <string>

namespace platform {

// A fact read from a file of the system, which may be unreadable or readable without the value.
struct FactReading {
    enum Status { Unreadable, Missing, Found };
    Status status = Unreadable;
    std::string value;
};

struct ProcessorFacts {
    FactReading name;
    FactReading megahertz; // whole megahertz in decimal
};

struct NetworkFacts {
    std::string domain;  // the canonical host name after its first dot, empty when it has none
    std::string address; // dotted IPv4, empty when the host name does not resolve
};

// The facts the information window shows about this machine; read only.
class SystemFacts {
public:
    using NetworkHandler = std::function<void(const NetworkFacts&)>;

    virtual ~SystemFacts() = default;
    virtual std::string computerName() const = 0; // the host name up to its first dot
    virtual std::string userName() const = 0;
    virtual std::string osName() const = 0; // empty when the system does not say
    // An id derived from the machine's own, so the machine's id never shows.
    virtual FactReading productId() const = 0;
    virtual ProcessorFacts processor() const = 0;
    // Name resolution may take seconds: the answer comes later, on the asking thread's event loop.
    virtual void lookUpNetwork(NetworkHandler done) = 0;
};

} // namespace platform
