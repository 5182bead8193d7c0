#include "data/SqlQuery.h"
#include "data/QueryTestDatabase.h"
#include "data/Variables.h"

#include "support/CaseName.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>

namespace nakva {
namespace {

// The stored form of a value, as seeks and order values compare it: whole numbers of a field without
// places as they are, others scaled by the field's places; every one kept within the bound that no
// stored value reaches.
TEST(StoredValues, NumbersAreScaledAndBounded) {
    const TableDef& registrations = Dictionary::instance().table(TableId::Saskait);
    const FieldDef& number = registrations.fields[std::size_t(registrations.fieldIndex("IrasoNr"))];
    const FieldDef& sum = registrations.fields[std::size_t(registrations.fieldIndex("BSUMA"))];
    ASSERT_EQ(sum.type, FieldType::Decimal);
    ASSERT_EQ(sum.places, 2);
    const std::int64_t bound = 1'000'000'000'000'000'000;
    const struct {
        const FieldDef& field;
        Value value;
        SqlValue stored;
    } cases[] = {
        {number, std::int64_t(5), std::int64_t(5)},
        {number, std::int64_t(-7), std::int64_t(-7)},
        {number, std::numeric_limits<std::int64_t>::max(), bound},
        {number, std::numeric_limits<std::int64_t>::min(), -bound},
        {number, *Decimal::parse("2.5"), std::int64_t(3)},
        {number, Value(), std::int64_t(0)},
        {sum, std::int64_t(3), std::int64_t(300)},
        {sum, std::int64_t(-3), std::int64_t(-300)},
        {sum, std::numeric_limits<std::int64_t>::max(), bound},
        {sum, *Decimal::parse("1.005"), std::int64_t(101)},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(storedValue(c.field, c.value), c.stored) << c.field.name << " #" << (&c - cases);
    }
}

int day(int year, int month, int dayOfMonth) {
    return dateFromYmd(year, month, dayOfMonth);
}

const TableDef& tableNamed(std::string_view name) {
    return *Dictionary::instance().findTable(name);
}

// A few records of every table that the quoted filters read, with the traps they must get right:
// letter case, Lithuanian letters, blank values, a room occupied by a registration that is missing.
void fill(QueryTestDatabase& db) {
    db.insert("Kamb", {{"KambarioID", 101},
                       {"KambarioKorpusas", "A"},
                       {"KambarioAukstas", 1},
                       {"KambarioNr", "1"},
                       {"KambarioTipas", "Dvivietis"}});
    db.insert("Kamb", {{"KambarioID", 102},
                       {"KambarioKorpusas", "A"},
                       {"KambarioAukstas", 1},
                       {"KambarioNr", "2"},
                       {"KambarioTipas", "dvivietis"},
                       {"KambarysNenaudojamas", 1}});
    db.insert("Kamb", {{"KambarioID", 103},
                       {"KambarioKorpusas", "B"},
                       {"KambarioAukstas", 2},
                       {"KambarioNr", "1"},
                       {"KambarioTipas", "Vienvietis"}});
    db.insert("Kamb", {{"KambarioID", 104}});

    db.insert("Saskait", {{"IrasoNr", 1},
                          {"IrasoDt", day(2024, 1, 10)},
                          {"SaskSer", "AB"},
                          {"SaskNr", 15},
                          {"SaskDt", day(2024, 1, 12)},
                          {"KliKod", "UAB1"},
                          {"Gyventojas", "Jonaitis"},
                          {"GYVENTOJOVALSTYBE", "Lietuva"},
                          {"GyventojoGrupe", "Turistai"},
                          {"GyvenaNuo", day(2024, 1, 10)},
                          {"GyvenaIki", day(2024, 1, 12)},
                          {"Isvykes", 1}});
    db.insert("Saskait", {{"IrasoNr", 2},
                          {"IrasoDt", day(2024, 1, 20)},
                          {"SaskSer", "ab"},
                          {"SaskNr", 15},
                          {"SaskDt", day(2024, 1, 22)},
                          {"KliKod", "uab1"},
                          {"Gyventojas", "Ąžuolaitė"},
                          {"GYVENTOJOVALSTYBE", "Latvija"},
                          {"GyventojoGrupe", "Verslas"},
                          {"GyvenaNuo", day(2024, 1, 20)},
                          {"GyvenaIki", day(2024, 2, 5)}});
    db.insert("Saskait", {{"IrasoNr", 3},
                          {"IrasoDt", day(2024, 2, 1)},
                          {"SaskSer", "CD"},
                          {"SaskNr", 16},
                          {"SaskDt", day(2024, 2, 3)},
                          {"KliKod", "ZZ"},
                          {"Gyventojas", "Petraitis"},
                          {"GYVENTOJOVALSTYBE", "Lietuva"},
                          {"GyvenaNuo", day(2024, 2, 1)},
                          {"GyvenaIki", day(2024, 2, 10)}});
    db.insert("Saskait", {{"IrasoNr", 4},
                          {"IrasoDt", day(2023, 12, 20)},
                          {"SaskSer", "AB"},
                          {"SaskNr", 14},
                          {"SaskDt", day(2023, 12, 31)},
                          {"Gyventojas", "Zigmas"},
                          {"GyventojoGrupe", "Turistai"},
                          {"GyvenaNuo", day(2023, 12, 20)},
                          {"GyvenaIki", day(2024, 1, 15)},
                          {"Isvykes", 1}});
    db.insert("Saskait", {{"IrasoNr", 5},
                          {"IrasoDt", day(2024, 1, 5)},
                          {"SaskSer", "EF"},
                          {"SaskNr", 1},
                          {"SaskDt", day(2024, 1, 6)},
                          {"Gyventojas", "azuolas"},
                          {"GYVENTOJOVALSTYBE", "lietuva"},
                          {"GyventojoGrupe", "Verslas"},
                          {"GyvenaNuo", day(2023, 12, 1)},
                          {"GyvenaIki", day(2024, 3, 1)}});

    db.insert("SaskKmb", {{"IrasoNr", 1}, {"KambarioID", 101}});
    db.insert("SaskKmb", {{"IrasoNr", 2}, {"KambarioID", 101}});
    db.insert("SaskKmb", {{"IrasoNr", 3}, {"KambarioID", 103}});
    db.insert("SaskKmb", {{"IrasoNr", 4}, {"KambarioID", 102}});
    db.insert("SaskKmb", {{"IrasoNr", 9}, {"KambarioID", 103}}); // its registration is missing
    db.insert("SaskKmb", {{"IrasoNr", 5}, {"KambarioID", 104}});

    db.insert("Paslaug", {{"Pav", "Nakvynė"}, {"PaslGrpNr", 1}});
    db.insert("Paslaug", {{"Pav", "nakvynė"}, {"PaslGrpNr", 2}});
    db.insert("Paslaug", {{"Pav", "Pusryčiai"}, {"PaslGrpNr", 2}});

    db.insert("Saskeil", {{"SEILID", 1}, {"IrasoNr", 1}, {"PasPav", "Nakvynė"}});
    db.insert("Saskeil", {{"SEILID", 2}, {"IrasoNr", 2}, {"PasPav", "Pusryčiai"}});
    db.insert("Saskeil", {{"SEILID", 3}, {"IrasoNr", 2}, {"PasPav", "nakvynė"}});
    db.insert("Saskeil", {{"SEILID", 4}, {"IrasoNr", 3}, {"PasPav", "Nakvynė"}});

    db.insert("Seilgraf", {{"SEILGID", 1}, {"SEILID", 1}, {"Data", day(2024, 1, 10)}});
    db.insert("Seilgraf", {{"SEILGID", 2}, {"SEILID", 1}, {"Data", day(2024, 1, 11)}});
    db.insert("Seilgraf", {{"SEILGID", 3}, {"SEILID", 2}, {"Data", day(2024, 1, 21)}});
    db.insert("Seilgraf", {{"SEILGID", 4}, {"SEILID", 3}, {"Data", day(2024, 1, 25)}});
    db.insert("Seilgraf", {{"SEILGID", 5}, {"SEILID", 4}, {"Data", day(2024, 2, 2)}});

    db.insert("Mokej", {{"IrasoNr", 1}, {"SaskIrasoNr", 1}, {"MokDt", day(2024, 1, 15)}});
    db.insert("Mokej", {{"IrasoNr", 2}, {"SaskIrasoNr", 3}, {"MokDt", day(2024, 2, 15)}});

    db.insert("Klient", {{"Kod", "UAB1"}});
    db.insert("Klient", {{"Kod", "ZZ"}});

    db.insert("KmbVal",
              {{"IrasoID", 1}, {"IrasoDt", day(2024, 1, 10)}, {"KambarioID", 101}, {"ValytPav", "Ona"}});
    db.insert("KmbVal",
              {{"IrasoID", 2}, {"IrasoDt", day(2024, 1, 20)}, {"KambarioID", 103}, {"ValytPav", "ona"}});
    db.insert("KmbVal",
              {{"IrasoID", 3}, {"IrasoDt", day(2024, 2, 1)}, {"KambarioID", 101}, {"ValytPav", "Rūta"}});
    db.insert("KmbPatal", {{"IrasoID", 1}, {"KambarioID", 101}});
    db.insert("KmbPatal", {{"IrasoID", 2}, {"KambarioID", 0}});
    db.insert("KmbRanks", {{"IrasoID", 1}, {"KambarioID", 101}});
    db.insert("KmbRanks", {{"IrasoID", 2}, {"KambarioID", 0}});
}

using Bindings = std::map<std::string, Value>;

struct QuotedFilter {
    std::string where; // where the filter is used
    std::string table;
    bool secondBuffer;
    std::string filter;
    std::string order;
    Bindings variables;
    std::vector<std::int64_t> rows; // rowids of the main table, in the order's order
};

void PrintTo(const QuotedFilter& c, std::ostream* out) {
    *out << c.where;
}

// January 2024 as the report period of the period dialogs.
Bindings january(Bindings more = {}) {
    more.emplace("GLO:PrDt", std::int64_t(day(2024, 1, 1)));
    more.emplace("GLO:GalDt", std::int64_t(day(2024, 1, 31)));
    more.emplace("LOC:PrDt", std::int64_t(day(2024, 1, 1)));
    more.emplace("LOC:GalDt", std::int64_t(day(2024, 1, 31)));
    return more;
}

Value text(const char* value) {
    return std::string(value);
}

Value whole(std::int64_t value) {
    return value;
}

const char* const Journal = "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (~(GLO:Grupe and "
                            "GLO:Grupe<>SAS:GyventojoGrupe))";
const char* const ResidentList = "((SAS:GyvenaNuo>=GLO:PrDt)and(SAS:GyvenaNuo=<GLO:GalDt))or"
                                 "((SAS:GyvenaIki>GLO:PrDt)and(SAS:GyvenaIki<GLO:GalDt))or"
                                 "((SAS:GyvenaNuo<GLO:PrDt)and(SAS:GyvenaIki>GLO:GalDt))";
const char* const ServiceLedger =
    "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND ((SEI:PasPav = GLO:Pasl) AND "
    "(~SAS:Isvykes or (GLO:SuIsvykusiais AND SAS:Isvykes)))";
const char* const ServiceSummary = "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND (~(GLO:PaslGrpNr "
                                   "AND PAS:PaslGrpNr<>GLO:PaslGrpNr) AND "
                                   "(~SAS:Isvykes or (GLO:SuIsvykusiais AND SAS:Isvykes)))";
const char* const Invoice = "SAS:SaskDt = Report:Save::SAS:SaskDt AND UPPER(SAS:SaskSer) = "
                            "UPPER(Report:Save::SAS:SaskSer) AND SAS:SaskNr = Report:Save::SAS:SaskNr";
const char* const StaysInPeriod =
    "(SKMB1:KambarioID=LOC:KmbID) and ((SAS1:GyvenaIki>=LOC:PrDt and SAS1:GyvenaIki<=LOC:GalDt) or "
    "(SAS1:GyvenaNuo>=LOC:PrDt and SAS1:GyvenaNuo<=LOC:GalDt) or (SAS1:GyvenaNuo<LOC:PrDt and "
    "SAS1:Gyvenaiki>LOC:GalDt))";

const Bindings InvoiceOfRegistration2 = {{"Report:Save::SAS:SaskDt", whole(day(2024, 1, 22))},
                                         {"Report:Save::SAS:SaskSer", text("AB")},
                                         {"Report:Save::SAS:SaskNr", whole(15)}};

// Every filter that a list window, report or room operation uses, on the view it is used with.
const std::vector<QuotedFilter> QuotedFilters = {
    {"journal, all groups", "Saskait", false, Journal, "", january({{"GLO:Grupe", text("")}}), {1, 2, 5}},
    {"journal, one group", "Saskait", false, Journal, "", january({{"GLO:Grupe", text("Turistai")}}), {1}},
    {"journal, group with two",
     "Saskait",
     false,
     Journal,
     "",
     january({{"GLO:Grupe", text("Verslas")}}),
     {2, 5}},
    {"resident list", "Saskait", false, ResidentList, "", january(), {1, 2, 4, 5}},
    {"departing residents",
     "SaskKmb",
     false,
     "SAS:GyvenaIki >= GLO:PrDt AND SAS:GyvenaIki <= GLO:GalDt",
     "KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,SAS:IrasoNr",
     january(),
     {1, 4}},
    {"residents not departed",
     "SaskKmb",
     false,
     "~SAS:Isvykes",
     "SAS:GyventojoGrupe,SKMB:KambarioID,SAS:IrasoNr",
     {},
     {5, 3, 2, 6}},
    {"statistics by country",
     "Saskait",
     false,
     "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
     "SAS:GyventojoValstybe,SAS:IrasoNr",
     january(),
     {2, 1, 5}},
    {"statistics by group",
     "Saskait",
     false,
     "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
     "SAS:GyventojoGrupe,SAS:IrasoNr",
     january(),
     {1, 2, 5}},
    {"occupancy summary",
     "SaskKmb",
     false,
     "SAS:GyvenaIki > GLO:PrDt AND SAS:GyvenaNuo <= GLO:GalDt",
     "KMB:KambarioTipas,SAS:IrasoNr",
     january(),
     {6, 1, 2, 4}},
    {"occupancy ledger",
     "Kamb",
     false,
     "~KMB:KambarysNenaudojamas",
     "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),+"
     "KMB:"
     "KambarioID",
     {},
     {4, 1, 3}},
    {"income by departure",
     "Saskait",
     false,
     "SAS:GyvenaIki >= GLO:PrDt AND SAS:GyvenaIki <= GLO:GalDt",
     "",
     january(),
     {1, 4}},
    {"service ledger",
     "Seilgraf",
     false,
     ServiceLedger,
     "SEIG:SEILID",
     january({{"GLO:Pasl", text("Nakvynė")}, {"GLO:SuIsvykusiais", whole(0)}}),
     {}},
    {"service ledger with departed",
     "Seilgraf",
     false,
     ServiceLedger,
     "SEIG:SEILID",
     january({{"GLO:Pasl", text("Nakvynė")}, {"GLO:SuIsvykusiais", whole(1)}}),
     {1, 2}},
    {"service ledger, exact name",
     "Seilgraf",
     false,
     ServiceLedger,
     "SEIG:SEILID",
     january({{"GLO:Pasl", text("nakvynė")}, {"GLO:SuIsvykusiais", whole(0)}}),
     {4}},
    {"service summary, all groups",
     "Seilgraf",
     false,
     ServiceSummary,
     "SEI:PasPav",
     january({{"GLO:PaslGrpNr", whole(0)}, {"GLO:SuIsvykusiais", whole(1)}}),
     {1, 2, 4, 3}},
    {"service summary, one group",
     "Seilgraf",
     false,
     ServiceSummary,
     "SEI:PasPav",
     january({{"GLO:PaslGrpNr", whole(2)}, {"GLO:SuIsvykusiais", whole(0)}}),
     {4, 3}},
    {"service book",
     "Saskeil",
     false,
     "UPPER(SEI:PasPav) = UPPER(PAS:Pav) AND (SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt)",
     "",
     january({{"PAS:Pav", text("Nakvynė")}}),
     {1, 3}},
    {"payment ledger",
     "Mokej",
     false,
     "MOK:MokDt >= GLO:PrDt AND MOK:MokDt <= GLO:GalDt",
     "MOK:MokejimoBudas,MOK:MokDt,MOK:IrasoNr",
     january(),
     {1}},
    {"invoices of a payer",
     "Saskait",
     false,
     "UPPER(SAS:KliKod) = UPPER(KLI:Kod) AND (SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt)",
     "",
     january({{"KLI:Kod", text("UAB1")}}),
     {1, 2}},
    {"payer address",
     "Klient",
     false,
     "UPPER(KLI:Kod) = UPPER(Report:Save::KLI:Kod)",
     "UPPER(KLI:Kod)",
     {{"Report:Save::KLI:Kod", text("zz")}},
     {2}},
    {"invoice lines", "Saskeil", false, Invoice, "", InvoiceOfRegistration2, {2, 3}},
    {"invoice summary", "Saskait", false, Invoice, "", InvoiceOfRegistration2, {2}},
    {"integrated invoice",
     "Saskeil",
     false,
     "UPPER(SAS:SaskSer) = UPPER(RPF1::SAS:SaskSer) AND SAS:SaskNr = RPF1::SAS:SaskNr",
     "",
     {{"RPF1::SAS:SaskSer", text("Ab")}, {"RPF1::SAS:SaskNr", whole(15)}},
     {1, 2, 3}},
    {"invoice register",
     "Saskait",
     false,
     "SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt",
     "",
     january(),
     {1, 2, 5}},
    {"removal of old registrations",
     "Saskait",
     false,
     "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (SAS:Isvykes)",
     "",
     {{"GLO:PrDt", whole(0)}, {"GLO:GalDt", whole(day(2024, 1, 15))}},
     {1, 4}},
    {"current list by date",
     "Saskait",
     false,
     "SAS:Isvykes = LOC:Isvykes",
     "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr",
     {{"LOC:Isvykes", whole(0)}},
     {5, 2, 3}},
    {"current list by surname",
     "Saskait",
     false,
     "SAS:Isvykes = LOC:Isvykes",
     "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr",
     {{"LOC:Isvykes", whole(0)}},
     {5, 2, 3}},
    {"current list, one group",
     "Saskait",
     false,
     "~SAS:Isvykes and SAS:GyventojoGrupe = GRP:Grupe",
     "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr",
     {{"GRP:Grupe", text("Verslas")}},
     {5, 2}},
    {"current list by invoice number",
     "Saskait",
     false,
     "LOC:SaskNr=SAS:SaskNr and ~SAS:Isvykes",
     "UPPER(SAS:SaskSer),SAS:SaskNr,SAS:IrasoNr",
     {{"LOC:SaskNr", whole(15)}},
     {2}},
    {"all registrations, not departed",
     "Saskait",
     false,
     "~SAS:Isvykes",
     "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr",
     {},
     {5, 2, 3}},
    {"cleanings of a room",
     "KmbVal",
     false,
     "KVAL:KambarioID = LOC:KambarioID",
     "+KVAL:KambarioID,+KVAL:IrasoDt,+KVAL:IrasoID",
     {{"LOC:KambarioID", whole(101)}},
     {1, 3}},
    {"cleanings of a cleaner",
     "KmbVal",
     false,
     "UPPER(KVAL:ValytPav) = UPPER(LOC:ValytPav)",
     "+UPPER(KVAL:ValytPav),+KVAL:IrasoDt,+KVAL:IrasoID",
     {{"LOC:ValytPav", text("ONA")}},
     {1, 2}},
    {"cleanings of a room in a period",
     "KmbVal",
     false,
     "KVAL:KambarioID=LOC:KmbID and KVAL:IrasoDt>=LOC:PrDt and KVAL:IrasoDt<=LOC:GalDt",
     "",
     january({{"LOC:KmbID", whole(101)}}),
     {1}},
    {"bedding of room 0",
     "KmbPatal",
     false,
     "KPAT:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID AND (KPAT:KambarioID)",
     "+KPAT:KambarioID,+KPAT:IrasoDt,+KPAT:IrasoID",
     {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(0)}},
     {}},
    {"bedding of a room",
     "KmbPatal",
     false,
     "KPAT:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID AND (KPAT:KambarioID)",
     "",
     {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(101)}},
     {1}},
    {"towels of room 0",
     "KmbRanks",
     false,
     "KRANK:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID",
     "+KRANK:KambarioID,+KRANK:IrasoDt,+KRANK:IrasoID",
     {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(0)}},
     {2}},
    {"services of a group",
     "Paslaug",
     false,
     "PAS:PaslGrpNr = BRW1::Sort2:Reset:PGRP:IrasoNr",
     "+PAS:PaslGrpNr,+UPPER(PAS:Pav)",
     {{"BRW1::Sort2:Reset:PGRP:IrasoNr", whole(2)}},
     {2, 3}},
    {"rooms of a type",
     "Kamb",
     false,
     "UPPER(KMB:KambarioTipas) = UPPER(LOC:KambarioTipas)",
     "",
     {{"LOC:KambarioTipas", text("DVIVIETIS")}},
     {1, 2}},
    {"rooms of the empty type",
     "Kamb",
     false,
     "UPPER(KMB:KambarioTipas) = UPPER(LOC:KambarioTipas)",
     "",
     {{"LOC:KambarioTipas", text("")}},
     {4}},
    {"room occupied",
     "SaskKmb",
     true,
     "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:KmbID",
     "",
     {{"LOC:KmbID", whole(101)}},
     {2}},
    {"room occupied, registration missing",
     "SaskKmb",
     true,
     "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:KmbID",
     "",
     {{"LOC:KmbID", whole(103)}},
     {3, 5}},
    {"last departure",
     "SaskKmb",
     true,
     "SAS1:Isvykes=1 AND SKMB1:KambarioID = LOC:KmbID",
     "-SAS1:GyvenaIki",
     {{"LOC:KmbID", whole(102)}},
     {4}},
    {"stays of a room in a period",
     "SaskKmb",
     true,
     StaysInPeriod,
     "",
     january({{"LOC:KmbID", whole(101)}}),
     {1, 2}},
    {"stay spanning the period",
     "SaskKmb",
     true,
     StaysInPeriod,
     "",
     january({{"LOC:KmbID", whole(104)}}),
     {6}},
    {"invoice lines of the registration on the form",
     "Saskeil",
     false,
     "SEI:IrasoNr = SAS:IrasoNr",
     "SEI:IrasoNr,SEI:SEILID",
     {{"SAS:IrasoNr", whole(2)}},
     {2, 3}},
    {"rooms of the registration on the form",
     "SaskKmb",
     false,
     "SKMB:IrasoNr = SAS:IrasoNr",
     "SKMB:IrasoNr,SKMB:KambarioID",
     {{"SAS:IrasoNr", whole(3)}},
     {3}},
    {"payments of the registration on the form",
     "Mokej",
     false,
     "MOK:SaskIrasoNr = SAS:IrasoNr",
     "MOK:SaskIrasoNr,MOK:IrasoNr",
     {{"SAS:IrasoNr", whole(1)}},
     {1}},
    {"schedule of an invoice line",
     "Seilgraf",
     false,
     "SEIG:SEILID = SEI:SEILID",
     "SEIG:SEILID,SEIG:Data,SEIG:SEILGID",
     {{"SEI:SEILID", whole(1)}},
     {1, 2}},
};

