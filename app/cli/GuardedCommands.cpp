#include "cli/GuardedCommands.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "cli/TableExport.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Variables.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"

#include <functional>
#include <string>
#include <vector>

namespace nakva {

namespace {

void report(std::string_view title, const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = std::string(title);
    showMessage(request);
}

// The record by its identity key: "VAL:Valstybe=Latvija", "SKMB:IrasoNr=7, SKMB:KambarioID=12".
std::string identity(const Record& record) {
    const TableDef& table = record.table();
    std::string text;
    for (const int field : table.keys[std::size_t(table.identityKey)].components) {
        text += (text.empty() ? "" : ", ") + std::string(table.fields[std::size_t(field)].name) + "=" +
                record.text(field);
    }
    return text;
}

// A --field NAME=VALUE of the update: the field and the value as typed.
struct FieldValue {
    int field = -1;
    std::string text;
};

// The --field values, each checked against its field on a blank record first (as an import checks a
// value), so that a bad one stops the command before anything is selected or written.
bool fieldValues(const TableDef& table, const CommandLine& line, std::vector<FieldValue>& values) {
    const std::vector<std::string> given = line.options("--field");
    if (given.empty()) {
        report("Keitimas", "Nurodykite, ką keisti: --field VARDAS=REIKŠMĖ.");
        return false;
    }
    Record check(table);
    for (const std::string& assignment : given) {
        const auto equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0) {
            report("Keitimas", "Parametras --field rašomas VARDAS=REIKŠMĖ, o gauta „" + assignment + "“.");
            return false;
        }
        const std::string name = assignment.substr(0, equals);
        const int field = table.fieldIndex(name);
        if (field < 0 || table.fields[std::size_t(field)].type == FieldType::Group) {
            report("Keitimas", "Lentelėje " + std::string(table.name) + " nėra lauko „" + name + "“.");
            return false;
        }
        const std::string text = assignment.substr(equals + 1);
        if (const SetResult set = check.setExactText(field, text); !set) {
            report("Keitimas", std::string(table.fields[std::size_t(field)].name) + ": " + set.error);
            return false;
        }
        values.push_back({field, text});
    }
    return true;
}

// What the command does to one record, and how its lines read.
struct Action {
    std::string_view title;     // of the command's own messages
    std::string_view wouldDo;   // "Būtų pašalintas"
    std::string_view done;      // "Pašalintas"
    std::string_view notDone;   // "Nepašalintas"
    std::string_view doneCount; // "Pašalinta"
    // A description of the change for the listing ("" for a delete).
    std::function<std::string(const Record&)> describe;
    // Acts on the handle's current record, read again inside its transaction, if it still meets the
    // selection there.
    std::function<GuardedResult(Table&, const StillSelected&)> act;
};

int run(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out,
        const Action& action) {
    ExportRequest request;
    request.table = table.id;
    request.title = std::string(action.title);
    request.filter = line.option("--filter").value_or("");
    if (trimRight(request.filter).empty()) {
        report(action.title, "Nurodykite, kuriuos įrašus atrinkti: --filter SĄLYGA.");
        return ExitUsage;
    }
    if (std::string error; !bindVariables(line.options("--set"), request.variables, error)) {
        report(action.title, error);
        return ExitUsage;
    }

    Context context(database);
    Table& main = context.table(table.id);
    main.open();
    // Selected first, in one read of one moment, acted on after: no read stays open while the records
    // are written, and inside each record's transaction the filter is tested again.
    std::vector<Position> positions;
    std::vector<std::string> names;
    const bool selected = readView(context, request, [&](Table& handle) {
        positions.push_back(handle.position());
        names.push_back(identity(handle.record()) + action.describe(handle.record()));
    });
    if (!selected) {
        main.close();
        return ExitFailed;
    }
    if (!line.option("--yes")) {
        for (const std::string& name : names) {
            out << action.wouldDo << ": " << name << '\n';
        }
        out << "Atrinkta įrašų: " << names.size()
            << ". Nieko nepakeista; kad būtų atlikta, pridėkite --yes.\n";
        main.close();
        return ExitOk;
    }
    Variables variables;
    for (const auto& [name, value] : request.variables) {
        variables.set(name, value);
    }
    const auto stillSelected = selectionCondition(context, table.id, request.filter, variables);
    if (!stillSelected) {
        report(action.title, stillSelected.error.message);
        main.close();
        return ExitFailed;
    }
    std::size_t succeeded = 0;
    std::size_t left = 0;
    for (std::size_t i = 0; i < positions.size(); ++i) {
        if (main.regetByPosition(positions[i]) != StoreStatus::Ok) {
            // Another station removed it meanwhile: nothing left to do to it.
            out << "Jau pašalintas kitoje darbo vietoje: " << names[i] << '\n';
            ++left;
            continue;
        }
        // Described as it stands now, not as it was selected.
        const std::string name = identity(main.record()) + action.describe(main.record());
        switch (action.act(main, *stillSelected)) {
        case GuardedResult::Done:
            out << action.done << ": " << name << '\n';
            ++succeeded;
            break;
        case GuardedResult::NotSelected:
            out << "Praleistas, nes kitoje darbo vietoje pakeistas ir sąlygos nebeatitinka: "
                << identity(main.record()) << '\n';
            ++left;
            break;
        default:
            out << action.notDone << ": " << name << '\n';
        }
    }
    main.close();
    out << action.doneCount << ' ' << succeeded << " iš " << positions.size();
    if (left > 0) {
        out << " (praleista " << left << ")";
    }
    out << ".\n";
    return succeeded + left == positions.size() ? ExitOk : ExitFailed;
}

} // namespace

int deleteCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out) {
    const Action action{"Pašalinimas",
                        "Būtų pašalintas",
                        "Pašalintas",
                        "Nepašalintas",
                        "Pašalinta",
                        [](const Record&) { return std::string(); },
                        [](Table& record, const StillSelected& stillSelected) {
                            return guardedDelete(record, stillSelected);
                        }};
    return run(database, table, line, out, action);
}

int updateCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out) {
    std::vector<FieldValue> values;
    if (!fieldValues(table, line, values)) {
        return ExitUsage;
    }
    const auto apply = [&values](Record& record) {
        for (const FieldValue& value : values) {
            [[maybe_unused]] const SetResult checked = record.setExactText(value.field, value.text);
        }
    };
    const Action action{"Keitimas",
                        "Būtų pakeistas",
                        "Pakeistas",
                        "Nepakeistas",
                        "Pakeista",
                        [&](const Record& record) {
                            Record changed = record;
                            apply(changed);
                            std::string text;
                            for (const FieldValue& value : values) {
                                text += (text.empty() ? " (" : ", ") +
                                        std::string(record.table().fields[std::size_t(value.field)].name) +
                                        ": " + record.text(value.field) + " → " + changed.text(value.field);
                            }
                            return text + ")";
                        },
                        [&](Table& table, const StillSelected& stillSelected) {
                            // Applied to the record as stored inside the change's transaction, and
                            // checked there: the record as a whole, and each link it changes naming
                            // a parent (as import checks it), written as the parent spells it. A
                            // child in another letter case follows a renamed parent too: under a
                            // key that ignores case it can mean no other.
                            const auto change = [&](Record& record) {
                                const Record former = record;
                                apply(record);
                                std::string error = record.wholeRecordError();
                                if (error.empty()) {
                                    error = linkToParents(table.context(), record, true, &former);
                                }
                                return error.empty() ? error : identity(former) + ": " + error;
                            };
                            return guardedBatchChange(table, change, stillSelected, ChildrenFollow::AnyCase);
                        }};
    return run(database, table, line, out, action);
}

} // namespace nakva
