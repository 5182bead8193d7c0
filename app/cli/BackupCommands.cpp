#include "cli/BackupCommands.h"

#include "cli/CliCommands.h"
#include "cli/CommandLine.h"
#include "data/Database.h"
#include "maintenance/Backup.h"
#include "messages/Message.h"

#include <charconv>

namespace nakva {

namespace {

void report(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = "nakva-cli";
    showMessage(request);
}

} // namespace

int backupCommand(const Database& database, const CommandLine& line, std::ostream& out) {
    const std::filesystem::path to = line.option("--to").value_or(defaultBackupFolder(database).string());
    int keep = 0;
    if (const auto text = line.option("--keep")) {
        const auto [end, error] = std::from_chars(text->data(), text->data() + text->size(), keep);
        if (error != std::errc() || end != text->data() + text->size() || keep < 1) {
            report("Parametro --keep reikšmė turi būti teigiamas skaičius, o ne „" + *text + "“.");
            return ExitUsage;
        }
    }
    const BackupOutcome outcome = makeBackup(database, to);
    if (!outcome.ok) {
        report("Atsarginė kopija nepadaryta: " + outcome.error + ".");
        return ExitFailed;
    }
    if (keep > 0) {
        removeOldBackups(to, keep);
    }
    out << outcome.folder.string() << '\n' << "Atsarginėje kopijoje failų: " << outcome.files << ".\n";
    return ExitOk;
}

int restoreCommand(const Database& database, const CommandLine& line, std::ostream& out) {
    const RestoreOutcome outcome = restoreBackup(database, line.operands().front());
    if (!outcome.ok) {
        report("Duomenys neatkurti: " + outcome.error + ".");
        return ExitFailed;
    }
    out << "Duomenys atkurti iš " << line.operands().front() << "; ankstesni failai išsaugoti aplanke "
        << outcome.saved.string() << '\n';
    return ExitOk;
}

} // namespace nakva