class QuotedFilterTest : public ::testing::TestWithParam<QuotedFilter> {
protected:
    void SetUp() override { fill(db_); }
    QueryTestDatabase db_;
};

// Each filter parses, selects in SQL exactly the rows it says, and the evaluation on the record
// buffers agrees with SQL on every row of the view.
TEST_P(QuotedFilterTest, SelectsWhatItSays) {
    const auto& c = GetParam();
    Variables variables;
    for (const auto& [name, value] : c.variables) {
        variables.set(name, value);
    }
    const auto filter = parseFilter(c.filter);
    ASSERT_TRUE(filter) << filter.error.message;
    const auto order = parseOrder(c.order);
    ASSERT_TRUE(order) << order.error.message;
    const auto query =
        SqlQuery::build(ViewTables(tableNamed(c.table), c.secondBuffer), *order, *filter, variables);
    ASSERT_TRUE(query) << query.error.message;

    const auto columns = QueryTestDatabase::columns(query->tables());
    const auto spelling = QueryTestDatabase::spelling();
    std::vector<std::int64_t> selected;
    for (const auto& row : db_.run(query->select(spelling, columns, {}, ReadDirection::Forward, 0))) {
        selected.push_back(std::get<std::int64_t>(row.back()));
    }
    EXPECT_EQ(selected, c.rows);

    const auto count = db_.run(query->aggregate(spelling, "COUNT(*)"));
    EXPECT_EQ(std::get<std::int64_t>(count.at(0).at(0)), std::int64_t(c.rows.size()));

    // The same view without the filter, every row judged by the evaluation.
    const auto all = SqlQuery::build(query->tables(), *order, Filter{}, variables);
    std::vector<std::int64_t> evaluated;
    for (const auto& row : db_.run(all->select(spelling, columns, {}, ReadDirection::Forward, 0))) {
        if (query->matches(QueryTestDatabase::rowValues(query->tables(), row))) {
            evaluated.push_back(std::get<std::int64_t>(row.back()));
        }
    }
    EXPECT_EQ(evaluated, c.rows);
}

