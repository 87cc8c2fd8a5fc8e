#include "platform/linux/ProcReaders.h"

#include "platform/linux/LinuxSystemFacts.h"

#include <arpa/inet.h>
#include <gtest/gtest.h>

namespace {

using platform::FactReading;

const std::string Dir = FIXTURES;

void ExpectFact(const FactReading& fact, FactReading::Status status, const std::string& value = {}) {
    EXPECT_EQ(fact.status, status);
    EXPECT_EQ(fact.value, value);
}

TEST(ReadProcessor, NamesAndSpeedsOfX86AndArmMachines) {
    const platform::ProcessorFacts x86 = ReadProcessor(Dir + "cpuinfo-x86", Dir + "cpufreq-max");
    ExpectFact(x86.name, FactReading::Found, "Intel(R) Xeon(R) Gold 6148 CPU @ 2.40GHz");
    ExpectFact(x86.megahertz, FactReading::Found, "2399");

    // 64-bit ARM: no name field but the board's, no speed but cpufreq's (kHz).
    const platform::ProcessorFacts arm = ReadProcessor(Dir + "cpuinfo-arm", Dir + "cpufreq-max");
    ExpectFact(arm.name, FactReading::Found, "BCM2835");
    ExpectFact(arm.megahertz, FactReading::Found, "1800");

    // 32-bit ARM names the processor with a capital P, not to be confused with "processor : 0".
    const platform::ProcessorFacts armv7 = ReadProcessor(Dir + "cpuinfo-armv7", Dir + "missing");
    ExpectFact(armv7.name, FactReading::Found, "ARMv7 Processor rev 10 (v7l)");
    ExpectFact(armv7.megahertz, FactReading::Missing);
}

TEST(ReadProcessor, MissingFieldsAreNotFoundAndAnUnreadableFileIsUnreadable) {
    const platform::ProcessorFacts bare = ReadProcessor(Dir + "cpuinfo-bare", Dir + "missing");
    ExpectFact(bare.name, FactReading::Missing);
    ExpectFact(bare.megahertz, FactReading::Missing);
    const platform::ProcessorFacts none = ReadProcessor(Dir + "missing", Dir + "cpufreq-max");
    ExpectFact(none.name, FactReading::Unreadable);
    ExpectFact(none.megahertz, FactReading::Unreadable);
}

TEST(ReadOsName, PrettyNameOfTheFirstFileThereUnquoted) {
    EXPECT_EQ(ReadOsName({Dir + "missing", Dir + "os-release-debian"}), "Debian GNU/Linux 12 (bookworm)");
    EXPECT_EQ(ReadOsName({Dir + "os-release-unquoted", Dir + "os-release-debian"}), "Alpine Linux v3.19");
    EXPECT_EQ(ReadOsName({Dir + "os-release-single"}), "Fedora Linux 39 (Workstation \"Edition\")");
    EXPECT_EQ(ReadOsName({Dir + "os-release-nopretty", Dir + "os-release-debian"}), "Linux");
    EXPECT_EQ(ReadOsName({Dir + "missing"}), "");
}

TEST(ReadMemInfo, SixtyFourBitByteCountsAndNoSwap) {
    const std::optional<platform::MemoryStatus> large = ReadMemInfo(Dir + "meminfo-large");
    ASSERT_TRUE(large);
    EXPECT_EQ(large->totalPhysical, 64ULL << 30);
    EXPECT_EQ(large->availablePhysical, 48ULL << 30); // MemAvailable, not MemFree
    EXPECT_EQ(large->totalSwap, 8ULL << 30);
    EXPECT_EQ(large->availableSwap, 6ULL << 30);

    const std::optional<platform::MemoryStatus> noSwap = ReadMemInfo(Dir + "meminfo-noswap");
    ASSERT_TRUE(noSwap);
    EXPECT_EQ(noSwap->availablePhysical, 6029952ULL * 1024);
    EXPECT_EQ(noSwap->totalSwap, 0u);

    EXPECT_FALSE(ReadMemInfo(Dir + "meminfo-old")); // no MemAvailable: no figure rather than a wrong one
    EXPECT_FALSE(ReadMemInfo(Dir + "missing"));
}

TEST(ReadProcStat, TotalLineWithIowaitAsIdleAndTheProcessorCount) {
    const std::optional<platform::CpuTimes> times = ReadProcStat(Dir + "stat-2cpu");
    ASSERT_TRUE(times);
    EXPECT_EQ(times->processors, 2u);
    EXPECT_EQ(times->idle, 8100u);
    EXPECT_EQ(times->total, 1000u + 20 + 300 + 8000 + 100 + 5 + 6 + 7); // guest time is inside user
    EXPECT_FALSE(ReadProcStat(Dir + "meminfo-large"));
    EXPECT_FALSE(ReadProcStat(Dir + "missing"));
}

TEST(ProductId, AKeyedHashOfTheMachineIdInUuidForm) {
    const FactReading machine = ReadMachineId(Dir + "machine-id");
    ExpectFact(machine, FactReading::Found, "0123456789abcdef0123456789abcdef");
    ExpectFact(ReadMachineId(Dir + "machine-id-bad"), FactReading::Missing);
    ExpectFact(ReadMachineId(Dir + "missing"), FactReading::Unreadable);

    EXPECT_EQ(ProductIdOf(machine.value), "95d6280c-2522-4967-b7bc-856b723cdf82");
    EXPECT_NE(ProductIdOf("0123456789abcdef0123456789abcdee"), ProductIdOf(machine.value));
}

std::uint32_t Ip(const char* dotted) {
    in_addr address{};
    inet_pton(AF_INET, dotted, &address);
    return ntohl(address.s_addr);
}

TEST(PickHostAddress, LoopbackAnswerFallsBackToTheFirstUpNonLoopbackInterface) {
    const std::vector<InterfaceAddress> interfaces = {
        {Ip("127.0.0.1"), true, true}, {Ip("10.0.0.5"), false, false}, {Ip("192.168.1.20"), true, false}};
    EXPECT_EQ(PickHostAddress({Ip("127.0.1.1")}, interfaces), "192.168.1.20");
    EXPECT_EQ(PickHostAddress({Ip("172.16.0.3"), Ip("127.0.1.1")}, interfaces), "172.16.0.3");
    EXPECT_EQ(PickHostAddress({Ip("127.0.1.1")}, {{Ip("127.0.0.1"), true, true}}), "127.0.1.1");
    EXPECT_EQ(PickHostAddress({}, interfaces), "");
}

} // namespace
