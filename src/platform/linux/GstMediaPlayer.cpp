#include "platform/linux/GstMediaPlayer.h"

#include <cerrno>
#include <gst/gst.h>
#include <sys/stat.h>
#include <system_error>
#include <utility>

namespace {

// playbin's "flags": audio with its software volume, and no video or subtitle window.
constexpr guint AudioOnlyFlags = (1 << 1) | (1 << 4);
// How long opening may take to find the file's type and decode its start before it counts as failed.
constexpr GstClockTime OpenTimeout = 5 * GST_SECOND;
constexpr GstClockTime SeekTimeout = 2 * GST_SECOND;

std::string takeMessage(GError* error) {
    std::string text = error ? error->message : "Unknown GStreamer error";
    if (error)
        g_error_free(error);
    return text;
}

std::string errorText(GstMessage* message) {
    GError* error = nullptr;
    gst_message_parse_error(message, &error, nullptr);
    return takeMessage(error);
}

// Opening a FIFO or a device may wait forever for its other end, inside a state change on the interface
// thread; looking at the file does not.
void requireRegularFile(const std::string& path) {
    struct stat status {};
    if (stat(path.c_str(), &status) != 0)
        throw platform::MediaError(path + ": " + std::generic_category().message(errno));
    if (!S_ISREG(status.st_mode))
        throw platform::MediaError(path + ": not a regular file");
}

GstPadProbeReturn noteBuffer(GstPad*, GstPadProbeInfo* info, gpointer observer) {
    const GstBuffer* buffer = GST_PAD_PROBE_INFO_BUFFER(info);
    const std::int64_t end =
        GST_BUFFER_PTS_IS_VALID(buffer) && GST_BUFFER_DURATION_IS_VALID(buffer)
            ? static_cast<std::int64_t>(GST_BUFFER_PTS(buffer) + GST_BUFFER_DURATION(buffer))
            : -1;
    (*static_cast<const GstMediaPlayer::BufferObserver*>(observer))(end);
    return GST_PAD_PROBE_OK;
}

} // namespace

// Runs on whichever thread posts a message; hands the ones that matter to the interface thread.
struct GstMediaPlayer::BusBridge {
    static GstBusSyncReply onMessage(GstBus*, GstMessage* message, gpointer data) {
        auto* player = static_cast<GstMediaPlayer*>(data);
        const GstMessageType type = GST_MESSAGE_TYPE(message);
        if (type == GST_MESSAGE_EOS || type == GST_MESSAGE_ERROR) {
            const std::uint64_t generation = player->generation_.load();
            const bool endOfStream = type == GST_MESSAGE_EOS;
            QMetaObject::invokeMethod(
                &player->context_,
                [player, generation, endOfStream] { player->handleMessage(generation, endOfStream); },
                Qt::QueuedConnection);
        }
        // A dropped message is the handler's to release; each one holds its source, the pipeline.
        gst_message_unref(message);
        return GST_BUS_DROP;
    }
};

GstMediaPlayer::GstMediaPlayer(std::string sink, BufferObserver onBuffer)
    : sink_(std::move(sink)), onBuffer_(std::move(onBuffer)) {}

GstMediaPlayer::~GstMediaPlayer() {
    close();
}

GstElement* GstMediaPlayer::makeSink() const {
    GError* error = nullptr;
    GstElement* sink = gst_parse_bin_from_description(sink_.c_str(), TRUE, &error);
    if (!sink)
        throw platform::MediaError("Audio output \"" + sink_ + "\": " + takeMessage(error));
    if (error)
        g_error_free(error);
    if (onBuffer_) {
        GstPad* pad = gst_element_get_static_pad(sink, "sink");
        if (pad) {
            gst_pad_add_probe(pad, GST_PAD_PROBE_TYPE_BUFFER, noteBuffer,
                              const_cast<BufferObserver*>(&onBuffer_), nullptr);
            gst_object_unref(pad);
        }
    }
    return sink;
}

void GstMediaPlayer::open(const std::string& path) {
    close();
    requireRegularFile(path);
    gst_init(nullptr, nullptr);

    GError* error = nullptr;
    gchar* uri = gst_filename_to_uri(path.c_str(), &error);
    if (!uri)
        throw platform::MediaError(takeMessage(error));
    GstElement* playbin = gst_element_factory_make("playbin", nullptr);
    if (!playbin) {
        g_free(uri);
        throw platform::MediaError("GStreamer's playbin is missing (package gstreamer1.0-plugins-base)");
    }
    gst_object_ref_sink(playbin);
    pipeline_ = playbin;
    g_object_set(playbin, "uri", uri, "flags", AudioOnlyFlags, nullptr);
    g_free(uri);

    GstBus* bus = gst_element_get_bus(playbin);
    try {
        g_object_set(playbin, "audio-sink", makeSink(), nullptr);
        waitForPreroll(*bus);
    } catch (...) {
        gst_object_unref(bus);
        close();
        throw;
    }
    gst_bus_set_sync_handler(bus, &BusBridge::onMessage, this, nullptr);
    // What was posted before the handler is in place: only a failure matters, nothing has played yet.
    GstMessage* failure = gst_bus_pop_filtered(bus, GST_MESSAGE_ERROR);
    gst_bus_set_flushing(bus, TRUE);
    gst_bus_set_flushing(bus, FALSE);
    gst_object_unref(bus);
    if (failure) {
        const std::string text = errorText(failure);
        gst_message_unref(failure);
        close();
        throw platform::MediaError(text);
    }
}

