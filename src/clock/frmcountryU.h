// The second country's dialog under the clock: the country's name, its difference in minutes and
// whether the clock starts expanded.
#pragma once

#include "ui/ModalDialog.h"

#include <QRect>

class QCheckBox;
class QLabel;
class QLineEdit;
class TShape;
class SettingsStore;
class TTextButton;
namespace platform {
struct Services;
}

// The dialog under the clock that names the second country and its difference in minutes.
class Tfrmcountry : public TModalDialog {
    Q_OBJECT

public:
    Tfrmcountry(const platform::Services& services, SettingsStore& settings);

    static constexpr int OpenWidth = 187;
    // Typing stops at this many characters.
    static constexpr int CountryNameLimit = 11;

    // Opened width, right edges aligned, directly under the clock at `clock`.
    void PlaceBelowClock(const QRect& clock);
    // Shows the second country's settings as they are in memory.
    void FillSettings();
    // Takes the dialog's settings into memory, as OK does; a difference that is no number throws, after
    // the name is taken and before anything else.
    void TakeSettings();

    // Shows the name whole, even beyond the limit, which then holds for typing only.
    void SetCountryName(const QString& name);
    // The difference as a plain whole number; anything else becomes 0.
    void edminutesExit();

    TShape* Shape1 = nullptr;
    QLabel* lblname = nullptr;
    QLabel* lblminutes = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* edcountry = nullptr;
    QLineEdit* edminutes = nullptr;
    QCheckBox* cbExpanded = nullptr;
    TTextButton* stbtnOK = nullptr;
    TTextButton* stbtnCancel = nullptr;

private:
    SettingsStore& settings_;
};
