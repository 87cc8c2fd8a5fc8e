#include "ui/Guarded.h"

#include <cstdio>
#include <exception>

namespace {

ErrorReporter& reporter() {
    static ErrorReporter installed;
    return installed;
}

} // namespace

void SetErrorReporter(ErrorReporter next) {
    reporter() = std::move(next);
}

void ReportError(const std::string& message) {
    if (reporter())
        reporter()(message);
    else
        std::fprintf(stderr, "dialtop: %s\n", message.c_str());
}

void RunGuarded(const std::function<void()>& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        ReportError(error.what());
    }
}
