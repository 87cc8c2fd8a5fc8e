// Benchmark: the time from the start of an alarm's minute to the first buffer of its media file
// reaching the audio output. The program runs on the real clock tick, the real media player and tones
// (into a fake sink that plays in real time), with doubles for the rest; each round sets a row for the
// next minute and waits for it.
#include "alarms/frmalarmU.h"
#include "app/DialtopProgram.h"
#include "clock/formDialtop.h"
#include "platform/fake/FakeServices.h"
#include "platform/linux/GstMediaPlayer.h"
#include "platform/linux/GstTones.h"
#include "platform/linux/LinuxLocalClock.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <gst/gst.h>
#include <string>
#include <vector>

namespace {

using WallClock = std::chrono::system_clock;
const std::string Sink = "fakesink sync=true";

bool writeOneSecondWav(const std::string& path) {
    GError* error = nullptr;
    GstElement* pipeline =
        gst_parse_launch(("audiotestsrc samplesperbuffer=4800 num-buffers=10 ! "
                          "audio/x-raw,rate=48000,channels=1 ! wavenc ! filesink location=\"" +
                          path + "\"")
                             .c_str(),
                         &error);
    if (error) {
        std::fprintf(stderr, "alarm-latency: %s\n", error->message);
        return false;
    }
    gst_element_set_state(pipeline, GST_STATE_PLAYING);
    GstBus* bus = gst_element_get_bus(pipeline);
    GstMessage* message = gst_bus_timed_pop_filtered(
        bus, 30 * GST_SECOND, static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR));
    const bool written = message && GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
    if (message)
        gst_message_unref(message);
    gst_object_unref(bus);
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(pipeline);
    return written;
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const int rounds = std::clamp(argc > 1 ? std::atoi(argv[1]) : 3, 1, AlarmRowCount);
    QApplication app(argc, argv);
    gst_init(nullptr, nullptr);

    QTemporaryDir folder;
    const std::string sound = folder.filePath(QStringLiteral("one second.wav")).toStdString();
    if (!writeOneSecondWav(sound))
        return 1;

    std::atomic<WallClock::rep> firstBuffer{0};
    fake::Services fakes;
    fakes.process.path = folder.filePath(QStringLiteral("dialtop")).toStdString();
    LinuxLocalClock clock;
    GstTones tones(Sink);
    GstMediaPlayer media(Sink, [&](std::int64_t) {
        WallClock::rep none = 0;
        firstBuffer.compare_exchange_strong(none, WallClock::now().time_since_epoch().count());
    });
    const platform::Services services{clock,
                                      fakes.timeFormat,
                                      fakes.power,
                                      fakes.taskbar,
                                      tones,
                                      fakes.dialogs,
                                      fakes.windows,
                                      fakes.hotKeys,
                                      fakes.shortcuts,
                                      fakes.process,
                                      fakes.facts,
                                      fakes.live,
                                      fakes.lockLights,
                                      fakes.tray,
                                      fakes.registry,
                                      fakes.powerActions,
                                      media,
                                      fakes.fileDialog,
                                      fakes.autostart,
                                      fakes.control};
    DialtopProgram program(services);

    std::vector<double> latencies;
    for (int row = 1; row <= rounds; ++row) {
        const std::time_t due = WallClock::to_time_t(WallClock::now()) / 60 * 60 + 60;
        std::tm local{};
        localtime_r(&due, &local);
        std::ofstream(folder.filePath(QStringLiteral("settings.ini")).toStdString())
            << "[alarm" << row << "]\nison=1\nhour=" << local.tm_hour << "\nminute=" << local.tm_min
            << "\nsound=" << sound << "\n";
        program.settings().load();
        firstBuffer = 0;
        std::fprintf(stderr, "alarm-latency: round %d of %d, ringing at %02d:%02d\n", row, rounds,
                     local.tm_hour, local.tm_min);
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, [&] {
            if (firstBuffer.load() != 0 ||
                WallClock::now() > WallClock::from_time_t(due) + std::chrono::seconds(10))
                app.exit(0); // quit() would ask the clock to close, which it refuses
        });
        poll.start(5);
        app.exec();
        if (firstBuffer.load() == 0) {
            std::fprintf(stderr, "alarm-latency: the alarm did not sound\n");
            return 1;
        }
        const WallClock::time_point heard{WallClock::duration(firstBuffer.load())};
        latencies.push_back(
            std::chrono::duration<double, std::milli>(heard - WallClock::from_time_t(due)).count());
        program.alarmWindow().stalMouseUp(Qt::LeftButton, {}, 0, 0);
    }
    std::sort(latencies.begin(), latencies.end());
    std::printf(
        "alarm: due second to the first buffer at the sink: median %.0f ms, worst %.0f ms over %d rounds "
        "(target <= 150 ms)\n",
        latencies[latencies.size() / 2], latencies.back(), rounds);
    return 0;
}
