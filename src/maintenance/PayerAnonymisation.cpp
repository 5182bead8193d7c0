#include "maintenance/PayerAnonymisation.h"

#include "data/Collation.h"
#include "data/Context.h"
#include "data/Dictionary.h"
#include "data/Integrity.h"
#include "data/Table.h"
#include "data/Text.h"
#include "messages/ErrorText.h"
#include "messages/StandardWarnings.h"

#include <set>

namespace nakva {

namespace {

constexpr int WarningBatchFailed = 31;
constexpr int WarningReadError = 26;

constexpr int CodeWidth = 20;

} // namespace

std::string anonymisationDoneText(std::int64_t anonymised, std::int64_t skipped) {
    std::string text = "Baigta. Nuasmeninta mokėtojų: " + std::to_string(anonymised);
    if (skipped > 0) {
        text += "\nPraleista (kitoje darbo vietoje pakeisti ar pašalinti): " + std::to_string(skipped);
    }
    return text;
}

PayerAnonymisation::PayerAnonymisation(Context& context) : context_(context) {}

PayerAnonymisation::~PayerAnonymisation() {
    if (opened_) {
        context_.table(TableId::Klient).close();
    }
}

void PayerAnonymisation::anonymise(Record& payer, std::string_view code) {
    const std::string k(code);
    const std::pair<int, std::string> values[] = {
        {KLI::Kod.index, k},
        {KLI::PAV.index, "Klientas " + k},
        {KLI::PAV2.index, "A.K. 123456789" + k},
        {KLI::ADR.index, "Kliento adresas " + k},
        {KLI::TEL.index, "Tel. +370 " + k},
        {KLI::BANK.index, "SEB bankas"},
        {KLI::ATS.index, "Atsakingas " + k},
        {KLI::GAV.index, "Gavėjas " + k},
        {KLI::GAVADR.index, "Gavėjo adresas " + k},
    };
    for (const auto& [field, text] : values) {
        [[maybe_unused]] const SetResult cut = payer.setText(field, text);
    }
}

bool PayerAnonymisation::start() {
    Table& payers = context_.table(TableId::Klient);
    payers.open();
    opened_ = true;
    Table reader(context_, TableId::Klient, false);
    reader.open();
    StoreStatus status = reader.setToKeyStart(KLI::KODKEY);
    while (status == StoreStatus::Ok && (status = reader.next()) == StoreStatus::Ok) {
        payers_.push_back({reader.record().text(KLI::Kod.index), {}, false});
    }
    if (status != StoreStatus::EndOfData) {
        saveErrorCondition();
        standardWarning(WarningReadError, reader.def().messageName());
        reader.close();
        return false;
    }
    reader.close();
    return chooseTemporaryCodes();
}

// Temporary codes that no payer, registration or payment holds in any letter case: "~1", "~2", …, or
// with more tildes while any of them is taken.
bool PayerAnonymisation::chooseTemporaryCodes() {
    std::set<std::string> taken;
    const std::pair<TableId, int> holders[] = {{TableId::Klient, KLI::Kod.index},
                                               {TableId::Saskait, SAS::KliKod.index},
                                               {TableId::Mokej, MOK::MokKod.index}};
    for (const auto& [id, field] : holders) {
        Table table(context_, id, false);
        table.open();
        const int key = Dictionary::instance().table(id).identityKey;
        StoreStatus status = table.setToKeyStart(key);
        while (status == StoreStatus::Ok && (status = table.next()) == StoreStatus::Ok) {
            taken.insert(upper(table.record().text(field)));
        }
        table.close();
        if (status != StoreStatus::EndOfData) {
            saveErrorCondition();
            standardWarning(WarningReadError, Dictionary::instance().table(id).messageName());
            return false;
        }
    }
    for (std::string prefix = "~"; prefix.size() < CodeWidth / 2; prefix += '~') {
        bool free = true;
        for (std::size_t i = 0; i < payers_.size() && free; ++i) {
            free = !taken.contains(prefix + std::to_string(i + 1));
        }
        if (free) {
            for (std::size_t i = 0; i < payers_.size(); ++i) {
                payers_[i].temporary = prefix + std::to_string(i + 1);
            }
            return true;
        }
    }
    standardWarning(WarningBatchFailed, "Put", "Klient");
    return false;
}

PayerAnonymisation::Move PayerAnonymisation::move(const std::string& from, const std::string& to,
                                                  bool anonymiseIt) {
    Table& payers = context_.table(TableId::Klient);
    payers.clear();
    [[maybe_unused]] const SetResult code = payers.record().setText(KLI::Kod.index, from);
    switch (payers.getByKey(KLI::KODKEY)) {
    case StoreStatus::Ok:
        break;
    case StoreStatus::NotFound:
        return Move::Skipped; // removed or renamed by another station meanwhile
    default:
        saveErrorCondition();
        standardWarning(WarningReadError, payers.def().messageName());
        return Move::Failed;
    }
    payers.watch();
    const Record former = payers.record();
    if (anonymiseIt) {
        anonymise(payers.record(), to);
    } else {
        [[maybe_unused]] const SetResult moved = payers.record().setText(KLI::Kod.index, to);
    }
    // Still the payer of this code, as spelt when its turn came: another station may have renamed it.
    const StillSelected stillThere = [&from](const Record& stored) {
        return stored.text(KLI::Kod.index) == from;
    };
    switch (guardedChange(payers, former, ChangeCaller::Batch, stillThere, ChildrenFollow::AnyCase)) {
    case GuardedResult::Done:
        return Move::Done;
    case GuardedResult::NotSelected:
        return Move::Skipped;
    default:
        standardWarning(WarningBatchFailed, "Put", payers.def().messageName());
        return Move::Failed;
    }
}

void PayerAnonymisation::cancel() {
    if (pass_ == Pass::Temporary) {
        pass_ = Pass::Back;
        next_ = 0;
    }
}

BatchProcess::Step PayerAnonymisation::step() {
    for (;;) {
        if (next_ >= payers_.size()) {
            if (pass_ != Pass::Temporary) {
                return Step::Done;
            }
            pass_ = Pass::Final;
            next_ = 0;
            continue;
        }
        const std::size_t i = next_++;
        Payer& payer = payers_[i];
        Move result = Move::Skipped;
        switch (pass_) {
        case Pass::Temporary:
            result = move(payer.code, payer.temporary, false);
            payer.moved = result == Move::Done;
            break;
        case Pass::Final:
            if (!payer.moved) {
                continue; // left in the first pass: counted there
            }
            result = move(payer.temporary, std::to_string(i + 1), true);
            anonymised_ += result == Move::Done;
            break;
        case Pass::Back:
            if (!payer.moved) {
                continue;
            }
            result = move(payer.temporary, payer.code, false);
            payer.moved = result != Move::Done;
            break;
        }
        if (result == Move::Failed) {
            return Step::Failed;
        }
        skipped_ += result == Move::Skipped;
        return Step::More;
    }
}

} // namespace nakva
