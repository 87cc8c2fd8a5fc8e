// The blank screen: the whole screen black, with a "Press Esc To Exit" that moves every second.
#pragma once

#include "fullscreen/GridPicker.h"
#include "platform/Services.h"

#include <QWidget>

#include <cstdint>

class MessageTimer;
class QLabel;

// The blank screen: black all over, with a hint that jumps to a new place every second.
class TfrmSleep : public QWidget {
    Q_OBJECT

public:
    // The hint's cell, its size as laid out; the grid does not follow the font actually used.
    static constexpr int HintWidth = 101;
    static constexpr int HintHeight = 13;

    explicit TfrmSleep(const platform::Services& services);

    QLabel* lblesc1 = nullptr;
    MessageTimer* Timer1 = nullptr;

    // Over the panels too, and with the keyboard: a key is the only way out. `time` is that of the key
    // press that asked for the window.
    void coverScreen(std::uint32_t time);
    void Timer1Timer();
    void FormKeyDown(int key);

signals:
    // An exit key closed the window.
    void left();

protected:
    bool event(QEvent* event) override;

private:
    const platform::Services services_;
    GridPicker grid_;
};
