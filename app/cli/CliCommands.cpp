#include "cli/CliCommands.h"

#include "cli/BackupCommands.h"
#include "cli/CommandLine.h"
#include "cli/GuardedCommands.h"
#include "cli/IsafCommand.h"
#include "cli/MaintenanceCommands.h"
#include "cli/ReportCommand.h"
#include "cli/TableExport.h"
#include "cli/TableImport.h"
#include "data/Context.h"
#include "data/Database.h"
#include "data/Integrity.h"
#include "data/StoreMaintenance.h"
#include "data/Table.h"
#include "maintenance/Backup.h"
#include "maintenance/FolderUse.h"
#include "messages/ErrorText.h"
#include "messages/Message.h"
#include "reference/VatRates.h"

#include <algorithm>
#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace nakva {

namespace {

const char* const GeneralHelp = R"(nakva-cli — NAKVA duomenų failų priežiūra.

Naudojimas: nakva-cli KOMANDA [PARAMETRAI] [--dir APLANKAS]

Komandos:
  init                  sukuria visus trūkstamus lentelių failus
  check                 patikrina visus failus: raktus ir įrašų išdėstymą
  rebuild-keys [LENTELĖ] iš naujo sukuria lentelės (ar visų failų) raktus
  repair                susietas reikšmes perrašo taip, kaip jos parašytos savo failuose
  count LENTELĖ         parodo lentelės įrašų skaičių
  export LENTELĖ        išveda lentelės įrašus CSV ar JSON formatu
  import LENTELĖ FAILAS įkelia įrašus iš CSV failo: visus arba nė vieno
  delete LENTELĖ        pašalina atrinktus įrašus taip, kaip programa (su susietais įrašais)
  update LENTELĖ        pakeičia atrinktų įrašų laukus taip, kaip programa (ir susietuose įrašuose)
  report ATASKAITA      sudaro ataskaitą (pvz. SpPaslSar) ir įrašo ją PDF dokumentu ar WMF lapais
  isaf                  sudaro i.SAF išrašytų sąskaitų registrą (XML failą mokesčių inspekcijai)
  remove-old            pašalina senus išvykusių gyventojų registracijos įrašus
  anonymise             nuasmenina mokėtojų duomenis
  backup                padaro atsarginę visų failų kopiją
  restore APLANKAS      atkuria duomenis iš atsarginės kopijos

Failai laikomi aplanke DATA, esančiame dabartiniame aplanke arba --dir nurodytame aplanke.
Kiekvienos komandos paaiškinimas: nakva-cli KOMANDA --help
)";

struct Command {
    std::string_view name;
    std::string_view help;
    std::size_t minOperands;
    std::size_t maxOperands;
    std::array<std::string_view, 13> options;
};

