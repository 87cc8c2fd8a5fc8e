#include "platform/linux/GstTones.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <gst/base/gstbasesink.h>
#include <gtest/gtest.h>
#include <iterator>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::int64_t NsPerMs = 1000000;

// Collects what the worker thread reports; also notes whether the calls had already returned.
class Recorder {
public:
    std::atomic<bool> callsReturned{false};

    GstTones::PlayedHandler handler() {
        return [this](const GstTones::Played& played) {
            std::lock_guard lock(mutex_);
            played_.push_back({played, callsReturned.load()});
            changed_.notify_all();
        };
    }

    struct Entry {
        GstTones::Played played;
        bool callsHadReturned;
    };

    // Waits for `count` reports; the deadline only keeps a broken pipeline from hanging the run.
    std::vector<Entry> waitFor(std::size_t count) {
        std::unique_lock lock(mutex_);
        changed_.wait_for(lock, std::chrono::seconds(30), [&] { return played_.size() >= count; });
        return played_;
    }

    std::vector<Entry> all() {
        std::lock_guard lock(mutex_);
        return played_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<Entry> played_;
};

TEST(GstTones, QueuedTonesPlayOneAfterAnotherAtTheirLength) {
    Recorder recorder;
    GstTones tones("fakesink sync=true", recorder.handler());
    tones.tone(500, 200);
    tones.tone(800, 125);
    tones.tone(1000, 7);
    recorder.callsReturned = true;

    const auto played = recorder.waitFor(3);
    ASSERT_EQ(played.size(), 3u);
    const int expected[][2] = {{500, 200}, {800, 125}, {1000, 7}};
    for (std::size_t i = 0; i < played.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(played[i].played.frequencyHz, expected[i][0]);
        EXPECT_TRUE(played[i].played.completed);
        EXPECT_NEAR(played[i].played.streamNs, expected[i][1] * NsPerMs, NsPerMs);
    }
    // A blocking call would have finished the first tone before returning.
    EXPECT_TRUE(played[0].callsHadReturned);
}

// Samples of a mono 16-bit WAV file.
std::vector<std::int16_t> readWavSamples(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    const std::vector<char> bytes{std::istreambuf_iterator<char>(in), {}};
    for (std::size_t at = 12; at + 8 <= bytes.size();) {
        std::uint32_t size = 0;
        std::memcpy(&size, &bytes[at + 4], 4);
        if (std::memcmp(&bytes[at], "data", 4) == 0) {
            std::vector<std::int16_t> samples(std::min<std::size_t>(size, bytes.size() - at - 8) / 2);
            std::memcpy(samples.data(), &bytes[at + 8], samples.size() * 2);
            return samples;
        }
        at += 8 + size + (size & 1);
    }
    return {};
}

struct ToneCase {
    int frequencyHz;
    int durationMs;
};

class WrittenTone : public testing::TestWithParam<ToneCase> {};

TEST_P(WrittenTone, IsASineOfTheRequestedFrequencyAndLength) {
    const auto [frequency, duration] = GetParam();
    QTemporaryDir folder;
    const std::string wav = folder.filePath(QStringLiteral("tone.wav")).toStdString();
    Recorder recorder;
    {
        GstTones tones("audioconvert ! audio/x-raw,format=S16LE ! wavenc ! filesink location=" + wav,
                       recorder.handler());
        tones.tone(frequency, duration);
        ASSERT_EQ(recorder.waitFor(1).size(), 1u);
    }
    ASSERT_TRUE(recorder.all()[0].played.completed);

    const std::vector<std::int16_t> samples = readWavSamples(wav);
    EXPECT_EQ(samples.size(), static_cast<std::size_t>(48 * duration));
    int crossings = 0;
    for (std::size_t i = 1; i < samples.size(); ++i) {
        if ((samples[i - 1] < 0) != (samples[i] < 0))
            ++crossings;
    }
    const double measuredHz = crossings / 2.0 / (duration / 1000.0);
    EXPECT_NEAR(measuredHz, frequency, frequency * 0.03);
}

INSTANTIATE_TEST_SUITE_P(Tones, WrittenTone,
                         testing::Values(ToneCase{500, 200}, ToneCase{1200, 50}, ToneCase{250, 120}));

TEST(GstTones, ToneWithoutLengthOrFrequencyIsIgnored) {
    Recorder recorder;
    {
        GstTones tones("fakesink sync=true", recorder.handler());
        tones.tone(0, 100);
        tones.tone(500, 0);
        tones.tone(-5, -5);
        tones.tone(600, 20);
        recorder.waitFor(1);
    }
    const auto played = recorder.all();
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].played.frequencyHz, 600);
}

