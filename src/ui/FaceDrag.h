#pragma once

#include <QObject>
#include <QPoint>

#include <initializer_list>

class QWidget;
namespace platform {
class WindowSystem;
}

// Moves a borderless window by its face: a left-button press on one of the sources hands the move
// to the window manager, as a caption bar would; without a window manager the window follows the
// pointer until the button is let go. A press read only after the button is up starts nothing.
// Presses on a source never reach the widgets behind it.
class FaceDrag : public QObject {
    Q_OBJECT

public:
    FaceDrag(QWidget& window, platform::WindowSystem& windows);

    void addSources(std::initializer_list<QWidget*> sources);

signals:
    void started();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QWidget& window_;
    platform::WindowSystem& windows_;
    bool following_ = false;
    QPoint grabOffset_;
};
