#pragma once

#include <QWidget>

class QTimer;
struct Forms;
namespace platform {
struct Services;
}

// The blank screen.
class TfrmSleep : public QWidget {
    Q_OBJECT

public:
    TfrmSleep(const platform::Services& services, Forms& forms);

    QTimer* Timer1 = nullptr;
};
