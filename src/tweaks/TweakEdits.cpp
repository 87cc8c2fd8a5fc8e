#include "tweaks/TweakEdits.h"

#include "base/Conversions.h"
#include "base/DialtopError.h"
#include "platform/TweakRegistry.h"

#include <algorithm>
#include <limits>

namespace {

// Releases the registry access on every way out of an entry's work.
class OpenAccess {
public:
    explicit OpenAccess(platform::TweakRegistry& registry) : registry_(registry) {}
    ~OpenAccess() { registry_.ClosePath(); }
    OpenAccess(const OpenAccess&) = delete;
    OpenAccess& operator=(const OpenAccess&) = delete;

private:
    platform::TweakRegistry& registry_;
};

std::string closingMessage(int highestEffect) {
    switch (highestEffect) {
    case teImmediate:
        return "The changes you made was applied. You can see the results immediately.";
    case teLogoff:
        return "For your changes to be applied, you must logoff";
    case teRestart:
        return "For your changes to be applied, you must restart your computer";
    default:
        return "No changes were made";
    }
}

} // namespace

std::int32_t TweakDwordFromText(const std::string& text) {
    const auto number = ParseWholeNumber(text);
    if (!number)
        throw DialtopError("'" + text + "' is not a valid integer value");
    if (*number < std::numeric_limits<std::int32_t>::min() ||
        *number > std::numeric_limits<std::int32_t>::max())
        throw DialtopError("Range check error");
    return static_cast<std::int32_t>(*number);
}

void TweakEdits::Read(platform::TweakRegistry& registry, const std::function<void(int n)>& listed) {
    // A reading stopped by an error must not leave the entries after it with an earlier opening's edits,
    // which OK would then write unseen.
    states_.fill(State{});
    for (int n = 1; n <= TweakCatalogue::Count; ++n) {
        const TTweakEntry& entry = catalogue_[n];
        State& working = state(n);
        listed(n);
        {
            OpenAccess access(registry);
            if (registry.OpenPath(entry.Root, entry.KeyPath, false)) {
                if (!registry.HasValue(entry.ValueName)) {
                    working.ReadText = KeyNotFound;
                } else if (entry.TypeTag == "dword") {
                    working.CurrentNumber = static_cast<std::uint32_t>(registry.GetDword(entry.ValueName));
                    // Shown signed, so that a number with the top bit set reads back as it was stored.
                    working.ReadText = std::to_string(static_cast<std::int32_t>(working.CurrentNumber));
                } else {
                    working.ReadText = registry.GetText(entry.ValueName);
                }
            }
        }
        working.EditText = working.ReadText;
    }
}

std::string TweakEdits::Apply(platform::TweakRegistry& registry,
                              const std::function<void(const std::string&)>& tell) {
    int highestEffect = -1;
    for (int n = 1; n <= TweakCatalogue::Count; ++n) {
        if (!Changed(n))
            continue;
        const TTweakEntry& entry = catalogue_[n];
        State& working = state(n);
        OpenAccess access(registry);
        if (!registry.OpenPath(entry.Root, entry.KeyPath, true)) {
            tell("A problem occured when changing/adding the value of " + entry.Title + ".\n\r" +
                 "No further actions will be taken.");
            continue;
        }
        if (working.EditText != KeyNotFound) {
            if (entry.TypeTag == "dword")
                registry.PutDword(entry.ValueName, TweakDwordFromText(working.EditText));
            else
                registry.PutText(entry.ValueName, working.EditText);
            highestEffect = std::max(highestEffect, static_cast<int>(entry.Effect));
        }
        working.ReadText = working.EditText;
    }
    return closingMessage(highestEffect);
}
