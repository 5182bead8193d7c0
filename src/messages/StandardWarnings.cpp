#include "messages/StandardWarnings.h"

#include "messages/ErrorText.h"

#include <algorithm>

namespace nakva {

namespace {

constexpr WarningTextPart text(std::string_view literal) {
    return {WarningPart::Text, literal};
}
constexpr WarningTextPart kFirst{WarningPart::First, {}};
constexpr WarningTextPart kFirstLower{WarningPart::FirstLower, {}};
constexpr WarningTextPart kSecond{WarningPart::Second, {}};
constexpr WarningTextPart kError{WarningPart::Error, {}};

constexpr std::string_view kEndProgram = ".  Paspauskite GERAI ir užbaikite programą.";
constexpr std::string_view kWrongCall = "Neteisingas procedūros iškvietimas";
constexpr std::string_view kOutOfRange = "Reikšmė už ribų";

constexpr WarningTextPart kText1[] = {text("Klaida: ("), kError, text(") faile "), kFirst, text(kEndProgram)};
constexpr WarningTextPart kText2[] = {text("Indeksų failas "), kFirst, text(" sugedęs.  Ar perindeksuoti?")};
constexpr WarningTextPart kText3[] = {text("Klaida: ("), kError, text(") indeksuojant "), kFirst,
                                      text(kEndProgram)};
constexpr WarningTextPart kText4[] = {text("Klaida: ("), kError, text(") sukuriant "), kFirst,
                                      text(kEndProgram)};
constexpr WarningTextPart kText5[] = {text("Klaida: ("), kError, text(") atidarant sukurtą failą:"), kFirst,
                                      text(kEndProgram)};
constexpr WarningTextPart kText6[] = {text("Procedūra "), kFirst, text(" neapibrėžta.")};
constexpr WarningTextPart kText7[] = {text("Negaliu nuskaityti įrašo.  Klaida: "), kError,
                                      text(".  Skaitymas nutrauktas")};
constexpr WarningTextPart kText8[] = {kFirst, text(" reikšmė turi būti mažesnė negu "), kSecond, text(".")};
constexpr WarningTextPart kText9[] = {kFirst, text(" reikšmė turi būti didesnė negu "), kSecond, text(".")};
constexpr WarningTextPart kText10[] = {text("Reikšmė "), kFirst, text(" turi būti tarp "), kSecond,
                                       text(".")};
constexpr WarningTextPart kText11[] = {kFirst, text(" reikšmė turi būti faile "), kSecond, text(".")};
constexpr WarningTextPart kText12[] = {
    text("Šis įrašas susietas su failu "), kFirst,
    text(".  Susietų laukų reikšmių neleidžiama keisti. Programa atstato originalias laukų reikšmes.")};
constexpr WarningTextPart kText13[] = {
    text("Šis įrašas susietas su failu "), kFirst,
    text(".  Įrašo negalima išmesti kol egzistuoja šis ryšys tarp failų.")};
constexpr WarningTextPart kText14[] = {text("Klaida išsaugant įrašą.  Klaida: "), kError, text(".")};
constexpr WarningTextPart kText15[] = {text("Klaida ("), kError,
                                       text(")  įrašant į failą.  Galima priežastis: "), kFirst, text(".")};
constexpr WarningTextPart kText15Changed[] = {text("Šį įrašą jau pakeitė kitas vartotojas.")};
constexpr WarningTextPart kText16[] = {
    text("Klaida keičiant šį įrašą.  Ar bandyti dar kartą išsaugoti įrašą?")};
constexpr WarningTextPart kText17[] = {text("Klaida ("), kError, text(")  pašalinant įrašą iš failo "),
                                       kFirst, text(".")};
constexpr WarningTextPart kText18[] = {
    text("Klaida pašalinant šį įrašą. Ar bandyti dar kartą pašalinti įrašą?")};
constexpr WarningTextPart kText19[] = {text("Šios procedūros pagalba negalima sukurti įrašo. Paspauskite "
                                            "GERAI ir grįžkite į prieš tai buvusią procedūrą")};
constexpr WarningTextPart kText20[] = {text("Šios procedūros pagalba negalima redaguoti įrašo. Paspauskite "
                                            "GERAI ir grįžkite į prieš tai buvusią procedūrą")};
constexpr WarningTextPart kText21[] = {text("Šios procedūros pagalba negalima pašalinti įrašo. Paspauskite "
                                            "GERAI ir grįžkite į prieš tai buvusią procedūrą")};
constexpr WarningTextPart kText22[] = {
    text("Neradau failo "), kFirst,
    text(", todėl failo sukūrimas neleistinas.  Paspauskite GERAI ir užbaikite šią programą.")};
constexpr WarningTextPart kText23[] = {text("Ar tikrai norite nutraukti?")};
constexpr WarningTextPart kText24[] = {text("Įrašas su tokiais raktiniais laukais jau egzistuoja. Indeksas:"),
                                       kFirst};
constexpr WarningTextPart kText25[] = {text("Šio įrašo autonumeracija neįvykdyta .  Klaida: "), kError,
                                       text(".")};
constexpr WarningTextPart kText26[] = {kFirst, text(" -klaida skaitant failą.  Klaida: "), kError, text(".")};
constexpr WarningTextPart kText27[] = {text("Ar tikrai nutraukti "), kFirst, text("skaitymą?")};
constexpr WarningTextPart kText28[] = {kFirst,
                                       text(" -klaida skaitant failą. Pasirinktame faile neradau teksto.")};
constexpr WarningTextPart kText29Down[] = {text("Failo pabaiga.  Ar žiūrėsite failą nuo pradžios?")};
constexpr WarningTextPart kText29Up[] = {text("Failo pradžia.  Ar žiūrėsite failą nuo pabaigos?")};
constexpr WarningTextPart kText30[] = {text("Negaliu atidaryti failo ("), kFirst, text(").   Klaida: "),
                                       kError, text(".")};
constexpr WarningTextPart kText31[] = {text("Klaida keičiant failą "), kSecond, text(" Klaida: "), kError};
constexpr WarningTextPart kText32[] = {
    text("Jūs norite pašalinti pasirinktą įrašą.  Jei tikrai pašalinsite šį įrašą, tai paspauskite GERAI.")};
constexpr WarningTextPart kText33[] = {text("Ar išsaugoti pakeitimus?")};
constexpr WarningTextPart kText34[] = {text("Klaida: ("),
                                       kError,
                                       text(") sukuriant "),
                                       kFirstLower,
                                       text(" tranzakciją pagal "),
                                       kSecond,
                                       text(".  "),
                                       kFirst,
                                       text(" tranzakcija nutraukiama.")};
constexpr WarningTextPart kText35[] = {text("Klaida: ("), kError, text(") skaitant įrašą iš failo "), kFirst,
                                       text(" .  Grįžtu į ankstesnį langą.")};
constexpr WarningTextPart kText36[] = {text("Klaida: ("), kError,
                                       text(") atidarant struktūrą (VIEW). Filtro sąlygų pritaikyti "
                                            "negalima, todėl neatrinktas nė vienas įrašas.")};
constexpr WarningTextPart kText37[] = {text("Įrašas išsaugotas. Ar norite sukurti naują įrašą?")};
constexpr WarningTextPart kText38[] = {
    text("Šį įrašą jau pakeitė kitas vartotojas.Dabar matysite jau pakeistus duomenis.")};

constexpr unsigned kYesNo = ButtonYes | ButtonNo;
constexpr unsigned kYesNoCancel = ButtonYes | ButtonNo | ButtonCancel;
constexpr unsigned kOkCancel = ButtonOk | ButtonCancel;
constexpr auto kI = MessageIcon::Information;
constexpr auto kE = MessageIcon::Exclamation;

// One row of the table: an information message with OK alone unless said otherwise.
class Row {
public:
    constexpr Row(int number, std::string_view title, std::span<const WarningTextPart> text) {
        warning_.number = number;
        warning_.title = title;
        warning_.text = text;
    }
    constexpr Row ask(unsigned buttons, int defaultButton, MessageIcon icon) const {
        Row row = *this;
        row.warning_.buttons = buttons;
        row.warning_.defaultButton = defaultButton;
        row.warning_.icon = icon;
        return row;
    }
    constexpr Row stop(std::string_view stopText, int continueOn = 0) const {
        Row row = *this;
        row.warning_.stopText = stopText;
        row.warning_.continueOn = continueOn;
        return row;
    }
    constexpr Row unlessFirst(std::string_view keyword, std::string_view otherTitle,
                              std::span<const WarningTextPart> otherText) const {
        Row row = *this;
        row.warning_.firstKeyword = keyword;
        row.warning_.otherTitle = otherTitle;
        row.warning_.otherText = otherText;
        return row;
    }
    constexpr operator StandardWarningDefinition() const { return warning_; }

private:
    StandardWarningDefinition warning_;
};

// clang-format off
constexpr StandardWarningDefinition kWarnings[kStandardWarningCount] = {
    Row(1, "Sugadintas failas", kText1).stop("Failas sugadintas !"),
    Row(2, "Sugedęs indeksas", kText2).ask(kYesNo, ButtonYes, kE).stop("Sugedęs failo indeksas !", ButtonYes),
    Row(3, "Klaida indeksuojant", kText3).stop("Klaida indeksuojant !"),
    Row(4, "Klaida, sukuriant failą", kText4).stop("Klaida sukuriant failą !"),
    Row(5, "Klaida sukuriant failą", kText5).stop("Klaida sukuriant failą !"),
    Row(6, "Procedūra neapibrėžta", kText6),
    Row(7, "", kText7),
    Row(8, kOutOfRange, kText8),
    Row(9, kOutOfRange, kText9),
    Row(10, kOutOfRange, kText10),
    Row(11, "Negeras lauko turinys", kText11),
    Row(12, "Susietų laukų redagavimo klaida", kText12),
    Row(13, "Susietų įrašų pašalinimo klaida", kText13),
    Row(14, "Klaida išsaugant įrašą", kText14),
    Row(15, "Įrašymo operacijos klaida", kText15),
    Row(16, "Klaida išsaugant įrašą", kText16).ask(kYesNoCancel, ButtonCancel, kI),
    Row(17, "Pašalinimo operacijos klaida", kText17),
    Row(18, "Įrašo pašalinimo klaida", kText18).ask(kYesNoCancel, ButtonCancel, kI),
    Row(19, kWrongCall, kText19),
    Row(20, kWrongCall, kText20),
    Row(21, kWrongCall, kText21),
    Row(22, "Failo sukurti negalima", kText22).stop("Klaida sukuriant failą."),
    Row(23, "Atnaujinimas nutrauktas", kText23).ask(kYesNo, ButtonNo, kE),
    Row(24, "Klaida-dubliuotas indeksas", kText24),
    Row(25, "Autonumeracijos klaida", kText25).ask(ButtonRetry | ButtonCancel, ButtonCancel, kI),
    Row(26, "Klaida skaitant failą", kText26),
    Row(27, "Nutraukti skaitymą", kText27).ask(kOkCancel, ButtonCancel, kE),
    Row(28, "Klaida skaitant failą", kText28),
    Row(29, "Failo pabaigos klaida", kText29Down).ask(kYesNo, ButtonYes, kE)
        .unlessFirst("Down", "Failo pradžios klaida", kText29Up),
    Row(30, "Failo atidarymo klaida", kText30),
    Row(31, "PUT klaida procese", kText31).unlessFirst("Put", "DELETE klaida procese", kText31),
    Row(32, "Pašalinti įrašą", kText32).ask(kOkCancel, ButtonCancel, kE),
    Row(33, "Atnaujinimas nutraukiamas", kText33).ask(kYesNoCancel, ButtonNo, kE),
    Row(34, "Tranzakcijos klaida", kText34),
    Row(35, "Record Retrieval Error", kText35),
    Row(36, "(VIEW) atidarymo klaida", kText36),
    Row(37, "Kuriamas naujas įrašas", kText37).ask(kYesNo, ButtonYes, kE),
    Row(38, "Įrašas neišsaugotas", kText38),
};
// clang-format on

constexpr bool numberedInOrder() {
    for (int i = 0; i < kStandardWarningCount; ++i)
        if (kWarnings[i].number != i + 1)
            return false;
    return true;
}
static_assert(numberedInOrder());

// Operation names are plain ASCII words ("Update", "Delete").
std::string asciiLower(std::string_view word) {
    std::string lower(word);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; });
    return lower;
}

