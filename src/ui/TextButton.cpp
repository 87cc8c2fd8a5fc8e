#include "ui/TextButton.h"

#include <QMouseEvent>

namespace {

const QColor Idle(0x80, 0x80, 0x80);
const QColor Pressed(0xFF, 0x80, 0x00);

} // namespace

TTextButton::TTextButton(const QString& name, const QString& caption, QWidget* parent)
    : QLabel(caption, parent) {
    setObjectName(name);
    QFont bold = font();
    bold.setBold(true);
    setFont(bold);
    setAlignment(Qt::AlignCenter);
    setFrameStyle(QFrame::Box | QFrame::Plain);
    setLineWidth(1);
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(true);
    paintBackground(Idle);
}

void TTextButton::paintBackground(const QColor& color) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, color);
    setPalette(palette);
}

void TTextButton::mousePressEvent(QMouseEvent* event) {
    event->accept();
    paintBackground(Pressed);
    emit mouseDown(event->button());
}

void TTextButton::mouseReleaseEvent(QMouseEvent* event) {
    event->accept();
    paintBackground(Idle);
    emit mouseUp(event->button(), event->position().toPoint());
}