INSTANTIATE_TEST_SUITE_P(EveryQuotedFilter, QuotedFilterTest, ::testing::ValuesIn(QuotedFilters),
                         [](const ::testing::TestParamInfo<QuotedFilter>& info) {
                             std::string name;
                             for (const char c : info.param.where) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

// Sixty registrations with names that tie without regard to letter case, repeated dates and series;
// forty rooms occupied by them, some by registrations or in rooms that are missing.
class PagingTest : public ::testing::Test {
protected:
    void SetUp() override {
        const char* const names[] = {"Jonaitis", "jonaitis", "Ąžuolas", "azuolas", "Petraitis",
                                     "Šimkus",   "Zigmas",   "",        "Yla",     "Įvairus"};
        const char* const series[] = {"AB", "ab", "C"};
        for (int i = 1; i <= 60; ++i) {
            db_.insert("Saskait", {{"IrasoNr", i},
                                   {"Isvykes", i % 3 == 0 ? 1 : 0},
                                   {"Gyventojas", names[i % 10]},
                                   {"IrasoDt", 100 + (i * 7) % 13},
                                   {"SaskSer", series[i % 3]},
                                   {"SaskNr", i % 5}});
        }
        const char* const wings[] = {"A", "a", "B"};
        for (int i = 1; i <= 8; ++i) {
            db_.insert("Kamb", {{"KambarioID", i},
                                {"KambarioKorpusas", wings[i % 3]},
                                {"KambarioAukstas", i % 2},
                                {"KambarioNr", names[i]}});
        }
        for (int i = 1; i <= 40; ++i) {
            db_.insert("SaskKmb", {{"IrasoNr", 1 + (i * 17) % 70}, {"KambarioID", i % 10}});
        }
    }

    struct Row {
        std::vector<SqlValue> columns; // every field of every view table
        std::vector<SqlValue> order;
        std::int64_t rowid = 0;
        friend bool operator==(const Row&, const Row&) = default;
    };

    std::vector<Row> read(const SqlQuery& query, const Seek& seek, ReadDirection direction, int limit) {
        const auto columns = QueryTestDatabase::columns(query.tables());
        const auto statement = query.select(QueryTestDatabase::spelling(), columns, seek, direction, limit);
        std::vector<Row> rows;
        for (const auto& values : db_.run(statement)) {
            Row& row = rows.emplace_back();
            row.columns.assign(values.begin(), values.begin() + statement.orderColumn);
            row.order.assign(values.begin() + statement.orderColumn,
                             values.begin() + statement.orderColumn + statement.orderCount);
            row.rowid = std::get<std::int64_t>(values.back());
        }
        return rows;
    }

    QueryTestDatabase db_;
};

struct PagedView {
    const char* table;
    const char* order;
    const char* filter;
};

// Reading page by page from the last row's position, forward or backward, gives the rows of one
// unlimited read, each with its own fields and its parents', none twice and none left out; seeks to order
// values land on the first (or past the last) of the rows that carry them.
TEST_F(PagingTest, PagesFromPositionsCoverTheViewExactly) {
    const PagedView views[] = {
        {"Saskait", "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", ""},
        {"Saskait", "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", "SAS:Isvykes = 0"},
        {"Saskait", "+SAS:Gyventojas", ""},
        {"Saskait", "-SAS:IrasoDt", "UPPER(SAS:SaskSer) = 'AB'"},
        {"Saskait", "UPPER(SAS:SaskSer),-SAS:SaskNr", ""},
        {"Saskait", "-SAS:Gyventojas,+SAS:IrasoDt", "~SAS:Isvykes"},
        {"Saskait", "SAS:KAMBARIAI", ""},
        {"Saskait", "", "SAS:SaskNr > 2"},
        {"SaskKmb", "UPPER(KMB:KambarioKorpusas),KMB:KambarioAukstas,-KMB:KambarioNr,SAS:IrasoNr", ""},
        {"SaskKmb", "UPPER(SAS:Gyventojas),-SKMB:KambarioID", "~SAS:Isvykes"},
    };
    for (const auto& view : views) {
        SCOPED_TRACE(std::string(view.table) + " | " + view.order + " | " + view.filter);
        const auto query = SqlQuery::build(ViewTables(tableNamed(view.table)), *parseOrder(view.order),
                                           *parseFilter(view.filter), {});
        ASSERT_TRUE(query) << query.error.message;
        const auto all = read(*query, {}, ReadDirection::Forward, 0);
        ASSERT_GT(all.size(), 10u);

        for (const auto direction : {ReadDirection::Forward, ReadDirection::Backward}) {
            std::vector<Row> paged = read(*query, {}, direction, 4);
            for (std::size_t start = 0; start < paged.size();) {
                const Row& last = paged.back();
                start = paged.size();
                const auto page =
                    read(*query, {Seek::Kind::AfterPosition, last.order, last.rowid}, direction, 4);
                paged.insert(paged.end(), page.begin(), page.end());
            }
            if (direction == ReadDirection::Backward) {
                std::reverse(paged.begin(), paged.end());
            }
            EXPECT_EQ(paged, all);
        }

        for (std::size_t k = 0; k < all.size(); k += 7) {
            // Restarting at a position includes the row itself.
            const auto at = read(*query, {Seek::Kind::AtOrAfterPosition, all[k].order, all[k].rowid},
                                 ReadDirection::Forward, 0);
            EXPECT_EQ(at, std::vector<Row>(all.begin() + k, all.end()));
            for (std::size_t values = 1; values <= all[k].order.size(); ++values) {
                const std::vector<SqlValue> prefix(all[k].order.begin(), all[k].order.begin() + values);
                const auto atOrAfter =
                    read(*query, {Seek::Kind::AtOrAfterValues, prefix, 0}, ReadDirection::Forward, 0);
                const auto after =
                    read(*query, {Seek::Kind::AfterValues, prefix, 0}, ReadDirection::Forward, 0);
                const std::size_t first = all.size() - atOrAfter.size();
                const std::size_t past = all.size() - after.size();
                EXPECT_LE(first, k);
                EXPECT_GT(past, k);
                EXPECT_EQ(atOrAfter, std::vector<Row>(all.begin() + first, all.end()));
                EXPECT_EQ(after, std::vector<Row>(all.begin() + past, all.end()));
                auto before = read(*query, {Seek::Kind::AfterValues, prefix, 0}, ReadDirection::Backward, 0);
                std::reverse(before.begin(), before.end());
                EXPECT_EQ(before, std::vector<Row>(all.begin(), all.begin() + first));
                auto atOrBefore =
                    read(*query, {Seek::Kind::AtOrAfterValues, prefix, 0}, ReadDirection::Backward, 0);
                std::reverse(atOrBefore.begin(), atOrBefore.end());
                EXPECT_EQ(atOrBefore, std::vector<Row>(all.begin(), all.begin() + past));
            }
        }
    }
}

// Names that differ only in letter case carry the same value for a case-insensitive seek.
TEST_F(PagingTest, ValueSeeksTieWithoutRegardToLetterCase) {
    const auto query = SqlQuery::build(ViewTables(tableNamed("Saskait")),
                                       *parseOrder("SAS:Isvykes,UPPER(SAS:Gyventojas)"), Filter{}, {});
    const std::vector<SqlValue> jonaitis = {std::int64_t(0), std::string("JONAITIS")};
    const auto atOrAfter =
        read(*query, {Seek::Kind::AtOrAfterValues, jonaitis, 0}, ReadDirection::Forward, 0);
    const auto after = read(*query, {Seek::Kind::AfterValues, jonaitis, 0}, ReadDirection::Forward, 0);
    // Not departed (i % 3 != 0) and named Jonaitis or jonaitis (i % 10 is 0 or 1).
    int ties = 0;
    for (int i = 1; i <= 60; ++i) {
        ties += i % 3 != 0 && i % 10 <= 1 ? 1 : 0;
    }
    EXPECT_EQ(atOrAfter.size() - after.size(), std::size_t(ties));
    EXPECT_EQ(std::get<std::string>(atOrAfter.front().order[1]).size(), 8u);
}

std::vector<std::string> planLines(const std::string& plan) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = plan.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(plan.substr(start, end - start));
    }
    return lines;
}

