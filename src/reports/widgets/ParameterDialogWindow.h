#pragma once

#include "reports/ParameterDialogs.h"
#include "shell/Globals.h"
#include "ui/Requests.h"

#include <QDialog>

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
    // The typed value is looked up; when it is not found, the list opens. False when nothing valid
    // stands in the field afterwards (the list was cancelled on a value that is not there).
    bool checkLookUp(DialogField field);
    // Opens the field's list at its value; a choice is copied in, a cancel restores the value the
    // field had before.
    bool chooseFromList(DialogField field);
    void dateAccepted(DialogField field);
    void runPressed();

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
// the dialog modally and, on "&Vykdyti", leaves its values there. Completed or Cancelled; a report
// without a dialog answers Completed at once.
Response askReportParameters(ParameterDialog dialog, Context& context, QWidget* parent);

} // namespace nakva
