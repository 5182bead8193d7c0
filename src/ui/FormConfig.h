#pragma once

#include "data/Decimal.h"
#include "data/Dictionary.h"
#include "ui/FormLookUp.h"
#include "ui/ListConfig.h"
#include "ui/Picture.h"

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

namespace nakva {

class FormEngine;

// How a field is edited.
enum class FormControl {
    Entry,    // a line of text; a date field gets the calendar date entry
    CheckBox, // a BYTE flag: 1 when ticked
    DropList, // an entry with the choices offered below it
};

// One field of a form, in tab order: its prompt, the field it edits and its tooltip; the rest as set.
struct FormField {
    FormField(std::string prompt, int field, std::string tooltip = {})
        : prompt(std::move(prompt)), field(field), tooltip(std::move(tooltip)) {}

    std::string prompt; // "Valstybės pavadinimas:"
    int field = -1;     // index in the form's table
    std::string tooltip;
    int tab = 0; // -1: below the tabs, beside the buttons ("Išvykęs")
    FormControl control = FormControl::Entry;
    Picture picture;                  // how the value is shown; the default shows it as stored
    std::vector<std::string> choices; // DropList
    bool required = false;            // a field other records link to by its value is required as well
    bool readOnly = false;
    bool fixedOnInsert = false; // not typed over in insert mode (a number children already point to)
    bool history = true;        // the history key fills it
    std::optional<Decimal> minimum;
    std::optional<Decimal> maximum;
    std::optional<FormLookUp> lookUp;
    // A read-only text beside the field (the looked-up record's name), from the record as the form
    // shows it; computed each time the record is shown.
    std::function<std::string(FormEngine& form)> beside;
};

// A check that one unique key's leading components already identify a record: the service group's
// name must be unique ignoring letter case although its key ends with the group number. Checked before
// every write; a clash is reported as a duplicate of that key.
struct FormUniqueness {
    int key = -1;
    int components = 1;
};

// A list of the record's children on one of the form's tabs (a registration's rooms, invoice lines,
// payments): it shows the children that hold the record's linking value, and its insert, change and
// delete open the children's record form on the form's context. The child form reads the record as
// the user has edited it so far from the table's buffer; after it closes the list's own `closed` hook
// recomputes what follows these children, and a child saved or deleted counts as a change of the
// record.
struct FormChildList {
    ListConfig list;      // its filter and primes name `variable` ("SKMB:IrasoNr = LOC:IrasoNr")
    std::string variable; // "LOC:IrasoNr": bound to the record's `parentField` when the list opens
    int parentField = -1;
    std::string form; // the children's record form by name ("UpdateSaskKmb")
    int tab = 0;
    int row = -1; // the row of the tab it stands at; -1: after the fields
    // After a child form of this list closed (its list is read again next): the record's fields that
    // follow these children (the rooms' totals after a room), and only those; empty when nothing does
    // (a payment). Values the user typed into other fields stand.
    std::function<void(FormEngine&)> closed;
};

// A working value of the form, not stored: shown read-only on a tab from the form's variables, where
// its own logic keeps it ("Kaina už parą:" LOC:SUMA).
struct FormWorkingValue {
    std::string prompt;
    std::string variable;
    int tab = 0;
    Picture picture;
    // The field it stands after, beside the values it goes with ("Liko mokėti:" after "Suma su PVM:");
    // -1: at the end of its tab. Several after one field keep their order.
    int afterField = -1;
};

// What the form asks when it is cancelled with unsaved changes.
enum class CancelQuestion {
    None,
    Confirm,     // "Ar tikrai norite nutraukti?": Yes cancels
    SaveChanges, // "Ar išsaugoti pakeitimus?": Yes saves, No discards, Cancel returns to the form
};

// The form's own logic, beside the generic behaviour. Every hook may be empty.
struct FormHooks {
    // Insert, before the record is numbered and the opening copy taken: primes the new record.
    std::function<void(FormEngine&)> prime;
    // After opening (every mode with a window), before the window shows.
    std::function<void(FormEngine&)> opened;
    // The user accepted the field (it is not run by the final check on save): computations tied to
    // it. False keeps the focus on the field.
    std::function<bool(FormEngine&, int field)> accepted;
    // A check run both when the user accepts the field and in the final check on save (a date order):
    // false keeps the focus on the field and stops a save. It shows its own message.
    std::function<bool(FormEngine&, int field)> check;
    // The user moved into the field (not the final check on save): a default filled in as the user
    // reaches it.
    std::function<void(FormEngine&, int field)> focused;
    // Once every field has passed the final check of a save, before anything is written: what the form
    // asks before it writes (a room another stay holds on those nights) and what it sets on the answer
    // ("Apmokėta" ticked when the payments cover the invoice). Runs at every save in insert and change
    // mode. False stops the save with the form open and the focus where the hook put it; the hook asks
    // its own questions.
    std::function<bool(FormEngine&)> confirm;
    // Inside the transaction that writes the record (a new one's rewrite, a change's guarded change),
    // just before the write: the last adjustments that must see the stored records as they stand, no
    // other station writing meanwhile (a document number another station took since it was assigned).
    // False stops the save; it shows its own message.
    std::function<bool(FormEngine&)> writing;
};

// The data that configures one record form: what its Part gives for it.
struct FormConfig {
    std::string name;    // "UpdateValstyb": the form's history record and window position go by it
    std::string caption; // "VALSTYBĖ", replaced by the mode title while the form is open
    TableId table{};
    std::vector<std::string> tabs; // tab captions; one unnamed tab when empty
    std::vector<FormField> fields;
    // A table with a record number (Dictionary) numbers a new record when the insert form opens.
    bool numbering = true;
    // Ctrl together with the key of this Windows virtual-key code fills the focused field from the
    // history record: 222 is the apostrophe key of a US layout; 'K' (75) gives Ctrl+K.
    int historyKey = 222;
    // The names a duplicate-key message gives each unique key, by key index; a key not named here
    // shows its dictionary name ("VAL:Key_Valst").
    std::map<int, std::string> keyNames;
    std::vector<FormUniqueness> uniqueness;
    std::string saveTooltip = "Išsaugoti pakeitimus ir baigti";
    CancelQuestion cancelQuestion = CancelQuestion::None;
    bool askInsertAnother = false; // after an insert is saved: "Ar norite sukurti naują įrašą?"
    std::string helpTopic;
    // The window titles by mode, replacing the generic ones when set.
    std::string insertTitle = "Kuriamas naujas įrašas";
    std::string changeTitle = "Įrašas taisomas";
    std::string viewTitle = "View Record";
    // What tells this record's window from another's of the same form (the guest's name): shown after
    // the mode title, "Įrašas taisomas – Kazlauskas Jonas"; empty: the mode title alone.
    std::function<std::string(const FormEngine&)> titleDetail;
    std::vector<FormChildList> children;
    std::vector<FormWorkingValue> workingValues;
    // Fields that follow the children (totals). What the child forms saved stays saved, so when the
    // user leaves a changed record without saving, the stored record still receives the values these
    // fields took from the children; and leaving asks its question only about the record's own
    // changes, never about values the children gave these fields.
    std::vector<int> derived;
    // Fields that the record added at opening holds blank until the form is saved (a payment's amount:
    // other stations and the reports see no money nobody has confirmed, and a crash leaves none behind).
    std::vector<int> heldUntilSave;
    FormHooks hooks;
};

} // namespace nakva