void GstMediaPlayer::waitForPreroll(GstBus& bus) {
    const GstStateChangeReturn change = gst_element_set_state(pipeline_, GST_STATE_PAUSED);
    if (change != GST_STATE_CHANGE_ASYNC && change != GST_STATE_CHANGE_FAILURE)
        return;
    GstMessage* message =
        gst_bus_timed_pop_filtered(&bus, change == GST_STATE_CHANGE_ASYNC ? OpenTimeout : 0,
                                   static_cast<GstMessageType>(GST_MESSAGE_ASYNC_DONE | GST_MESSAGE_ERROR));
    if (!message)
        throw platform::MediaError(change == GST_STATE_CHANGE_FAILURE
                                       ? "The media file cannot be opened"
                                       : "The media file did not open in time");
    const bool failed = GST_MESSAGE_TYPE(message) == GST_MESSAGE_ERROR;
    const std::string text = failed ? errorText(message) : std::string();
    gst_message_unref(message);
    if (failed)
        throw platform::MediaError(text);
}

GstElement& GstMediaPlayer::pipeline() const {
    if (!pipeline_)
        throw platform::MediaError("No media file is open");
    return *pipeline_;
}

void GstMediaPlayer::play() {
    GstElement& playbin = pipeline();
    endPosition_.reset();
    if (gst_element_set_state(&playbin, GST_STATE_PLAYING) == GST_STATE_CHANGE_FAILURE)
        throw platform::MediaError("The media file cannot be played");
    playing_ = true;
}

void GstMediaPlayer::stop() {
    // Paused rather than torn down, so the position stays and a seek back to the start still works.
    GstElement& playbin = pipeline();
    playing_ = false;
    if (gst_element_set_state(&playbin, GST_STATE_PAUSED) == GST_STATE_CHANGE_FAILURE)
        throw platform::MediaError("The media file cannot be stopped");
}

void GstMediaPlayer::rewind() {
    GstElement& playbin = pipeline();
    if (!gst_element_seek_simple(&playbin, GST_FORMAT_TIME,
                                 static_cast<GstSeekFlags>(GST_SEEK_FLAG_FLUSH | GST_SEEK_FLAG_KEY_UNIT), 0))
        throw platform::MediaError("The media file cannot be rewound");
    endPosition_.reset();
    if (gst_element_get_state(&playbin, nullptr, nullptr, SeekTimeout) == GST_STATE_CHANGE_FAILURE)
        throw platform::MediaError("The media file cannot be rewound");
}

void GstMediaPlayer::close() {
    if (!pipeline_)
        return;
    // Setting NULL joins the streaming threads, so no message of this pipeline is posted after it.
    gst_element_set_state(pipeline_, GST_STATE_NULL);
    GstBus* bus = gst_element_get_bus(pipeline_);
    gst_bus_set_sync_handler(bus, nullptr, nullptr, nullptr);
    gst_object_unref(bus);
    gst_object_unref(pipeline_);
    pipeline_ = nullptr;
    ++generation_;
    playing_ = false;
    endPosition_.reset();
}

namespace {

std::optional<std::int64_t> queryMs(GstElement* pipeline,
                                    gboolean (*query)(GstElement*, GstFormat, gint64*)) {
    gint64 value = -1;
    if (!pipeline || !query(pipeline, GST_FORMAT_TIME, &value) || value < 0)
        return std::nullopt;
    return value / GST_MSECOND;
}

} // namespace

std::optional<std::int64_t> GstMediaPlayer::position() const {
    return endPosition_ ? endPosition_ : queryMs(pipeline_, gst_element_query_position);
}

std::optional<std::int64_t> GstMediaPlayer::length() const {
    return endPosition_ ? endPosition_ : queryMs(pipeline_, gst_element_query_duration);
}

void GstMediaPlayer::handleMessage(std::uint64_t generation, bool endOfStream) {
    if (generation != generation_.load() || !pipeline_)
        return;
    // A failure while playing ends the sound; only a real end of the media is reported as one.
    playing_ = false;
    if (!endOfStream)
        return;
    // A stream at its end may report a position a little short of its length, or no length at all.
    endPosition_ = queryMs(pipeline_, gst_element_query_duration);
    if (!endPosition_)
        endPosition_ = queryMs(pipeline_, gst_element_query_position).value_or(0);
    if (onEnd_)
        onEnd_();
}
