#include "platform/linux/FileTweakRegistry.h"

#include "base/DialtopError.h"
#include "platform/linux/FileReplacement.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>

#include <cstdlib>
#include <functional>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr auto MaxBytes = static_cast<qint64>(FileTweakRegistry::MaxFileBytes);
// How long a write waits for another copy of the program to finish its own.
constexpr int LockWaitMs = 5000;

std::optional<std::string> rootName(platform::RegistryRoot root) {
    switch (root) {
    case platform::HKEY_CURRENT_USER:
        return "HKEY_CURRENT_USER";
    case platform::HKEY_LOCAL_MACHINE:
        return "HKEY_LOCAL_MACHINE";
    case platform::HKEY_USERS:
        return "HKEY_USERS";
    default:
        return std::nullopt;
    }
}

QString rootFile(const std::string& folder, const std::string& root) {
    return QString::fromStdString(folder + "/" + root + ".reg");
}

std::string homeFolder() {
    if (const char* home = std::getenv("HOME"); home && home[0] == '/')
        return home;
    const passwd* user = ::getpwuid(::geteuid());
    return user && user->pw_dir ? user->pw_dir : "/";
}

// The tree in the file: an empty one when there is no file; nothing when it is not registry text.
std::optional<RegistryTree> load(const QString& path, const std::string& root) {
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return RegistryTree();
    // isFile() also keeps a FIFO from holding the program at open.
    if (!info.isFile() || info.size() > MaxBytes)
        return std::nullopt;
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QByteArray bytes = file.read(MaxBytes + 1);
    if (file.error() != QFileDevice::NoError || bytes.size() > MaxBytes)
        return std::nullopt;
    return RegistryTree::parse(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                               root);
}

// Writes a temporary file private to the user and renames it over the old one.
bool save(const QString& path, const RegistryTree& tree, const std::string& root, SyncFile sync) {
    return ReplaceFile(QFile::encodeName(path).toStdString(), tree.text(root), {S_IRUSR | S_IWUSR, sync});
}

bool makeFolder(const QString& folder) {
    if (QFileInfo(folder).isDir())
        return true;
    return QDir().mkpath(folder) &&
           QFile::setPermissions(folder,
                                 QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
}

// Applies change to the file as it stands, under the lock, and writes it back when change says it
// changed something. Gives the tree as it is now on disk, or nothing when that could not be done.
std::optional<RegistryTree> update(const std::string& folder, const std::string& root, SyncFile sync,
                                   const std::function<bool(RegistryTree&)>& change) {
    if (!makeFolder(QString::fromStdString(folder)))
        return std::nullopt;
    const QString path = rootFile(folder, root);
    QLockFile lock(path + QStringLiteral(".lock"));
    if (!lock.tryLock(LockWaitMs))
        return std::nullopt;
    auto tree = load(path, root);
    if (tree && change(*tree) && !save(path, *tree, root, sync))
        return std::nullopt;
    return tree;
}

} // namespace

FileTweakRegistry::FileTweakRegistry() {
    const char* config = std::getenv("XDG_CONFIG_HOME");
    // A relative setting is to be ignored.
    const std::string base = config && config[0] == '/' ? config : homeFolder() + "/.config";
    folder_ = base + "/dialtop/registry";
}

bool FileTweakRegistry::OpenPath(platform::RegistryRoot root, const std::string& keyPath, bool mayCreate) {
    open_.reset();
    const auto name = rootName(root);
    const auto path = KeyPathBelowRoot(keyPath);
    if (!name || !path)
        return false;
    auto tree = load(rootFile(folder_, *name), *name);
    if (tree && !tree->find(*path)) {
        if (!mayCreate)
            return false;
        tree = update(folder_, *name, sync_, [&path](RegistryTree& held) {
            if (held.find(*path))
                return false;
            held.create(*path);
            return true;
        });
    }
    if (!tree)
        return false;
    open_ = OpenKey{*name, *path, std::move(*tree)};
    return true;
}

const RegistryValue* FileTweakRegistry::find(const std::string& name) const {
    const RegistryKey* key = open_ ? open_->tree.find(open_->path) : nullptr;
    return key ? key->find(name) : nullptr;
}

bool FileTweakRegistry::HasValue(const std::string& name) {
    return find(name) != nullptr;
}

std::int32_t FileTweakRegistry::GetDword(const std::string& name) {
    return DwordOf(find(name), name);
}

std::string FileTweakRegistry::GetText(const std::string& name) {
    return TextOf(find(name), name);
}

void FileTweakRegistry::PutDword(const std::string& name, std::int32_t value) {
    put(DwordValue(name, value));
}

void FileTweakRegistry::PutText(const std::string& name, const std::string& text) {
    put(TextValue(name, text));
}

void FileTweakRegistry::put(RegistryValue value) {
    const std::string refused = "Failed to set data for '" + value.name + "'";
    if (!open_ || !IsStorableValueName(value.name))
        throw DialtopError(refused);
    // Another copy may have written since the key was opened: change the file as it is now.
    auto tree = update(folder_, open_->rootName, sync_, [this, &value](RegistryTree& held) {
        held.create(open_->path).put(value);
        return true;
    });
    if (!tree)
        throw DialtopError(refused);
    open_->tree = std::move(*tree);
}
