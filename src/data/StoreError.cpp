#include "data/StoreError.h"

#include <string>

namespace nakva::StoreError {

namespace {

std::string_view textOf(int number) {
    switch (number) {
    case EndOfData:
        return "Pasiekta duomenų pabaiga";
    case RecordNotFound:
        return "Įrašas nerastas";
    case FileNotFound:
        return "Failas nerastas";
    case FileNotOpen:
        return "Failas neatidarytas";
    case KeysMustBeRebuilt:
        return "Raktai sugadinti, reikia perindeksuoti";
    case LayoutDiffers:
        return "Įrašo struktūra nesutampa su failo aprašu";
    case DuplicateKey:
        return "Įrašas su tokiu raktu jau yra";
    case NoCurrentRecord:
        return "Nėra einamojo įrašo";
    case BadPosition:
        return "Netinkama įrašo pozicija";
    case ViewNotOpened:
        return "Netinkama rūšiavimo ar filtro sąlyga";
    case TransactionRefused:
        return "Tranzakcijos pradėti negalima";
    case BadStoredValue:
        return "Netinkama faile įrašyta reikšmė";
    case RecordChanged:
        return "Įrašą pakeitė kita darbo vieta";
    case FileDamaged:
        return "Failas sugadintas: jame nėra duomenų. Atkurkite jį iš atsarginės kopijos";
    default:
        return "Nežinoma klaida";
    }
}

} // namespace

ErrorCondition condition(int number, std::string_view detail) {
    std::string text(textOf(number));
    if (!detail.empty()) {
        text.append(": ").append(detail);
    }
    return {number, std::move(text)};
}

ErrorCondition sqliteCondition(int code, std::string_view sqliteText) {
    // The primary codes of SQLite's result codes (sqlite3.h); the extended ones add bits above them.
    std::string_view text;
    switch (code & 0xff) {
    case 5: // SQLITE_BUSY
    case 6: // SQLITE_LOCKED
        text = "Failą dabar rašo kita darbo vieta. Pabandykite dar kartą";
        break;
    case 8: // SQLITE_READONLY
        text = "Į failą rašyti negalima: aplankas ar failas tik skaitomas. Reikia teisės rašyti";
        break;
    case 14: // SQLITE_CANTOPEN
        text = "Failo atidaryti nepavyko: nėra aplanko arba jame negalima kurti failų";
        break;
    case 11: // SQLITE_CORRUPT
    case 26: // SQLITE_NOTADB
        text = "Failas sugadintas. Atkurkite jį iš atsarginės kopijos";
        break;
    case 13: // SQLITE_FULL
        text = "Diske nebėra vietos. Atlaisvinkite vietos ir pabandykite dar kartą";
        break;
    case 10: // SQLITE_IOERR
        text = "Disko klaida skaitant ar rašant failą. Patikrinkite diską ar tinklo ryšį";
        break;
    case 7: // SQLITE_NOMEM
        text = "Trūksta atminties";
        break;
    case 1: // SQLITE_ERROR: the query is too deep for the database
        if (sqliteText.starts_with("Expression tree is too large") || sqliteText.starts_with("too many") ||
            sqliteText.starts_with("parser stack overflow")) {
            text = "Atrankos sąlyga per sudėtinga. Supaprastinkite ją";
        }
        break;
    default:
        break;
    }
    return {code, std::string(text.empty() ? sqliteText : text)};
}

StoreStatus statusOf(int number) {
    switch (number) {
    case 0:
        return StoreStatus::Ok;
    case EndOfData:
        return StoreStatus::EndOfData;
    case RecordNotFound:
        return StoreStatus::NotFound;
    case DuplicateKey:
        return StoreStatus::DuplicateKey;
    case RecordChanged:
        return StoreStatus::RecordChanged;
    default:
        return StoreStatus::Failed;
    }
}

} // namespace nakva::StoreError
