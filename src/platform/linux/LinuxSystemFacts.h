#pragma once

#include "platform/SystemFacts.h"

#include <memory>
#include <string>
#include <vector>

// The facts of this Linux machine, from its files, the user database and the name resolver.
class LinuxSystemFacts : public platform::SystemFacts {
public:
    LinuxSystemFacts();
    ~LinuxSystemFacts() override;

    LinuxSystemFacts(const LinuxSystemFacts&) = delete;
    LinuxSystemFacts& operator=(const LinuxSystemFacts&) = delete;

    std::string computerName() const override;
    std::string userName() const override;
    std::string osName() const override;
    platform::FactReading productId() const override;
    platform::ProcessorFacts processor() const override;
    void lookUpNetwork(NetworkHandler done) override;

private:
    struct Mailbox;
    std::shared_ptr<Mailbox> mailbox_;
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
