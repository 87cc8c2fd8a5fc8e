#pragma once

#include <QWidget>

class QTimer;
struct Forms;
namespace platform {
struct Services;
}

// The penguin window.
class Tfrmrose : public QWidget {
    Q_OBJECT

public:
    Tfrmrose(const platform::Services& services, Forms& forms);

    QTimer* timerrose = nullptr;
};
