#pragma once

#include "platform/RegistryTree.h"
#include "platform/TweakRegistry.h"
#include "platform/linux/FileReplacement.h"

#include <cstddef>
#include <optional>
#include <string>

// The tweak values kept in one registry-export text file per root (HKEY_CURRENT_USER.reg, ...) in a
// folder of the user's, by default $XDG_CONFIG_HOME/dialtop/registry. Every change is a locked
// read-modify-write that replaces the file in one step (ReplaceFile), so two running copies keep each
// other's writes; a write counts only once it is on the disk.
// A file that cannot be read as registry text is never rewritten: its keys do not open.
class FileTweakRegistry : public platform::TweakRegistry {
public:
    // A store is a few KB; a larger file is no registry text of ours, and reading it would only cost
    // memory and time.
    static constexpr std::size_t MaxFileBytes = 64 * 1024;

    FileTweakRegistry();
    explicit FileTweakRegistry(std::string folder, SyncFile sync = ::fsync)
        : folder_(std::move(folder)), sync_(sync) {}

    bool OpenPath(platform::RegistryRoot root, const std::string& keyPath, bool mayCreate) override;
    bool HasValue(const std::string& name) override;
    std::int32_t GetDword(const std::string& name) override;
    std::string GetText(const std::string& name) override;
    void PutDword(const std::string& name, std::int32_t value) override;
    void PutText(const std::string& name, const std::string& text) override;
    void ClosePath() override { open_.reset(); }

private:
    struct OpenKey {
        std::string rootName;
        std::string path;
        RegistryTree tree; // the file as it was read or last written
    };

    const RegistryValue* find(const std::string& name) const;
    void put(RegistryValue value);

    std::string folder_;
    SyncFile sync_ = ::fsync;
    std::optional<OpenKey> open_;
};