// The line of a plan that reads a page's records by their rowids.
std::string rowidRead(std::string_view table) {
    return "SEARCH " + std::string(table) + " USING INTEGER PRIMARY KEY (rowid=?)";
}

// A first page reads along an index without sorting; a page after a position starts with a search
// in the index instead of a scan from the table's start, and merges its ranges as the index gives
// them.
void expectIndexUse(QueryTestDatabase& db, const SqlQuery& query, std::string_view table) {
    const auto spelling = QueryTestDatabase::spelling();
    const std::vector<std::string> columns = {"1"};
    const auto first = db.plan(query.select(spelling, columns, {}, ReadDirection::Forward, 20));
    EXPECT_EQ(first.find("TEMP B-TREE"), std::string::npos) << first;
    const auto last = db.plan(query.select(spelling, columns, {}, ReadDirection::Backward, 20));
    EXPECT_EQ(last.find("TEMP B-TREE"), std::string::npos) << last;

    std::vector<SqlValue> values;
    for (const auto& component : query.orderValues([](const FieldRef&) { return Value(); })) {
        values.push_back(component);
    }
    for (const auto direction : {ReadDirection::Forward, ReadDirection::Backward}) {
        const auto next =
            db.plan(query.select(spelling, columns, {Seek::Kind::AfterPosition, values, 1}, direction, 20));
        bool searched = false;
        int sorts = 0;
        for (const auto& line : planLines(next)) {
            EXPECT_NE(line.rfind("SCAN " + std::string(table), 0), 0u) << next;
            searched =
                searched || (line.rfind("SEARCH " + std::string(table), 0) == 0 && line != rowidRead(table));
            sorts += line.find("TEMP B-TREE") != std::string::npos ? 1 : 0;
        }
        EXPECT_TRUE(searched) << next;
        EXPECT_EQ(sorts, 1) << "only the page's own rows are sorted, not the ranges\n" << next;
    }
}

