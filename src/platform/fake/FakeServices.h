#pragma once

#include "platform/Autostart.h"
#include "platform/ControlChannel.h"
#include "platform/Dialogs.h"
#include "platform/FileDialog.h"
#include "platform/GlobalShortcuts.h"
#include "platform/HotKeyService.h"
#include "platform/LocalClock.h"
#include "platform/MediaPlayer.h"
#include "platform/NotificationArea.h"
#include "platform/PowerActions.h"
#include "platform/PowerSource.h"
#include "platform/ProcessInfo.h"
#include "platform/Services.h"
#include "platform/TaskbarPresence.h"
#include "platform/TimeFormatSource.h"
#include "platform/Tones.h"
#include "platform/WindowSystem.h"
#include "platform/fake/FakeSysinfo.h"
#include "platform/fake/FakeTweakRegistry.h"

#include <QIcon>
#include <QRect>
#include <QString>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

class QWidget;

namespace fake {

class Clock : public platform::LocalClock {
public:
    platform::LocalTime time;
    platform::LocalTime now() const override { return time; }
    void set(int hour, int minute, int second, int millisecond = 0);
};

class TimeFormat : public platform::TimeFormatSource {
public:
    platform::TimeFormat format{false, false, true, ":", "AM", "PM"};
    platform::TimeFormat read() const override { return format; }
};

class Power : public platform::PowerSource {
public:
    std::optional<platform::PowerStatus> status = platform::PowerStatus{platform::AcOnline, 255};
    std::optional<platform::PowerStatus> query() const override { return status; }
    void onBattery(int percent) { status = platform::PowerStatus{platform::AcOffline, percent}; }
    void onMains(int percent) { status = platform::PowerStatus{platform::AcOnline, percent}; }
};

class Taskbar : public platform::TaskbarPresence {
public:
    bool there = true;
    bool isTaskbarThere() const override { return there; }
};

class Tones : public platform::Tones {
public:
    // (frequency, duration); the default beep is recorded as (0, 0).
    std::vector<std::pair<int, int>> played;
    void tone(int frequencyHz, int durationMs) override { played.emplace_back(frequencyHz, durationMs); }
    void defaultBeep() override { played.emplace_back(0, 0); }
    int beepStops = 0;
    void stopBeep() override { ++beepStops; }
};

class Dialogs : public platform::Dialogs {
public:
    enum class Kind { Plain, Warning, Error, Confirm };
    struct Box {
        Kind kind;
        QString title;
        QString text;
    };
    std::vector<Box> boxes;
    std::deque<bool> confirmAnswers; // answers for confirm(); No when empty
    // Called for every box, while it is "open", e.g. to run ticks inside the nested loop.
    std::function<void(const Box&)> whileOpen;
    // Answers runModal(); Rejected when unset.
    std::function<int(QDialog&)> modalRun;
    std::vector<QDialog*> modalRuns;

    void plain(const QString& title, const QString& text) override { record(Kind::Plain, title, text); }
    void warning(const QString& title, const QString& text) override { record(Kind::Warning, title, text); }
    void error(const QString& title, const QString& text) override { record(Kind::Error, title, text); }
    bool confirm(const QString& title, const QString& text) override;
    int runModal(QDialog& dialog) override;

    std::vector<QString> texts(Kind kind) const;

private:
    void record(Kind kind, const QString& title, const QString& text);
};

// Opens only the paths in `playable`; records every call, in order ("open PATH", "play", "stop", ...).
class MediaPlayer : public platform::MediaPlayer {
public:
    std::set<std::string> playable;
    std::vector<std::string> calls;
    std::optional<std::int64_t> mediaLength = 1000; // what length() reports while a file is open
    std::optional<std::int64_t> mediaPosition;      // position() while open; 0 after open and rewind
    bool failStop = false;                          // stop() throws, as a device that went away would
    std::string openPath;

    void open(const std::string& path) override;
    void play() override;
    void stop() override;
    void rewind() override;
    void close() override;
    bool isOpen() const override { return !openPath.empty(); }
    std::optional<std::int64_t> position() const override { return isOpen() ? mediaPosition : std::nullopt; }
    std::optional<std::int64_t> length() const override { return isOpen() ? mediaLength : std::nullopt; }
    bool isStopped() const override { return !playing_; }
    void setEndHandler(EndHandler handler) override { onEnd_ = std::move(handler); }
    // As if the open file played to its end: the position reaches the length and the end is reported.
    void finish();

private:
    void requireOpen(const char* call);
    bool playing_ = false;
    EndHandler onEnd_;
};

// Answers the open-file dialog from `answers` (cancelled when empty) and records what was asked.
class FileDialog : public platform::FileDialog {
public:
    struct Request {
        QString folder;
        QStringList filters;
    };
    std::deque<std::optional<QString>> answers;
    std::vector<Request> requests;

    std::optional<QString> openFile(QWidget& parent, const QString& folder,
                                    const QStringList& filters) override;
};

class WindowSystem : public platform::WindowSystem {
public:
    QRect screen{0, 0, 1024, 768};
    QRect work{0, 0, 1024, 740};
    bool applicationActive = true;
    std::set<const QWidget*> taskbarHidden;
    std::map<const QWidget*, bool> topmost;
    int broughtToFront = 0;
    bool hasWindowManager = true; // systemMove's answer
    std::vector<const QWidget*> systemMoves;
    bool leftButtonDown = true; // as the server would tell at the press
    std::vector<std::pair<const QWidget*, std::uint32_t>> activations;
    std::set<const QWidget*> covered;

