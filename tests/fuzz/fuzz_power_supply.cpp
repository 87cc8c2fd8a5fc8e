// Supply folders written as "file=text" lines, one blank line between folders. Any of them give a line
// status and a percentage in range; a device's own battery changes nothing, and a plugged-in mains
// supply puts the line on without touching the percentage.
#include "FuzzCheck.h"
#include "platform/linux/PowerSupplyText.h"

#include <algorithm>
#include <functional>
#include <map>
#include <string>

namespace {

PowerSupplyFiles Folder(std::map<std::string, std::string, std::less<>> files) {
    return [files = std::move(files)](std::string_view name) {
        const auto file = files.find(name);
        return file == files.end() ? std::string() : file->second;
    };
}

std::vector<std::string_view> Split(std::string_view text, std::string_view separator) {
    std::vector<std::string_view> pieces;
    for (std::size_t end; (end = text.find(separator)) != text.npos;
         text.remove_prefix(end + separator.size()))
        pieces.push_back(text.substr(0, end));
    pieces.push_back(text);
    return pieces;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<PowerSupplyFiles> supplies;
    for (const std::string_view folder : Split(InputText(data, size), "\n\n")) {
        std::map<std::string, std::string, std::less<>> files;
        for (const std::string_view file : Split(folder, "\n"))
            if (const std::size_t equals = file.find('='); equals != file.npos)
                files[std::string(file.substr(0, equals))] = file.substr(equals + 1);
        supplies.push_back(Folder(std::move(files)));
    }
    const platform::PowerStatus status = PowerStatusOfSupplies(supplies);
    check(status.acLineStatus == platform::AcOnline || status.acLineStatus == platform::AcOffline);
    check((status.batteryLifePercent >= 0 && status.batteryLifePercent <= 100) ||
          status.batteryLifePercent == platform::NoBatteryReading);

    // A battery holding at least its full energy is full, however large the figures.
    const std::uint64_t hash = std::hash<std::string_view>{}(InputText(data, size));
    const std::uint64_t full = (hash >> (hash % 64)) / 4 + 1;
    const std::uint64_t held = std::max(full, (hash * 0x9E3779B97F4A7C15) >> 1);
    const PowerSupplyFiles overfull = Folder(
        {{"type", "Battery"}, {"energy_now", std::to_string(held)}, {"energy_full", std::to_string(full)}});
    check(PowerStatusOfSupplies({overfull}).batteryLifePercent == 100);

    supplies.push_back(Folder({{"type", "Battery"}, {"scope", "Device"}, {"capacity", "7"}}));
    check(PowerStatusOfSupplies(supplies) == status);
    supplies.push_back(Folder({{"type", "Mains"}, {"online", "1\n"}}));
    check(PowerStatusOfSupplies(supplies) ==
          platform::PowerStatus{platform::AcOnline, status.batteryLifePercent});
    return 0;
}
