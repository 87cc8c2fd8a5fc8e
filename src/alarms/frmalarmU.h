#pragma once

#include "platform/Services.h"

#include <QDialog>

class QLabel;
struct Forms;

// The alarm table dialog, also the window of a ringing alarm.
class Tfrmalarm : public QDialog {
    Q_OBJECT

public:
    Tfrmalarm(const platform::Services& services, Forms& forms);

    QLabel* stal = nullptr;

    // Shows the dialog in ringing mode below the clock for a due row.
    void RingAlarm(int row);
    // STOP ALARM released: ends ringing and closes the dialog.
    void stalMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);

private:
    void FormCreate();

    const platform::Services services_;
    Forms& forms_;
};