const Command Commands[] = {
    {"init",
     R"(Naudojimas: nakva-cli init [--dir APLANKAS]

Sukuria aplanką DATA ir jame visų lentelių failus, kurių dar nėra (naujame PVM tarifų sąraše —
dabar galiojantys tarifai ir jų i.SAF kodai).
Esami failai atidaromi ir lieka nepakeisti.
)",
     0,
     0,
     {"--dir"}},
    {"check",
     R"(Naudojimas: nakva-cli check [--dir APLANKAS]

Patikrina kiekvieną lentelės failą nieko jame nekeisdamas: įrašų išdėstymą, raktų aprašus ir
kiekvieno rakto įrašus. Jei randa sugadintų raktų, pataisykite juos komanda rebuild-keys.
Parodo ir susietas reikšmes, kurios nuo savo failo įrašo skiriasi tik raidžių dydžiu (pataiso
komanda repair), ir tas, kurių savo faile nėra visai (pvz. registracijos mokėtojas, kurio nėra
faile Klient).
Atsarginės kopijos aplanke (kurį padarė backup ar programa) turi būti visų lentelių failai
(išskyrus vėliau atsiradusias lenteles, jei kopija senesnė už jas).
Baigiasi klaidos kodu 1, jei bent vienas failas sugadintas ar jo trūksta, arba rasta netinkamų
susietų reikšmių.
)",
     0,
     0,
     {"--dir"}},
    {"rebuild-keys",
     R"(Naudojimas: nakva-cli rebuild-keys [LENTELĖ] [--dir APLANKAS]

Iš naujo sukuria nurodytos lentelės (be lentelės — kiekvieno esamo failo) raktus iš jos įrašų.
)",
     0,
     1,
     {"--dir"}},
    {"repair",
     R"(Naudojimas: nakva-cli repair [--dir APLANKAS]

Susietą reikšmę, kuri nuo savo failo įrašo skiriasi tik raidžių dydžiu (registracijos mokėtojas
„akvilė“, kai mokėtojas įrašytas „AKVILĖ“), perrašo taip, kaip ji parašyta savo faile, kad ją
pasiektų to įrašo keitimas ir pašalinimas. Tokias reikšmes parodo komanda check.
Reikšmės, kurios savo faile nėra visai, pataisyti negali: jas išvardija, o jūs įrašykite trūkstamą
įrašą (pvz. import) arba pakeiskite reikšmę (update). Tada baigiasi klaidos kodu 1.
)",
     0,
     0,
     {"--dir"}},
    {"count",
     R"(Naudojimas: nakva-cli count LENTELĖ [--dir APLANKAS]

Parodo lentelės įrašų skaičių.
)",
     1,
     1,
     {"--dir"}},
    {"export",
     R"(Naudojimas: nakva-cli export LENTELĖ [--order TVARKA] [--filter SĄLYGA]
                         [--set VARDAS=REIKŠMĖ ...] [--format csv|json] [--spreadsheet]
                         [--dir APLANKAS]

Išveda lentelės įrašus per tą patį rodinį, kurį naudoja programa.
  --order        rikiavimo tvarka, pvz. "+UPPER(SAS:Gyventojas),+SAS:IrasoNr" (numatyta:
                 tapatybės raktas)
  --filter       atrankos sąlyga, pvz. "SAS:IrasoDt >= GLO:PrDt AND ~SAS:Isvykes"
  --set          kintamasis sąlygai: data yyyy-mm-dd, skaičius arba tekstas ('15' — visada tekstas)
  --format       csv (numatyta; RFC 4180, UTF-8) arba json
  --spreadsheet  CSV skaičiuoklei: tekstui, prasidedančiam =, +, -, @, tabuliacija ar eilutės
                 grąžinimu, priekyje rašomas apostrofas, kad skaičiuoklė jo nelaikytų formule
CSV antraštėje laukų vardai, pvz. VAL:Valstybe; datos yyyy-mm-dd (tuščia, kai datos nėra),
dešimtainiai skaičiai su tašku. Be --spreadsheet reikšmės išvedamos tiksliai tokios, kokios
saugomos (tokias jas priima import): formulės nepaverčiamos tekstu, todėl tokio failo
neatidarykite skaičiuokle.
)",
     1,
     1,
     {"--dir", "--order", "--filter", "--set", "--format", "--spreadsheet"}},
    {"import",
     R"(Naudojimas: nakva-cli import LENTELĖ FAILAS [--no-check] [--dir APLANKAS]

Įkelia į lentelę CSV failo įrašus (tokio, kokį išveda export): antraštėje laukų vardai, toliau po
vieną įrašą eilutėje. Pirmiausia patikrinama kiekviena reikšmė (tipas, ilgis, skaitmenys po
kablelio, Windows-1257 ženklai, datos forma yyyy-mm-dd) ir ar susieta reikšmė (valstybė, grupė,
mokėtojas, registracija, kambario tipas ...) yra savo faile; ji įrašoma taip, kaip parašyta tame
faile. Tada visi įrašai įrašomi vienu kartu. Radus pirmą netinkamą reikšmę ar nepriimtą įrašą,
parodoma jo eilutė ir laukas, o lentelė lieka nepakeista. Į nustatymų lentelę IstgPar įkeliamas
vienas įrašas: jis pakeičia esamą.
  --no-check  netikrinti, ar susietos reikšmės yra savo failuose
)",
     2,
     2,
     {"--dir", "--no-check"}},
    {"delete",
     R"(Naudojimas: nakva-cli delete LENTELĖ --filter SĄLYGA [--set VARDAS=REIKŠMĖ ...] [--yes]
                         [--dir APLANKAS]

Pašalina sąlygą atitinkančius įrašus po vieną taip, kaip pašalina programa: įrašas, su kuriuo
susieti kitų failų įrašai, nepašalinamas (pvz. valstybė, kurią nurodo registracija), o registracija
pašalinama kartu su jos mokėjimais, sąskaitos eilutėmis ir jų grafikais bei užimtais kambariais.
  --filter  atrankos sąlyga, pvz. "VAL:Valstybe = 'Latvija'" (privaloma)
  --set     kintamasis sąlygai, kaip komandoje export
  --yes     tikrai pašalinti; be jo tik parodoma, kas būtų pašalinta
Programos pranešimai rašomi į klaidų srautą su jų antraštėmis. Baigiasi klaidos kodu 1, jei bent
vieno įrašo pašalinti nepavyko.
)",
     1,
     1,
     {"--dir", "--filter", "--set", "--yes"}},
    {"update",
     R"(Naudojimas: nakva-cli update LENTELĖ --filter SĄLYGA [--set VARDAS=REIKŠMĖ ...]
                         --field VARDAS=REIKŠMĖ ... [--yes] [--dir APLANKAS]

Pakeičia sąlygą atitinkančių įrašų laukus po vieną taip, kaip keičia programa: pakeitus susietą
reikšmę (valstybės pavadinimą, mokėtojo kodą, paslaugos pavadinimą, kambario tipą) ji pakeičiama
ir visuose ją turinčiuose kitų failų įrašuose.
  --filter  atrankos sąlyga, pvz. "KLI:Kod = 'UAB1'" (privaloma)
  --set     kintamasis sąlygai, kaip komandoje export
  --field   laukas ir nauja jo reikšmė, pvz. KLI:Kod=UAB2 (galima kelis)
  --yes     tikrai pakeisti; be jo tik parodoma, kas būtų pakeista
Programos pranešimai rašomi į klaidų srautą su jų antraštėmis. Baigiasi klaidos kodu 1, jei bent
vieno įrašo pakeisti nepavyko.
)",
     1,
     1,
     {"--dir", "--filter", "--set", "--field", "--yes"}},
    {"report",
     R"(Naudojimas: nakva-cli report ATASKAITA [ATASKAITOS PARAMETRAI] [--pdf FAILAS]
                         [--wmf-dir APLANKAS] [--dir APLANKAS]

Sudaro ataskaitą taip, kaip programa (tie patys išdėstymai ir atranka), tik be langų.
  --pdf         PDF dokumentas, lapas už lapo, su įterptais šriftais
  --wmf-dir     aplankas lapų failams ATASKAITA0001.wmf, ATASKAITA0002.wmf, ...
Reikia bent vieno iš --pdf ir --wmf-dir. Ataskaitos parametrai — tai, ko programoje ji klausia
lange (--from ir --to periodui, --group, --service ...), ir įrašas, apie kurį ji sudaroma
(--registration NR, --service PAVADINIMAS, --payer KODAS). Ko reikia ataskaitai, parodo:
nakva-cli report ATASKAITA --help
Jei ataskaitai nėra duomenų, nieko neįrašoma (klaidos kodas 1).
)",
     1,
     1,
     {"--dir", "--from", "--to", "--pdf", "--wmf-dir", "--registration", "--service", "--payer", "--group",
      "--service-group", "--service-name", "--include-departed", "--without-prices"}},
    {"isaf",
     R"(Naudojimas: nakva-cli isaf [--from DATA --to DATA] [--out FAILAS] [--dir APLANKAS]

Sudaro i.SAF išrašytų sąskaitų registrą (iSAF1.2, duomenų tipas S) taip, kaip programos meniu
punktas „Ataskaitos → i.SAF išrašytų sąskaitų registras“: kiekviena laikotarpio PVM sąskaita
faktūra (serija ir numeris; kelių registracijų sąskaita — viena) su pirkėju ir sumomis pagal PVM
tarifus, kurių mokesčių kodai imami iš sąrašo „PVM tarifai ir i.SAF kodai“.
  --from, --to  laikotarpis yyyy-mm-dd (numatyta: praėjęs mėnuo)
  --out         failas (numatyta: iSAF_<įmonės kodas>_<yyyy-mm>.xml dabartiniame aplanke)
Prieš rašydama patikrina viską, ko reikalauja i.SAF schema (ilgius, privalomas reikšmes, kodus):
radus klaidų, kiekviena su savo sąskaita išvedama į klaidų srautą, failas nerašomas ir baigiama
klaidos kodu 1. Failas įrašomas visas arba visai neįrašomas. Išveda failą ir jo sąskaitų skaičių.
)",
     0,
     0,
     {"--dir", "--from", "--to", "--out"}},
    {"remove-old",
     R"(Naudojimas: nakva-cli remove-old --code KODAS [--to DATA] [--dir APLANKAS]

Negrįžtamai pašalina išvykusių gyventojų registracijos įrašus, įvestus iki nurodytos datos
(imtinai), su jų mokėjimais, sąskaitos eilutėmis, jų grafikais ir užimtais kambariais, kaip
programos meniu punktas „Pašalinti senus registracijos įrašus“. Dar negyvenantys neišvykę
gyventojai niekada nešalinami.
  --code  apsaugos kodas (tas pats kaip programos lange)
  --to    data yyyy-mm-dd (numatyta: praėjusių metų gruodžio 31 d.)
Eiga rodoma standartinėje klaidų išvestyje; pabaigoje išvedamas pašalintų įrašų skaičius.
)",
     0,
     0,
     {"--dir", "--to", "--code"}},
    {"anonymise",
     R"(Naudojimas: nakva-cli anonymise --code KODAS [--dir APLANKAS]

Negrįžtamai nuasmenina visus mokėtojus kaip programos meniu punktas „Nuasmeninti duomenis“:
kiekvienas mokėtojas kodų tvarka gauna kodą 1, 2, 3 ... ir duomenis be asmeninės informacijos,
o jo registracijos ir mokėjimai seka jo naują kodą.
  --code  apsaugos kodas (tas pats kaip programos lange)
Eiga rodoma standartinėje klaidų išvestyje; pabaigoje išvedamas nuasmenintų mokėtojų skaičius.
)",
     0,
     0,
     {"--dir", "--code"}},
    {"backup",
     R"(Naudojimas: nakva-cli backup [--to APLANKAS] [--keep N] [--dir APLANKAS]

Padaro atsarginę visų lentelių failų kopiją naujame aplanke, pavadintame data ir laiku
(pvz. 2026-12-07_113254/DATA/Saskait.tps). Kopijoje yra kiekvienos lentelės failas (dar
nesukurtos — tuščias), visi to paties momento būsenos, net kai kitos darbo vietos tuo metu dirba:
jų pakeitimai kopijoje yra arba visi, arba nė vieno. Kiekvienas failas kopijuojant patikrinamas
visas (išdėstymas, raktai, kiekvienas puslapis): radus sugadintą failą, kopija nepadaroma, o
klaidos pranešime nurodomas tas failas. Dvi tuo pačiu metu daromos kopijos gauna po savo aplanką.
  --to    aplankas kopijoms (numatyta: DATA/atsargines), pvz. kito disko aplankas
  --keep  palikti tik N naujausių šios programos kopijų tame aplanke, senesnes pašalinti (kiti
          aplankai, ir pavadinti kaip kopijos, nešalinami)
Išveda padarytos kopijos aplanką ir jos failų skaičių. Kopiją galima patikrinti:
nakva-cli check --dir KOPIJA
Baigiasi klaidos kodu 1, jei kopija nepadaryta.
)",
     0,
     0,
     {"--dir", "--to", "--keep"}},
    {"restore",
     R"(Naudojimas: nakva-cli restore APLANKAS [--dir APLANKAS]

Atkuria duomenis iš atsarginės kopijos aplanko (kurį padarė backup ar programa). Kopijoje turi
būti kiekvienos lentelės failas, ir kiekvienas pirmiausia patikrinamas; jei kurio trūksta ar kuris
sugadintas, nieko nekeičiama, o pranešime jie nurodomi. Lentelė, atsiradusi vėliau už kopiją (jos
faile nėra), lieka tokia, kokia yra. Atkurti galima tik tada, kai duomenų nenaudoja nė viena
programa ar kita nakva-cli komanda. Dabartiniai failai prieš tai nukopijuojami į
DATA/atsargines/...-pries-atkurima.
)",
     1,
     1,
     {"--dir"}},
};