struct ChosenText {
    std::string_view title;
    std::span<const WarningTextPart> parts;
};

ChosenText chooseText(const StandardWarningDefinition& warning, std::string_view first) {
    if (!warning.firstKeyword.empty() && first != warning.firstKeyword)
        return {warning.otherTitle, warning.otherText};
    if (warning.number == 15 && isRecordChangedByAnotherStation(currentErrorCondition()))
        return {warning.title, kText15Changed};
    return {warning.title, warning.text};
}

bool usesErrorCondition(const StandardWarningDefinition& warning) {
    return warning.number == 15 ||
           std::any_of(warning.text.begin(), warning.text.end(),
                       [](const WarningTextPart& p) { return p.kind == WarningPart::Error; });
}

} // namespace

const StandardWarningDefinition* standardWarningDefinition(int number) {
    if (number < 1 || number > kStandardWarningCount)
        return nullptr;
    return &kWarnings[number - 1];
}

MessageRequest standardWarningRequest(int number, std::string_view first, std::string_view second) {
    MessageRequest request;
    const StandardWarningDefinition* warning = standardWarningDefinition(number);
    if (!warning) {
        request.text = "Nežinomas standartinis pranešimas Nr. " + std::to_string(number) + ": " +
                       std::string(first) + " " + std::string(second);
        request.icon = MessageIcon::Exclamation;
        return request;
    }
    const ChosenText chosen = chooseText(*warning, first);
    request.title = chosen.title;
    for (const WarningTextPart& part : chosen.parts) {
        switch (part.kind) {
        case WarningPart::Text:
            request.text += part.text;
            break;
        case WarningPart::First:
            request.text += first;
            break;
        case WarningPart::FirstLower:
            request.text += asciiLower(first);
            break;
        case WarningPart::Second:
            request.text += second;
            break;
        case WarningPart::Error:
            request.text += errorText();
            break;
        }
    }
    request.buttons = warning->buttons;
    request.defaultButton = warning->defaultButton;
    request.icon = warning->icon;
    return request;
}

int standardWarning(int number, std::string_view first, std::string_view second) {
    const int answer = showMessage(standardWarningRequest(number, first, second));
    const StandardWarningDefinition* warning = standardWarningDefinition(number);
    if (!warning)
        return answer;
    if (usesErrorCondition(*warning))
        clearSavedErrorCondition();
    if (!warning->stopText.empty() && (warning->continueOn == 0 || answer != warning->continueOn))
        throw ProgramStop{std::string(warning->stopText)};
    return answer;
}

} // namespace nakva
