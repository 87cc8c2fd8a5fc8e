#pragma once

#include <QColor>
#include <QWidget>

// A rectangle with a one-pixel outline, optionally filled, like the frames and squares of the windows.
class TShape : public QWidget {
    Q_OBJECT

public:
    TShape(const QString& name, QWidget* parent);

    QColor brushColor() const { return brush_; }
    void setBrushColor(const QColor& color);
    // A clear brush leaves the inside unpainted.
    void setBrushClear(bool clear);
    bool brushClear() const { return clear_; }
    QColor penColor() const { return pen_; }
    void setPenColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = Qt::white;
    QColor pen_ = Qt::black;
    bool clear_ = false;
};
