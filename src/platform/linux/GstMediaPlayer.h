#pragma once

#include "platform/MediaPlayer.h"

#include <QObject>

#include <atomic>
#include <cstdint>
#include <functional>
#include <string>

typedef struct _GstBus GstBus;
typedef struct _GstElement GstElement;

// Media files through GStreamer's playbin, sound only. The pipeline's messages reach the interface thread
// by queued calls; those of a pipeline closed or replaced in the meantime are dropped.
class GstMediaPlayer : public platform::MediaPlayer {
public:
    // Called on a streaming thread for every buffer reaching the output, with the stream time at its end.
    using BufferObserver = std::function<void(std::int64_t streamEndNs)>;

    // `sink` is a gst-launch description of the audio output, e.g. "fakesink sync=true".
    explicit GstMediaPlayer(std::string sink = "autoaudiosink", BufferObserver onBuffer = {});
    ~GstMediaPlayer() override;

    void open(const std::string& path) override;
    void play() override;
    void stop() override;
    void rewind() override;
    void close() override;
    bool isOpen() const override { return pipeline_ != nullptr; }
    std::optional<std::int64_t> position() const override;
    std::optional<std::int64_t> length() const override;
    bool isStopped() const override { return !playing_; }
    void setEndHandler(EndHandler handler) override { onEnd_ = std::move(handler); }

private:
    GstElement* makeSink() const;
    GstElement& pipeline() const;
    void waitForPreroll(GstBus& bus);
    void handleMessage(std::uint64_t generation, bool endOfStream);
    struct BusBridge;
    friend struct BusBridge;

    const std::string sink_;
    const BufferObserver onBuffer_;
    EndHandler onEnd_;
    QObject context_; // the interface thread, for queued calls
    GstElement* pipeline_ = nullptr;
    // Changes only once a pipeline is torn down, so a queued message knows whether its pipeline still stands.
    std::atomic<std::uint64_t> generation_{0};
    bool playing_ = false;
    // Set at the end of the stream: both the position and the length from then on, so the end is seen as
    // one even in a stream that cannot tell its length.
    std::optional<std::int64_t> endPosition_;
};
