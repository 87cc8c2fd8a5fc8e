// The second country's dialog under the clock: the country's name, its difference in minutes and
// whether the clock starts expanded.

#include "clock/frmcountryU.h"

#include "base/Conversions.h"
#include "platform/Services.h"
#include "settings/SettingsStore.h"
#include "ui/BorderlessWindow.h"
#include "ui/FaceDrag.h"
#include "ui/FocusEvents.h"
#include "ui/Shape.h"
#include "ui/TextButton.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>

#include <algorithm>

namespace {

const QColor Silver(0xC0, 0xC0, 0xC0);

QLabel* makeLabel(const QString& name, const QString& text, QPoint at, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, Silver);
    label->setPalette(palette);
    label->move(at);
    label->adjustSize();
    return label;
}

QLineEdit* makeEdit(const QString& name, const QString& text, int top, QWidget* parent) {
    auto* edit = new QLineEdit(text, parent);
    edit->setObjectName(name);
    edit->setGeometry(110, top, 73, 19);
    edit->setFrame(false);
    QPalette palette = edit->palette();
    palette.setColor(QPalette::Base, Silver);
    edit->setPalette(palette);
    edit->setAttribute(Qt::WA_InputMethodEnabled, false);
    return edit;
}

} // namespace

Tfrmcountry::Tfrmcountry(const platform::Services& services, SettingsStore& settings) : settings_(settings) {
    MakeBorderless(*this, QStringLiteral("frmcountry"), QColor(0x48, 0x48, 0x48), QSize(OpenWidth, 83));
    setWindowOpacity(250 / 255.0);
    // Narrow faces first, so the captions fit beside the edit boxes as designed.
    QFont face;
    face.setFamilies(
        {QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    face.setPixelSize(11);
    setFont(face);

    Shape1 = new TShape(QStringLiteral("Shape1"), this);
    Shape1->setGeometry(1, 1, 185, 81);
    Shape1->setBrushStyle(Qt::NoBrush);
    Shape1->setPenColor(QColor(0xFF, 0xFF, 0xAE));

    lblname = makeLabel(QStringLiteral("lblname"), QStringLiteral("Country Name"), {5, 5}, this);
    lblminutes =
        makeLabel(QStringLiteral("lblminutes"), QStringLiteral("Difference In Minutes"), {5, 25}, this);
    Label1 = makeLabel(QStringLiteral("Label1"), QStringLiteral("Always Show Expanded View"), {5, 43}, this);

    edcountry = makeEdit(QStringLiteral("edcountry"), QStringLiteral("Vazezo"), 3, this);
    edcountry->setMaxLength(CountryNameLimit);
    // Typing may shorten a longer name but never lengthen it.
    connect(edcountry, &QLineEdit::textEdited, this, [this](const QString& text) {
        edcountry->setMaxLength(std::max<int>(CountryNameLimit, text.size()));
    });
    edminutes = makeEdit(QStringLiteral("edminutes"), QStringLiteral("0"), 23, this);
    OnRealFocusLeave(*edminutes, [this] { edminutesExit(); });

    cbExpanded = new QCheckBox(this);
    cbExpanded->setObjectName(QStringLiteral("cbExpanded"));
    cbExpanded->setGeometry(152, 42, 17, 17);

    stbtnOK = new TTextButton(QStringLiteral("stbtnOK"), QStringLiteral("OK"), this);
    stbtnOK->setGeometry(56, 59, 29, 21);
    stbtnOK->setToolTip(QStringLiteral("Press To Confirm Your Settings For The Additional Country"));
    connect(stbtnOK, &TTextButton::mouseUp, this, &QDialog::accept);
    stbtnCancel = new TTextButton(QStringLiteral("stbtnCancel"), QStringLiteral("CANCEL"), this);
    stbtnCancel->setGeometry(87, 59, 56, 21);
    stbtnCancel->setToolTip(QStringLiteral("Press To Cancel Your Settings For The Additional Country"));
    connect(stbtnCancel, &TTextButton::mouseUp, this, &QDialog::reject);

    auto* drag = new FaceDrag(*this, services.windows);
    drag->addSources({this, Shape1, lblname, lblminutes, Label1});
}

void Tfrmcountry::PlaceBelowClock(const QRect& clock) {
    resize(OpenWidth, height());
    move(clock.x() - (OpenWidth - clock.width()), clock.y() + clock.height());
}

void Tfrmcountry::FillSettings() {
    SetCountryName(settings_.values.CountryName);
    edminutes->setText(QString::number(settings_.values.TimeDifference));
    cbExpanded->setChecked(settings_.values.ShowExpanded);
}

void Tfrmcountry::TakeSettings() {
    settings_.values.CountryName = edcountry->text();
    settings_.values.TimeDifference = StrToInt(edminutes->text().toStdString());
    settings_.values.ShowExpanded = cbExpanded->isChecked();
}

void Tfrmcountry::SetCountryName(const QString& name) {
    edcountry->setMaxLength(std::max<int>(CountryNameLimit, name.size()));
    edcountry->setText(name);
}

void Tfrmcountry::edminutesExit() {
    edminutes->setText(QString::number(StrToIntDef(edminutes->text().toStdString(), 0)));
}