void report(const std::string& text) {
    MessageRequest request;
    request.text = text;
    request.title = "nakva-cli";
    showMessage(request);
}

const TableDef* tableOperand(const std::string& name) {
    const TableDef* table = Dictionary::instance().findTable(name);
    if (table == nullptr) {
        std::string names;
        for (const auto& known : Dictionary::instance().tables()) {
            names += (names.empty() ? "" : ", ") + std::string(known.name);
        }
        report("Nėra lentelės „" + name + "“. Lentelės: " + names + ".");
    }
    return table;
}

int init(Database& database, std::ostream& out) {
    Context context(database);
    for (const auto& table : Dictionary::instance().tables()) {
        const bool existed = std::filesystem::exists(database.filePath(table.id));
        if (table.id == TableId::PvmTarif) {
            primeVatRates(context); // a new list starts with the rates in force
        } else {
            Table& handle = context.table(table.id);
            handle.open();
            handle.close();
        }
        out << Database::fileName(table.id) << (existed ? ": yra" : ": sukurtas") << '\n';
    }
    return ExitOk;
}

// The children whose linking value names a parent only in another letter case, or none at all.
bool linkProblems(Database& database, std::vector<LinkProblem>& problems) {
    Context context(database);
    if (!findLinkProblems(context, problems)) {
        report("Nepavyko perskaityti susietų įrašų: " + errorText() + ".");
        return false;
    }
    return true;
}

