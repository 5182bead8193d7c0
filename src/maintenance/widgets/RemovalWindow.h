#pragma once

#include "data/Date.h"
#include "maintenance/widgets/ProcessWindow.h"

#include <QPointer>
#include <QWidget>

#include <memory>

class QLineEdit;
class QPushButton;
class QStackedLayout;

namespace nakva {

class Context;
class DateEntry;

// "PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS": the confirmation with the limit date and the access code,
// then, in the same window, the removal's progress. The limit is the window's own (proposed as
// 31 December of the year before the working date) and goes to the process as it stands when
// "Pašalinti" is pressed; the shared report period is set (start 0, end the limit) only then, as the
// removal runs, so another window's period dialog can never widen what is removed.
class RemovalWindow : public QWidget {
    Q_OBJECT
public:
    explicit RemovalWindow(std::unique_ptr<Context> context, QWidget* parent = nullptr);
    ~RemovalWindow() override;

    DateEntry* dateEntry() const { return date_; }
    QLineEdit* codeEntry() const { return code_; }
    // The progress once the removal runs, nullptr before.
    ProcessWindow* progress() const { return progress_; }

private:
    void remove();
    void close();

    std::unique_ptr<Context> context_;
    QStackedLayout* pages_ = nullptr;
    DateEntry* date_ = nullptr;
    QLineEdit* code_ = nullptr;
    QPointer<ProcessWindow> progress_; // works on context_: goes before it
};

} // namespace nakva
