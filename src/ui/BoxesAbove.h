#pragma once

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <vector>

namespace platform {
class WindowSystem;
}

// Keeps a window that stays on top clickable while it is on: Qt would let a modal box shown after it
// block it, and the window manager would keep the box under it. Each box shown meanwhile is made to
// block only the windows it belongs to, and goes above.
class BoxesAbove : public QObject {
    Q_OBJECT

public:
    BoxesAbove(QWidget& window, platform::WindowSystem& windows);

    void start();
    // The boxes still open go back to the ordinary layer.
    void stop();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void release(QWidget& box);

    QWidget& window_;
    platform::WindowSystem& windows_;
    std::vector<QPointer<QWidget>> boxes_;
};
