#pragma once

#include <QString>

// The application title: caption of plain message boxes and of the general error box.
inline const QString ApplicationTitle = QStringLiteral("dialtop");