    QRect screenGeometry() const override { return screen; }
    QRect workArea() const override { return work; }
    bool isTaskbarButtonVisible(QWidget& window) const override { return !taskbarHidden.count(&window); }
    void hideTaskbarButton(QWidget& window) override { taskbarHidden.insert(&window); }
    void showTaskbarButton(QWidget& window) override { taskbarHidden.erase(&window); }
    void setTopmost(QWidget& window, bool on) override { topmost[&window] = on; }
    void bringToFront(QWidget&) override { ++broughtToFront; }
    bool isApplicationActive() const override { return applicationActive; }
    bool systemMove(QWidget& window) override {
        systemMoves.push_back(&window);
        return hasWindowManager;
    }
    QPoint windowPosition(QWidget& window) const override;
    bool isLeftButtonDown() const override { return leftButtonDown; }
    void activate(QWidget& window, std::uint32_t userTime) override {
        activations.emplace_back(&window, userTime);
    }
    void coverScreen(QWidget& window) override;
};

// Combinations in `taken` are held by "another program"; the rest can be registered.
class HotKeys : public platform::HotKeyService {
public:
    std::set<std::pair<unsigned, unsigned>> taken;               // (modifiers, key)
    std::map<std::uint16_t, std::pair<unsigned, unsigned>> held; // id -> (modifiers, key)
    std::vector<std::uint16_t> unregistered;

    bool registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) override;
    bool unregisterHotKey(std::uint16_t id) override;
    void setPressHandler(PressHandler handler) override { handler_ = std::move(handler); }
    bool hasPressHandler() const { return static_cast<bool>(handler_); }
    // As if the user pressed the combination anywhere on the desktop.
    void press(unsigned modifiers, unsigned virtualKey, std::uint32_t time = 0);
    // Reports a press under any id, held or not, as a confused window system might.
    void deliver(std::uint16_t id, unsigned modifiers, unsigned virtualKey, std::uint32_t time = 0);

private:
    PressHandler handler_;
};

// A desktop that holds shortcuts when `offered`: it records what is asked and answers when told.
class GlobalShortcuts : public platform::GlobalShortcuts {
public:
    bool offered = false; // as outside a Wayland session
    std::vector<Wanted> wanted;

    bool bind(const std::vector<Wanted>& shortcuts, Answer answer) override;
    void setActivationHandler(ActivationHandler handler) override { handler_ = std::move(handler); }
    // Answers the waiting bind.
    void answerBound(const std::vector<Bound>& bound);
    void refuse();
    // As if the user pressed the key the desktop gave `id`.
    void activate(const std::string& id);

private:
    Answer pending_;
    ActivationHandler handler_;
};

// The icon as the desktop would hold it; activate() is the user acting on it.
class NotificationArea : public platform::NotificationArea {
public:
    QIcon icon;
    int iconChanges = 0;
    QString toolTip;
    bool visible = false;
    std::vector<QMenu*> contextMenus; // every setContextMenu call

    void setIcon(const QIcon& value) override;
    void setToolTip(const QString& tip) override { toolTip = tip; }
    void setVisible(bool value) override { visible = value; }
    void setContextMenu(QMenu* menu) override { contextMenus.push_back(menu); }
    void setActivationHandler(std::function<void(Activation, std::uint32_t)> handler) override {
        handler_ = std::move(handler);
    }
    void activate(Activation activation, std::uint32_t time = 0);

private:
    std::function<void(Activation, std::uint32_t)> handler_;
};

class Process : public platform::ProcessInfo {
public:
    std::string path = "/nonexistent/dialtop";
    std::string config; // none unless a test gives one
    std::string executablePath() const override { return path; }
    std::string configHome() const override { return config; }
};

// Records the requests; each waits for answer(), and none is asked while one waits, as with the real one.
class PowerActions : public platform::PowerActions {
public:
    std::vector<platform::PowerAction> requests;

    bool request(platform::PowerAction action, Answer answer) override;
    // Answers the waiting request.
    void answer(bool accepted);

private:
    Answer pending_;
};

// The login start as an entry in memory; its place can be missing or refuse writes.
class Autostart : public platform::Autostart {
public:
    bool placeThere = true;
    bool refusesWrites = false;
    std::optional<std::string> registered; // the executable's path

    std::optional<bool> isRegistered() const override;
    void registerExecutable(const std::string& executable) override;
    void unregister() override { registered.reset(); }
};

// Takes the handler; fire() is another program asking for an action.
class ControlChannel : public platform::ControlChannel {
public:
    void serve(Handler handler) override { handler_ = std::move(handler); }
    bool serving() const { return static_cast<bool>(handler_); }
    void fire(platform::ControlAction action) { handler_(action); }

private:
    Handler handler_;
};

// Every fake, bundled as the composition root bundles the real services.
struct Services {
    Clock clock;
    TimeFormat timeFormat;
    Power power;
    Taskbar taskbar;
    Tones tones;
    Dialogs dialogs;
    WindowSystem windows;
    HotKeys hotKeys;
    GlobalShortcuts shortcuts;
    Process process;
    SystemFacts facts;
    LiveReadings live;
    LockLights lockLights;
    NotificationArea tray;
    TweakRegistry registry;
    PowerActions powerActions;
    MediaPlayer media;
    FileDialog fileDialog;
    Autostart autostart;
    ControlChannel control;

    platform::Services services() {
        return {clock,    timeFormat,   power,   taskbar,    tones,     dialogs,    windows,
                hotKeys,  shortcuts,    process, facts,      live,      lockLights, tray,
                registry, powerActions, media,   fileDialog, autostart, control};
    }
};

} // namespace fake
