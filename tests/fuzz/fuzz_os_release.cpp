// Any os-release text gives one line without blanks at its ends; a name written as the os-release rules
// quote it reads back as itself.
#include "FuzzCheck.h"
#include "platform/linux/ProcText.h"

#include <string>

namespace {

const char* const Blanks = " \t\r\n";

std::string Quoted(std::string_view name) {
    std::string quoted = "\"";
    for (const char c : name) {
        if (c == '"' || c == '\\' || c == '$' || c == '`')
            quoted += '\\';
        quoted += c;
    }
    return quoted + '"';
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    const std::string name = OsNameOfText(text);
    check(name.find('\n') == std::string::npos);
    check(name.empty() || (name.find_first_of(Blanks) != 0 && name.find_last_of(Blanks) != name.size() - 1));

    const std::string_view line = text.substr(0, text.find('\n'));
    const std::size_t first = line.find_first_not_of(Blanks);
    const std::string_view bare =
        first == std::string_view::npos ? "" : line.substr(first, line.find_last_not_of(Blanks) - first + 1);
    check(OsNameOfText("NAME=\"Some\"\nPRETTY_NAME=" + Quoted(line) + "\nID=some\n") == bare);
    return 0;
}
