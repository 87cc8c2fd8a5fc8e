// Benchmark: reading a tweak store as it grows. Stores of many values in one key and of many keys,
// each twice the size of the one before. Where reading is quadratic the time per byte doubles at each
// step; linear reading keeps it within the few times that a working set beyond the caches costs.
#include "platform/RegistryTree.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

namespace {

const char* const Root = "HKEY_CURRENT_USER";
using Nanoseconds = std::chrono::duration<double, std::nano>;

std::string manyValues(int count) {
    std::string text = "REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n";
    for (int i = 0; i < count; ++i)
        text += "\"Value" + std::to_string(i) + "\"=dword:0000002a\n";
    return text;
}

std::string manyKeys(int count) {
    std::string text = "REGEDIT4\n";
    for (int i = 0; i < count; ++i)
        text += "\n[HKEY_CURRENT_USER\\Software\\Key" + std::to_string(i) + "]\n\"Value\"=\"400\"\n";
    return text;
}

void measure(const char* shape, std::string (*store)(int)) {
    for (int count = 4000; count <= 256000; count *= 2) {
        const std::string text = store(count);
        // The fastest of three, as the first pays for fresh memory.
        Nanoseconds took{1e18};
        bool read = false;
        for (int round = 0; round < 3; ++round) {
            const auto start = std::chrono::steady_clock::now();
            read = RegistryTree::parse(text, Root).has_value();
            took = std::min<Nanoseconds>(took, std::chrono::steady_clock::now() - start);
        }
        std::printf("%-12s %7d  %8zu bytes  %9.1f ms  %6.1f ns/byte%s\n", shape, count, text.size(),
                    took.count() / 1e6, took.count() / static_cast<double>(text.size()),
                    read ? "" : "  (refused)");
        // Each line as it comes: where reading is quadratic, the last ones take long.
        std::fflush(stdout);
    }
}

} // namespace

int main() {
    measure("values", manyValues);
    measure("keys", manyKeys);
}
