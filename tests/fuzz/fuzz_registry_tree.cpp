// Any bytes must either be refused or read into a tree whose text reads back to the same text, whose
// values all read without a crash, and which takes a write that then reads back.
#include "FuzzCheck.h"
#include "base/DialtopError.h"
#include "platform/RegistryTree.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace {

const char* const Root = "HKEY_CURRENT_USER";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto tree = RegistryTree::parse(bytes, Root);
    if (!tree)
        return 0;

    const std::string text = tree->text(Root);
    const auto again = RegistryTree::parse(text, Root);
    check(again && again->text(Root) == text);

    const RegistryKey* root = tree->find("");
    check(root != nullptr);
    for (const RegistryValue& value : root->values()) {
        try {
            DwordOf(&value, value.name);
        } catch (const DialtopError&) {
        }
        try {
            TextOf(&value, value.name);
        } catch (const DialtopError&) {
        }
    }

    tree->create("Control Panel\\Desktop").put(TextValue("MenuShowDelay", "400"));
    const auto written = RegistryTree::parse(tree->text(Root), Root);
    check(written.has_value());
    const RegistryKey* desktop = written->find("control panel\\desktop");
    check(desktop && TextOf(desktop->find("menushowdelay"), "MenuShowDelay") == "400");
    return 0;
}
