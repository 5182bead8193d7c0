#pragma once

#include <string>

class QWidget;

namespace nakva {

// A short word in the main window's status line about what a window has just done, so that a key
// pressed by accident is seen ("Išvyko: Kazlauskas Jonas, įrašo Nr. 12") and a run that found nothing
// says so; it stays until the next word or a menu's hint takes its place. Nothing when `from` is not
// inside the main window, or the text is empty.
void showStatus(const QWidget* from, const std::string& text);

} // namespace nakva
