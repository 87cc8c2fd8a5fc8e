// The clock's one-second tick: the time, the battery figure and its warnings, the remaining-time line.
#include "base/ByteText.h"
#include "base/DateHelpers.h"
#include "base/TimeText.h"
#include "clock/PowerStatus.h"
#include "clock/TrayControl.h"
#include "clock/formDialtop.h"
#include "platform/Dialogs.h"
#include "platform/LocalClock.h"
#include "platform/Services.h"
#include "platform/TaskbarPresence.h"
#include "platform/Tones.h"
#include "settings/SettingsStore.h"
#include "ui/Shape.h"

#include <QLabel>

namespace {

const QColor Amber(0xE4, 0xC1, 0x56);
const QColor BatteryDropped(0xFF, 0x00, 0x00);
const QColor BatteryRose(0x00, 0x80, 0x00);

const QString WarningTitle = QStringLiteral("Warning");
const QString Warning5Text = QStringLiteral("Ποσοστό Μπαταρίας 5% !!");
const QString Warning3Text = QStringLiteral("Ποσοστό Μπαταρίας 3%!!!\r"
                                            "Τερματίστε Το Συντομότερο Δυνατό Τον Υπολογιστή\r"
                                            "ή\r"
                                            "Συνδέστε ΑΜΕΣΩΣ Τον Υπολογιστή Σε Πηγή Τροφοδοσίας");

void setTextColor(QLabel* label, const QColor& color) {
    if (label->palette().color(QPalette::WindowText) == color)
        return;
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace

void Tdialform::Timer1Timer() {
    Timer1Timer(services_.clock.now());
}

void Tdialform::Timer1Timer(const platform::LocalTime& now) {
    ShowTimeTexts(now);
    lblcountry->setText(DisplayedText(settings_.values.CountryName));
    FitTimeFonts();
    // Painted now, with whatever else of the window waits, not after the rest of the tick: the new
    // second shows as close to its start as the timer allows.
    DialLabel->repaint();

    tray_->hideTaskbarButton();

    power_.ReadPowerStatus(services_.power);

    if (!services_.taskbar.isTaskbarThere()) {
        taskbarWasMissing_ = true;
        KeepReachableWithoutTray();
    } else if (taskbarWasMissing_) {
        tray_->hostAppeared();
        MinimizeAndRestore();
        taskbarWasMissing_ = false;
    }

    lblbattery->setText(power_.BatteryPercent == platform::NoBatteryReading
                            ? QStringLiteral("AC")
                            : QString::number(power_.BatteryPercent));
    tray_->setHint(lblbattery->text());

    // A warning box runs ticks of its own, which take newer samples: every step below reads the sample
    // as it stands when the step runs.
    if (batteryWatch_.TakeFivePercentWarning(power_))
        WarnBattery(false);
    batteryWatch_.RearmFivePercentWarning(power_);
    if (batteryWatch_.TakeThreePercentWarning(power_))
        WarnBattery(true);
    batteryWatch_.RearmThreePercentWarning(power_);

    if (power_.ACStatusText == AcOffLineText) {
        if (const auto estimate = batteryWatch_.TickOnBattery(power_))
            lbltimetolive->setText(QString::fromStdString(*estimate));
        setTextColor(lblbattery, power_.PercentChanged ? BatteryDropped : Amber);
        SetHeights(53);
        lbltimetolive->show();
    } else if (power_.ACStatusText == AcOnLineText) {
        setTextColor(lblbattery, power_.PercentChanged ? BatteryRose : Amber);
        SetHeights(44);
        lbltimetolive->hide();
        batteryWatch_.TickOnMains();
    }

    tray_->setHint(DialLabel->text() + QStringLiteral(" (") + lblbattery->text() + QStringLiteral("%)"));

    emit ticked(now);
}

// The warning's flag is already set, so the ticks that go on while the box is open do not open another.
void Tdialform::WarnBattery(bool threePercent) {
    BringApplicationToFront();
    services_.tones.tone(500, 200);
    if (threePercent)
        services_.tones.tone(500, 200);
    MinimizeAndRestore();
    if (threePercent)
        setFocus();
    services_.dialogs.warning(WarningTitle, threePercent ? Warning3Text : Warning5Text);
}

void Tdialform::SetHeights(int windowHeight) {
    resize(width(), windowHeight);
    client->resize(client->width(), windowHeight - 2);
    boxout->resize(boxout->width(), windowHeight - 2);
    boxin->resize(boxin->width(), windowHeight - 8);
}

void Tdialform::SetTimeFont(QLabel* label, int points) {
    // Points become pixels as at 96 dots per inch, rounded to the nearest pixel.
    QFont font = label->font();
    const int pixels = (points * 96 + 36) / 72;
    if (font.pixelSize() != pixels) {
        font.setPixelSize(pixels);
        label->setFont(font);
    }
    const QFontMetrics metrics(font);
    label->resize(metrics.horizontalAdvance(label->text()), metrics.height());
}

void Tdialform::FormPaint() {
    if (DialLabel->width() > 71)
        SetTimeFont(DialLabel, --dialLabelPoints_);
    if (DialLabel->width() < 65)
        SetTimeFont(DialLabel, ++dialLabelPoints_);
    if (diallabel2->width() > 71)
        SetTimeFont(diallabel2, diallabel2Points_ = dialLabelPoints_ - 1);
    if (diallabel2->width() < 65)
        SetTimeFont(diallabel2, diallabel2Points_ = dialLabelPoints_ + 1);
}

void Tdialform::FitTimeFonts() {
    // Each pass is what one repaint did. The walk is bounded: sizes that straddle the 65..71 band would
    // otherwise repaint forever.
    constexpr int MaxPasses = 24;
    SetTimeFont(DialLabel, dialLabelPoints_);
    SetTimeFont(diallabel2, diallabel2Points_);
    for (int pass = 0; pass < MaxPasses; ++pass) {
        const int before = dialLabelPoints_ * 1000 + diallabel2Points_;
        FormPaint();
        if (dialLabelPoints_ * 1000 + diallabel2Points_ == before)
            break;
    }
    // The second clock only ever gets the first's size plus or minus one; when neither fits, the rules
    // flip it back and forth. Its text has the same format, so the first clock's own size fits it.
    if (diallabel2->width() > 71 || diallabel2->width() < 65)
        SetTimeFont(diallabel2, diallabel2Points_ = dialLabelPoints_);
}
