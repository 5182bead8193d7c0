#pragma once

#include "data/Date.h"
#include "data/Dictionary.h"

#include <string>
#include <string_view>
#include <vector>

namespace nakva {

class Context;
struct Globals;

// The parameter dialogs of the report runs, without their widgets: what each asks for, in which order,
// with which captions, and the rules that fill and check the global report parameters. The widgets
// (src/reports/widgets/ParameterDialogWindow) show a definition and call these rules.
enum class ParameterDialog {
    None,           // the report asks for nothing
    Period,         // NustatytiPerioda: the two dates
    Journal,        // the two dates and the resident group
    ServiceLedger,  // the service, the two dates, departed residents, without prices
    ServiceSummary, // the two dates, the service group, without prices, departed residents
    EndDate,        // the two dates; only the end date gets a default
    ServiceName,    // the service name of a summary invoice's one line
};

// The global report parameter each field edits.
enum class DialogField {
    StartDate,          // GLO:PrDt
    EndDate,            // GLO:GalDt
    Group,              // GLO:Grupe, looked up in the resident groups
    Service,            // GLO:Pasl, looked up in the services
    ServiceGroup,       // GLO:PaslGrpNr, looked up in the service groups, its name shown beside
    IncludeDeparted,    // GLO:SuIsvykusiais, a check box
    WithoutPrices,      // GLO:BEKAINU, a check box
    SummaryServiceName, // GLO:SUMINESPASLAUGOSPAV
};

struct DialogFieldDef {
    DialogField field;
    std::string_view prompt; // the prompt before the field, or a check box's own text
};

struct ParameterDialogDef {
    ParameterDialog dialog = ParameterDialog::None;
    std::string_view caption;
    std::vector<DialogFieldDef> fields; // in screen and tab order
    std::string_view cancelText;        // "&Nereikia", or "Nutraukti" in the service name dialog
    std::string_view cancelTip;
};

inline constexpr std::string_view RunButtonText = "&Vykdyti";
inline constexpr std::string_view RunButtonTip = "Išsaugoti pakeitimus ir uždaryti langą";
inline constexpr std::string_view LookUpButtonTip = "Atverčia sarašą reikšmei pasirinkti";
inline constexpr std::string_view DefaultSummaryServiceName = "Viešbučio paslaugos";

const ParameterDialogDef& parameterDialogDef(ParameterDialog dialog);

bool isDateField(DialogField field);
bool isFlagField(DialogField field);

// The global report parameter a field edits: a date field's date, a flag field's flag, a text
// field's value as typed (the service group's number as digits, blank for 0 "all groups"). Setting
// the service group takes digits; anything else gives 0.
Date& dialogDate(Globals& globals, DialogField field);
bool& dialogFlag(Globals& globals, DialogField field);
std::string dialogText(const Globals& globals, DialogField field);
void setDialogText(Globals& globals, DialogField field, const std::string& text);
// The characters a text field holds (GLO:Grupe 20, GLO:Pasl 40, GLO:SUMINESPASLAUGOSPAV 60); 0 for
// the others.
int textFieldWidth(DialogField field);

// On opening: the period proposed from the month of the working date unless both dates are set (the
// end-date dialog: only a missing end date, the start date untouched), the resident group emptied,
// the summary line's service name preset to "Viešbučio paslaugos" when empty.
void openParameterDialog(ParameterDialog dialog, Globals& globals);
// On the run button, once every field is valid: the period caption from the two dates (all but the
// end-date and the service name dialogs). The dates are not compared: an end before the start simply
// selects nothing.
void acceptParameterDialog(ParameterDialog dialog, Globals& globals);

// Look-up fields: Group, Service and ServiceGroup.
struct DialogLookUp {
    TableId table;
    int key;               // the key the typed value is found by
    std::string_view list; // the selection list that opens: "SarGrup", "SarPaslaug", "BrowsePaslGrp"
};
bool isLookUpField(DialogField field);
const DialogLookUp& dialogLookUp(DialogField field);

// Whether the field's present value stands in its table; a blank group or service and the service
// group 0 ("all groups") need no look-up. The record found stays in the table's buffer on `context`.
bool lookUpFound(DialogField field, Context& context, const Globals& globals);
// Before a selection list opens: the field's value in the table's buffer, where the list opens.
void primeLookUp(DialogField field, Context& context, const Globals& globals);
// After a confirmed selection: the chosen record's value (in the table's buffer) into the field.
void takeLookUpChoice(DialogField field, Context& context, Globals& globals);

} // namespace nakva