// "Saskait SAS:IrasoNr=3: SAS:KliKod „akvilė“, faile Klient „AKVILĖ“", or for an orphan
// "Saskait SAS:IrasoNr=4: SAS:KliKod „NERA“ — faile Klient tokio įrašo nėra".
std::string describe(const LinkProblem& problem) {
    const TableDef& child = problem.child.table();
    std::string identity;
    for (const int field : child.keys[std::size_t(child.identityKey)].components) {
        identity += (identity.empty() ? "" : ", ") + std::string(child.fields[std::size_t(field)].name) +
                    "=" + problem.child.text(field);
    }
    const std::string parent(Dictionary::instance().table(problem.relation->parent).name);
    return std::string(child.name) + " " + identity + ": " +
           std::string(child.fields[std::size_t(problem.relation->childField)].name) + " „" +
           problem.child.text(problem.relation->childField) + "“" +
           (problem.orphan() ? " — faile " + parent + " tokio įrašo nėra"
                             : ", faile " + parent + " „" + *problem.parentValue + "“");
}

int check(Database& database, std::ostream& out) {
    // A backup holds every table's file: one it lacks is missing, not yet to be made.
    const bool backup = isBackupFolder(database.workingFolder());
    bool damaged = false;
    bool allReady = true;
    for (const FileCheck& file : checkAllFiles(database)) {
        if (backup && file.state == FileCheck::State::Missing &&
            Dictionary::instance().table(file.table).addedLater) {
            out << Database::fileName(file.table) << ": nėra (kopija senesnė už šią lentelę)\n";
            continue;
        }
        if (backup && file.state == FileCheck::State::Missing) {
            out << Database::fileName(file.table) << ": trūksta atsarginėje kopijoje\n";
            damaged = true;
            allReady = false;
            continue;
        }
        out << Database::fileName(file.table) << ": " << fileStateText(file.state);
        if (file.error.number != 0) {
            out << " — " << file.error.text << " (" << file.error.number << ")";
        }
        out << '\n';
        for (const auto& problem : file.problems) {
            out << "    " << problem << '\n';
        }
        damaged =
            damaged || (file.state != FileCheck::State::Ready && file.state != FileCheck::State::Missing);
        allReady = allReady && file.state == FileCheck::State::Ready;
    }
    if (!allReady) {
        return damaged ? ExitFailed : ExitOk; // the relations are read from whole files only
    }
    std::vector<LinkProblem> problems;
    if (!linkProblems(database, problems)) {
        return ExitFailed;
    }
    for (const LinkProblem& problem : problems) {
        out << describe(problem) << (problem.orphan() ? "" : " (pataisykite: nakva-cli repair)") << '\n';
    }
    return damaged || !problems.empty() ? ExitFailed : ExitOk;
}

