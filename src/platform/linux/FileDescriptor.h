#pragma once

#include <unistd.h>
#include <utility>

// An open file descriptor, closed on every way out.
class FileDescriptor {
public:
    explicit FileDescriptor(int fd) : fd_(fd) {}
    ~FileDescriptor() {
        if (fd_ >= 0)
            ::close(fd_);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return fd_; }
    bool valid() const { return fd_ >= 0; }
    // Closing can report a failed write-back, so its result counts.
    bool close() { return ::close(std::exchange(fd_, -1)) == 0; }

private:
    int fd_;
};
