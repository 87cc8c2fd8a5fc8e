// The custom schedule dialog under the clock: hours, minutes and seconds with "+" and "-", OK and CANCEL.

#include "power/frmcustskedU.h"

#include "platform/Dialogs.h"
#include "platform/Services.h"
#include "ui/BorderlessWindow.h"
#include "ui/FaceDrag.h"
#include "ui/Guarded.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>

#include <limits>

namespace {

QLabel* makeLabel(const QString& name, const QString& text, QWidget* parent, QRect geometry,
                  const QColor& colour) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(geometry);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    return label;
}

QPushButton* makeStepButton(const QString& name, const QString& caption, QWidget* parent, QPoint at) {
    auto* button = new QPushButton(caption, parent);
    button->setObjectName(name);
    button->setGeometry(QRect(at, QSize(14, 17)));
    button->setFlat(true);
    button->setFocusPolicy(Qt::NoFocus);
    button->setCursor(Qt::PointingHandCursor);
    QPalette palette = button->palette();
    palette.setColor(QPalette::ButtonText, Qt::white);
    button->setPalette(palette);
    return button;
}

// Adds `delta` to the value shown, unless that leaves 0..limit; nothing wraps or carries.
void Step(QLabel& value, int delta, long long limit) {
    const long long next = value.text().toLongLong() + delta;
    if (next < 0 || next > limit)
        return;
    value.setText(QString::asprintf("%.2lld", next));
}

constexpr long long Unbounded = std::numeric_limits<int>::max();

} // namespace

Tfrmcustsked::Tfrmcustsked(const platform::Services& services) : dialogs_(services.dialogs) {
    MakeBorderless(*this, QStringLiteral("frmcustsked"), QColor(72, 72, 72), QSize(115, 87));
    setWindowOpacity(250.0 / 255.0);
    // Small enough for "Minutes" and "Seconds" to fit before the values.
    QFont small(QStringLiteral("Arial"));
    small.setPixelSize(11);
    setFont(small);

    Shape1 = new TShape(QStringLiteral("Shape1"), this);
    Shape1->setGeometry(1, 1, 98, 85);
    Shape1->setBrushStyle(Qt::NoBrush);
    Shape1->setPenColor(QColor(255, 255, 174));
    // The frame covers nearly all of the face and, unlike the background, does not move the dialog.
    Shape1->installEventFilter(this);

    const QColor silver(0xC0, 0xC0, 0xC0);
    QLabel* hours =
        makeLabel(QStringLiteral("lblhourscaption"), QStringLiteral("Hours"), this, {5, 5, 44, 13}, silver);
    QLabel* minutes =
        makeLabel(QStringLiteral("lblminscaption"), QStringLiteral("Minutes"), this, {5, 25, 44, 13}, silver);
    QLabel* seconds =
        makeLabel(QStringLiteral("lblsecscaption"), QStringLiteral("Seconds"), this, {5, 43, 44, 13}, silver);

    const QColor valueColour(225, 180, 72);
    lblhours =
        makeLabel(QStringLiteral("lblhours"), QStringLiteral("00"), this, {49, 5, 19, 13}, valueColour);
    lblmins = makeLabel(QStringLiteral("lblmins"), QStringLiteral("00"), this, {49, 25, 19, 13}, valueColour);
    lblsecs = makeLabel(QStringLiteral("lblsecs"), QStringLiteral("00"), this, {49, 43, 19, 13}, valueColour);

    JvtbhourUp = makeStepButton(QStringLiteral("JvtbhourUp"), QStringLiteral("+"), this, {67, 4});
    JvtbhourDown = makeStepButton(QStringLiteral("JvtbhourDown"), QStringLiteral("-"), this, {83, 4});
    JvtbminUp = makeStepButton(QStringLiteral("JvtbminUp"), QStringLiteral("+"), this, {67, 23});
    JvtbminDown = makeStepButton(QStringLiteral("JvtbminDown"), QStringLiteral("-"), this, {83, 23});
    JvtbsecUp = makeStepButton(QStringLiteral("JvtbsecUp"), QStringLiteral("+"), this, {67, 42});
    JvtbsecDown = makeStepButton(QStringLiteral("JvtbsecDown"), QStringLiteral("-"), this, {83, 42});
    connect(JvtbhourUp, &QPushButton::clicked, this, Guarded([this] { JvtbhourUpClick(); }));
    connect(JvtbhourDown, &QPushButton::clicked, this, Guarded([this] { JvtbhourDownClick(); }));
    connect(JvtbminUp, &QPushButton::clicked, this, Guarded([this] { JvtbminUpClick(); }));
    connect(JvtbminDown, &QPushButton::clicked, this, Guarded([this] { JvtbminDownClick(); }));
    connect(JvtbsecUp, &QPushButton::clicked, this, Guarded([this] { JvtbsecUpClick(); }));
    connect(JvtbsecDown, &QPushButton::clicked, this, Guarded([this] { JvtbsecDownClick(); }));

    stbtnOK = new TTextButton(QStringLiteral("stbtnOK"), QStringLiteral("OK"), this);
    stbtnOK->setGeometry(8, 62, 29, 21);
    stbtnOK->setToolTip(QStringLiteral("Press To Confirm Your Custom Schedule"));
    stbtnCancel = new TTextButton(QStringLiteral("stbtnCancel"), QStringLiteral("CANCEL"), this);
    stbtnCancel->setGeometry(39, 62, 56, 21);
    stbtnCancel->setToolTip(QStringLiteral("Press To Cancel Your Custom Schedule"));
    connect(stbtnOK, &TTextButton::mouseUp, this, Guarded([this] { stbtnOKMouseUp(); }));
    connect(stbtnCancel, &TTextButton::mouseUp, this, Guarded([this] { stbtnCancelMouseUp(); }));

    moveit_ = new FaceDrag(*this, services.windows);
    moveit_->addSources({this, hours, minutes, seconds, lblhours, lblmins, lblsecs});
}

void Tfrmcustsked::JvtbhourUpClick() {
    Step(*lblhours, +1, Unbounded);
}

void Tfrmcustsked::JvtbhourDownClick() {
    Step(*lblhours, -1, Unbounded);
}

void Tfrmcustsked::JvtbminUpClick() {
    Step(*lblmins, +1, 59);
}

void Tfrmcustsked::JvtbminDownClick() {
    Step(*lblmins, -1, 59);
}

void Tfrmcustsked::JvtbsecUpClick() {
    Step(*lblsecs, +1, 59);
}

void Tfrmcustsked::JvtbsecDownClick() {
    Step(*lblsecs, -1, 59);
}

void Tfrmcustsked::stbtnOKMouseUp() {
    const QString question = QStringLiteral("Your System Will ") + ActionWord + QStringLiteral(" in ") +
                             lblhours->text() + QStringLiteral(" hours, ") + lblmins->text() +
                             QStringLiteral(" minutes and ") + lblsecs->text() +
                             QStringLiteral(" seconds.\n\rAre You Sure?");
    if (dialogs_.confirm(QStringLiteral("Confirm"), question))
        accept();
}

void Tfrmcustsked::stbtnCancelMouseUp() {
    reject();
}

bool Tfrmcustsked::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Shape1 &&
        (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick ||
         event->type() == QEvent::MouseButtonRelease))
        return true;
    return TModalDialog::eventFilter(watched, event);
}

Tfrmcustsked::Delay Tfrmcustsked::ChosenDelay() const {
    return {lblhours->text().toStdString(), lblmins->text().toStdString(), lblsecs->text().toStdString()};
}
