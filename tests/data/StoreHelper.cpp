// Another station working on the same data folder, for the store's tests:
//   StoreHelper rename-country DIR OLD NEW      renames a country; exit code 0 when it did
//   StoreHelper die-in-transaction DIR COUNT    adds COUNT records to Saskait, Mokej and Saskeil in one
//                                               transaction, says "ready" and waits to be killed
//   StoreHelper commit-loop DIR COUNT           commits COUNT transactions, each adding one record to
//                                               Saskait, Mokej and Saskeil; says "ready" after the first
//   StoreHelper hold-transaction DIR [TABLE...] begins a transaction on the tables (Valstyb when none
//                                               is named), says "ready" and waits
//   StoreHelper begin-transaction DIR TABLE...  says "ready", then begins a transaction on the tables;
//                                               exit code 0 when it began
//   StoreHelper change-payer-commit-later DIR CODE TEL MS
//                                               sets the phone of the payer CODE inside a transaction,
//                                               says "ready", commits MS milliseconds later
#include "data/Context.h"
#include "data/Database.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "messages/Message.h"

#include <chrono>
#include <cstdio>
#include <string>
#include <thread>
#include <unistd.h>
#include <vector>

using namespace nakva;

namespace {

int renameCountry(Context& context, const std::string& from, const std::string& to) {
    Table& countries = context.table(TableId::Valstyb);
    countries.open();
    countries.record().set(VAL::Valstybe, from);
    if (countries.getByKey(VAL::Key_Valst) != StoreStatus::Ok) {
        return 1;
    }
    countries.record().set(VAL::Valstybe, to);
    return countries.put() == StoreStatus::Ok ? 0 : 1;
}

[[noreturn]] void readyAndWait() {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    for (;;) {
        pause();
    }
}

int dieInTransaction(Context& context, int count) {
    const TableId tables[] = {TableId::Saskait, TableId::Mokej, TableId::Saskeil};
    for (TableId table : tables) {
        context.table(table).open();
    }
    Transaction transaction(context);
    if (transaction.begin(tables) != StoreStatus::Ok) {
        return 1;
    }
    for (int i = 1; i <= count; ++i) {
        Table& registrations = context.table(TableId::Saskait);
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, 1000 + i);
        registrations.record().set(SAS::Gyventojas, "Laikinas gyventojas " + std::to_string(i));
        Table& payments = context.table(TableId::Mokej);
        payments.clear();
        payments.record().set(MOK::IrasoNr, 1000 + i);
        payments.record().set(MOK::SaskIrasoNr, 1000 + i);
        Table& lines = context.table(TableId::Saskeil);
        lines.clear();
        lines.record().set(SEI::SEILID, 1000 + i);
        lines.record().set(SEI::IrasoNr, 1000 + i);
        if (registrations.add() != StoreStatus::Ok || payments.add() != StoreStatus::Ok ||
            lines.add() != StoreStatus::Ok) {
            return 1;
        }
    }
    readyAndWait();
}

int commitLoop(Context& context, int count) {
    const TableId tables[] = {TableId::Saskait, TableId::Mokej, TableId::Saskeil};
    for (TableId table : tables) {
        context.table(table).open();
    }
    for (int i = 1; i <= count; ++i) {
        Transaction transaction(context);
        if (transaction.begin(tables) != StoreStatus::Ok) {
            return 1;
        }
        Table& registrations = context.table(TableId::Saskait);
        registrations.clear();
        registrations.record().set(SAS::IrasoNr, i);
        Table& payments = context.table(TableId::Mokej);
        payments.clear();
        payments.record().set(MOK::IrasoNr, i);
        payments.record().set(MOK::SaskIrasoNr, i);
        Table& lines = context.table(TableId::Saskeil);
        lines.clear();
        lines.record().set(SEI::SEILID, i);
        lines.record().set(SEI::IrasoNr, i);
        if (registrations.add() != StoreStatus::Ok || payments.add() != StoreStatus::Ok ||
            lines.add() != StoreStatus::Ok || transaction.commit() != StoreStatus::Ok) {
            return 1;
        }
        if (i == 1) {
            std::fputs("ready\n", stdout);
            std::fflush(stdout);
        }
    }
    return 0;
}

std::vector<TableId> tablesNamed(Context& context, int argc, char** argv, int first) {
    std::vector<TableId> tables;
    for (int i = first; i < argc; ++i) {
        tables.push_back(Dictionary::instance().findTable(argv[i])->id);
        context.table(tables.back()).open();
    }
    return tables;
}

int holdTransaction(Context& context, std::vector<TableId> tables) {
    if (tables.empty()) {
        tables.push_back(TableId::Valstyb);
        context.table(TableId::Valstyb).open();
    }
    Transaction transaction(context);
    if (transaction.begin(tables) != StoreStatus::Ok) {
        return 1;
    }
    readyAndWait();
}

int beginTransaction(Context& context, const std::vector<TableId>& tables) {
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    Transaction transaction(context);
    return transaction.begin(tables) == StoreStatus::Ok ? 0 : 1;
}

int changePayerCommitLater(Context& context, const std::string& code, const std::string& phone, int ms) {
    Table& payers = context.table(TableId::Klient);
    payers.open();
    Transaction transaction(context);
    if (transaction.begin({TableId::Klient}) != StoreStatus::Ok) {
        return 1;
    }
    payers.record().set(KLI::Kod, code);
    if (payers.getByKey(KLI::KODKEY) != StoreStatus::Ok) {
        return 1;
    }
    payers.record().set(KLI::TEL, phone);
    if (payers.put() != StoreStatus::Ok) {
        return 1;
    }
    std::fputs("ready\n", stdout);
    std::fflush(stdout);
    std::this_thread::sleep_for(std::chrono::milliseconds(ms));
    return transaction.commit() == StoreStatus::Ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 3) {
        return 2;
    }
    const std::string command = argv[1];
    Database database(argv[2]);
    Context context(database);
    try {
        if (command == "rename-country" && argc == 5) {
            return renameCountry(context, argv[3], argv[4]);
        }
        if (command == "die-in-transaction" && argc == 4) {
            return dieInTransaction(context, std::stoi(argv[3]));
        }
        if (command == "commit-loop" && argc == 4) {
            return commitLoop(context, std::stoi(argv[3]));
        }
        if (command == "hold-transaction") {
            return holdTransaction(context, tablesNamed(context, argc, argv, 3));
        }
        if (command == "change-payer-commit-later" && argc == 6) {
            return changePayerCommitLater(context, argv[3], argv[4], std::stoi(argv[5]));
        }
        if (command == "begin-transaction") {
            return beginTransaction(context, tablesNamed(context, argc, argv, 3));
        }
    } catch (const ProgramStop&) {
        return 3;
    }
    return 2;
}
