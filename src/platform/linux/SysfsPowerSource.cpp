#include "platform/linux/SysfsPowerSource.h"

#include "platform/linux/PowerSupplyText.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

std::string firstLine(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

} // namespace

SysfsPowerSource::SysfsPowerSource(std::string folder) : folder_(std::move(folder)) {
    if (folder_.empty()) {
        const char* simulated = std::getenv("DIALTOP_POWER_SUPPLY_DIR");
        folder_ = simulated && *simulated ? simulated : "/sys/class/power_supply";
    }
}

std::optional<platform::PowerStatus> SysfsPowerSource::query() const {
    std::error_code error;
    fs::directory_iterator entry(folder_, error);
    if (error)
        return std::nullopt;

    std::vector<PowerSupplyFiles> supplies;
    // A folder that vanishes half-way keeps the supplies listed so far.
    for (; !error && entry != fs::directory_iterator(); entry.increment(error))
        supplies.push_back(
            [supply = entry->path()](std::string_view name) { return firstLine(supply / name); });
    return PowerStatusOfSupplies(supplies);
}
