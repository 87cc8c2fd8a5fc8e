#pragma once

#include <QWidget>

class QLabel;
struct Forms;
namespace platform {
struct Services;
}

// The system-information window, opened by unrolling from the clock.
class Tfrmabout : public QWidget {
    Q_OBJECT

public:
    Tfrmabout(const platform::Services& services, Forms& forms);

    QLabel* lblkey = nullptr;
    // The due times of an armed shutdown and reboot, written by the clock's scheduler.
    QLabel* lblshutdownafter = nullptr;
    QLabel* lblrebootafter = nullptr;

private:
    void FormCreate();

    Forms& forms_;
};
