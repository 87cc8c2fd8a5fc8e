#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Stored value types, numbered as the registry numbers them.
enum RegistryType : std::uint32_t {
    REG_NONE = 0,
    REG_SZ = 1,
    REG_EXPAND_SZ = 2,
    REG_BINARY = 3,
    REG_DWORD = 4
};

struct RegistryValue {
    std::string name; // "" is the key's default value
    std::uint32_t type = REG_NONE;
    std::string data; // the stored bytes: texts end with a zero byte, numbers are little-endian
};

class RegistryKey {
public:
    explicit RegistryKey(std::string path) : path_(std::move(path)) {}

    // The components joined with backslashes, spelled as when the key was made; "" is the root itself.
    const std::string& path() const { return path_; }
    const std::vector<RegistryValue>& values() const { return values_; }
    const RegistryValue* find(std::string_view name) const;
    // Replaces the value of the same name, keeping its spelling, or adds it.
    void put(RegistryValue value);

private:
    std::string path_;
    std::vector<RegistryValue> values_;
    std::unordered_map<std::string, std::size_t> byName_; // name in lower case -> its place in values_
};

// The keys and values under one root, read from and written as registry-export text:
//
//     REGEDIT4
//
//     [HKEY_CURRENT_USER\Control Panel\Desktop]
//     "MenuShowDelay"="400"
//     "PaintDesktopVersion"=dword:00000001
//     "Wallpaper"=hex(2):25,55,53,45,52,25,00
//
// Names are matched without regard to ASCII letter case. A key's parents exist with it.
class RegistryTree {
public:
    RegistryTree();

    // Empty when the text is not a registry export of this root: any line it cannot read, a key of
    // another root, a zero byte. Lines starting ";" are comments.
    static std::optional<RegistryTree> parse(std::string_view text, std::string_view rootName);
    std::string text(std::string_view rootName) const;

    // path as from SplitKeyPath; nullptr when there is no such key.
    RegistryKey* find(std::string_view path);
    const RegistryKey* find(std::string_view path) const;
    // The key, made with its missing parents when needed.
    RegistryKey& create(std::string_view path);

private:
    RegistryKey& made(std::string_view path);

    std::vector<RegistryKey> keys_;                       // the root first, then in the order they were made
    std::unordered_map<std::string, std::size_t> byPath_; // path in lower case -> its place in keys_
};

// A key path below a root as the registry takes it: one leading backslash dropped, then components
// separated by single backslashes, none empty and none holding a control character, at most
// MaxKeyPathLength in all. Empty when the path names no key; "" for the root itself.
std::optional<std::string> KeyPathBelowRoot(std::string_view keyPath);
// The registry's own limit on a key's name. It also bounds what a key's parents cost: each is made with it.
inline constexpr std::size_t MaxKeyPathLength = 255;

// Whether a value of this name can be written to the text (no line breaks or other control characters).
bool IsStorableValueName(std::string_view name);

// The typed reads and writes; they throw DialtopError with the registry's failure texts.
std::int32_t DwordOf(const RegistryValue* value, const std::string& name);
std::string TextOf(const RegistryValue* value, const std::string& name);
RegistryValue DwordValue(const std::string& name, std::int32_t number);
RegistryValue TextValue(const std::string& name, const std::string& text);
