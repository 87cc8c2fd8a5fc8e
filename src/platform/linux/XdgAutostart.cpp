#include "platform/linux/XdgAutostart.h"

#include "clock/DialtopError.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include <cstdlib>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString EntryName = QStringLiteral("dialtop.desktop");
const std::string_view DeletedSuffix = " (deleted)"; // what /proc/self/exe adds to a removed binary

QString autostartFolder() {
    const char* configHome = std::getenv("XDG_CONFIG_HOME");
    // A relative XDG_CONFIG_HOME is invalid and ignored, as the XDG base directory rules say.
    if (configHome && configHome[0] == '/')
        return QFile::decodeName(configHome) + QStringLiteral("/autostart");
    const char* home = std::getenv("HOME");
    if (!home || !*home) {
        const passwd* user = getpwuid(geteuid());
        home = user ? user->pw_dir : "";
    }
    return QFile::decodeName(home) + QStringLiteral("/.config/autostart");
}

// A string value of a desktop entry, escaped by the entry format's rules.
std::string stringValue(const std::string& text) {
    std::string escaped;
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
std::string execArgument(const std::string& path) {
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

bool writable(const std::string& executable) {
    return !executable.empty() && executable.find('\n') == std::string::npos &&
           !executable.ends_with(DeletedSuffix);
}

QByteArray entryText(const std::string& executable) {
    const std::string text = "[Desktop Entry]\n"
                             "Type=Application\n"
                             "Name=Dialtop\n"
                             "Comment=Desktop clock\n"
                             "Exec=" +
                             stringValue(execArgument(executable)) + "\nTryExec=" + stringValue(executable) +
                             "\nIcon=dialtop\n"
                             "Terminal=false\n";
    return QByteArray::fromStdString(text);
}

// Desktops switch an entry off by keeping the file with one of these keys.
bool switchedOff(const QByteArray& text) {
    bool inMainGroup = false;
    for (const QByteArray& rawLine : text.split('\n')) {
        const QByteArray line = rawLine.trimmed();
        if (line.startsWith('[')) {
            inMainGroup = line == "[Desktop Entry]";
            continue;
        }
        const int equals = line.indexOf('=');
        if (!inMainGroup || equals < 0)
            continue;
        const QByteArray key = line.left(equals).trimmed();
        const QByteArray value = line.mid(equals + 1).trimmed();
        if ((key == "Hidden" && value == "true") || (key == "X-GNOME-Autostart-enabled" && value == "false"))
            return true;
    }
    return false;
}

} // namespace

std::optional<bool> XdgAutostart::isRegistered() const {
    const QDir folder(autostartFolder());
    if (!folder.exists())
        return std::nullopt;
    QFile entry(folder.filePath(EntryName));
    if (!entry.exists())
        return false;
    // An entry that cannot be read is still there and still started.
    return !entry.open(QIODevice::ReadOnly) || !switchedOff(entry.readAll());
}

void XdgAutostart::registerExecutable(const std::string& executable) {
    const QString folder = autostartFolder();
    if (!QDir().mkpath(folder))
        return;
    const QString path = QDir(folder).filePath(EntryName);
    // Written whole into a temporary file and renamed over the old entry, never half.
    QSaveFile entry(path);
    if (!writable(executable) || !entry.open(QIODevice::WriteOnly) ||
        entry.write(entryText(executable)) < 0 || !entry.commit())
        throw DialtopError("Failed to set data for '" + path.toStdString() + "'");
}

void XdgAutostart::unregister() {
    QDir folder(autostartFolder());
    if (folder.exists())
        folder.remove(EntryName);
}
