#include "reports/ParameterDialogs.h"

#include "data/Context.h"
#include "data/Table.h"
#include "reports/ReportParameters.h"
#include "shell/Globals.h"

#include <stdexcept>

namespace nakva {

namespace {

constexpr std::string_view NotNeeded = "&Nereikia";
constexpr std::string_view NotNeededTip = "Uždaryti langą neišsaugant pakeitimų";
constexpr std::string_view Stop = "Nutraukti";
constexpr std::string_view StopTip = "Nutraukti veiksmą ir uždaryti langą";

constexpr DialogFieldDef StartDateField{DialogField::StartDate, "Pradinė data:"};
constexpr DialogFieldDef EndDateField{DialogField::EndDate, "Galutinė data:"};
constexpr DialogFieldDef IncludeDepartedField{DialogField::IncludeDeparted, "Įtraukti išvykusius"};
constexpr DialogFieldDef WithoutPricesField{DialogField::WithoutPrices, "Be kainų"};

// A table handle opened for the length of a look-up.
class OpenTable {
public:
    OpenTable(Context& context, TableId table) : table_(context.table(table)) { table_.open(); }
    ~OpenTable() { table_.close(); }
    OpenTable(const OpenTable&) = delete;
    OpenTable& operator=(const OpenTable&) = delete;
    Table* operator->() const { return &table_; }

private:
    Table& table_;
};

bool proposesPeriod(ParameterDialog dialog) {
    return dialog == ParameterDialog::Period || dialog == ParameterDialog::Journal ||
           dialog == ParameterDialog::ServiceLedger || dialog == ParameterDialog::ServiceSummary;
}

} // namespace

const ParameterDialogDef& parameterDialogDef(ParameterDialog dialog) {
    static const ParameterDialogDef none{};
    static const ParameterDialogDef period{ParameterDialog::Period,
                                           "NURODYKITE PERIODĄ:",
                                           {StartDateField, EndDateField},
                                           NotNeeded,
                                           NotNeededTip};
    static const ParameterDialogDef journal{
        ParameterDialog::Journal,
        "NURODYKITE PARAMETRUS:",
        {StartDateField, EndDateField, {DialogField::Group, "Gyventojų grupė:"}},
        NotNeeded,
        NotNeededTip};
    static const ParameterDialogDef ledger{ParameterDialog::ServiceLedger,
                                           "NURODYKITE ATASKAITOS PARAMETRUS",
                                           {{DialogField::Service, "Paslauga:"},
                                            StartDateField,
                                            EndDateField,
                                            IncludeDepartedField,
                                            WithoutPricesField},
                                           NotNeeded,
                                           NotNeededTip};
    static const ParameterDialogDef summary{ParameterDialog::ServiceSummary,
                                            "NURODYKITE ATASKAITOS PARAMETRUS:",
                                            {StartDateField,
                                             EndDateField,
                                             {DialogField::ServiceGroup, "Paslaugų grupė:"},
                                             WithoutPricesField,
                                             IncludeDepartedField},
                                            NotNeeded,
                                            NotNeededTip};
    static const ParameterDialogDef endDate{ParameterDialog::EndDate,
                                            "NURODYKITE PERIODĄ:",
                                            {StartDateField, EndDateField},
                                            NotNeeded,
                                            NotNeededTip};
    static const ParameterDialogDef serviceName{ParameterDialog::ServiceName,
                                                "NURODYKITE PASLAUGOS PAVADINIMĄ:",
                                                {{DialogField::SummaryServiceName, "Paslaugos pavadinimas:"}},
                                                Stop,
                                                StopTip};
    switch (dialog) {
    case ParameterDialog::None:
        return none;
    case ParameterDialog::Period:
        return period;
    case ParameterDialog::Journal:
        return journal;
    case ParameterDialog::ServiceLedger:
        return ledger;
    case ParameterDialog::ServiceSummary:
        return summary;
    case ParameterDialog::EndDate:
        return endDate;
    case ParameterDialog::ServiceName:
        return serviceName;
    }
    return none;
}

bool isDateField(DialogField field) {
    return field == DialogField::StartDate || field == DialogField::EndDate;
}

bool isFlagField(DialogField field) {
    return field == DialogField::IncludeDeparted || field == DialogField::WithoutPrices;
}

Date& dialogDate(Globals& globals, DialogField field) {
    return field == DialogField::StartDate ? globals.PrDt : globals.GalDt;
}

bool& dialogFlag(Globals& globals, DialogField field) {
    return field == DialogField::IncludeDeparted ? globals.SuIsvykusiais : globals.BEKAINU;
}

std::string dialogText(const Globals& globals, DialogField field) {
    switch (field) {
    case DialogField::Group:
        return globals.Grupe;
    case DialogField::Service:
        return globals.Pasl;
    case DialogField::ServiceGroup:
        return globals.PaslGrpNr == 0 ? std::string() : std::to_string(globals.PaslGrpNr);
    default:
        return globals.SUMINESPASLAUGOSPAV;
    }
}

void setDialogText(Globals& globals, DialogField field, const std::string& text) {
    switch (field) {
    case DialogField::Group:
        globals.Grupe = text;
        break;
    case DialogField::Service:
        globals.Pasl = text;
        break;
    case DialogField::ServiceGroup: {
        const bool digits =
            !text.empty() && text.size() <= 9 && text.find_first_not_of("0123456789") == std::string::npos;
        globals.PaslGrpNr = digits ? std::stoi(text) : 0;
        break;
    }
    default:
        globals.SUMINESPASLAUGOSPAV = text;
        break;
    }
}

int textFieldWidth(DialogField field) {
    switch (field) {
    case DialogField::Group:
        return 20;
    case DialogField::Service:
        return 40;
    case DialogField::SummaryServiceName:
        return 60;
    default:
        return 0;
    }
}

void openParameterDialog(ParameterDialog dialog, Globals& globals) {
    if (proposesPeriod(dialog) && (globals.PrDt == NoDate || globals.GalDt == NoDate)) {
        globals.PrDt = monthStart(globals.EINDT);
        globals.GalDt = monthEnd(globals.EINDT);
    }
    if (dialog == ParameterDialog::EndDate && globals.GalDt == NoDate) {
        globals.GalDt = monthEnd(globals.EINDT);
    }
    if (dialog == ParameterDialog::Journal) {
        globals.Grupe.clear();
    }
    if (dialog == ParameterDialog::ServiceName && globals.SUMINESPASLAUGOSPAV.empty()) {
        globals.SUMINESPASLAUGOSPAV = DefaultSummaryServiceName;
    }
}

void acceptParameterDialog(ParameterDialog dialog, Globals& globals) {
    if (proposesPeriod(dialog)) {
        globals.PERIODAS = periodCaption(globals.PrDt, globals.GalDt);
    }
}

bool isLookUpField(DialogField field) {
    return field == DialogField::Group || field == DialogField::Service || field == DialogField::ServiceGroup;
}

const DialogLookUp& dialogLookUp(DialogField field) {
    static const DialogLookUp group{GRP::table, GRP::Key_Grupe.index, "SarGrup"};
    static const DialogLookUp service{PAS::table, PAS::PASLKEY.index, "SarPaslaug"};
    static const DialogLookUp serviceGroup{PGRP::table, PGRP::IRASONR_KEY.index, "BrowsePaslGrp"};
    switch (field) {
    case DialogField::Group:
        return group;
    case DialogField::Service:
        return service;
    case DialogField::ServiceGroup:
        return serviceGroup;
    default:
        throw std::logic_error("not a look-up field");
    }
}

void primeLookUp(DialogField field, Context& context, const Globals& globals) {
    Record& record = context.table(dialogLookUp(field).table).record();
    record.clear();
    switch (field) {
    case DialogField::Group:
        (void)record.set(GRP::Grupe, globals.Grupe);
        break;
    case DialogField::Service:
        (void)record.set(PAS::Pav, globals.Pasl);
        break;
    case DialogField::ServiceGroup:
        record.set(PGRP::IrasoNr, globals.PaslGrpNr);
        break;
    default:
        throw std::logic_error("not a look-up field");
    }
}

bool lookUpFound(DialogField field, Context& context, const Globals& globals) {
    const bool blank = field == DialogField::Group     ? globals.Grupe.empty()
                       : field == DialogField::Service ? globals.Pasl.empty()
                                                       : globals.PaslGrpNr == 0;
    if (blank) {
        return true;
    }
    const DialogLookUp& lookUp = dialogLookUp(field);
    OpenTable table(context, lookUp.table);
    primeLookUp(field, context, globals);
    return table->getByKey(lookUp.key) == StoreStatus::Ok;
}

void takeLookUpChoice(DialogField field, Context& context, Globals& globals) {
    const Record& record = context.table(dialogLookUp(field).table).record();
    switch (field) {
    case DialogField::Group:
        globals.Grupe = record.get(GRP::Grupe);
        break;
    case DialogField::Service:
        globals.Pasl = record.get(PAS::Pav);
        break;
    case DialogField::ServiceGroup:
        globals.PaslGrpNr = record.get(PGRP::IrasoNr);
        break;
    default:
        throw std::logic_error("not a look-up field");
    }
}

} // namespace nakva
