// The second country's dialog under the clock: the country's name, its difference in minutes and
// whether the clock starts expanded.
#pragma once

#include "ui/ModalDialog.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class TShape;
class TTextButton;
struct Forms;
namespace platform {
struct Services;
}

// The dialog under the clock that names the second country and its difference in minutes.
class Tfrmcountry : public TModalDialog {
    Q_OBJECT

public:
    Tfrmcountry(const platform::Services& services, Forms& forms);

    static constexpr int OpenWidth = 187;
    // Typing stops at this many characters.
    static constexpr int CountryNameLimit = 11;

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
};
