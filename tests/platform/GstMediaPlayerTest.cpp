#include "platform/linux/GstMediaPlayer.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <future>
#include <gst/gst.h>
#include <gtest/gtest.h>
#include <string>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

const std::string FakeSink = "fakesink sync=true";

// Runs a gst-launch description to its end, e.g. to write a test file.
void runPipeline(const std::string& description) {
    gst_init(nullptr, nullptr);
    GError* error = nullptr;
    GstElement* pipeline = gst_parse_launch(description.c_str(), &error);
    ASSERT_EQ(error, nullptr) << error->message;
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool ended = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message)
        gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    ASSERT_TRUE(ended) << description;
}

// A sine tone of `ms` milliseconds, encoded by `encoder` into `path`.
void writeTone(const QString& path, int ms, const std::string& encoder) {
    runPipeline("audiotestsrc wave=sine freq=440 samplesperbuffer=480 num-buffers=" +
                std::to_string(ms / 10) + " ! audio/x-raw,rate=48000,channels=1 ! audioconvert ! " + encoder +
                " ! filesink location=\"" + path.toStdString() + "\"");
}

// Pipelines of this process not yet finalized, noted when they first take an element in.
std::atomic<int> livePipelines{0};
std::atomic<int> seenPipelines{0};

gboolean notePipeline(GSignalInvocationHint*, guint, const GValue* params, gpointer) {
    GObject* bin = G_OBJECT(g_value_get_object(&params[0]));
    if (GST_IS_PIPELINE(bin) && !g_object_get_data(bin, "noted")) {
        g_object_set_data(bin, "noted", bin);
        ++livePipelines;
        ++seenPipelines;
        g_object_weak_ref(
            bin, [](gpointer, GObject*) { --livePipelines; }, nullptr);
    }
    return TRUE;
}

void watchPipelines() {
    gst_init(nullptr, nullptr);
    g_signal_add_emission_hook(g_signal_lookup("element-added", GST_TYPE_BIN), 0, notePipeline, nullptr,
                               nullptr);
}

std::ptrdiff_t openDescriptors() {
    return std::distance(std::filesystem::directory_iterator("/proc/self/fd"),
                         std::filesystem::directory_iterator());
}

// Test files in a folder whose names need escaping in a URI.
class Media : public testing::Test {
protected:
    static void SetUpTestSuite() {
        watchPipelines();
        folder_ = new QTemporaryDir;
        writeTone(file("one second #1 100%.wav"), 1000, "wavenc");
        writeTone(file("one second?.mp3"), 1000, "lamemp3enc ! xingmux ! id3v2mux");
        writeTone(file("one second.wma"), 1000, "avenc_wmav2 ! avmux_asf");
        writeTone(file("tenth.wav"), 100, "wavenc");
        writeTone(file("bare.mp3"), 1000, "lamemp3enc"); // no header telling its length up front
        QFile junk(file("not media.mp3"));
        ASSERT_TRUE(junk.open(QIODevice::WriteOnly));
        junk.write(QByteArray(4096, 'x'));
    }
    static void TearDownTestSuite() { delete folder_; }
    static QString file(const char* name) { return folder_->filePath(QString::fromUtf8(name)); }
    static std::string path(const char* name) { return file(name).toStdString(); }

    static QTemporaryDir* folder_;
};
QTemporaryDir* Media::folder_ = nullptr;

class OneSecondFile : public Media, public testing::WithParamInterface<const char*> {};

TEST_P(OneSecondFile, PlaysOnceInRealTimeToItsEnd) {
    std::atomic<std::int64_t> streamEnd{-1};
    GstMediaPlayer player(FakeSink, [&](std::int64_t end) { streamEnd = end; });
    int ends = 0;
    player.setEndHandler([&] { ++ends; });

    player.open(path(GetParam()));
    ASSERT_TRUE(player.isOpen());
    EXPECT_TRUE(player.isStopped());
    ASSERT_TRUE(player.length().has_value());
    EXPECT_NEAR(static_cast<double>(*player.length()), 1000, 80);
    EXPECT_EQ(player.position(), std::optional<std::int64_t>(0));

    const auto started = Clock::now();
    player.play();
    EXPECT_FALSE(player.isStopped());
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 10000));
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count();
    EXPECT_GE(took, 900);
    EXPECT_LT(took, 3000);
    EXPECT_NEAR(static_cast<double>(streamEnd.load()) / 1e6, 1000, 80);
    EXPECT_TRUE(player.isStopped());
    // At its end the position is the length exactly, so an end-of-media test can compare them.
    EXPECT_EQ(player.position(), player.length());
    QTest::qWait(100);
    EXPECT_EQ(ends, 1);
}

INSTANTIATE_TEST_SUITE_P(Formats, OneSecondFile,
                         testing::Values("one second #1 100%.wav", "one second?.mp3", "one second.wma"));

TEST_F(Media, TheEndIsSeenAsOneEvenWhenTheStreamDidNotTellItsLength) {
    GstMediaPlayer player(FakeSink);
    int ends = 0;
    player.setEndHandler([&] { ++ends; });
    player.open(path("bare.mp3"));
    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 10000));
    ASSERT_TRUE(player.position().has_value());
    EXPECT_EQ(player.position(), player.length());
}

