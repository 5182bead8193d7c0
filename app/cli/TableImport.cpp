#include "cli/TableImport.h"

#include "cli/CsvReader.h"
#include "data/Context.h"
#include "data/Date.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "data/Transaction.h"
#include "messages/ErrorText.h"
#include "messages/Message.h"

#include <algorithm>
#include <optional>

namespace nakva {

namespace {

const char* const ImportTitle = "Importo klaida";

// `line` 0: the failure is the file's or the folder's, not one line's.
void report(std::string_view fileName, int line, std::string_view field, const std::string& what) {
    std::string text = std::string(fileName) + (line > 0 ? ", eilutė " + std::to_string(line) : "");
    if (!field.empty()) {
        text += ", laukas " + std::string(field);
    }
    MessageRequest request;
    request.text = text + ": " + what + " Niekas neimportuota.";
    request.title = ImportTitle;
    showMessage(request);
}

std::string inQuotes(std::string_view text) {
    return "„" + std::string(text) + "“";
}

// What the CSV form itself asks beyond the field's own check: dates written yyyy-mm-dd only.
std::string csvFormProblem(const FieldDef& field, std::string_view value) {
    const std::string_view trimmed = trimRight(value);
    if (field.isDate && !trimmed.empty() &&
        (trimmed.size() != 10 || trimmed[4] != '-' || trimmed[7] != '-' ||
         trimmed.find_first_not_of("0123456789-") != std::string_view::npos)) {
        return inQuotes(trimmed) + " nėra data (laukiama yyyy-mm-dd).";
    }
    return {};
}

// A header of field names written in UTF-16 without its byte-order mark: every other byte is NUL. A
// NUL here and there is a stray byte instead.
bool looksLikeUtf16(const std::vector<std::string>& header) {
    std::size_t bytes = 0;
    std::size_t nuls = 0;
    for (const std::string& name : header) {
        bytes += name.size() + 1;
        nuls += std::size_t(std::ranges::count(name, '\0'));
    }
    return nuls * 2 + 2 >= bytes;
}

struct ReadRecord {
    int line = 0;
    Record record;
};

} // namespace

std::optional<std::size_t> importTable(Context& context, TableId tableId, std::istream& in,
                                       std::string_view fileName, bool checkParents) {
    const TableDef& def = Dictionary::instance().table(tableId);
    CsvReader reader(in);
    std::vector<std::string> fields;
    if (!reader.next(fields)) {
        report(fileName, reader.error().empty() ? 1 : reader.line(), {},
               reader.error().empty() ? "failas tuščias, trūksta antraštės." : reader.error());
        return std::nullopt;
    }
    std::vector<int> columns;
    for (const auto& name : fields) {
        if (const std::size_t nul = name.find('\0'); nul != std::string::npos) {
            if (looksLikeUtf16(fields)) {
                report(fileName, 0, {}, "failas UTF-16 koduotės; įrašykite jį UTF-8 koduote.");
            } else {
                report(fileName, 1, {},
                       "antraštėje, lauko varde " + inQuotes(name.substr(0, nul)) +
                           ", yra nulinis baitas (NUL): tokio ženklo laukų varduose būti negali.");
            }
            return std::nullopt;
        }
        if (trimRight(name).empty()) {
            report(fileName, 1, {},
                   "antraštėje tuščias lauko vardas: pirmoje eilutėje turi būti laukų vardai, pvz. " +
                       inQuotes(def.fields.front().name) + ".");
            return std::nullopt;
        }
        const int index = def.fieldIndex(trimRight(name));
        if (index < 0 || def.fields[index].type == FieldType::Group) {
            report(fileName, 1, {},
                   "lentelėje " + std::string(def.name) + " nėra lauko " + inQuotes(name) + ".");
            return std::nullopt;
        }
        if (std::ranges::find(columns, index) != columns.end()) {
            report(fileName, 1, {}, "laukas " + inQuotes(name) + " antraštėje kartojasi.");
            return std::nullopt;
        }
        columns.push_back(index);
    }

    // Every value checked before anything is written.
    std::vector<ReadRecord> records;
    while (reader.next(fields)) {
        if (fields.size() == 1 && fields.front().empty()) {
            continue; // a blank line
        }
        if (fields.size() != columns.size()) {
            report(fileName, reader.line(), {},
                   "laukų eilutėje " + std::to_string(fields.size()) + ", antraštėje " +
                       std::to_string(columns.size()) + ".");
            return std::nullopt;
        }
        ReadRecord& read = records.emplace_back(ReadRecord{reader.line(), Record(def)});
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const FieldDef& field = def.fields[columns[i]];
            std::string problem = csvFormProblem(field, fields[i]);
            if (problem.empty()) {
                problem = read.record.setExactText(columns[i], trimRight(fields[i])).error;
            }
            if (!problem.empty()) {
                report(fileName, reader.line(), field.name, problem);
                return std::nullopt;
            }
        }
        if (const std::string problem = read.record.wholeRecordError(); !problem.empty()) {
            report(fileName, reader.line(), {}, problem);
            return std::nullopt;
        }
    }
    if (!reader.error().empty()) {
        report(fileName, reader.line(), {}, reader.error());
        return std::nullopt;
    }

    Table& table = context.table(tableId);
    table.open();
    std::optional<std::size_t> added;
    if (tableId == TableId::IstgPar && records.size() > 1) {
        report(fileName, records[1].line, {}, "nustatymų lentelėje būna tik vienas įrašas.");
        records.clear();
    } else {
        added = records.size();
    }
    if (added) {
        Transaction transaction(context);
        if (transaction.begin({tableId}) != StoreStatus::Ok) {
            report(fileName, 0, {},
                   "lentelės " + std::string(def.name) + " nepavyko užrakinti rašymui: " + errorText() + ".");
            added.reset();
        }
        // Linking values as their parents spell them; without a parent, refused unless told not to.
        // Looked up once the table is locked: a parent's guarded delete locks it too, to look for
        // children, so a parent found here stays until the records are in.
        for (std::size_t i = 0; added && i < records.size(); ++i) {
            if (const std::string problem = linkToParents(context, records[i].record, checkParents);
                !problem.empty()) {
                report(fileName, records[i].line, {}, problem);
                added.reset();
            }
        }
        for (std::size_t i = 0; added && i < records.size(); ++i) {
            StoreStatus status;
            if (tableId == TableId::IstgPar && table.setToKeyStart(def.identityKey) == StoreStatus::Ok &&
                table.next() == StoreStatus::Ok) {
                // The settings hold one record: the imported one takes its place.
                status = table.remove();
                table.record() = records[i].record;
                if (status == StoreStatus::Ok) {
                    status = table.add();
                }
            } else {
                table.record() = records[i].record;
                status = table.add();
            }
            if (status != StoreStatus::Ok) {
                // A duplicate is this line's; anything else (a read-only folder, a full disk) the file's.
                report(fileName, status == StoreStatus::DuplicateKey ? records[i].line : 0, {},
                       "įrašas nepriimtas: " + errorText() + ".");
                added.reset();
            }
        }
        if (added && transaction.commit() != StoreStatus::Ok) {
            report(fileName, 0, {}, "įrašų nepavyko išsaugoti: " + errorText() + ".");
            added.reset();
        }
    }
    table.close();
    return added;
}

} // namespace nakva
