#pragma once

#include "platform/RegistryTree.h"
#include "platform/TweakRegistry.h"

#include <map>
#include <set>
#include <string>
#include <utility>

namespace fake {

// The registry in memory. Keys in `refused` do not open (as without full access); `openAccesses`
// counts accesses opened and not yet closed.
class TweakRegistry : public platform::TweakRegistry {
public:
    std::map<platform::RegistryRoot, RegistryTree> roots;
    std::set<std::pair<platform::RegistryRoot, std::string>> refused; // (root, path as the catalogue has it)
    int openAccesses = 0;
    int writes = 0;

    // The value as stored; nullptr when there is none.
    const RegistryValue* value(platform::RegistryRoot root, const std::string& keyPath,
                               const std::string& name) const;
    void store(platform::RegistryRoot root, const std::string& keyPath, RegistryValue value);

    bool OpenPath(platform::RegistryRoot root, const std::string& keyPath, bool mayCreate) override;
    bool HasValue(const std::string& name) override { return find(name) != nullptr; }
    std::int32_t GetDword(const std::string& name) override { return DwordOf(find(name), name); }
    std::string GetText(const std::string& name) override { return TextOf(find(name), name); }
    void PutDword(const std::string& name, std::int32_t value) override { put(DwordValue(name, value)); }
    void PutText(const std::string& name, const std::string& text) override { put(TextValue(name, text)); }
    void ClosePath() override;

private:
    const RegistryValue* find(const std::string& name) const;
    void put(RegistryValue value);

    RegistryKey* open_ = nullptr;
};

} // namespace fake
