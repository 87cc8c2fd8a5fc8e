#include "platform/linux/AutostartEntry.h"

#include <algorithm>

namespace {

const std::string_view DeletedSuffix = " (deleted)"; // what /proc/self/exe adds to a removed binary

// A string value of a desktop entry, escaped by the entry format's rules.
std::string stringValue(std::string_view text) {
    std::string escaped;
    // Readers drop the blanks after "=", so a leading one is kept by its escape.
    if (text.starts_with(' ')) {
        escaped = "\\s";
        text.remove_prefix(1);
    }
    for (const char c : text) {
        switch (c) {
        case '\\':
            escaped += "\\\\";
            break;
        case '\t':
            escaped += "\\t";
            break;
        case '\r':
            escaped += "\\r";
            break;
        default:
            escaped += c;
        }
    }
    return escaped;
}

// The path as one quoted argument of an Exec key, before the string value's own escaping.
std::string execArgument(std::string_view path) {
    std::string quoted = "\"";
    for (const char c : path) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        if (c == '%')
            quoted += '%'; // a literal percent sign, not a field code
        quoted += c;
    }
    return quoted + '"';
}

// What QByteArray::trimmed() takes away: ASCII white space at both ends.
std::string_view trimmed(std::string_view text) {
    const char* blanks = " \t\n\v\f\r";
    const std::size_t first = text.find_first_not_of(blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

} // namespace

bool IsWritableExecutable(std::string_view executable) {
    return !executable.empty() && executable.find('\n') == std::string_view::npos &&
           !executable.ends_with(DeletedSuffix);
}

std::string AutostartEntryText(std::string_view executable) {
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Dialtop\n"
           "Comment=Desktop clock\n"
           "Exec=" +
           stringValue(execArgument(executable)) + "\nTryExec=" + stringValue(executable) +
           "\nIcon=dialtop\n"
           "Terminal=false\n";
}

bool IsSwitchedOff(std::string_view entry) {
    bool inMainGroup = false;
    for (std::size_t start = 0; start <= entry.size();) {
        const std::size_t end = std::min(entry.find('\n', start), entry.size());
        const std::string_view line = trimmed(entry.substr(start, end - start));
        start = end + 1;
        if (line.starts_with('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const std::size_t equals = line.find('=');
        if (!inMainGroup || equals == std::string_view::npos)
            continue;
        const std::string_view key = trimmed(line.substr(0, equals));
        const std::string_view value = trimmed(line.substr(equals + 1));
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}
