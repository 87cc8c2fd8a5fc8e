#include "platform/linux/GstTones.h"

#include <QApplication>
#include <QStandardPaths>

#include <atomic>
#include <gst/gst.h>
#include <numeric>
#include <utility>

namespace {

constexpr int SampleRate = 48000;

std::string pipelineDescription(int frequencyHz, int durationMs, const std::string& sink) {
    // Whole buffers of at most 20 ms that add up to exactly the requested length.
    const int bufferMs = std::gcd(durationMs, 20);
    return "audiotestsrc wave=sine freq=" + std::to_string(frequencyHz) +
           " samplesperbuffer=" + std::to_string(SampleRate / 1000 * bufferMs) +
           " num-buffers=" + std::to_string(durationMs / bufferMs) +
           " ! audio/x-raw,rate=" + std::to_string(SampleRate) +
           ",channels=1 ! audioconvert ! audioresample name=last ! " + sink;
}

GstPadProbeReturn noteStreamEnd(GstPad*, GstPadProbeInfo* info, gpointer end) {
    const GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    if (GST_BUFFER_PTS_IS_VALID(buffer) && GST_BUFFER_DURATION_IS_VALID(buffer))
        static_cast<std::atomic<std::int64_t>*>(end)->store(
            static_cast<std::int64_t>(GST_BUFFER_PTS(buffer) + GST_BUFFER_DURATION(buffer)));
    return GST_PAD_PROBE_OK;
}

void watchStreamEnd(GstElement* element, const char* padName, std::atomic<std::int64_t>& end) {
    GstPad* pad = gst_element_get_static_pad(element, padName);
    if (!pad)
        return;
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, noteStreamEnd, &end, nullptr);
    gst_object_unref(pad);
}

// The freedesktop sound theme's alarm sound, else its bell; empty when neither is installed.
std::string themeSound() {
    for (const char* name : {"alarm-clock-elapsed", "bell"}) {
        for (const char* extension : {".oga", ".ogg", ".wav"}) {
            const QString path = QStandardPaths::locate(QStandardPaths::GenericDataLocation,
                                                        QStringLiteral("sounds/freedesktop/stereo/") +
                                                            QLatin1String(name) + QLatin1String(extension));
            if (!path.isEmpty())
                return path.toStdString();
        }
    }
    return {};
}

void ringXBell() {
    if (qApp)
        QMetaObject::invokeMethod(
            qApp, [] { QApplication::beep(); }, Qt::QueuedConnection);
}

} // namespace

GstTones::GstTones(std::string sink, PlayedHandler onPlayed)
    : sink_(std::move(sink)), onPlayed_(std::move(onPlayed)), worker_(&GstTones::run, this) {}

GstTones::~GstTones() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        queue_.clear();
        if (playingBus_)
            gst_bus_post(playingBus_, gst_message_new_application(nullptr, gst_structure_new_empty("stop")));
    }
    wake_.notify_all();
    worker_.join();
}

void GstTones::tone(int frequencyHz, int durationMs) {
    if (frequencyHz <= 0 || durationMs <= 0)
        return;
    enqueue({frequencyHz, durationMs, {}});
}

void GstTones::defaultBeep() {
    std::string sound = themeSound();
    if (sound.empty())
        QApplication::beep();
    else
        enqueue({0, 0, std::move(sound)});
}

void GstTones::enqueue(Request request) {
    {
        std::lock_guard lock(mutex_);
        queue_.push_back(std::move(request));
    }
    wake_.notify_one();
}

void GstTones::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        wake_.wait(lock, [this] { return stopping_ || !queue_.empty(); });
        if (stopping_)
            return;
        const Request request = queue_.front();
        queue_.pop_front();
        lock.unlock();
        const Played played = play(request);
        if (!played.soundFile.empty() && !played.completed)
            ringXBell();
        if (onPlayed_)
            onPlayed_(played);
        lock.lock();
    }
}

GstTones::Played GstTones::play(const Request& request) {
    // Here rather than at construction, so a program that never beeps never loads GStreamer.
    static std::once_flag initialised;
    std::call_once(initialised, [] { gst_init(nullptr, nullptr); });

    Played played{request.frequencyHz, request.durationMs, request.soundFile};
    std::atomic<std::int64_t> streamEnd{-1};
    GstElement* pipeline = nullptr;
    if (!request.soundFile.empty()) {
        pipeline = soundPipeline(request.soundFile, streamEnd);
    } else {
        GError* error = nullptr;
        pipeline = gst_parse_launch(
            pipelineDescription(request.frequencyHz, request.durationMs, sink_).c_str(), &error);
        if (error) {
            g_warning("tone pipeline: %s", error->message);
            g_error_free(error);
            if (pipeline)
                gst_object_unref(pipeline);
            pipeline = nullptr;
        } else {
            GstElement* last = gst_bin_get_by_name(GST_BIN(pipeline), "last");
            watchStreamEnd(last, "src", streamEnd);
            gst_object_unref(last);
        }
    }
    if (!pipeline)
        return played;
    GstBus* bus = gst_element_get_bus(pipeline);
    bool stopping = false;
    {
        std::lock_guard lock(mutex_);
        stopping = stopping_;
        playingBus_ = bus;
    }
    if (!stopping && gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        GstMessage* message = gst_bus_timed_pop_filtered(
            bus, GST_CLOCK_TIME_NONE,
            static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR | GST_MESSAGE_APPLICATION));
        played.completed = GST_MESSAGE_TYPE(message) == GST_MESSAGE_EOS;
        if (GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR) {
            GError* failure = nullptr;
            gst_message_parse_error(message, &failure, nullptr);
            g_warning("tone: %s", failure->message);
            g_error_free(failure);
        }
        gst_message_unref(message);
    }
    {
        std::lock_guard lock(mutex_);
        playingBus_ = nullptr;
    }
    gst_element_set_state(pipeline, GST_STATE_NULL);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
    played.streamNs = streamEnd.load();
    return played;
}

GstElement* GstTones::soundPipeline(const std::string& file, std::atomic<std::int64_t>& streamEnd) const {
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(sink_.c_str(), TRUE, &error);
    gchar* uri = error ? nullptr : gst_filename_to_uri(file.c_str(), &error);
    GstElement* playbin = uri ? gst_element_factory_make("playbin", nullptr) : nullptr;
    if (!playbin) {
        g_warning("beep %s: %s", file.c_str(), error ? error->message : "no playbin");
        if (error)
            g_error_free(error);
        if (sink)
            gst_object_unref(sink);
        g_free(uri);
        return nullptr;
    }
    watchStreamEnd(sink, "sink", streamEnd);
    // Sound only: a theme file with a picture in it must not open a window.
    constexpr guint AudioOnlyFlags = (1 << 1) | (1 << 4);
    g_object_set(playbin, "uri", uri, "audio-sink", sink, "flags", AudioOnlyFlags, nullptr);
    g_free(uri);
    return playbin;
}
