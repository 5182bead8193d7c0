#pragma once

#include "maintenance/widgets/AccessCodeWindow.h"

#include <memory>

namespace nakva {

class Context;
class DateEntry;

// "PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS": the access code window with the limit date, then the
// removal's progress. The limit is the window's own (proposed as 31 December of the year before the
// working date) and goes to the process as it stands when "Pašalinti" is pressed; the shared report
// period is set (start 0, end the limit) only then, as the removal runs, so another window's period
// dialog can never widen what is removed.
class RemovalWindow : public AccessCodeWindow {
    Q_OBJECT
public:
    explicit RemovalWindow(std::unique_ptr<Context> context, QWidget* parent = nullptr);

    DateEntry* dateEntry() const { return date_; }

private:
    DateEntry* date_ = nullptr;
};

} // namespace nakva