TEST(GstTones, BrokenSinkFailsEachToneAndKeepsGoing) {
    Recorder recorder;
    GstTones tones("no_such_sink_element", recorder.handler());
    tones.tone(500, 20);
    tones.tone(700, 20);
    const auto played = recorder.waitFor(2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_FALSE(played[0].played.completed);
    EXPECT_EQ(played[1].played.frequencyHz, 700);
    EXPECT_FALSE(played[1].played.completed);
}

// A tone of ten minutes must not hold up the end of the program.
TEST(GstTones, DestructionCutsALongToneShort) {
    Recorder recorder;
    {
        GstTones tones("fakesink sync=true", recorder.handler());
        tones.tone(500, 20);
        tones.tone(500, 600000);
        recorder.waitFor(1);
    }
    const auto played = recorder.all();
    ASSERT_GE(played.size(), 1u);
    EXPECT_TRUE(played[0].played.completed);
    if (played.size() == 2) {
        EXPECT_FALSE(played[1].played.completed);
        EXPECT_LT(played[1].played.streamNs, 600000 * NsPerMs);
    }
}

// A sound output that stops answering: the next one made takes its first buffer and keeps it, deaf even to
// being stopped, until the test lets go. The others play in real time.
struct HangingSink {
    GstBaseSink parent;
    bool hangs;
};
struct HangingSinkClass {
    GstBaseSinkClass parent;
};
G_DEFINE_TYPE(HangingSink, hanging_sink, GST_TYPE_BASE_SINK)

std::atomic<bool> nextSinkHangs{false};
std::mutex hangingMutex;
std::condition_variable letGo;
bool letGoOfBuffers = false;

GstFlowReturn renderOrHang(GstBaseSink* sink, GstBuffer*) {
    std::unique_lock lock(hangingMutex);
    letGo.wait(lock, [sink] { return !reinterpret_cast<HangingSink*>(sink)->hangs || letGoOfBuffers; });
    return GST_FLOW_OK;
}

void hanging_sink_init(HangingSink* sink) {
    sink->hangs = nextSinkHangs.exchange(false);
}

void hanging_sink_class_init(HangingSinkClass* sinkClass) {
    static GstStaticPadTemplate pad =
        GST_STATIC_PAD_TEMPLATE("sink", GST_PAD_SINK, GST_PAD_ALWAYS, GST_STATIC_CAPS_ANY);
    gst_element_class_add_static_pad_template(GST_ELEMENT_CLASS(sinkClass), &pad);
    gst_element_class_set_static_metadata(GST_ELEMENT_CLASS(sinkClass), "Hanging sink", "Sink/Audio",
                                          "Keeps a buffer for good", "tests");
    GST_BASE_SINK_CLASS(sinkClass)->render = renderOrHang;
}

struct LetGoOfBuffers {
    ~LetGoOfBuffers() {
        std::lock_guard lock(hangingMutex);
        letGoOfBuffers = true;
        letGo.notify_all();
    }
};

TEST(GstTones, AnOutputThatNeverFinishesIsDroppedAndTheNextTonePlays) {
    gst_init(nullptr, nullptr);
    gst_element_register(nullptr, "hangingsink", GST_RANK_NONE, hanging_sink_get_type());
    nextSinkHangs = true;
    Recorder recorder;
    GstTones tones("hangingsink", recorder.handler());
    const LetGoOfBuffers letGoAtTheEnd;
    tones.tone(500, 200);
    tones.tone(700, 200);
    const auto played = recorder.waitFor(2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_FALSE(played[0].played.completed);
    EXPECT_EQ(played[1].played.frequencyHz, 700);
    EXPECT_TRUE(played[1].played.completed);
}

// A sound theme in a folder of its own, found through the XDG data folders.
class SoundTheme : public testing::Test {
protected:
    void SetUp() override {
        savedHome_ = qgetenv("XDG_DATA_HOME");
        savedDirs_ = qgetenv("XDG_DATA_DIRS");
        qputenv("XDG_DATA_HOME", home_.path().toUtf8());
        qputenv("XDG_DATA_DIRS", empty_.path().toUtf8());
        ASSERT_TRUE(QDir(home_.path()).mkpath(QStringLiteral("sounds/freedesktop/stereo")));
    }
    void TearDown() override {
        qputenv("XDG_DATA_HOME", savedHome_);
        qputenv("XDG_DATA_DIRS", savedDirs_);
    }
    std::string themeFile(const char* name) const {
        return home_.filePath(QStringLiteral("sounds/freedesktop/stereo/") + QLatin1String(name))
            .toStdString();
    }

private:
    QTemporaryDir home_;
    QTemporaryDir empty_;
    QByteArray savedHome_;
    QByteArray savedDirs_;
};

TEST_F(SoundTheme, DefaultBeepPlaysTheThemesAlarmSoundBeforeItsBell) {
    const std::string alarm = themeFile("alarm-clock-elapsed.oga");
    {
        Recorder written;
        GstTones writer("audioconvert ! wavenc ! filesink location=\"" + alarm + "\"", written.handler());
        writer.tone(660, 300);
        ASSERT_EQ(written.waitFor(1).size(), 1u);
    }
    std::ofstream(themeFile("bell.oga")) << "a bell that would fail";

    Recorder recorder;
    GstTones tones("fakesink sync=true", recorder.handler());
    tones.defaultBeep();
    tones.tone(500, 20); // after the beep, not over it
    const auto played = recorder.waitFor(2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].played.soundFile, alarm);
    EXPECT_TRUE(played[0].played.completed);
    EXPECT_NEAR(played[0].played.streamNs, 300 * NsPerMs, 5 * NsPerMs);
    EXPECT_EQ(played[1].played.frequencyHz, 500);
}

// The beep belongs to the alarm that started it: when the alarm stops, so does the beep, a beep still
// queued is dropped, and a tone after it plays.
TEST_F(SoundTheme, StoppingTheBeepSilencesItAndLeavesTheTones) {
    const std::string alarm = themeFile("alarm-clock-elapsed.oga");
    {
        Recorder written;
        GstTones writer("audioconvert ! wavenc ! filesink location=\"" + alarm + "\"", written.handler());
        writer.tone(660, 20000);
        ASSERT_EQ(written.waitFor(1).size(), 1u);
    }
    // In real time, and also into a file whose growth shows that the beep is playing.
    const std::string heard = themeFile("heard.raw");
    Recorder recorder;
    GstTones tones("tee name=t ! queue ! fakesink sync=true t. ! queue ! filesink location=\"" + heard + "\"",
                   recorder.handler());
    tones.defaultBeep();
    tones.defaultBeep();
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (QFileInfo(QString::fromStdString(heard)).size() == 0 &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    tones.stopBeep();
    tones.tone(700, 20);

    const auto played = recorder.waitFor(2);
    ASSERT_EQ(played.size(), 2u);
    EXPECT_EQ(played[0].played.soundFile, alarm);
    EXPECT_TRUE(played[0].played.stopped);
    EXPECT_FALSE(played[0].played.completed);
    EXPECT_LT(played[0].played.streamNs, 10000 * NsPerMs) << "the beep played on after its stop";
    EXPECT_EQ(played[1].played.frequencyHz, 700) << "the second beep was not dropped";
    EXPECT_TRUE(played[1].played.completed);
}

TEST_F(SoundTheme, ABrokenThemeSoundIsReportedAsNotPlayed) {
    std::ofstream(themeFile("bell.oga")) << "not a sound";
    Recorder recorder;
    GstTones tones("fakesink sync=true", recorder.handler());
    tones.defaultBeep();
    const auto played = recorder.waitFor(1);
    ASSERT_EQ(played.size(), 1u);
    EXPECT_EQ(played[0].played.soundFile, themeFile("bell.oga"));
    EXPECT_FALSE(played[0].played.completed);
}

} // namespace
