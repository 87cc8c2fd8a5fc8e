#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class QWidget;

namespace platform {

// The desktop's dialog for choosing a file to open.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // `filters` are name filters such as "mp3 files (*.mp3)", the first one selected. Returns the chosen
    // file's full path, or nothing when the user cancelled.
    virtual std::optional<QString> openFile(QWidget& parent, const QString& folder,
                                            const QStringList& filters) = 0;
};

} // namespace platform