int repair(Database& database, std::ostream& out) {
    std::vector<LinkProblem> problems;
    if (!linkProblems(database, problems)) {
        return ExitFailed;
    }
    Context context(database);
    if (mendCaseMismatches(context, problems) != StoreStatus::Ok) {
        report("Susietų reikšmių pataisyti nepavyko: " + errorText() + ". Niekas nepakeista.");
        return ExitFailed;
    }
    const auto orphans = std::size_t(std::ranges::count_if(problems, &LinkProblem::orphan));
    for (const LinkProblem& problem : problems) {
        out << (problem.orphan() ? "Nepataisyta: " : "Pataisyta: ") << describe(problem) << '\n';
    }
    out << "Pataisyta įrašų: " << problems.size() - orphans << ".";
    if (orphans > 0) {
        out << " Nepataisyta: " << orphans
            << " (įrašykite trūkstamus įrašus arba pakeiskite reikšmes, pvz. nakva-cli update).";
    }
    out << '\n';
    return orphans > 0 ? ExitFailed : ExitOk;
}

int rebuildKeys(Database& database, const CommandLine& line, std::ostream& out) {
    std::vector<TableId> tables;
    if (!line.operands().empty()) {
        const TableDef* table = tableOperand(line.operands().front());
        if (table == nullptr) {
            return ExitUsage;
        }
        tables.push_back(table->id);
    } else {
        for (const auto& table : Dictionary::instance().tables()) {
            if (std::filesystem::exists(database.filePath(table.id))) {
                tables.push_back(table.id);
            }
        }
    }
    for (const TableId table : tables) {
        if (rebuildFileKeys(database, table) != StoreStatus::Ok) {
            report("Nepavyko sukurti failo " + Database::fileName(table) + " raktų: " + errorText() + ".");
            return ExitFailed;
        }
        out << Database::fileName(table) << ": raktai sukurti iš naujo\n";
    }
    return ExitOk;
}

