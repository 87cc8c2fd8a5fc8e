#pragma once

#include "platform/SystemFacts.h"

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <thread>
#include <vector>

class QObject;

// The facts of this Linux machine, from its files, the user database and the name resolver. One name
// lookup at a time runs on a thread of its own, which the facts' end stops and joins.
class LinuxSystemFacts : public platform::SystemFacts {
public:
    // Finds the network facts of a host name; returns soon once `stop` is asked for.
    using Resolve = std::function<platform::NetworkFacts(const std::string& hostName, std::stop_token stop)>;

    explicit LinuxSystemFacts(Resolve resolve = ResolveNetwork);
    ~LinuxSystemFacts() override;

    LinuxSystemFacts(const LinuxSystemFacts&) = delete;
    LinuxSystemFacts& operator=(const LinuxSystemFacts&) = delete;

    std::string computerName() const override;
    std::string userName() const override;
    std::string osName() const override;
    platform::FactReading productId() const override;
    platform::ProcessorFacts processor() const override;
    void lookUpNetwork(NetworkHandler done) override;

    // Through the system's resolver; a stop leaves an unfinished lookup to glibc's own threads.
    static platform::NetworkFacts ResolveNetwork(const std::string& hostName, std::stop_token stop);

private:
    void deliver(const platform::NetworkFacts& facts);

    const Resolve resolve_;
    std::vector<NetworkHandler> waiting_; // the openings the lookup in flight answers
    std::unique_ptr<QObject> receiver_;   // delivers on the owner's thread
    // Last, so that it is stopped and joined before the rest goes.
    std::jthread lookup_;
};

// This program's id for the machine: a keyed hash of the machine id in UUID form, from which the
// machine id cannot be recovered.
std::string ProductIdOf(const std::string& machineId);

struct InterfaceAddress {
    std::uint32_t address = 0; // host byte order
    bool up = false;
    bool loopback = false;
};

// The first resolved address, or, when that is a loopback one (Debian maps the host name to
// 127.0.1.1), the first IPv4 of an interface that is up and not a loopback; dotted, or empty.
std::string PickHostAddress(const std::vector<std::uint32_t>& resolved,
                            const std::vector<InterfaceAddress>& interfaces);
