#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>

namespace platform {

// A media file that cannot be opened, played or moved in; the text says why.
class MediaError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Plays one media file at a time, sound only. Calls that fail throw MediaError.
class MediaPlayer {
public:
    // Runs on the interface thread when a play ends by itself: the media reached its end or failed.
    using EndHandler = std::function<void()>;

    virtual ~MediaPlayer() = default;
    // Closes an open file first; the type of the file is found from its contents. Only a regular file opens:
    // a FIFO or a device could keep the caller waiting for its other end.
    virtual void open(const std::string& path) = 0;
    // Plays once from the current position and returns at once.
    virtual void play() = 0;
    // Stops where it is; rewind and play again still work.
    virtual void stop() = 0;
    virtual void rewind() = 0;
    // Releases the file; nothing is open afterwards, and no end of it is reported any more.
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    // In milliseconds; empty while unknown (nothing open, or the stream cannot say).
    virtual std::optional<std::int64_t> position() const = 0;
    virtual std::optional<std::int64_t> length() const = 0;
    // Not playing: nothing open, never played, stopped, or the play has ended.
    virtual bool isStopped() const = 0;
    virtual void setEndHandler(EndHandler handler) = 0;
};

} // namespace platform
