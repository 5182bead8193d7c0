#pragma once

#include "maintenance/widgets/ProcessWindow.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QFormLayout;
class QLineEdit;
class QPushButton;
class QStackedLayout;

namespace nakva {

class BatchProcess;
class BatchRun;
class Context;

// A maintenance procedure that cannot be undone, behind the access code: "D Ė M E S I O  !", what it
// will do, the procedure's own fields, "Apsaugos kodas:" and the go and keep buttons (keep is the
// default); once the code is right, the same window shows the process's progress and closes after
// its closing word. A wrong code beeps, says so and changes nothing. The removal of old registrations
// and the anonymisation of payers are its configurations.
class AccessCodeWindow : public QWidget {
    Q_OBJECT
public:
    struct Texts {
        QString title;         // "PAŠALINTI SENUS REGISTRACIJOS ĮRAŠUS"
        QString warning;       // what will happen, and that it cannot be undone
        QString go;            // "Pašalinti"
        QString keep;          // "Nepašalinti"
        QString progressTitle; // the progress's title: "Processing Records"
    };
    // Checks the procedure's own fields before the code is looked at: false, after its message, keeps
    // the window as it is.
    using FieldsCheck = std::function<bool()>;
    // Makes the process once the code is right, on the window's context.
    using ProcessMaker = std::function<std::unique_ptr<BatchProcess>(Context& context)>;
    // The closing word once the process has ended.
    using Ended = std::function<void(const BatchRun& run)>;

    AccessCodeWindow(Texts texts, std::unique_ptr<Context> context, QWidget* parent = nullptr);
    ~AccessCodeWindow() override;

    void setProcess(FieldsCheck check, ProcessMaker make, Ended ended);
    // The procedure's own rows stand above the code.
    void addField(const QString& prompt, QWidget* field);
    QWidget* confirmationPage() const { return confirmation_; }

    QLineEdit* codeEntry() const { return code_; }
    QPushButton* goButton() const { return go_; }
    // The progress once the process runs, nullptr before.
    ProcessWindow* progress() const { return progress_; }

private:
    void go();
    void keep();

    std::unique_ptr<Context> context_;
    Texts texts_;
    FieldsCheck check_;
    ProcessMaker make_;
    Ended ended_;
    QStackedLayout* pages_ = nullptr;
    QWidget* confirmation_ = nullptr;
    QFormLayout* fields_ = nullptr;
    QLineEdit* code_ = nullptr;
    QPushButton* go_ = nullptr;
    QPointer<ProcessWindow> progress_; // works on context_: goes before it
};

// "Nuasmeninti duomenis": every payer's particulars replaced, behind the access code, with the count
// of payers anonymised as its closing word.
AccessCodeWindow* anonymisationWindow(std::unique_ptr<Context> context, QWidget* parent = nullptr);

} // namespace nakva
