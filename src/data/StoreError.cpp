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
