#include "platform/linux/LinuxSystemFacts.h"

#include <QDir>
#include <QTest>

#include <condition_variable>
#include <gtest/gtest.h>
#include <mutex>

namespace {

qsizetype ThreadsOfThisProcess() {
    return QDir(QStringLiteral("/proc/self/task")).entryList(QDir::Dirs | QDir::NoDotAndDotDot).size();
}

// A resolver that hangs until released: openings of the window while it hangs share its one lookup,
// and the facts' end takes the lookup's thread with it.
TEST(NetworkLookup, OneLookupAtATimeAndNoneLeftAtTheEnd) {
    const qsizetype threadsBefore = ThreadsOfThisProcess();
    std::mutex mutex;
    std::condition_variable_any changed;
    int started = 0;
    bool released = false;
    std::vector<std::string> answers;
    {
        LinuxSystemFacts facts([&](const std::string&, std::stop_token stop) {
            std::unique_lock lock(mutex);
            ++started;
            changed.notify_all();
            changed.wait(lock, stop, [&] { return released; });
            return platform::NetworkFacts{"example.org", std::to_string(started)};
        });
        const auto lookUp = [&] {
            facts.lookUpNetwork([&](const auto& found) { answers.push_back(found.address); });
        };
        for (int opening = 0; opening < 3; ++opening)
            lookUp();
        {
            std::unique_lock lock(mutex);
            ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(30), [&] { return started > 0; }));
            released = true;
            changed.notify_all();
        }
        ASSERT_TRUE(QTest::qWaitFor([&] { return answers.size() == 3; }, 30000));
        EXPECT_EQ(answers, (std::vector<std::string>{"1", "1", "1"}));

        // The next opening looks up again; this one hangs as the facts go.
        std::unique_lock lock(mutex);
        released = false;
        lock.unlock();
        lookUp();
        lock.lock();
        ASSERT_TRUE(changed.wait_for(lock, std::chrono::seconds(30), [&] { return started == 2; }));
    }
    EXPECT_EQ(ThreadsOfThisProcess(), threadsBefore);
    EXPECT_EQ(answers.size(), 3u);
}

} // namespace
