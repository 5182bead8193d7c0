#pragma once

#include <functional>
#include <string>
#include <utility>

namespace nakva {

// The buttons of the main window's toolbar, left to right: the fourteen of the old program and the
// export of a list.
enum class ToolbarButton {
    FirstPage,
    PreviousPage,
    PreviousRecord,
    Locate,
    NextRecord,
    NextPage,
    LastPage,
    Insert,
    Change,
    Delete,
    History,
    Select,
    Export,
    Close,
    Help,
};
inline constexpr int ToolbarButtonCount = 15;

// What a child window of the main window answers so that the frame's toolbar acts on it: which
// buttons are enabled, the tooltips it sets, and what a press does, as if the window's own
// same-named control had been pressed. The close button is not forwarded: the frame closes the
// window as its own close button would. A window tells the frame with toolbarChanged() whenever its
// answers change.
class ToolbarClient {
public:
    virtual ~ToolbarClient() = default;

    virtual bool toolbarEnabled(ToolbarButton button) const = 0;
    // Empty: the frame's own tooltip.
    virtual std::string toolbarTooltip(ToolbarButton /*button*/) const { return {}; }
    virtual void toolbarPressed(ToolbarButton button) = 0;

    // Installed by the frame while the window is its active child; nullptr removes it.
    void setToolbarListener(std::function<void()> listener) { listener_ = std::move(listener); }

protected:
    void toolbarChanged() const {
        if (listener_) {
            listener_();
        }
    }

private:
    std::function<void()> listener_;
};

} // namespace nakva
