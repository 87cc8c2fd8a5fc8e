#include "platform/linux/XdgAutostart.h"

#include "base/DialtopError.h"
#include "platform/linux/AutostartEntry.h"

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

} // namespace

std::optional<bool> XdgAutostart::isRegistered() const {
    const QDir folder(autostartFolder());
    if (!folder.exists())
        return std::nullopt;
    QFile entry(folder.filePath(EntryName));
    if (!entry.exists())
        return false;
    // An entry that cannot be read is still there and still started.
    return !entry.open(QIODevice::ReadOnly) || !IsSwitchedOff(entry.readAll().toStdString());
}

void XdgAutostart::registerExecutable(const std::string& executable) {
    const QString folder = autostartFolder();
    if (!QDir().mkpath(folder))
        return;
    const QString path = QDir(folder).filePath(EntryName);
    // Written whole into a temporary file and renamed over the old entry, never half.
    QSaveFile entry(path);
    if (!IsWritableExecutable(executable) || !entry.open(QIODevice::WriteOnly) ||
        entry.write(QByteArray::fromStdString(AutostartEntryText(executable))) < 0 || !entry.commit())
        throw DialtopError("Failed to set data for '" + path.toStdString() + "'");
}

void XdgAutostart::unregister() {
    QDir folder(autostartFolder());
    if (folder.exists())
        folder.remove(EntryName);
}