TEST(IndexUseTest, EveryKeyOrderReadsAlongItsIndex) {
    QueryTestDatabase db;
    for (const auto& table : Dictionary::instance().tables()) {
        for (int key = 0; key < int(table.keys.size()); ++key) {
            SCOPED_TRACE(table.keys[key].name);
            const auto query = SqlQuery::build(ViewTables(table), orderForKey(table, key), Filter{}, {});
            ASSERT_TRUE(query) << query.error.message;
            expectIndexUse(db, *query, table.name);
        }
    }
}

// The orders of the list windows, each "one key or a sort expression on its components", with the
// tab's filter where it has one.
TEST(IndexUseTest, ListWindowOrdersReadAlongAnIndex) {
    struct ListOrder {
        const char* table;
        const char* order;
        const char* filter;
    };
    const ListOrder orders[] = {
        {"Valstyb", "+UPPER(VAL:Valstybe)", ""},
        {"Grupes", "+UPPER(GRP:Grupe)", ""},
        {"MokBudai", "+MOK1:MokBudoID", ""},
        {"Valyt", "+UPPER(VALYT:ValytPav)", ""},
        {"KmbTipai", "+UPPER(KTIP:KambarioTipas)", ""},
        {"PaslGrp", "+PGRP:IrasoNr", ""},
        {"PaslGrp", "+UPPER(PGRP:GrpPav),+PGRP:IrasoNr", ""},
        {"Kamb",
         "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),"
         "+KMB:"
         "KambarioID",
         "UPPER(KMB:KambarioTipas) = UPPER(LOC:KambarioTipas)"},
        {"Kamb", "+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),+KMB:KambarioID",
         ""},
        {"Kamb", "+KMB:KambarioID", ""},
        {"Paslaug", "+PAS:Pav", ""},
        {"Paslaug", "+UPPER(PAS:PKod)", ""},
        {"Paslaug", "+PAS:PaslGrpNr,+UPPER(PAS:Pav)", "PAS:PaslGrpNr = BRW1::Sort2:Reset:PGRP:IrasoNr"},
        {"Klient", "UPPER(KLI:Kod)", ""},
        {"Saskait", "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr", "SAS:Isvykes = LOC:Isvykes"},
        {"Saskait", "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", "SAS:Isvykes = LOC:Isvykes"},
        {"Saskait", "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr", "~SAS:Isvykes and SAS:GyventojoGrupe = GRP:Grupe"},
        {"Saskait", "UPPER(SAS:SaskSer),SAS:SaskNr,SAS:IrasoNr", "LOC:SaskNr=SAS:SaskNr and ~SAS:Isvykes"},
        {"Saskait", "SAS:IrasoDt,SAS:IrasoNr", ""},
        {"Saskait", "UPPER(SAS:Gyventojas),SAS:IrasoNr", ""},
        {"Saskait", "SAS:SaskDt,UPPER(SAS:SaskSer),SAS:SaskNr,SAS:IrasoNr", ""},
        {"Saskait", "UPPER(SAS:KliKod),SAS:SaskDt,SAS:IrasoNr", "UPPER(SAS:KliKod) = UPPER(KLI:Kod)"},
        {"Saskait", "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", "~SAS:Isvykes"},
        {"Saskait", "UPPER(SAS:GyventojoGrupe),SAS:IrasoNr", "UPPER(SAS:GyventojoGrupe) = UPPER(GRP:Grupe)"},
        {"Saskait", "SAS:IrasoNr", ""},
        {"Mokej", "MOK:MokDt,MOK:IrasoNr", ""},
        {"Mokej", "UPPER(MOK:MokKod),MOK:MokDt,MOK:IrasoNr", "UPPER(MOK:MokKod) = UPPER(KLI:Kod)"},
        {"Mokej", "MOK:MokejimoBudas,MOK:MokDt,MOK:IrasoNr", "MOK:MokejimoBudas = MOK1:MokBudoID"},
        {"KmbVal", "+KVAL:IrasoDt,+KVAL:KambarioID,+KVAL:IrasoID", ""},
        {"KmbVal", "+KVAL:KambarioID,+KVAL:IrasoDt,+KVAL:IrasoID", "KVAL:KambarioID = LOC:KambarioID"},
        {"KmbVal", "+UPPER(KVAL:ValytPav),+KVAL:IrasoDt,+KVAL:IrasoID",
         "UPPER(KVAL:ValytPav) = UPPER(LOC:ValytPav)"},
        {"KmbPatal", "+KPAT:IrasoDt,+KPAT:KambarioID,+KPAT:IrasoID", ""},
        {"KmbPatal", "+KPAT:KambarioID,+KPAT:IrasoDt,+KPAT:IrasoID",
         "KPAT:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID AND (KPAT:KambarioID)"},
        {"KmbRanks", "+KRANK:KambarioID,+KRANK:IrasoDt,+KRANK:IrasoID",
         "KRANK:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID"},
        {"Seilgraf", "SEIG:SEILID,SEIG:Data,SEIG:SEILGID", "SEIG:SEILID = SEI:SEILID"},
        {"KmbRanks", "+KRANK:IrasoDt,+KRANK:KambarioID,+KRANK:IrasoID", ""},
        {"SaskKmb", "SKMB:IrasoNr,SKMB:KambarioID", "SKMB:IrasoNr = SAS:IrasoNr"},
        {"Saskeil", "SEI:IrasoNr,SEI:SEILID", "SEI:IrasoNr = SAS:IrasoNr"},
        {"Mokej", "MOK:SaskIrasoNr,MOK:IrasoNr", "MOK:SaskIrasoNr = SAS:IrasoNr"},
    };
    QueryTestDatabase db;
    Variables variables;
    for (const char* name :
         {"LOC:Isvykes", "LOC:SaskNr", "BRW1::Sort2:Reset:PGRP:IrasoNr", "MOK1:MokBudoID", "LOC:KambarioID",
          "BRW1::Sort1:Reset:KMB:KambarioID", "SEI:SEILID", "SAS:IrasoNr"}) {
        variables.set(name, std::int64_t(1));
    }
    for (const char* name : {"LOC:KambarioTipas", "GRP:Grupe", "KLI:Kod", "LOC:ValytPav"}) {
        variables.set(name, std::string("x"));
    }
    for (const auto& list : orders) {
        SCOPED_TRACE(std::string(list.order) + " | " + list.filter);
        const auto query = SqlQuery::build(ViewTables(tableNamed(list.table)), *parseOrder(list.order),
                                           *parseFilter(list.filter), variables);
        ASSERT_TRUE(query) << query.error.message;
        expectIndexUse(db, *query, list.table);
    }
}

