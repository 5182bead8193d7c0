#include "reference/VatRates.h"

#include "data/Context.h"
#include "data/Database.h"
#include "data/Fields.h"
#include "data/Table.h"
#include "data/Transaction.h"
#include "messages/Message.h"
#include "messages/StandardWarnings.h"
#include "ui/FormEngine.h"

#include <algorithm>
#include <filesystem>

namespace nakva {

namespace {

constexpr int WarningAddFailed = 14;
constexpr int WarningReadError = 26;

const VatRateCode InForce[] = {
    {Decimal(21), "PVM1", "Standartinis tarifas"},
    {Decimal(9), "PVM2", "Lengvatinis 9 % tarifas"},
    {Decimal(5), "PVM3", "Lengvatinis 5 % tarifas"},
};

// The code as the register writes it: in capitals. A code the register does not take stops the field
// with a message saying how one is written; a blank one is left for later (the register then stops on
// the first invoice at that rate).
bool codeChecked(FormEngine& form, int field) {
    if (field != PVMT::Kodas.index) {
        return true;
    }
    Record& rate = form.record();
    std::string code = rate.get(PVMT::Kodas);
    std::ranges::transform(code, code.begin(),
                           [](char c) { return c >= 'a' && c <= 'z' ? char(c - 32) : c; });
    (void)rate.set(PVMT::Kodas, code);
    if (code.empty() || isTaxCode(code)) {
        return true;
    }
    showMessage("Mokesčio kodo „" + code +
                    "“ i.SAF registras nepriima: kodas rašomas raidėmis PVM ir "
                    "skaičiumi, pvz. PVM1.",
                "DĖMESIO!");
    return false;
}

} // namespace

ListConfig BrowsePvmTarif() {
    ListConfig config;
    config.name = "BrowsePvmTarif";
    config.title = "PVM TARIFAI IR i.SAF KODAI";
    config.table = TableId::PvmTarif;
    config.columns = {
        ListColumn::of("PVM %", "PVMT:PVMPROC", 36, ColumnAlign::Right, Picture::number(6, 2)),
        ListColumn::of("i.SAF kodas", "PVMT:Kodas", 44, ColumnAlign::Left, Picture::text(6)),
        ListColumn::of("Aprašymas", "PVMT:Aprasymas", 200, ColumnAlign::Left, Picture::text(100)),
    };
    SortTab byRate;
    byRate.order = "+PVMT:PVMPROC";
    byRate.locator = "PVMT:PVMPROC";
    config.tabs = {byRate};
    return config;
}

FormConfig UpdatePvmTarif() {
    FormConfig config;
    config.name = "UpdatePvmTarif";
    config.helpTopic = config.name;
    config.caption = "PVM TARIFAS";
    config.table = TableId::PvmTarif;
    FormField rate("PVM tarifas, %:", PVMT::PVMPROC.index,
                   "PVM tarifas procentais, toks, kokį turi sąskaitų eilutės (pvz. 21)");
    rate.picture = Picture::number(6, 2);
    rate.minimum = Decimal(0);
    config.fields = {
        rate,
        {"i.SAF kodas:", PVMT::Kodas.index,
         "Mokesčio kodas pagal VMI PVM klasifikatorių (PVM1, PVM2 ...), kuriuo i.SAF registre žymimas šis "
         "tarifas"},
        {"Aprašymas:", PVMT::Aprasymas.index, "Kam taikomas tarifas"},
    };
    config.keyNames = {{PVMT::PROCKEY.index, "Pagal tarifą"}};
    config.hooks.check = codeChecked;
    return config;
}

std::span<const VatRateCode> ratesInForce() {
    return InForce;
}

bool primeVatRates(Context& context) {
    std::error_code error;
    if (std::filesystem::exists(context.database().filePath(TableId::PvmTarif), error)) {
        return true;
    }
    Table rates(context, TableId::PvmTarif, false);
    OpenedTable opened(rates);
    Transaction transaction(context);
    if (transaction.begin({TableId::PvmTarif}) != StoreStatus::Ok) {
        return true; // another station holds the new file: it is priming it
    }
    std::int64_t count = 0;
    if (rates.recordCount(count) != StoreStatus::Ok) {
        standardWarning(WarningReadError, Database::fileName(TableId::PvmTarif));
        return false;
    }
    if (count > 0) {
        return true; // another station made it first
    }
    for (const VatRateCode& inForce : InForce) {
        rates.clear();
        Record& record = rates.record();
        (void)record.set(PVMT::PVMPROC, inForce.rate);
        (void)record.set(PVMT::Kodas, std::string(inForce.code));
        (void)record.set(PVMT::Aprasymas, std::string(inForce.description));
        if (rates.add() != StoreStatus::Ok) {
            standardWarning(WarningAddFailed);
            return false;
        }
    }
    if (transaction.commit() != StoreStatus::Ok) {
        standardWarning(WarningAddFailed);
        return false;
    }
    return true;
}

bool isTaxCode(std::string_view code) {
    return code.size() >= 4 && code.size() <= 6 && code.starts_with("PVM") &&
           std::ranges::all_of(code.substr(3), [](char c) { return c >= '0' && c <= '9'; });
}

std::optional<std::map<Decimal, std::string>> vatRateCodes(Context& context) {
    Table rates(context, TableId::PvmTarif, false);
    OpenedTable opened(rates);
    std::map<Decimal, std::string> codes;
    StoreStatus status = rates.setToKeyStart(PVMT::PROCKEY);
    while (status == StoreStatus::Ok && (status = rates.next()) == StoreStatus::Ok) {
        codes.emplace(rates.record().get(PVMT::PVMPROC), rates.record().get(PVMT::Kodas));
    }
    if (status != StoreStatus::EndOfData) {
        standardWarning(WarningReadError, Database::fileName(TableId::PvmTarif));
        return std::nullopt;
    }
    return codes;
}

} // namespace nakva
