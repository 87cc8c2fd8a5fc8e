// Any bytes must parse, read every kind of key without a crash, give themselves back unchanged, and
// take a write that then reads back.
#include "FuzzCheck.h"
#include "settings/ProfileFile.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    ProfileFile profile = ProfileFile::parse(bytes);
    check(profile.bytes() == bytes);

    for (const char* section : {"timedif", "alarm1", "alarm17"}) {
        for (const char* key : {"minutes", "country", "showexpanded", "ison", "hour", "minute", "sound"}) {
            check(profile.readText(section, key, "").size() <= ProfileFile::MaxTextLength);
            profile.readInteger(section, key, 0);
            profile.readBool(section, key, false);
        }
    }

    profile.writeInteger("timedif", "minutes", -90);
    profile.writeText("alarm1", "sound", "/a b.mp3");
    profile.writeBool("alarm17", "ison", true);
    const ProfileFile saved = ProfileFile::parse(profile.bytes());
    check(saved.readInteger("timedif", "minutes", 0) == -90);
    check(saved.readText("alarm1", "sound", "") == "/a b.mp3");
    check(saved.readBool("alarm17", "ison", false));
    return 0;
}
