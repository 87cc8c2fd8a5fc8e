// The blank screen: the whole screen black, with a "Press Esc To Exit" that moves every second.
#pragma once

#include "fullscreen/GridPicker.h"
#include "platform/Services.h"

#include <QWidget>

class MessageTimer;
class QLabel;
struct Forms;

// The blank screen: black all over, with a hint that jumps to a new place every second.
class TfrmSleep : public QWidget {
    Q_OBJECT

public:
    // The hint's cell, its size as laid out; the grid does not follow the font actually used.
    static constexpr int HintWidth = 101;
    static constexpr int HintHeight = 13;

    TfrmSleep(const platform::Services& services, Forms& forms);

    QLabel* lblesc1 = nullptr;
    MessageTimer* Timer1 = nullptr;

    void Timer1Timer();
    void FormKeyDown(int key);

protected:
    bool event(QEvent* event) override;

private:
    const platform::Services services_;
    Forms& forms_;
    GridPicker grid_;
};
