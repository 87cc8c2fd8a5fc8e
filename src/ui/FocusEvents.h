#pragma once

#include <functional>

class QKeyEvent;
class QWidget;

// Focus and key hooks for edit boxes whose handlers run on a real loss of focus or on every key
// release, which Qt's editingFinished and textChanged do not match. Hook a widget once it is fully
// made; while it is being deleted its hooks stay silent.

// The focus moved elsewhere in the program: by Tab, Shift+Tab, a click, a shortcut or in code; not
// when the window is merely deactivated or a popup menu opens.
void OnRealFocusLeave(QWidget& widget, std::function<void()> handler);
void OnFocusEnter(QWidget& widget, std::function<void()> handler);
// Every key release, auto-repeat included.
void OnKeyRelease(QWidget& widget, std::function<void(QKeyEvent&)> handler);
