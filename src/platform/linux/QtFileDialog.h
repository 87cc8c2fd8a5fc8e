#pragma once

#include "platform/FileDialog.h"

// Qt's open-file dialog (the desktop's own where Qt has a platform theme for it).
class QtFileDialog : public platform::FileDialog {
public:
    std::optional<QString> openFile(QWidget& parent, const QString& folder,
                                    const QStringList& filters) override;
};
