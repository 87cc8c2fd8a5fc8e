#pragma once

#include "platform/LiveReadings.h"
#include "platform/LockLights.h"
#include "platform/SystemFacts.h"

#include <map>
#include <vector>

namespace fake {

class SystemFacts : public platform::SystemFacts {
public:
    std::string computer = "bench";
    std::string user = "ada";
    std::string os = "Debian GNU/Linux 12 (bookworm)";
    platform::FactReading product{platform::FactReading::Found, "0a1b2c3d-4e5f-4a6b-8c7d-8e9f0a1b2c3d"};
    platform::ProcessorFacts cpu{{platform::FactReading::Found, "Test CPU @ 2.40GHz"},
                                 {platform::FactReading::Found, "2400"}};
    std::vector<NetworkHandler> lookups; // unanswered, in the order asked

    std::string computerName() const override { return computer; }
    std::string userName() const override { return user; }
    std::string osName() const override { return os; }
    platform::FactReading productId() const override { return product; }
    platform::ProcessorFacts processor() const override { return cpu; }
    void lookUpNetwork(NetworkHandler done) override { lookups.push_back(std::move(done)); }
};

class LiveReadings : public platform::LiveReadings {
public:
    std::uint64_t milliseconds = 0;
    platform::MemoryStatus status;
    std::optional<platform::CpuTimes> times;

    std::uint64_t millisecondsSinceBoot() const override { return milliseconds; }
    platform::MemoryStatus memory() const override { return status; }
    std::optional<platform::CpuTimes> cpuTimes() const override { return times; }
};

class LockLights : public platform::LockLights {
public:
    std::map<platform::LockKey, bool> on{{platform::LockKey::Caps, false},
                                         {platform::LockKey::Num, false},
                                         {platform::LockKey::Scroll, false}};
    std::vector<platform::LockKey> toggles;

    void toggle(platform::LockKey key) override {
        on[key] = !on[key];
        toggles.push_back(key);
    }
};

} // namespace fake
