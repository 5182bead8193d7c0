#include "reference/SimpleLists.h"

#include "data/Fields.h"

namespace nakva {

namespace {

SortTab tab(std::string text, std::string order, std::string locator) {
    SortTab tab;
    tab.text = std::move(text);
    tab.order = std::move(order);
    tab.locator = std::move(locator);
    return tab;
}

ListConfig list(std::string name, std::string title, TableId table, std::vector<ListColumn> columns,
                std::vector<SortTab> tabs, std::string insertTooltip = "Įvesti naują įrašą") {
    ListConfig config;
    config.name = std::move(name);
    config.title = std::move(title);
    config.table = table;
    config.columns = std::move(columns);
    config.tabs = std::move(tabs);
    config.insertTooltip = std::move(insertTooltip);
    return config;
}

FormConfig form(std::string name, std::string caption, TableId table, std::vector<FormField> fields) {
    FormConfig config;
    config.helpTopic = name;
    config.name = std::move(name);
    config.caption = std::move(caption);
    config.table = table;
    config.fields = std::move(fields);
    return config;
}

// A number given at opening may be typed over, but never to nothing or below 1.
FormField numberField(std::string prompt, int field) {
    FormField number(std::move(prompt), field);
    number.minimum = Decimal(1);
    return number;
}

} // namespace

ListConfig BrowseValstyb() {
    return list("BrowseValstyb", "VALSTYBĖS", TableId::Valstyb,
                {ListColumn::of("", "VAL:Valstybe", 80, ColumnAlign::Left, Picture::text(20))},
                {tab("", "+UPPER(VAL:Valstybe)", "VAL:Valstybe")});
}

FormConfig UpdateValstyb() {
    // A duplicate names the key as the dictionary does: VAL:Key_Valst.
    return form("UpdateValstyb", "VALSTYBĖ", TableId::Valstyb,
                {{"Valstybės pavadinimas:", VAL::Valstybe.index, "Kilmės šalis"}});
}

ListConfig SarGrup() {
    return list("SarGrup", "GYV. GRUPĖS", TableId::Grupes,
                {ListColumn::of("", "GRP:Grupe", 80, ColumnAlign::Left, Picture::text(20))},
                {tab("", "+UPPER(GRP:Grupe)", "GRP:Grupe")});
}

FormConfig RedGrupes() {
    FormConfig config =
        form("RedGrupes", "GYVENTOJŲ GRUPĖ", TableId::Grupes, {{"Grupės pavadinimas:", GRP::Grupe.index}});
    config.saveTooltip = "Išsaugoti pakeitimus";
    return config;
}

ListConfig BrowseMokBudai() {
    return list("BrowseMokBudai", "MOKĖJIMO BŪDAI", TableId::MokBudai,
                {ListColumn::of("MokID", "MOK1:MokBudoID", 32, ColumnAlign::Right, Picture::number(6)),
                 ListColumn::of("Pavadinimas", "MOK1:MOKBUDOPAV", 80, ColumnAlign::Left, Picture::text(50))},
                {tab("", "+MOK1:MokBudoID", "MOK1:MokBudoID")});
}

ListConfig SelectMokBudai() {
    ListConfig config = BrowseMokBudai();
    config.name = "SelectMokBudai";
    config.columns[0].width = 36;
    return config;
}

FormConfig UpdateMokBudai() {
    FormConfig config = form("UpdateMokBudai", "MOKĖJIMO BŪDAS", TableId::MokBudai,
                             {numberField("Mokėjimo būdo ID:", MOK1::MokBudoID.index),
                              {"Mokėjimo būdo pavadinimas:", MOK1::MOKBUDOPAV.index}});
    config.keyNames = {{MOK1::MOKBUDOIDKEY.index, "Pagal Nr."}};
    return config;
}

ListConfig BrowseValyt() {
    return list("BrowseValyt", "VALYTOJAI (OS)", TableId::Valyt,
                {ListColumn::of("", "VALYT:ValytPav", 80, ColumnAlign::Left, Picture::text(30))},
                {tab("", "+UPPER(VALYT:ValytPav)", "VALYT:ValytPav")});
}

FormConfig UpdateValyt() {
    FormConfig config = form("UpdateValyt", "VALYTOJA(S)", TableId::Valyt,
                             {{"Vardas:", VALYT::ValytPav.index, "Valytojo pavardė"}});
    config.keyNames = {{VALYT::KEYPAV.index, "Pagal pavardę"}};
    return config;
}

ListConfig SarKambTipai() {
    return list("SarKambTipai", "KAMBARIŲ TIPAI", TableId::KmbTipai,
                {ListColumn::of("", "KTIP:KambarioTipas", 80, ColumnAlign::Left, Picture::text(40))},
                {tab("", "+UPPER(KTIP:KambarioTipas)", "KTIP:KambarioTipas")}, "Įvesti naują");
}

FormConfig RedKambTipai() {
    FormConfig config = form("RedKambTipai", "KAMBARIŲ TIPAS", TableId::KmbTipai,
                             {{"Kambarių tipas:", KTIP::KambarioTipas.index, "Kambario tipas"}});
    config.keyNames = {{KTIP::KTIPAS.index, "pagal kambario tipą"}};
    return config;
}

ListConfig BrowsePaslGrp() {
    return list("BrowsePaslGrp", "Paslaugų grupės", TableId::PaslGrp,
                {ListColumn::of("Grupės Nr", "PGRP:IrasoNr", 44, ColumnAlign::Right, Picture::number(10)),
                 ListColumn::of("Pavadinimas", "PGRP:GrpPav", 80, ColumnAlign::Left, Picture::text(30))},
                {tab("Pagal įrašo Nr.", "+PGRP:IrasoNr", "PGRP:IrasoNr"),
                 tab("Pagal pavadinimą", "+UPPER(PGRP:GrpPav),+PGRP:IrasoNr", "PGRP:GrpPav")},
                "Sukurti naują įrašą");
}

FormConfig UpdatePaslGrp() {
    FormConfig config = form("UpdatePaslGrp", "PASLAUGŲ GRUPĖ", TableId::PaslGrp,
                             {numberField("Grupės Nr:", PGRP::IrasoNr.index),
                              {"Pavadinimas:", PGRP::GrpPav.index, "Paslaugų grupės pavadinimas"}});
    config.keyNames = {{PGRP::IRASONR_KEY.index, "Pagal įrašo Nr."},
                       {PGRP::PASLPAV_KEY.index, "Pagal pavadinimą"}};
    // The name is unique ignoring letter case, although the key ends with the number.
    config.uniqueness = {{.key = PGRP::PASLPAV_KEY.index, .components = 1}};
    return config;
}

} // namespace nakva
