#pragma once

#include "platform/linux/BusAnswerProbe.h"

#include <QObject>

#include <chrono>
#include <memory>

// Whether a StatusNotifierItem host (a panel that shows items over D-Bus) is registered with the
// session bus's org.kde.StatusNotifierWatcher, followed on the event loop as watchers and hosts come
// and go. The bus is connected to only once its daemon has answered.
class StatusNotifierHostWatch : public QObject {
    Q_OBJECT

public:
    static constexpr std::chrono::seconds AnswerLimit{5};

    StatusNotifierHostWatch();
    ~StatusNotifierHostWatch() override;

    bool hostRegistered() const { return registered_; }
    // Whether the first answer is in: the watcher's, or that no bus answers.
    bool settled() const { return settled_; }

private Q_SLOTS:
    void ask();

private:
    void watch();

    std::unique_ptr<BusAnswerProbe> probe_;
    bool registered_ = false;
    bool settled_ = false;
    // Counts the watchers seen, so that an answer from one that has since gone is not taken.
    unsigned watcher_ = 0;
};
