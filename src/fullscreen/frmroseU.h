// The penguin screen: white, with penguins popping up and vanishing at random.
#pragma once

#include "fullscreen/GridPicker.h"
#include "platform/Services.h"

#include <QImage>
#include <QWidget>

class MessageTimer;
class QLabel;

// The penguin window: white all over, penguins popping up and vanishing in a 200-pixel grid.
class Tfrmrose : public QWidget {
    Q_OBJECT

public:
    static constexpr int CellSize = 200;

    explicit Tfrmrose(const platform::Services& services);

    QLabel* lblesc1 = nullptr;
    QLabel* lblesc2 = nullptr;
    MessageTimer* timerrose = nullptr;
    // The penguin, drawn through its transparent mask.
    const QImage ImageList1;

    // Over the panels too, and with the keyboard: a key is the only way out. `time` is that of the key
    // press that asked for the window, 0 when there was none.
    void coverScreen(std::uint32_t time);
    void timerroseTimer();
    // `time` is the key press's window-system time, for taking the keyboard back.
    void FormKeyDown(int key, std::uint32_t time);
    // What is drawn on the window: penguins on white.
    const QImage& Canvas() const { return canvas_; }

signals:
    // A key was pressed in the window; an exit key has closed it by then.
    void keyPressed();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void ClearCanvas();

    const platform::Services services_;
    GridPicker grid_;
    QImage canvas_;
};
