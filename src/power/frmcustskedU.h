// The custom schedule dialog under the clock: hours, minutes and seconds with "+" and "-", OK and CANCEL.
#pragma once

#include "ui/ModalDialog.h"

#include <QString>

#include <string>

class FaceDrag;
class QLabel;
class QPushButton;
class TShape;
class TTextButton;
namespace platform {
class Dialogs;
struct Services;
} // namespace platform

// The custom-delay dialog: hours, minutes and seconds composed with "+" and "-" and confirmed with OK.
class Tfrmcustsked : public TModalDialog {
    Q_OBJECT

public:
    explicit Tfrmcustsked(const platform::Services& services);

    // "Shutdown" or "Reboot", set before each run; only the confirmation names it.
    QString ActionWord;

    // The delay as the three fields show it, for the scheduler to read.
    struct Delay {
        std::string hours;
        std::string minutes;
        std::string seconds;
    };
    Delay ChosenDelay() const;

    TShape* Shape1 = nullptr;
    QLabel* lblhours = nullptr;
    QLabel* lblmins = nullptr;
    QLabel* lblsecs = nullptr;
    QPushButton* JvtbhourUp = nullptr;
    QPushButton* JvtbhourDown = nullptr;
    QPushButton* JvtbminUp = nullptr;
    QPushButton* JvtbminDown = nullptr;
    QPushButton* JvtbsecUp = nullptr;
    QPushButton* JvtbsecDown = nullptr;
    TTextButton* stbtnOK = nullptr;
    TTextButton* stbtnCancel = nullptr;

    void JvtbhourUpClick();
    void JvtbhourDownClick();
    void JvtbminUpClick();
    void JvtbminDownClick();
    void JvtbsecUpClick();
    void JvtbsecDownClick();
    void stbtnOKMouseUp();
    void stbtnCancelMouseUp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    platform::Dialogs& dialogs_;
    FaceDrag* moveit_ = nullptr;
};
