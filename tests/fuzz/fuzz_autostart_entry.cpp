// Any entry reads the same with CR LF line ends. The entry written for any path that can be written
// is not switched off, has its eight lines, and its Exec and TryExec read back, by the desktop entry
// rules, as that path.
#include "FuzzCheck.h"
#include "platform/linux/AutostartEntry.h"

#include <algorithm>
#include <optional>
#include <string>

namespace {

// A string value's escapes undone.
std::string Unescaped(std::string_view value) {
    std::string text;
    for (std::size_t i = 0; i < value.size(); ++i) {
        if (value[i] != '\\' || i + 1 == value.size()) {
            text += value[i];
            continue;
        }
        const char c = value[++i];
        text += c == 's' ? ' ' : c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c;
    }
    return text;
}

// The one quoted argument of an Exec value; empty when it is not exactly one well-formed argument.
std::optional<std::string> Argument(std::string_view exec) {
    if (exec.size() < 2 || exec.front() != '"' || exec.back() != '"')
        return std::nullopt;
    std::string argument;
    for (std::size_t i = 1; i + 1 < exec.size(); ++i) {
        char c = exec[i];
        const bool last = i + 2 == exec.size();
        if (c == '\\' && !last && std::string_view("\"`$\\").find(exec[i + 1]) != std::string_view::npos)
            c = exec[++i];
        else if (c == '%' && !last && exec[i + 1] == '%')
            ++i;
        else if (std::string_view("\"`$\\%").find(c) != std::string_view::npos)
            return std::nullopt;
        argument += c;
    }
    return argument;
}

// The value of a key, with the blanks after "=" left out as readers of the format leave them out.
std::string_view Value(std::string_view entry, std::string_view key) {
    std::size_t start = entry.find("\n" + std::string(key) + "=") + key.size() + 2;
    start = std::min(entry.find_first_not_of(" \t", start), entry.size());
    return entry.substr(start, entry.find('\n', start) - start);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text = InputText(data, size);
    std::string crlf;
    for (const char c : text)
        crlf += c == '\n' ? "\r\n" : std::string(1, c);
    check(IsSwitchedOff(text) == IsSwitchedOff(crlf));

    if (!IsWritableExecutable(text))
        return 0;
    const std::string entry = AutostartEntryText(text);
    check(!IsSwitchedOff(entry) && std::count(entry.begin(), entry.end(), '\n') == 8);
    check(Argument(Unescaped(Value(entry, "Exec"))) == text);
    check(Unescaped(Value(entry, "TryExec")) == text);
    return 0;
}
