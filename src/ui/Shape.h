#pragma once

#include <QColor>
#include <QWidget>

// A filled rectangle with a one-pixel outline, like the frames and squares of the windows.
class TShape : public QWidget {
    Q_OBJECT

public:
    TShape(const QString& name, QWidget* parent);

    void setBrushColor(const QColor& color);
    // Qt::NoBrush leaves the inside transparent: a bare frame.
    void setBrushStyle(Qt::BrushStyle style);
    void setPenColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor brush_ = Qt::white;
    Qt::BrushStyle brushStyle_ = Qt::SolidPattern;
    QColor pen_ = Qt::black;
};