// A seek's ranges read only their key's index; the records of the page they make are read once, by
// rowid, and not those of every range's rows that the page leaves out.
TEST(IndexUseTest, SeekRangesReadOnlyTheIndex) {
    QueryTestDatabase db;
    const std::vector<std::string> columns = {"\"Saskait\".\"Gyventojas\""};
    for (const char* order : {"SAS:IrasoDt,SAS:IrasoNr", "UPPER(SAS:Gyventojas),SAS:IrasoNr",
                              "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr", "-SAS:SaskDt,UPPER(SAS:SaskSer)"}) {
        SCOPED_TRACE(order);
        const auto query =
            SqlQuery::build(ViewTables(tableNamed("Saskait")), *parseOrder(order), Filter{}, {});
        ASSERT_TRUE(query) << query.error.message;
        const auto values = query->orderValues([](const FieldRef&) { return Value(); });
        for (const Seek& seek :
             {Seek{Seek::Kind::AfterPosition, values, 1}, Seek{Seek::Kind::AtOrAfterValues, values, 0}}) {
            for (const auto direction : {ReadDirection::Forward, ReadDirection::Backward}) {
                const auto plan =
                    db.plan(query->select(QueryTestDatabase::spelling(), columns, seek, direction, 20));
                int rowidReads = 0;
                for (const auto& line : planLines(plan)) {
                    if (line == rowidRead("Saskait")) {
                        ++rowidReads;
                    } else if (line.find(" Saskait ") != std::string::npos) {
                        EXPECT_NE(line.find("USING COVERING INDEX"), std::string::npos) << plan;
                    }
                }
                EXPECT_EQ(rowidReads, 1) << plan;
            }
        }
    }
}

