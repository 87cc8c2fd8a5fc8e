#pragma once

#include "platform/Tones.h"

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

typedef struct _GstBus GstBus;
typedef struct _GstElement GstElement;

// Sine tones through GStreamer, played one after another on a worker thread. The default beep is the
// sound theme's alarm sound, played the same way; the X bell, silent on most desktops, only stands in
// when the theme is missing or its sound fails.
class GstTones : public platform::Tones {
public:
    struct Played {
        int frequencyHz = 0;
        int durationMs = 0;
        std::string soundFile;      // the theme sound played for the default beep; empty for a tone
        bool completed = false;     // false when the pipeline failed, was cut short or its output got stuck
        bool stopped = false;       // cut short on purpose: by stopBeep or the destructor
        std::int64_t streamNs = -1; // where the stream ended: the last buffer's time plus its duration
    };
    // Called on the worker thread after each tone.
    using PlayedHandler = std::function<void(const Played&)>;

    // `sink` is a gst-launch description of the audio sink, e.g. "fakesink sync=true".
    explicit GstTones(std::string sink = "autoaudiosink", PlayedHandler onPlayed = {});
    // Cuts a playing tone short and drops the queued ones.
    ~GstTones() override;

    // Tones of no length or no frequency are ignored.
    void tone(int frequencyHz, int durationMs) override;
    void defaultBeep() override;
    void stopBeep() override;

private:
    struct Request {
        int frequencyHz;
        int durationMs;
        std::string soundFile;
    };

    void enqueue(Request request);
    void run();
    Played play(const Request& request);
    GstElement* soundPipeline(const std::string& file,
                              const std::shared_ptr<std::atomic<std::int64_t>>& streamEnd) const;

    const std::string sink_;
    const PlayedHandler onPlayed_;
    std::mutex mutex_;
    std::condition_variable wake_;
    std::deque<Request> queue_;
    bool stopping_ = false;
    bool playingBeep_ = false;     // the request taken from the queue is the default beep
    bool beepStopped_ = false;     // and stopBeep has asked for its end
    GstBus* playingBus_ = nullptr; // set while a tone plays, so the destructor can interrupt it
    std::thread worker_;           // last, so it starts once everything above exists
};
