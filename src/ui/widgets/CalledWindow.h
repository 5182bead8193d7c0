#pragma once

#include <QPoint>
#include <QSize>

#include <functional>
#include <optional>

class QWidget;

namespace nakva {

// How one window calls another without waiting inside it: the called window opens beside its caller
// (a child of the caller's multiple-document area, or of the main window's own when the main window
// itself calls, or on its own when there is none) and only the caller's window is disabled meanwhile;
// every other window stays free. When the called window has
// gone, the caller's window is enabled and active again and `returned` runs: the caller goes on there.
//
//     QWidget* frame = openCalledWindow(window, caller, [answer] { done(*answer); });
//     showWindowInArea(frame, focus, caller);
//
// A caller that goes first takes the windows it called with it, and their `returned` never runs.
// Returns the frame to place and show: the window's multiple-document child, or the window itself;
// it is deleted when closed.
QWidget* openCalledWindow(QWidget* window, QWidget* caller, std::function<void()> returned);

// Shows a frame (a multiple-document child, or a window of its own) where it can be seen: no larger
// than its area's view, moved so that its title bar and its buttons lie inside it; at `position` when
// given (where a form was last left), otherwise a step down and right of the window of `caller`, or
// where the area puts a new window; never exactly over another window of the area (it steps on down
// and right while it would be). It comes to the front and is the active window, with the focus on
// `focus`: a window opened from the keyboard answers the keyboard at once.
//
//     QWidget* frame = openCalledWindow(window, caller, [answer] { done(*answer); });
//     showWindowInArea(frame, window->table(), caller);
void showWindowInArea(QWidget* frame, QWidget* focus, QWidget* caller = nullptr,
                      std::optional<QPoint> position = std::nullopt);

// Grows the frame that shows `content` (its multiple-document child, or the window itself) by `extra`,
// never shrinking it, as far as its area has room: a window whose texts grew after it opened (a tab's
// chooser shown, a room's particulars beside its field) shows them whole instead of cut.
void growFrame(QWidget* content, QSize extra);

// True while `window` (or a widget inside it) waits for a window it called: it must not close.
bool waitsForCalledWindow(const QWidget* window);

// Deletes the windows called from `window` or a widget inside it, without going on in their callers:
// a window being destroyed calls it before its members go.
void dropCalledWindows(QWidget* window);

} // namespace nakva