TEST_F(Media, StopHoldsThePlaceAndRewindPlaysItAgainFromTheStart) {
    std::atomic<std::int64_t> streamEnd{-1};
    GstMediaPlayer player(FakeSink, [&](std::int64_t end) { streamEnd = end; });
    int ends = 0;
    player.setEndHandler([&] { ++ends; });
    player.open(path("one second #1 100%.wav"));
    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return player.position().value_or(0) >= 300; }, 5000));
    player.stop();
    EXPECT_TRUE(player.isStopped());
    const std::int64_t stoppedAt = player.position().value_or(-1);
    QTest::qWait(300);
    EXPECT_NEAR(static_cast<double>(player.position().value_or(-1)), static_cast<double>(stoppedAt), 30);
    EXPECT_EQ(ends, 0);

    player.rewind();
    EXPECT_EQ(player.position(), std::optional<std::int64_t>(0));
    const auto started = Clock::now();
    player.play();
    ASSERT_TRUE(QTest::qWaitFor([&] { return ends > 0; }, 10000));
    EXPECT_GE(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started).count(), 900);
    EXPECT_EQ(ends, 1);

    // After the end, stop and rewind still work, and close leaves nothing to ask about.
    player.stop();
    player.rewind();
    EXPECT_EQ(player.position(), std::optional<std::int64_t>(0));
    player.close();
    EXPECT_FALSE(player.isOpen());
    EXPECT_EQ(player.position(), std::nullopt);
    EXPECT_EQ(player.length(), std::nullopt);
    EXPECT_THROW(player.play(), platform::MediaError);
}

TEST_F(Media, WhatCannotBeOpenedFailsWithAReasonAndLeavesNothingOpen) {
    GstMediaPlayer player(FakeSink);
    int ends = 0;
    player.setEndHandler([&] { ++ends; });
    for (const std::string& bad :
         {path("missing.mp3"), std::string("None"), path("not media.mp3"), folder_->path().toStdString()}) {
        SCOPED_TRACE(bad);
        try {
            player.open(bad);
            ADD_FAILURE() << "opened";
        } catch (const platform::MediaError& error) {
            EXPECT_STRNE(error.what(), "");
        }
        EXPECT_FALSE(player.isOpen());
        EXPECT_TRUE(player.isStopped());
        EXPECT_EQ(player.position(), std::nullopt);
        EXPECT_THROW(player.stop(), platform::MediaError);
    }
    // A good file still opens afterwards, and a broken output is a failure of open too.
    player.open(path("tenth.wav"));
    EXPECT_TRUE(player.isOpen());
    GstMediaPlayer broken("no_such_sink_element");
    EXPECT_THROW(broken.open(path("tenth.wav")), platform::MediaError);
    QTest::qWait(50);
    EXPECT_EQ(ends, 0);
}

// The alarm dialog's round: a file rings to its end, is stopped, rewound and closed; a bad one fails.
TEST_F(Media, RingAfterRingLeavesNoPipelineOrDescriptorBehind) {
    GstMediaPlayer player(FakeSink);
    int ends = 0;
    player.setEndHandler([&] { ++ends; });
    const auto ring = [&] {
        player.open(path("tenth.wav"));
        player.play();
        const int before = ends;
        ASSERT_TRUE(QTest::qWaitFor([&] { return ends > before; }, 10000));
        player.stop();
        player.rewind();
        player.close();
        EXPECT_THROW(player.open(path("not media.mp3")), platform::MediaError);
    };
    ring();
    ASSERT_TRUE(QTest::qWaitFor([] { return livePipelines == 0; }, 10000)) << livePipelines;
    const std::ptrdiff_t descriptors = openDescriptors();
    const int seen = seenPipelines;
    for (int i = 0; i < 10; ++i)
        ring();
    EXPECT_GE(seenPipelines - seen, 20);
    EXPECT_TRUE(QTest::qWaitFor([] { return livePipelines == 0; }, 10000)) << livePipelines;
    EXPECT_EQ(openDescriptors(), descriptors);
}

// Opening a FIFO for reading waits for a writer; the player must not even try.
TEST_F(Media, AFileThatIsNotARegularFileIsRefusedAtOnce) {
    const std::string fifo = path("fifo.mp3");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    GstMediaPlayer player(FakeSink);
    std::promise<bool> refused;
    std::thread opener([&] {
        try {
            player.open(fifo);
            refused.set_value(false);
        } catch (const platform::MediaError&) {
            refused.set_value(true);
        }
    });
    std::future<bool> outcome = refused.get_future();
    if (outcome.wait_for(std::chrono::seconds(30)) != std::future_status::ready) {
        ADD_FAILURE() << "open waits on the FIFO";
        // A writer coming and going lets each waiting open of it go on, until the player gives up.
        while (outcome.wait_for(std::chrono::milliseconds(100)) != std::future_status::ready) {
            const int writer = open(fifo.c_str(), O_WRONLY | O_NONBLOCK);
            if (writer >= 0)
                close(writer);
        }
    }
    opener.join();
    EXPECT_TRUE(outcome.get());
    EXPECT_FALSE(player.isOpen());
}

TEST_F(Media, TheEndOfAClosedOrReplacedFileIsNotReported) {
    GstMediaPlayer player(FakeSink);
    int ends = 0;
    player.setEndHandler([&] { ++ends; });

    // The short file ends while the interface thread is busy, so its end waits in the queue...
    player.open(path("tenth.wav"));
    player.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(800));
    // ...and is stale once another file took its place.
    player.open(path("one second #1 100%.wav"));
    QTest::qWait(200);
    EXPECT_EQ(ends, 0);
    EXPECT_EQ(player.position(), std::optional<std::int64_t>(0));

    player.play();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    player.close();
    QTest::qWait(200);
    EXPECT_EQ(ends, 0);
}

} // namespace
