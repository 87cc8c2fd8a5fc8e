#include "platform/linux/QtFileDialog.h"

#include <QFileDialog>

std::optional<QString> QtFileDialog::openFile(QWidget& parent, const QString& folder,
                                              const QStringList& filters) {
    QString selected = filters.value(0);
    const QString path = QFileDialog::getOpenFileName(&parent, QString(), folder,
                                                      filters.join(QStringLiteral(";;")), &selected);
    if (path.isEmpty())
        return std::nullopt;
    return path;
}
