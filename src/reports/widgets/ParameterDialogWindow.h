#pragma once

#include "reports/ParameterDialogs.h"
#include "shell/Globals.h"
#include "ui/Requests.h"

#include <QDialog>

#include <functional>
#include <map>

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;

namespace nakva {

class Context;
class DateEntry;

// A report's parameter dialog: the fields its definition lists, with prompts, calendar date entries,
// look-up buttons that open the lists for a selection, "&Vykdyti" and "&Nereikia" (or "Nutraukti").
// It edits a copy of the global report parameters, which "&Vykdyti" validates and writes back.
class ParameterDialogWindow : public QDialog {
    Q_OBJECT
public:
    // The opening rules (the proposed period, the emptied group, the preset service name) have been
    // applied to `globals` by the caller; the look-ups read through `context`.
    ParameterDialogWindow(ParameterDialog dialog, Context& context, const Globals& globals,
                          QWidget* parent = nullptr);
    ~ParameterDialogWindow() override;

    // The values as the user left them; after "&Vykdyti" with the period caption built.
    const Globals& values() const { return values_; }

    QWidget* fieldWidget(DialogField field) const; // DateEntry, QLineEdit or QCheckBox
    QToolButton* lookUpButton(DialogField field) const;
    QLabel* groupNameLabel() const { return groupName_; }
    QPushButton* runButton() const { return run_; }
    QPushButton* cancelButton() const { return cancel_; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void addField(const DialogFieldDef& field, QGridLayout* grid, int row);
    QLineEdit* lineEdit(DialogField field) const;
    // Takes the text of a field into the values; false and the field focused when a date is no date.
    bool take(DialogField field);
    void show(DialogField field);
    // The typed value is looked up; when it is not found, the list opens (lookUp).
    void checkLookUp(DialogField field);
    // The look-up button, Ctrl+Down: the list; after a choice the focus moves on to the next field.
    void lookUp(DialogField field);
    // Opens the field's list at its value and returns; when the list has gone, a choice is copied in
    // and `chosen` runs, a cancel restores the value the field had before. The focus is back in the
    // field either way.
    void chooseFromList(DialogField field, std::function<void()> chosen);
    void dateAccepted(DialogField field);
    // "&Vykdyti": the fields from `from` on are taken and their look-ups checked, then the dialog
    // accepts.
    void runPressed(std::size_t from = 0);

    ParameterDialog dialog_;
    Context& context_;
    Globals values_;
    Globals lastGood_; // what each look-up field held before its typing
    std::map<DialogField, QWidget*> fields_;
    std::map<DialogField, QToolButton*> lookUps_;
    QLabel* groupName_ = nullptr;
    QPushButton* run_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

// A report run's dialog call: applies the opening rules to the program's parameters (glo()), shows
// the dialog and returns; every window stays free meanwhile. On "&Vykdyti" the values are left there
// and `done` hears Completed, otherwise Cancelled, once the dialog has closed; a report without a
// dialog answers Completed at once.
void askReportParameters(ParameterDialog dialog, Context& context, QWidget* parent, SelectDone done);

} // namespace nakva
