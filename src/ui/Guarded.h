#pragma once

#include <functional>
#include <utility>

// Runs a handler so that an error escaping it reaches the general error box here, at the handler's
// own boundary, instead of unwinding through Qt's frames; the program runs on.
void RunGuarded(const std::function<void()>& handler);

// Wraps a handler for connect(): connect(action, &QAction::triggered, this, Guarded([this] { ... }));
template <class Handler> auto Guarded(Handler handler) {
    return [handler = std::move(handler)]() { RunGuarded(handler); };
}
