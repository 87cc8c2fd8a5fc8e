#pragma once

#include "platform/TweakRegistry.h"

#include <array>
#include <cstdint>
#include <string>

// When a written change takes effect; the editor reports the highest level it wrote.
enum TTweakEffect : std::uint32_t { teImmediate = 0, teLogoff = 1, teRestart = 2 };

// One setting the tweak editor offers. Line breaks inside Description are LF CR.
struct TTweakEntry {
    std::string Title;
    std::string KeyPath; // below Root, beginning with a backslash
    std::string ValueName;
    std::string TypeTag; // "dword" or "string"; it alone decides the stored type
    std::string Description;
    std::string Permitted; // a hint, never enforced
    platform::RegistryRoot Root;
    TTweakEffect Effect;
};

// The fixed, ordered list of tweaks, numbered 1 to Count.
class TweakCatalogue {
public:
    static constexpr int Count = 22;

    TweakCatalogue();
    // Entry n, 1 <= n <= Count.
    const TTweakEntry& operator[](int n) const { return entries_.at(static_cast<std::size_t>(n - 1)); }

private:
    std::array<TTweakEntry, Count> entries_;
};