int count(Database& database, const TableDef& table, std::ostream& out) {
    std::int64_t records = 0;
    if (countFileRecords(database, table.id, records) != StoreStatus::Ok) {
        report("Nepavyko suskaičiuoti failo " + Database::fileName(table.id) + " įrašų: " + errorText() +
               ".");
        return ExitFailed;
    }
    out << records << '\n';
    return ExitOk;
}

int exportCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out) {
    ExportRequest request;
    request.table = table.id;
    request.order = line.option("--order").value_or("");
    request.filter = line.option("--filter").value_or("");
    const std::string format = line.option("--format").value_or("csv");
    if (format != "csv" && format != "json") {
        report("Nežinomas formatas „" + format + "“: galima csv arba json.");
        return ExitUsage;
    }
    request.format = format == "json" ? ExportRequest::Format::Json : ExportRequest::Format::Csv;
    request.spreadsheet = line.option("--spreadsheet").has_value();
    if (request.spreadsheet && request.format != ExportRequest::Format::Csv) {
        report("Parametras --spreadsheet tinka tik CSV formatui.");
        return ExitUsage;
    }
    if (std::string error; !bindVariables(line.options("--set"), request.variables, error)) {
        report(error);
        return ExitUsage;
    }
    Context context(database);
    return exportTable(context, request, out) ? ExitOk : ExitFailed;
}

int importCommand(Database& database, const TableDef& table, const CommandLine& line, std::ostream& out) {
    const std::string& fileName = line.operands()[1];
    std::ifstream in(fileName, std::ios::binary);
    if (!in) {
        report("Nepavyko atidaryti failo „" + fileName + "“.");
        return ExitFailed;
    }
    Context context(database);
    const auto added = importTable(context, table.id, in, fileName, !line.option("--no-check"));
    if (!added) {
        return ExitFailed;
    }
    out << "Importuota įrašų: " << *added << ".\n";
    return ExitOk;
}

