#pragma once

#include "platform/WindowSystem.h"

class X11WindowSystem : public platform::WindowSystem {
public:
    QRect screenGeometry() const override;
    QRect workArea() const override;
    bool isTaskbarButtonVisible(QWidget& window) const override;
    void hideTaskbarButton(QWidget& window) override;
    void setTopmost(QWidget& window, bool topmost) override;
    void bringToFront(QWidget& window) override;
    bool isApplicationActive() const override;
};
