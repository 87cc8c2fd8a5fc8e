#include "platform/linux/GstTones.h"

#include <QApplication>
#include <QStandardPaths>

#include <atomic>
#include <gst/gst.h>
#include <memory>
#include <numeric>
#include <utility>

namespace {

constexpr int SampleRate = 48000;
// How much longer than its sound a pipeline may take to start and end before its output counts as stuck.
constexpr GstClockTime StuckAfter = 5 * GST_SECOND;
// The wait for the end of a theme sound whose length is not known.
constexpr GstClockTime UnknownSoundLength = 30 * GST_SECOND;

// Where a tone's stream has got to, in nanoseconds; -1 before its first buffer.
using StreamEnd = std::shared_ptr<std::atomic<std::int64_t>>;

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
        (*static_cast<StreamEnd*>(end))
            ->store(static_cast<std::int64_t>(GST_BUFFER_PTS(buffer) + GST_BUFFER_DURATION(buffer)));
    return GST_PAD_PROBE_OK;
}

// The probe shares the counter, since a stuck pipeline may outlive the tone it played.
void watchStreamEnd(GstElement* element, const char* padName, const StreamEnd& end) {
    GstPad* pad = gst_element_get_static_pad(element, padName);
    if (!pad)
        return;
    gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, noteStreamEnd, new StreamEnd(end),
                      [](gpointer shared) { delete static_cast<StreamEnd*>(shared); });
    gst_object_unref(pad);
}

// Waits for the end, a failure or a stop request; empty once the sound's length is overrun by StuckAfter.
// The length is the expected one until the started pipeline can tell it.
GstMessage* awaitEnd(GstBus* bus, GstElement* pipeline, GstClockTime expectedLength) {
    const auto wanted = static_cast<GstMessageType>(GST_MESSAGE_EOS | GST_MESSAGE_ERROR |
                                                    GST_MESSAGE_APPLICATION | GST_MESSAGE_ASYNC_DONE);
    GstClockTime deadline = gst_util_get_timestamp() + expectedLength + StuckAfter;
    for (;;) {
        const GstClockTime now = gst_util_get_timestamp();
        GstMessage* message = gst_bus_timed_pop_filtered(bus, deadline > now ? deadline - now : 0, wanted);
        if (!message || GST_MESSAGE_TYPE(message) != GST_MESSAGE_ASYNC_DONE)
            return message;
        gst_message_unref(message);
        gint64 length = -1;
        if (gst_element_query_duration(pipeline, GST_FORMAT_TIME, &length) && length > 0)
            deadline = gst_util_get_timestamp() + static_cast<GstClockTime>(length) + StuckAfter;
    }
}

void setNull(GstElement* pipeline, gpointer) {
    gst_element_set_state(pipeline, GST_STATE_NULL);
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

void GstTones::stopBeep() {
    std::lock_guard lock(mutex_);
    std::erase_if(queue_, [](const Request& request) { return !request.soundFile.empty(); });
    if (!playingBeep_)
        return;
    beepStopped_ = true;
    if (playingBus_)
        gst_bus_post(playingBus_, gst_message_new_application(nullptr, gst_structure_new_empty("stop")));
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
        playingBeep_ = !request.soundFile.empty();
        beepStopped_ = false;
        lock.unlock();
        const Played played = play(request);
        if (!played.soundFile.empty() && !played.completed && !played.stopped)
            ringXBell();
        if (onPlayed_)
            onPlayed_(played);
        lock.lock();
        playingBeep_ = false;
    }
}

GstTones::Played GstTones::play(const Request& request) {
    // Here rather than at construction, so a program that never beeps never loads GStreamer.
    static std::once_flag initialised;
    std::call_once(initialised, [] { gst_init(nullptr, nullptr); });

    Played played{request.frequencyHz, request.durationMs, request.soundFile};
    const auto streamEnd = std::make_shared<std::atomic<std::int64_t>>(-1);
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
        stopping = stopping_ || beepStopped_;
        played.stopped = stopping;
        playingBus_ = bus;
    }
    bool endedByItself = true;
    if (!stopping && gst_element_set_state(pipeline, GST_STATE_PLAYING) != GST_STATE_CHANGE_FAILURE) {
        GstMessage* message = awaitEnd(
            bus, pipeline, request.soundFile.empty() ? request.durationMs * GST_MSECOND : UnknownSoundLength);
        const GstMessageType type = message ? GST_MESSAGE_TYPE(message) : GST_MESSAGE_UNKNOWN;
        played.completed = type == GST_MESSAGE_EOS;
        played.stopped = type == GST_MESSAGE_APPLICATION;
        endedByItself = type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR;
        if (!message)
            g_warning("tone: the sound output did not finish; dropped");
        if (type == GST_MESSAGE_ERROR) {
            GError* failure = nullptr;
            gst_message_parse_error(message, &failure, nullptr);
            g_warning("tone: %s", failure->message);
            g_error_free(failure);
        }
        if (message)
            gst_message_unref(message);
    }
    {
        std::lock_guard lock(mutex_);
        playingBus_ = nullptr;
    }
    // An output that is stuck or was cut short may not let go of its pipeline soon, or ever; GStreamer's
    // own threads wait for it, so the next tone need not.
    if (endedByItself)
        gst_element_set_state(pipeline, GST_STATE_NULL);
    else
        gst_element_call_async(pipeline, setNull, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(pipeline);
    played.streamNs = streamEnd->load();
    return played;
}

GstElement* GstTones::soundPipeline(const std::string& file,
                                    const std::shared_ptr<std::atomic<std::int64_t>>& streamEnd) const {
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
