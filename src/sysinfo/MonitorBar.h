#pragma once

#include <QString>
#include <QWidget>

// A live-monitor bar: one grey pixel per percent, a centred figure and a one-pixel silver frame.
class TMonitorBar : public QWidget {
    Q_OBJECT

public:
    TMonitorBar(const QString& name, QWidget* parent);

    void draw(int length, const QString& text);
    int length() const { return length_; }
    QString text() const { return text_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    int length_ = 0;
    QString text_;
};
