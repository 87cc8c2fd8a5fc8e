#pragma once

#include <functional>
#include <string>
#include <type_traits>
#include <utility>

// Where an error escaping a handler goes. The program installs the general error box at start; with no
// reporter the error is written to standard error.
using ErrorReporter = std::function<void(const std::string& message)>;
void SetErrorReporter(ErrorReporter reporter);
void ReportError(const std::string& message);

// Runs a handler so that an error escaping it reaches the reporter here, at the handler's own boundary,
// instead of unwinding through Qt's frames; the program runs on.
void RunGuarded(const std::function<void()>& handler);

// Wraps a handler for connect(): connect(action, &QAction::triggered, this, Guarded([this] { ... }));
// A handler that takes the signal's arguments gets them; one that takes none is called without.
template <class Handler> auto Guarded(Handler handler) {
    return [handler = std::move(handler)](const auto&... arguments) {
        RunGuarded([&] {
            if constexpr (std::is_invocable_v<const Handler&, decltype(arguments)...>)
                handler(arguments...);
            else
                handler();
        });
    };
}
