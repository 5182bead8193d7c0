#pragma once

#include <functional>

class QWidget;

namespace nakva {

// How one window calls another without waiting inside it: the called window opens beside its caller
// (a child of the caller's multiple-document area, or of the main window's own when the main window
// itself calls, or on its own when there is none) and only the caller's window is disabled meanwhile;
// every other window stays free. When the called window has
// gone, the caller's window is enabled and active again and `returned` runs: the caller goes on there.
//
//     QWidget* frame = openCalledWindow(window, caller, [answer] { done(*answer); });
//     frame->show();
//
// A caller that goes first takes the windows it called with it, and their `returned` never runs.
// Returns the frame to place and show: the window's multiple-document child, or the window itself;
// it is deleted when closed.
QWidget* openCalledWindow(QWidget* window, QWidget* caller, std::function<void()> returned);

// True while `window` (or a widget inside it) waits for a window it called: it must not close.
bool waitsForCalledWindow(const QWidget* window);

// Deletes the windows called from `window` or a widget inside it, without going on in their callers:
// a window being destroyed calls it before its members go.
void dropCalledWindows(QWidget* window);

} // namespace nakva