int run(const Command& command, const CommandLine& line, std::ostream& out) {
    const std::filesystem::path folder =
        line.option("--dir").value_or(std::filesystem::current_path().string());
    if (!std::filesystem::is_directory(folder)) {
        report(std::filesystem::exists(folder) ? "„" + folder.string() + "“ yra failas, ne aplankas."
                                               : "Nėra aplanko „" + folder.string() + "“.");
        return ExitFailed;
    }
    Database database(folder);
    if (command.name == "restore") {
        return restoreCommand(database, line, out);
    }
    // Marks the folder used meanwhile, so that a restore waits for this command to end.
    const FolderUse use(database, FolderUse::Kind::Shared);
    if (!use.acquired()) {
        report("Duomenys dabar atkuriami iš atsarginės kopijos: pabandykite vėliau.");
        return ExitFailed;
    }
    if (command.name == "backup") {
        return backupCommand(database, line, out);
    }
    if (command.name == "init") {
        return init(database, out);
    }
    if (command.name == "check") {
        return check(database, out);
    }
    if (command.name == "rebuild-keys") {
        return rebuildKeys(database, line, out);
    }
    if (command.name == "repair") {
        return repair(database, out);
    }
    if (command.name == "report") {
        return reportCommand(database, line, out);
    }
    if (command.name == "isaf") {
        return isafCommand(database, line, out);
    }
    if (command.name == "remove-old" || command.name == "anonymise") {
        if (!std::filesystem::is_directory(database.dataFolder())) {
            report("Aplanke „" + folder.string() + "“ nėra duomenų aplanko DATA.");
            return ExitFailed;
        }
        return command.name == "anonymise" ? anonymiseCommand(database, line, out, std::cerr)
                                           : removeOldCommand(database, line, out, std::cerr);
    }
    const TableDef* table = tableOperand(line.operands().front());
    if (table == nullptr) {
        return ExitUsage;
    }
    if (command.name != "import" && !std::filesystem::is_directory(database.dataFolder())) {
        // Reading and changing need the files: an empty folder made here would hide a wrong --dir.
        report("Aplanke „" + folder.string() + "“ nėra duomenų aplanko DATA.");
        return ExitFailed;
    }
    if (command.name == "count") {
        return count(database, *table, out);
    }
    if (command.name == "export") {
        return exportCommand(database, *table, line, out);
    }
    if (command.name == "delete") {
        return deleteCommand(database, *table, line, out);
    }
    if (command.name == "update") {
        return updateCommand(database, *table, line, out);
    }
    return importCommand(database, *table, line, out);
}

} // namespace

int runCli(std::span<const std::string> words, std::ostream& out) {
    std::string error;
    const auto line = CommandLine::parse(words, error);
    if (!line) {
        report(error + " Pagalba: nakva-cli --help");
        return ExitUsage;
    }
    if (line->command().empty()) {
        out << GeneralHelp;
        return line->help() ? ExitOk : ExitUsage;
    }
    const Command* command = nullptr;
    for (const Command& candidate : Commands) {
        if (candidate.name == line->command()) {
            command = &candidate;
        }
    }
    if (command == nullptr) {
        report("Nežinoma komanda „" + line->command() + "“. Pagalba: nakva-cli --help");
        return ExitUsage;
    }
    if (line->help()) {
        if (command->name == "report") {
            return reportHelp(line->operands(), command->help, out);
        }
        out << command->help;
        return ExitOk;
    }
    std::vector<std::string_view> allowed;
    for (const auto option : command->options) {
        if (!option.empty()) {
            allowed.push_back(option);
        }
    }
    if (const std::string outside = line->optionOutside(allowed); !outside.empty()) {
        report("Komanda " + line->command() + " neturi parametro „" + outside + "“. Pagalba: nakva-cli " +
               line->command() + " --help");
        return ExitUsage;
    }
    const std::size_t operands = line->operands().size();
    if (operands < command->minOperands || operands > command->maxOperands) {
        report("Komandai " + line->command() + " netinka tiek argumentų. Pagalba: nakva-cli " +
               line->command() + " --help");
        return ExitUsage;
    }
    try {
        return run(*command, *line, out);
    } catch (const ProgramStop& stop) {
        report("Darbas sustabdytas: " + stop.text);
        return ExitFailed;
    }
}

} // namespace nakva
