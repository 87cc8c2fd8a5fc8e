// Any text is either refused or gives exactly 32 hexadecimal digits, those of its first line.
#include "FuzzCheck.h"
#include "platform/linux/ProcText.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    const platform::FactReading id = MachineIdOfText(text);
    check(id.status != platform::FactReading::Unreadable);
    if (id.status == platform::FactReading::Missing) {
        check(id.value.empty());
        return 0;
    }
    check(id.value.size() == 32 && id.value.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos);
    check(text.substr(0, text.find('\n')).find(id.value) != std::string_view::npos);
    return 0;
}
