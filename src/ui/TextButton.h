#pragma once

#include <QLabel>
#include <QPoint>

// The dialogs' buttons: a bold caption in a flat box that acts when the mouse lets go of it.
// Any button presses it; the keyboard never does.
class TTextButton : public QLabel {
    Q_OBJECT

public:
    TTextButton(const QString& name, const QString& caption, QWidget* parent);

signals:
    // After the button has turned orange.
    void mouseDown(Qt::MouseButton button);
    // After it has turned grey again; pos is relative to the button and may lie outside it.
    void mouseUp(Qt::MouseButton button, QPoint pos);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void paintBackground(const QColor& color);
};
