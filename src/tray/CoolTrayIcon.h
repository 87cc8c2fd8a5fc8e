#pragma once

#include <QObject>
#include <QString>

class QWidget;
namespace platform {
class WindowSystem;
}

// The notification-area icon of the clock: its tip and the taskbar button it stands in for.
class TCoolTrayIcon : public QObject {
    Q_OBJECT

public:
    TCoolTrayIcon(QWidget& owner, platform::WindowSystem& windows);

    QString Hint() const { return hint_; }
    void setHint(const QString& hint);

    // The program never shows a taskbar button of its own.
    void HideTaskbarButton();

private:
    QWidget& owner_;
    platform::WindowSystem& windows_;
    QString hint_;
};
