#pragma once

#include <cstdint>
#include <string>

namespace platform {

// The three roots the tweaks live under, with the handle values the catalogue records.
using RegistryRoot = std::uint32_t;
inline constexpr RegistryRoot HKEY_CURRENT_USER = 0x80000001;
inline constexpr RegistryRoot HKEY_LOCAL_MACHINE = 0x80000002;
inline constexpr RegistryRoot HKEY_USERS = 0x80000003;

// A store of keys and typed values under the three roots, reached one key at a time. Key and value
// names are compared without regard to letter case.
class TweakRegistry {
public:
    virtual ~TweakRegistry() = default;
    // Opens the key path (one leading backslash dropped) below the root for reading and writing; with
    // mayCreate, missing keys along the path are created. A key that cannot be opened gives false.
    virtual bool OpenPath(RegistryRoot root, const std::string& keyPath, bool mayCreate) = 0;
    virtual bool HasValue(const std::string& name) = 0;
    // Throws DialtopError "Invalid data type for '<name>'" for another type, "Failed to get data for
    // '<name>'" when the value is missing or its data is longer than four bytes (shorter data is
    // zero-extended).
    virtual std::int32_t GetDword(const std::string& name) = 0;
    // A value of no data reads as the empty text; the text ends at the first zero byte. Throws as
    // GetDword when the value is no text.
    virtual std::string GetText(const std::string& name) = 0;
    // Throw DialtopError "Failed to set data for '<name>'".
    virtual void PutDword(const std::string& name, std::int32_t value) = 0;
    virtual void PutText(const std::string& name, const std::string& text) = 0;
    virtual void ClosePath() = 0;
};

} // namespace platform
