#pragma once

#include "tweaks/TweakCatalogue.h"

#include <array>
#include <cstdint>
#include <functional>
#include <string>

namespace platform {
class TweakRegistry;
}

// The value of a "dword" tweak typed as text: blanks before it, a sign, "$", "x" or "0x" for
// hexadecimal. Throws DialtopError "'<text>' is not a valid integer value", or "Range check error" for
// a whole number outside 32 bits.
std::int32_t TweakDwordFromText(const std::string& text);

// What the editor holds per catalogue entry beside the catalogue, and its reading and applying passes.
class TweakEdits {
public:
    // What a value box shows for a key that holds no such value.
    static constexpr const char* KeyNotFound = "the key was not found";

    explicit TweakEdits(const TweakCatalogue& catalogue) : catalogue_(catalogue) {}

    // Entry n, 1 <= n <= TweakCatalogue::Count.
    const std::string& ReadText(int n) const { return state(n).ReadText; }
    const std::string& EditText(int n) const { return state(n).EditText; }
    void SetEditText(int n, const std::string& text) { state(n).EditText = text; }
    bool Changed(int n) const { return state(n).EditText != state(n).ReadText; }

    // Forgets every entry, then reads them in order, calling listed(n) before entry n is read. A value
    // of the wrong type throws the registry's error: the entries after it stay unread and unchanged.
    void Read(platform::TweakRegistry& registry, const std::function<void(int n)>& listed);

    // Writes every changed entry, telling the user (tell) of keys that cannot be made, and returns the
    // closing message. A bad number or a failed write throws; the entries already written stay written.
    std::string Apply(platform::TweakRegistry& registry, const std::function<void(const std::string&)>& tell);

private:
    struct State {
        std::string ReadText;
        std::string EditText;
        std::uint32_t CurrentNumber = 0;
    };

    State& state(int n) { return states_.at(static_cast<std::size_t>(n - 1)); }
    const State& state(int n) const { return states_.at(static_cast<std::size_t>(n - 1)); }

    const TweakCatalogue& catalogue_;
    std::array<State, TweakCatalogue::Count> states_;
};