// The conditions that pick a few records out of many find them through a key.
TEST(IndexUseTest, SelectiveConditionsSearchTheKey) {
    struct Search {
        const char* table;
        const char* order;
        const char* filter;
        const char* search;
    };
    const Search searches[] = {
        {"Saskait", "SAS:IrasoDt,SAS:IrasoNr", "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
         "INDEX SAS:IDTKEY (IrasoDt>? AND IrasoDt<?)"},
        {"Saskait", "SAS:SaskDt,SAS:IrasoNr", "SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt",
         "(SaskDt>? AND SaskDt<?)"},
        {"Kamb", "", "UPPER(KMB:KambarioTipas) = UPPER(LOC:Tipas)", "INDEX KMB:TIPASNRKEY (KambarioTipas=?)"},
        {"Kamb", "", "UPPER(KMB:KambarioTipas) = LOC:Tipas", "INDEX KMB:TIPASNRKEY (KambarioTipas=?)"},
        {"Saskeil", "", "SEI:PasPav = LOC:Tipas", "INDEX SEI:PASLKEY (PasPav=?)"},
        {"Paslaug", "", "PAS:Pav = LOC:Tipas", "INDEX PAS:PASLKEY (Pav=?)"},
        {"Saskait", "", "SAS:SaskSer = LOC:Tipas AND SAS:SaskNr = LOC:Nr",
         "INDEX SAS:SASNRKEY (SaskSer=? AND SaskNr=?)"},
        {"SaskKmb", "", "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:Nr",
         "INDEX SKMB:KMBIDINRKEY (KambarioID=?)"},
    };
    QueryTestDatabase db;
    Variables variables;
    variables.set("GLO:PrDt", std::int64_t(1));
    variables.set("GLO:GalDt", std::int64_t(2));
    variables.set("LOC:Nr", std::int64_t(2));
    variables.set("LOC:Tipas", std::string("x"));
    for (const auto& search : searches) {
        SCOPED_TRACE(search.filter);
        const bool second = std::string_view(search.filter).find("SKMB1") != std::string_view::npos;
        const auto query = SqlQuery::build(ViewTables(tableNamed(search.table), second),
                                           *parseOrder(search.order), *parseFilter(search.filter), variables);
        ASSERT_TRUE(query) << query.error.message;
        const auto plan =
            db.plan(query->select(QueryTestDatabase::spelling(), {}, {}, ReadDirection::Forward, 20));
        EXPECT_NE(plan.find(search.search), std::string::npos) << plan;
        EXPECT_NE(db.plan(query->aggregate(QueryTestDatabase::spelling(), "COUNT(*)")).find(search.search),
                  std::string::npos);
    }
}

} // namespace
} // namespace nakva
