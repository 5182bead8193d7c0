#include "shell/MainMenu.h"

#include <utility>

namespace nakva {

namespace {

MenuEntry item(std::string_view text, std::string_view procedure, std::string_view hint = {}) {
    return {text, hint, MenuAction::Procedure, procedure, {}};
}

MenuEntry command(std::string_view text, MenuAction action, std::string_view hint = {}) {
    return {text, hint, action, {}, {}};
}

MenuEntry separator() {
    return {{}, {}, MenuAction::Separator, {}, {}};
}

MenuEntry submenu(std::string_view text, std::vector<MenuEntry> children, std::string_view hint = {}) {
    return {text, hint, MenuAction::Submenu, {}, std::move(children)};
}

// Procedures the menu names without a name of their own are called as their window and table:
// SarSaskait / SarSaskaitVisi (current and all registrations), SarPaslaug (services), SarKlient
// (payers), RedIstgPar (institution settings), SalintiSenus (removal of old registrations) and
// Nuasmeninti (anonymisation).
std::vector<MenuEntry> build() {
    return {
        submenu("&Failai",
                {
                    command("&Printerio nustatymas ...", MenuAction::PrinterSetup,
                            "spausdintuvo parametrų nustatymas"),
                    separator(),
                    item("Pašalinti senus registracijos įrašus", "SalintiSenus"),
                    item("Nuasmeninti duomenis", "Nuasmeninti"),
                    separator(),
                    command("&Apie programą", MenuAction::About, "apie programą ir autorius"),
                },
                "pagalbiniai darbai su failais"),
        submenu("Gyventojai",
                {
                    item("Registracijos įrašai", CurrentRegistrationsProcedure,
                         "neišvykusių gyventojų registracijos įrašai"),
                    item("Kambarių užimtumas", "KmbUzimtumas", "kambariai ir dienos: kas kur gyvena"),
                    item("Šiandien", "SarSiandien", "šiandien atvykstantys, išvykstantys ir gyvenantys"),
                    separator(),
                    item("Atvykstantys ir išvykstantys (spausdinti)", "SpSiandien"),
                }),
        submenu("Ataskaitos",
                {
                    item("Registracijos žurnalas", "SpZurnala"),
                    item("Registracijos žurnalas su apmokejimu", "SpZurnala2"),
                    item("Gyventojų sąrašas", "SpGyventSarasa"),
                    item("Išvykstančių gyventojų sąrašas", "SpSarIsvykst"),
                    item("Neišvykusių gyventojų statistika", "SpEinRegStatistika"),
                    item("Neišvykusių gyventojų sarašas", "SpEinRegSarasa"),
                    separator(),
                    submenu("Statistika",
                            {
                                item("Gyventojų statistika pagal valstybes", "SpStatValst"),
                                item("Gyventojų statistika pagal valstybes detali", "SpStatValstDet"),
                                separator(),
                                item("Gyventojų statistika pagal grupes", "SpStatGrup"),
                                item("Gyventojų statistika pagal grupes detali", "SpStatGrupDet"),
                                separator(),
                                item("Kambarių užimtumo suvestinė pagal tipus", "SpStatUzimt"),
                                separator(),
                                item("Kambarių užimtumo žiniaraštis detalus", "SpKmbUzimtZin"),
                            }),
                    submenu("Paslaugų teikimas",
                            {
                                item("Einamoji paslaugų suvestinė", "SpPaslSuvF2"),
                                item("Einamasis paslaugos žiniaraštis", "SpPaslZin"),
                                separator(),
                                item("Pajamų suvestinė pagal valstybes", "SpStatPajValst"),
                                item("Pajamų žiniaraštis pagal valstybes", "SpStatPajValstDet"),
                                separator(),
                                item("Pajamų suvestinė pagal gyv. grupes", "SpStatPajGrup"),
                                item("Pajamų žiniaraštis pagal gyv. grupes", "SpStatPajGrupDet"),
                                separator(),
                                item("Sąskaitų žiniaraštis", "SpSaskSuvData"),
                                item("Paslaugų sąrašas", "SpPaslSar"),
                            }),
                    submenu("Apmokėjimas",
                            {
                                item("Einamasis apmokėjimo žiniaraštis A1", "SpApmZin"),
                                item("Einamasis apmokėjimo žiniaraštis A2", "SpApmZin2"),
                                item("Mokėtojų sąrašas", "SpKliSar"),
                                separator(),
                            }),
                    separator(),
                    item("i.SAF išrašytų sąskaitų registras", "ISafRegistras",
                         "išrašytų PVM sąskaitų faktūrų registras mokesčių inspekcijai (XML failas)"),
                }),
        item("Archyvas", "SarSaskaitVisi", "sąskaitų faktūrų sąrašo papildymas ir redagavimas"),
        item("Apmokėjimai", "SarMokej"),
        submenu("Kambarių aptarnavimas",
                {
                    item("Kambarių valymai", "SarKmbVal"),
                    item("Lovos patalynės keitimai", "SarKmbPatal"),
                    item("Rankšluočių keitimai", "SarKmbRanks"),
                    separator(),
                    submenu("Ataskaitos",
                            {
                                item("Neparuoštų kambarių sąrašas", "SpNepKmbSar"),
                                item("Kambarių aptarnavimo suvestinė", "SpKmbStat"),
                            }),
                }),
        submenu("Žinynai",
                {
                    item("Paslaugos", "SarPaslaug", "paslaugų-prekių sąrašo papildymas ir redagavimas"),
                    item("Paslaugų grupės", "BrowsePaslGrp"),
                    separator(),
                    item("Kambariai", "SarKamb"),
                    item("Kambarių tipai", "SarKambTipai"),
                    separator(),
                    item("Mokėtojai", "SarKlient", "klientų sąrašo papildymas ir redagavimas"),
                    item("Mokėjimo būdai", "BrowseMokBudai"),
                    separator(),
                    item("Valstybės", "BrowseValstyb"),
                    item("Gyventojų grupės", "SarGrup"),
                    item("Valytojai", "BrowseValyt"),
                    separator(),
                    item("PVM tarifai ir i.SAF kodai", "BrowsePvmTarif",
                         "PVM tarifai ir jų mokesčių kodai i.SAF registrui"),
                    item("Nustatymai, įstaigos duomenys", "RedIstgPar", "Nustatymai"),
                },
                "žinynų duomenų tvarkymas"),
        submenu("&Langai",
                {
                    command("&Išlyginti", MenuAction::Tile, "langų išlyginimas"),
                    command("&Laiptuotai", MenuAction::Cascade, "langų išdėstymas laiptuotai"),
                    command("&Išlyginti ikonas", MenuAction::ArrangeIcons, "ikonų išlyginimas"),
                    separator(),
                    command("Į&rankių juosta", MenuAction::ToolbarShown, "rodyti arba slėpti įrankių juostą"),
                    command({}, MenuAction::WindowList),
                },
                "Langų valdymas"),
        command("&Baigti", MenuAction::Quit, "Darbo pabaiga"),
    };
}

} // namespace

const std::vector<MenuEntry>& mainMenu() {
    static const std::vector<MenuEntry> menu = build();
    return menu;
}

const std::vector<ToolbarProcedure>& toolbarProcedures() {
    static const std::vector<ToolbarProcedure> procedures = {
        {"room-grid", "Kambarių užimtumas", "KmbUzimtumas"},
        {"today", "Šiandien atvykstantys, išvykstantys ir gyvenantys", "SarSiandien"},
    };
    return procedures;
}

} // namespace nakva
