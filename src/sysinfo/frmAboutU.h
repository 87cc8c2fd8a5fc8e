// The information window: the title, this machine's facts and the live memory, swap and processor bars.
#pragma once

#include "platform/PowerActions.h"
#include "sysinfo/CpuLoadMeter.h"
#include "sysinfo/LightsShow.h"

#include <QWidget>

#include <cstdint>
#include <random>

class QLabel;
class QTimer;
class TMonitorBar;
class TShape;
class TTextButton;
namespace platform {
struct FactReading;
class LiveReadings;
class SystemFacts;
class WindowSystem;
struct Services;
} // namespace platform

// The information window: the product's title, this machine's facts, a live monitor of memory,
// swap and processor load, the keyboard-lights show and EXIT, which rolls the window up.
class Tfrmabout : public QWidget {
    Q_OBJECT

public:
    explicit Tfrmabout(const platform::Services& services);

    TShape* shframe = nullptr;
    QLabel* Image1 = nullptr;
    QLabel* lblkey = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* lblname = nullptr;
    QLabel* Label1 = nullptr;

    QLabel* lbluptime = nullptr;
    QLabel* lblIP = nullptr;
    QLabel* lblhost = nullptr;
    QLabel* lbluser = nullptr;
    QLabel* lblwin = nullptr;
    QLabel* lblPID = nullptr;
    QLabel* lblCPU = nullptr;
    QLabel* lblMHz = nullptr;
    // Written by the scheduler, whether the window is shown or not.
    QLabel* lblshutdownafter = nullptr;
    QLabel* lblrebootafter = nullptr;

    TMonitorBar* pboxmem = nullptr;
    TMonitorBar* pboxswap = nullptr;
    TMonitorBar* pboxcpu = nullptr;
    QLabel* lblMem = nullptr;
    QLabel* lblavailmem = nullptr;
    QLabel* lblSwap = nullptr;
    QLabel* lblavailswap = nullptr;
    QLabel* lblcpuusage = nullptr;

    TTextButton* stbtnlights = nullptr;
    TTextButton* stbtnexit = nullptr;

    QTimer* Timertime = nullptr;
    QTimer* Timerhide = nullptr;
    QTimer* timershowabout = nullptr;

    // The key that shows the penguin, as registered.
    void setPenguinKeyCaption(const QString& caption);
    // The "ShutDown At" or "Reboot At" line.
    void setDueText(platform::PowerAction action, const QString& text);
    // Shows the window rolled up and unrolls it; when it is shown already, only gives it the focus.
    void ShowUnrolling();
    void timershowaboutTimer();
    void TimertimeTimer();
    void TimerhideTimer();
    void Label1Click();
    void stbtnexitMouseUp(Qt::MouseButton button, QPoint pos);
    void stbtnlightsMouseUp2(Qt::MouseButton button, QPoint pos);
    void LightsShow();
    bool lightsShowRunning() const { return lights_.running(); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void FormCreate();
    void FormShow();
    void FormHide();
    void CreateTitle();
    void CreateFacts();
    void CreateMonitor();
    void CreateButtons();
    void ShowFact(QLabel* label, const platform::FactReading& fact, const QString& notFound);
    void LightsRound();

    platform::SystemFacts& facts_;
    platform::LiveReadings& live_;
    platform::WindowSystem& windows_;
    TCpuLoadMeter cpumeter;
    TLightsShow lights_;
    QTimer* lightsTimer_ = nullptr;
    std::mt19937 random_;
    std::uint64_t lookups_ = 0; // only the answer to the latest lookup is shown
};
