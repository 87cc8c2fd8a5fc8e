#include "platform/fake/FakeServices.h"

#include "base/DialtopError.h"

#include <QDialog>
#include <QWidget>

#include <utility>

namespace fake {

void Clock::set(int hour, int minute, int second, int millisecond) {
    time.hour = hour;
    time.minute = minute;
    time.second = second;
    time.millisecond = millisecond;
}

void NotificationArea::setIcon(const QIcon& value) {
    icon = value;
    ++iconChanges;
}

void NotificationArea::activate(Activation activation, std::uint32_t time) {
    if (handler_)
        handler_(activation, time);
}

bool Dialogs::confirm(const QString& title, const QString& text) {
    record(Kind::Confirm, title, text);
    if (confirmAnswers.empty())
        return false;
    const bool answer = confirmAnswers.front();
    confirmAnswers.pop_front();
    return answer;
}

int Dialogs::runModal(QDialog& dialog) {
    if (dialog.isVisible())
        throw DialtopError("Cannot make a visible window modal");
    modalRuns.push_back(&dialog);
    return modalRun ? modalRun(dialog) : QDialog::Rejected;
}

bool PowerActions::request(platform::PowerAction action, Answer answer) {
    if (pending_)
        return false;
    requests.push_back(action);
    pending_ = std::move(answer);
    return true;
}

void PowerActions::answer(bool accepted) {
    std::exchange(pending_, nullptr)(accepted);
}

std::vector<QString> Dialogs::texts(Kind kind) const {
    std::vector<QString> result;
    for (const Box& box : boxes) {
        if (box.kind == kind)
            result.push_back(box.text);
    }
    return result;
}

void Dialogs::record(Kind kind, const QString& title, const QString& text) {
    boxes.push_back({kind, title, text});
    if (whileOpen)
        whileOpen(boxes.back());
}

bool HotKeys::registerHotKey(std::uint16_t id, unsigned modifiers, unsigned virtualKey) {
    const auto combination = std::make_pair(modifiers, virtualKey);
    // Like X, a client may hold its own combination twice; only other programs' grabs refuse.
    if (id == 0 || virtualKey == 0 || taken.count(combination))
        return false;
    held[id] = combination;
    return true;
}

bool HotKeys::unregisterHotKey(std::uint16_t id) {
    unregistered.push_back(id);
    return held.erase(id) > 0;
}

bool GlobalShortcuts::bind(const std::vector<Wanted>& shortcuts, Answer answer) {
    if (!offered)
        return false;
    wanted = shortcuts;
    pending_ = std::move(answer);
    return true;
}

void GlobalShortcuts::answerBound(const std::vector<Bound>& bound) {
    std::exchange(pending_, nullptr)(bound);
}

void GlobalShortcuts::refuse() {
    std::exchange(pending_, nullptr)(std::nullopt);
}

void GlobalShortcuts::activate(const std::string& id) {
    if (handler_)
        handler_(id);
}

QPoint WindowSystem::windowPosition(QWidget& window) const {
    return window.pos();
}

void WindowSystem::coverScreen(QWidget& window) {
    covered.insert(&window);
    window.setGeometry(screen);
    window.show();
}

void HotKeys::press(unsigned modifiers, unsigned virtualKey, std::uint32_t time) {
    // A handler may unregister, so walk a copy.
    const auto holds = held;
    for (const auto& [id, combination] : holds) {
        if (combination == std::make_pair(modifiers, virtualKey))
            deliver(id, modifiers, virtualKey, time);
    }
}

void HotKeys::deliver(std::uint16_t id, unsigned modifiers, unsigned virtualKey, std::uint32_t time) {
    if (handler_)
        handler_(id, modifiers, virtualKey, time);
}

void MediaPlayer::open(const std::string& path) {
    close();
    calls.push_back("open " + path);
    if (!playable.count(path))
        throw platform::MediaError("Resource not found.");
    openPath = path;
    mediaPosition = 0;
}

void MediaPlayer::requireOpen(const char* call) {
    calls.emplace_back(call);
    if (!isOpen())
        throw platform::MediaError("No media file is open");
}

void MediaPlayer::play() {
    requireOpen("play");
    playing_ = true;
}

void MediaPlayer::stop() {
    requireOpen("stop");
    if (failStop)
        throw platform::MediaError("The device is gone");
    playing_ = false;
}

void MediaPlayer::rewind() {
    requireOpen("rewind");
    mediaPosition = 0;
}

void MediaPlayer::close() {
    if (!isOpen())
        return;
    calls.emplace_back("close");
    openPath.clear();
    playing_ = false;
}

void MediaPlayer::finish() {
    mediaPosition = mediaLength;
    playing_ = false;
    if (onEnd_)
        onEnd_();
}

std::optional<QString> FileDialog::openFile(QWidget&, const QString& folder, const QStringList& filters) {
    requests.push_back({folder, filters});
    if (answers.empty() || !answers.front()) {
        if (!answers.empty())
            answers.pop_front();
        return std::nullopt;
    }
    const QString path = *answers.front();
    answers.pop_front();
    return path;
}

std::optional<bool> Autostart::isRegistered() const {
    if (!placeThere)
        return std::nullopt;
    return registered.has_value();
}

void Autostart::registerExecutable(const std::string& executable) {
    if (!placeThere)
        return;
    if (refusesWrites)
        throw DialtopError("Failed to set data for '/fake/autostart/dialtop.desktop'");
    registered = executable;
}

} // namespace fake
