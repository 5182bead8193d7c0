#include "data/QueryTestDatabase.h"
#include "data/SqlQuery.h"
#include "data/Variables.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>

namespace nakva {
namespace {

int day(int year, int month, int dayOfMonth) {
    return dateFromYmd(year, month, dayOfMonth);
}

const TableDef& tableNamed(std::string_view name) {
    return *Dictionary::instance().findTable(name);
}

// A few records of every table that the quoted filters read, with the traps they must get right:
// letter case, Lithuanian letters, blank values, a room occupied by a registration that is missing.
void fill(QueryTestDatabase& db) {
    db.insert("Kamb", {{"KambarioID", 101}, {"KambarioKorpusas", "A"}, {"KambarioAukstas", 1}, {"KambarioNr", "1"},
                       {"KambarioTipas", "Dvivietis"}});
    db.insert("Kamb", {{"KambarioID", 102}, {"KambarioKorpusas", "A"}, {"KambarioAukstas", 1}, {"KambarioNr", "2"},
                       {"KambarioTipas", "dvivietis"}, {"KambarysNenaudojamas", 1}});
    db.insert("Kamb", {{"KambarioID", 103}, {"KambarioKorpusas", "B"}, {"KambarioAukstas", 2}, {"KambarioNr", "1"},
                       {"KambarioTipas", "Vienvietis"}});
    db.insert("Kamb", {{"KambarioID", 104}});

    db.insert("Saskait", {{"IrasoNr", 1}, {"IrasoDt", day(2024, 1, 10)}, {"SaskSer", "AB"}, {"SaskNr", 15},
                          {"SaskDt", day(2024, 1, 12)}, {"KliKod", "UAB1"}, {"Gyventojas", "Jonaitis"},
                          {"GYVENTOJOVALSTYBE", "Lietuva"}, {"GyventojoGrupe", "Turistai"},
                          {"GyvenaNuo", day(2024, 1, 10)}, {"GyvenaIki", day(2024, 1, 12)}, {"Isvykes", 1}});
    db.insert("Saskait", {{"IrasoNr", 2}, {"IrasoDt", day(2024, 1, 20)}, {"SaskSer", "ab"}, {"SaskNr", 15},
                          {"SaskDt", day(2024, 1, 22)}, {"KliKod", "uab1"}, {"Gyventojas", "Ąžuolaitė"},
                          {"GYVENTOJOVALSTYBE", "Latvija"}, {"GyventojoGrupe", "Verslas"},
                          {"GyvenaNuo", day(2024, 1, 20)}, {"GyvenaIki", day(2024, 2, 5)}});
    db.insert("Saskait", {{"IrasoNr", 3}, {"IrasoDt", day(2024, 2, 1)}, {"SaskSer", "CD"}, {"SaskNr", 16},
                          {"SaskDt", day(2024, 2, 3)}, {"KliKod", "ZZ"}, {"Gyventojas", "Petraitis"},
                          {"GYVENTOJOVALSTYBE", "Lietuva"}, {"GyvenaNuo", day(2024, 2, 1)},
                          {"GyvenaIki", day(2024, 2, 10)}});
    db.insert("Saskait", {{"IrasoNr", 4}, {"IrasoDt", day(2023, 12, 20)}, {"SaskSer", "AB"}, {"SaskNr", 14},
                          {"SaskDt", day(2023, 12, 31)}, {"Gyventojas", "Zigmas"}, {"GyventojoGrupe", "Turistai"},
                          {"GyvenaNuo", day(2023, 12, 20)}, {"GyvenaIki", day(2024, 1, 15)}, {"Isvykes", 1}});
    db.insert("Saskait", {{"IrasoNr", 5}, {"IrasoDt", day(2024, 1, 5)}, {"SaskSer", "EF"}, {"SaskNr", 1},
                          {"SaskDt", day(2024, 1, 6)}, {"Gyventojas", "azuolas"}, {"GYVENTOJOVALSTYBE", "lietuva"},
                          {"GyventojoGrupe", "Verslas"}, {"GyvenaNuo", day(2023, 12, 1)},
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

    db.insert("KmbVal", {{"IrasoID", 1}, {"IrasoDt", day(2024, 1, 10)}, {"KambarioID", 101}, {"ValytPav", "Ona"}});
    db.insert("KmbVal", {{"IrasoID", 2}, {"IrasoDt", day(2024, 1, 20)}, {"KambarioID", 103}, {"ValytPav", "ona"}});
    db.insert("KmbVal", {{"IrasoID", 3}, {"IrasoDt", day(2024, 2, 1)}, {"KambarioID", 101}, {"ValytPav", "Rūta"}});
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

const char* const Journal =
    "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (~(GLO:Grupe and GLO:Grupe<>SAS:GyventojoGrupe))";
const char* const ResidentList =
    "((SAS:GyvenaNuo>=GLO:PrDt)and(SAS:GyvenaNuo=<GLO:GalDt))or((SAS:GyvenaIki>GLO:PrDt)and(SAS:GyvenaIki<GLO:"
    "GalDt))or((SAS:GyvenaNuo<GLO:PrDt)and(SAS:GyvenaIki>GLO:GalDt))";
const char* const ServiceLedger = "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND ((SEI:PasPav = GLO:Pasl) AND "
                                  "(~SAS:Isvykes or (GLO:SuIsvykusiais AND SAS:Isvykes)))";
const char* const ServiceSummary =
    "SEIG:Data >= GLO:PrDt AND SEIG:Data <= GLO:GalDt AND (~(GLO:PaslGrpNr AND PAS:PaslGrpNr<>GLO:PaslGrpNr) AND "
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
    {"journal, group with two", "Saskait", false, Journal, "", january({{"GLO:Grupe", text("Verslas")}}), {2, 5}},
    {"resident list", "Saskait", false, ResidentList, "", january(), {1, 2, 4, 5}},
    {"departing residents", "SaskKmb", false, "SAS:GyvenaIki >= GLO:PrDt AND SAS:GyvenaIki <= GLO:GalDt",
     "KMB:KambarioKorpusas,KMB:KambarioAukstas,KMB:KambarioNr,SAS:IrasoNr", january(), {1, 4}},
    {"residents not departed", "SaskKmb", false, "~SAS:Isvykes", "SAS:GyventojoGrupe,SKMB:KambarioID,SAS:IrasoNr",
     {}, {5, 3, 2, 6}},
    {"statistics by country", "Saskait", false, "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
     "SAS:GyventojoValstybe,SAS:IrasoNr", january(), {2, 1, 5}},
    {"statistics by group", "Saskait", false, "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt",
     "SAS:GyventojoGrupe,SAS:IrasoNr", january(), {1, 2, 5}},
    {"occupancy summary", "SaskKmb", false, "SAS:GyvenaIki > GLO:PrDt AND SAS:GyvenaNuo <= GLO:GalDt",
     "KMB:KambarioTipas,SAS:IrasoNr", january(), {6, 1, 2, 4}},
    {"occupancy ledger", "Kamb", false, "~KMB:KambarysNenaudojamas",
     "+UPPER(KMB:KambarioTipas),+UPPER(KMB:KambarioKorpusas),+KMB:KambarioAukstas,+UPPER(KMB:KambarioNr),+KMB:"
     "KambarioID",
     {}, {4, 1, 3}},
    {"income by departure", "Saskait", false, "SAS:GyvenaIki >= GLO:PrDt AND SAS:GyvenaIki <= GLO:GalDt", "",
     january(), {1, 4}},
    {"service ledger", "Seilgraf", false, ServiceLedger, "SEIG:SEILID",
     january({{"GLO:Pasl", text("Nakvynė")}, {"GLO:SuIsvykusiais", whole(0)}}), {}},
    {"service ledger with departed", "Seilgraf", false, ServiceLedger, "SEIG:SEILID",
     january({{"GLO:Pasl", text("Nakvynė")}, {"GLO:SuIsvykusiais", whole(1)}}), {1, 2}},
    {"service ledger, exact name", "Seilgraf", false, ServiceLedger, "SEIG:SEILID",
     january({{"GLO:Pasl", text("nakvynė")}, {"GLO:SuIsvykusiais", whole(0)}}), {4}},
    {"service summary, all groups", "Seilgraf", false, ServiceSummary, "SEI:PasPav",
     january({{"GLO:PaslGrpNr", whole(0)}, {"GLO:SuIsvykusiais", whole(1)}}), {1, 2, 4, 3}},
    {"service summary, one group", "Seilgraf", false, ServiceSummary, "SEI:PasPav",
     january({{"GLO:PaslGrpNr", whole(2)}, {"GLO:SuIsvykusiais", whole(0)}}), {4, 3}},
    {"service book", "Saskeil", false,
     "UPPER(SEI:PasPav) = UPPER(PAS:Pav) AND (SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt)", "",
     january({{"PAS:Pav", text("Nakvynė")}}), {1, 3}},
    {"payment ledger", "Mokej", false, "MOK:MokDt >= GLO:PrDt AND MOK:MokDt <= GLO:GalDt",
     "MOK:MokejimoBudas,MOK:MokDt,MOK:IrasoNr", january(), {1}},
    {"invoices of a payer", "Saskait", false,
     "UPPER(SAS:KliKod) = UPPER(KLI:Kod) AND (SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt)", "",
     january({{"KLI:Kod", text("UAB1")}}), {1, 2}},
    {"payer address", "Klient", false, "UPPER(KLI:Kod) = UPPER(Report:Save::KLI:Kod)", "UPPER(KLI:Kod)",
     {{"Report:Save::KLI:Kod", text("zz")}}, {2}},
    {"invoice lines", "Saskeil", false, Invoice, "", InvoiceOfRegistration2, {2, 3}},
    {"invoice summary", "Saskait", false, Invoice, "", InvoiceOfRegistration2, {2}},
    {"integrated invoice", "Saskeil", false,
     "UPPER(SAS:SaskSer) = UPPER(RPF1::SAS:SaskSer) AND SAS:SaskNr = RPF1::SAS:SaskNr", "",
     {{"RPF1::SAS:SaskSer", text("Ab")}, {"RPF1::SAS:SaskNr", whole(15)}}, {1, 2, 3}},
    {"invoice register", "Saskait", false, "SAS:SaskDt>=GLO:PrDt and SAS:SaskDt<=GLO:GalDt", "", january(),
     {1, 2, 5}},
    {"removal of old registrations", "Saskait", false,
     "SAS:IrasoDt >= GLO:PrDt AND SAS:IrasoDt <= GLO:GalDt AND (SAS:Isvykes)", "",
     {{"GLO:PrDt", whole(0)}, {"GLO:GalDt", whole(day(2024, 1, 15))}}, {1, 4}},
    {"current list by date", "Saskait", false, "SAS:Isvykes = LOC:Isvykes", "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr",
     {{"LOC:Isvykes", whole(0)}}, {5, 2, 3}},
    {"current list by surname", "Saskait", false, "SAS:Isvykes = LOC:Isvykes",
     "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", {{"LOC:Isvykes", whole(0)}}, {5, 2, 3}},
    {"current list, one group", "Saskait", false, "~SAS:Isvykes and SAS:GyventojoGrupe = GRP:Grupe",
     "SAS:Isvykes,SAS:IrasoDt,SAS:IrasoNr", {{"GRP:Grupe", text("Verslas")}}, {5, 2}},
    {"current list by invoice number", "Saskait", false, "LOC:SaskNr=SAS:SaskNr and ~SAS:Isvykes",
     "UPPER(SAS:SaskSer),SAS:SaskNr,SAS:IrasoNr", {{"LOC:SaskNr", whole(15)}}, {2}},
    {"all registrations, not departed", "Saskait", false, "~SAS:Isvykes",
     "SAS:Isvykes,UPPER(SAS:Gyventojas),SAS:IrasoNr", {}, {5, 2, 3}},
    {"cleanings of a room", "KmbVal", false, "KVAL:KambarioID = LOC:KambarioID",
     "+KVAL:KambarioID,+KVAL:IrasoDt,+KVAL:IrasoID", {{"LOC:KambarioID", whole(101)}}, {1, 3}},
    {"cleanings of a cleaner", "KmbVal", false, "UPPER(KVAL:ValytPav) = UPPER(LOC:ValytPav)",
     "+UPPER(KVAL:ValytPav),+KVAL:IrasoDt,+KVAL:IrasoID", {{"LOC:ValytPav", text("ONA")}}, {1, 2}},
    {"cleanings of a room in a period", "KmbVal", false,
     "KVAL:KambarioID=LOC:KmbID and KVAL:IrasoDt>=LOC:PrDt and KVAL:IrasoDt<=LOC:GalDt", "",
     january({{"LOC:KmbID", whole(101)}}), {1}},
    {"bedding of room 0", "KmbPatal", false,
     "KPAT:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID AND (KPAT:KambarioID)",
     "+KPAT:KambarioID,+KPAT:IrasoDt,+KPAT:IrasoID", {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(0)}}, {}},
    {"bedding of a room", "KmbPatal", false,
     "KPAT:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID AND (KPAT:KambarioID)", "",
     {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(101)}}, {1}},
    {"towels of room 0", "KmbRanks", false, "KRANK:KambarioID = BRW1::Sort1:Reset:KMB:KambarioID",
     "+KRANK:KambarioID,+KRANK:IrasoDt,+KRANK:IrasoID", {{"BRW1::Sort1:Reset:KMB:KambarioID", whole(0)}}, {2}},
    {"services of a group", "Paslaug", false, "PAS:PaslGrpNr = BRW1::Sort2:Reset:PGRP:IrasoNr",
     "+PAS:PaslGrpNr,+UPPER(PAS:Pav)", {{"BRW1::Sort2:Reset:PGRP:IrasoNr", whole(2)}}, {2, 3}},
    {"rooms of a type", "Kamb", false, "UPPER(KMB:KambarioTipas) = UPPER(LOC:KambarioTipas)", "",
     {{"LOC:KambarioTipas", text("DVIVIETIS")}}, {1, 2}},
    {"rooms of the empty type", "Kamb", false, "UPPER(KMB:KambarioTipas) = UPPER(LOC:KambarioTipas)", "",
     {{"LOC:KambarioTipas", text("")}}, {4}},
    {"room occupied", "SaskKmb", true, "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:KmbID", "",
     {{"LOC:KmbID", whole(101)}}, {2}},
    {"room occupied, registration missing", "SaskKmb", true, "SAS1:Isvykes=0 AND SKMB1:KambarioID = LOC:KmbID", "",
     {{"LOC:KmbID", whole(103)}}, {3, 5}},
    {"last departure", "SaskKmb", true, "SAS1:Isvykes=1 AND SKMB1:KambarioID = LOC:KmbID", "-SAS1:GyvenaIki",
     {{"LOC:KmbID", whole(102)}}, {4}},
    {"stays of a room in a period", "SaskKmb", true, StaysInPeriod, "", january({{"LOC:KmbID", whole(101)}}), {1, 2}},
    {"stay spanning the period", "SaskKmb", true, StaysInPeriod, "", january({{"LOC:KmbID", whole(104)}}), {6}},
    {"schedule of an invoice line", "Seilgraf", false, "SEIG:SEILID = SEI:SEILID", "SEIG:SEILID,SEIG:Data,SEIG:SEILGID",
     {{"SEI:SEILID", whole(1)}}, {1, 2}},
};

class QuotedFilterTest : public testing::TestWithParam<QuotedFilter> {
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
    const auto query = SqlQuery::build(ViewTables(tableNamed(c.table), c.secondBuffer), *order, *filter, variables);
    ASSERT_TRUE(query) << query.error.message;

    const auto columns = QueryTestDatabase::columns(query->tables());
    const auto spelling = QueryTestDatabase::spelling();
    std::vector<std::int64_t> selected;
    for (const auto& row : db_.run(query->select(spelling, columns, {}, ReadDirection::Forward, 0))) {
        selected.push_back(std::get<std::int64_t>(row.back()));
    }
    EXPECT_EQ(selected, c.rows);

    const auto count = db_.run(query->count(spelling));
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

INSTANTIATE_TEST_SUITE_P(EveryQuotedFilter, QuotedFilterTest, testing::ValuesIn(QuotedFilters),
                         [](const testing::TestParamInfo<QuotedFilter>& info) {
                             std::string name;
                             for (const char c : info.param.where) {
                                 name += std::isalnum(static_cast<unsigned char>(c)) ? c : '_';
                             }
                             return name;
                         });

} // namespace
} // namespace nakva
