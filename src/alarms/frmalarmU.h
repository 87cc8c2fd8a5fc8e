// The alarm window: the table of seventeen alarms, and the window of a ringing alarm.
#pragma once

#include "base/AlarmRows.h"
#include "platform/Services.h"
#include "ui/ModalDialog.h"
#include "ui/TextButton.h"

#include <QRect>

class AlarmRinger;
class BoxesAbove;
class MessageTimer;
class QLabel;
class QLineEdit;
class SettingsStore;
class TShape;

// The alarm dialog: seventeen rows of Use, hour, minute and media file; also the window of a ringing alarm.
class Tfrmalarm : public TModalDialog {
    Q_OBJECT

public:
    Tfrmalarm(const platform::Services& services, SettingsStore& settings, AlarmRinger& ringer);

    // The caption of STOP ALARM, which names the stop-alarm hotkey.
    void setStopAlarmCaption(const QString& caption);

    // The rows, by row number 1..17.
    AlarmRows<QLabel*> stalRow;
    AlarmRows<QLineEdit*> edh;
    AlarmRows<QLineEdit*> edm;
    AlarmRows<QLineEdit*> eds;
    AlarmRows<TTextButton*> stbtnf;

    TShape* Shape1 = nullptr;
    TTextButton* stbtnOK = nullptr;
    TTextButton* stbtnCancel = nullptr;
    TTextButton* stal = nullptr;
    MessageTimer* timeralarm = nullptr;
    // False when the frame is to be filled at the next flash, true when it is to be cleared.
    bool FlashPhase = false;

    // Below the clock at `clock` with the right edges aligned; moved up or in where that would leave the
    // screen.
    void PlaceBelowClock(const QRect& clock);
    // Shows the alarm table of the settings in the rows.
    void FillRows();
    // Takes the rows into the alarm table of the settings, as OK does.
    void TakeRows();

    // A row rings: the dialog shows the reloaded table in ringing mode, below the clock at `clock`.
    void ShowRinging(const QRect& clock);
    // STOP ALARM released, or the stop-alarm hotkey: ends ringing and closes the dialog.
    void stalMouseUp(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, int x, int y);
    void timeralarmTimer();
    void MediaPlayer1Notify();

    // Row handlers, for the row of the control that raised the event.
    void stal1Click(int row);
    void edh1KeyUp(QLineEdit& edit);
    void edm1KeyUp(QLineEdit& edit);
    void edh1Enter(QLineEdit& edit);
    void edh1Exit(QLineEdit& edit);
    void eds1DblClick(QLineEdit& edit);
    void eds1Exit(QLineEdit& edit);
    void stbtnf1MouseUp(int row);

    // Where a window of `size` below `clock` goes within `work`, the screen without its panels.
    static QRect PlaceBelow(const QRect& clock, QSize size, const QRect& work);

protected:
    void closeRequested() override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void FormCreate();
    void CreateRow(int row);
    void SetRowsEnabled(bool enabled);
    void ClearFrame();
    void CloseBoxesOverTable();
    void EndRinging();

    const platform::Services services_;
    SettingsStore& settings_;
    AlarmRinger& ringer_;
    BoxesAbove* boxesAbove_ = nullptr;
};
